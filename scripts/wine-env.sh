# Sourced by the scripts: the Wine environment of the 64-bit build and its prefix.
BRANDWICK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$BRANDWICK_ROOT/build/win64/wineprefix"
export WINEDEBUG=-all
export LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# Makes the prefix once, without a display, and waits until its wineserver has gone: Wine binds its
# desktop to the display the wineserver started with.
wine_prefix_init() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        DISPLAY= "$WINE" wineboot --init >/dev/null 2>&1 || true
    fi
    "$WINESERVER" -w
}

# Sourced by the scripts: the Wine environment of the 64-bit build.
BRANDWICK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$BRANDWICK_ROOT/build/win64/wineprefix}"
export WINEDEBUG=-all
export LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# Makes the prefix once, without a display, and waits until its wineserver has gone: Wine binds its
# desktop to the display the wineserver started with. With "unmanaged", Wine draws the windows' frames
# itself instead of waiting for a window manager (the virtual display has none).
wine_prefix_init() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        DISPLAY= "$WINE" wineboot --init >/dev/null 2>&1 || true
        if [ "${1:-}" = unmanaged ]; then
            DISPLAY= "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        fi
    fi
    "$WINESERVER" -w
}

#!/bin/sh
# Takes a picture of the main window: runs the built build/win64/Brandwick.exe under Wine on a virtual
# display, captures the window and writes a PNG (docs/screenshot.png unless a path is given).
# Builds nothing; build the win64 preset first.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/screenshot.png}
case $out in /*) ;; *) out=$PWD/$out ;; esac
exe=$root/build/win64/Brandwick.exe
[ -f "$exe" ] || { echo "missing $exe: build the win64 preset first" >&2; exit 1; }
mkdir -p "$(dirname "$out")"

export WINEPREFIX=${WINEPREFIX:-$root/build/win64/wineprefix}
export WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
fi
# The wineserver keeps the display it started with: let any earlier one end first.
/usr/lib/wine/wineserver -w

export BW_EXE=$exe BW_OUT=$out
xvfb-run -a -s '-screen 0 1024x768x24' sh -c '
    /usr/lib/wine/wine64 "$BW_EXE" >/dev/null 2>&1 &
    pid=$!
    id=""
    for _ in $(seq 1 60); do
        sleep 0.5
        id=$(xwininfo -root -tree 2>/dev/null | awk "/\"Brandwick\"/ { print \$1; exit }")
        [ -n "$id" ] && break
    done
    sleep 2
    if [ -n "$id" ]; then
        geometry=$(xwininfo -id "$id" | awk "/Absolute upper-left X/ {x=\$4} /Absolute upper-left Y/ {y=\$4} /Width:/ {w=\$2} /Height:/ {h=\$2} END {print w \"x\" h \"+\" x \"+\" y}")
        import -window root -crop "$geometry" +repage "$BW_OUT"
    else
        echo "the window did not appear; capturing the whole screen" >&2
        import -window root "$BW_OUT"
    fi
    kill "$pid" 2>/dev/null || true
    /usr/lib/wine/wineserver -w
'
echo "wrote $out"

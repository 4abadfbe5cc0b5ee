#!/usr/bin/env bash
# Builds Brandwick and starts it under Wine. Without a display it runs on a virtual one, saves a
# screenshot of its window (build/screenshot.png, or the path given) and says where; it then keeps
# running until you press Ctrl+C. With --once it stops right after the screenshot.
#   bash scripts/run.sh [--once] [screenshot.png]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Brandwick
# The 32-bit release is built too; only the 64-bit program can run on this machine.
cmake --preset win32 >/dev/null 2>&1 || cmake --preset win32 --fresh >/dev/null
cmake --build --preset win32 --target Brandwick

# A prefix of its own, apart from the tests' one.
export WINEPREFIX_OVERRIDE="$PWD/build/run-prefix"
source scripts/wine-env.sh
exe="$BRANDWICK_ROOT/build/win64/Brandwick.exe"

if [ -n "${DISPLAY:-}" ]; then
    wine_prefix_init
    exec "$WINE" "$exe"
fi
WINEPREFIX_OVERRIDE="$PWD/build/run-prefix-virtual"
source scripts/wine-env.sh
wine_prefix_init unmanaged

once=
if [ "${1:-}" = --once ]; then once=--once; shift; fi
shot=${1:-$BRANDWICK_ROOT/build/screenshot.png}
case $shot in /*) ;; *) shot=$PWD/$shot ;; esac
mkdir -p "$(dirname "$shot")"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    exe=$1; shot=$2; once=$3; wine=$4; wineserver=$5
    "$wine" "$exe" &
    # Wait for the main window (up to 60 s), then photograph it.
    for _ in $(seq 120); do
        id=$(xwininfo -root -tree 2>/dev/null | awk "/\"Brandwick\"/ {print \$1; exit}")
        [ -n "$id" ] && break
        sleep 0.5
    done
    if [ -z "$id" ]; then echo "Brandwick did not open a window" >&2; "$wineserver" -k; exit 1; fi
    sleep 2
    geometry=$(xwininfo -id "$id" | awk "/Absolute upper-left X/ {x=\$4} /Absolute upper-left Y/ {y=\$4}
        /Width:/ {w=\$2} /Height:/ {h=\$2} END {print w \"x\" h \"+\" x \"+\" y}")
    import -window root -crop "$geometry" +repage "$shot"
    echo "Brandwick is running on a virtual display; screenshot saved to $shot"
    if [ "$once" = "--once" ]; then "$wineserver" -k; "$wineserver" -w; exit 0; fi
    echo "Press Ctrl+C to stop it."
    wait
' bash "$exe" "$shot" "$once" "$WINE" "$WINESERVER"

#!/usr/bin/env bash
# Photographs the main window of the real Brandwick.exe at the four display scales it is made for (100%, 125%,
# 150% and 200%: LogPixels 96, 120, 144 and 192) on a virtual display, with a sample maker, model and logo, and
# saves them as scale-100.png ... scale-200.png in docs/ (or the folder given). Run after building the win64
# preset; BRANDWICK_BUILD names another build folder.
#   bash scripts/screenshot-scales.sh [folder]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs}")
export WINEPREFIX_OVERRIDE="${WINEPREFIX_OVERRIDE:-$PWD/build/scales-prefix}"
source scripts/wine-env.sh
wine_prefix_init unmanaged
build=${BRANDWICK_BUILD:-$BRANDWICK_ROOT/build/win64}
system32="$WINEPREFIX/drive_c/windows/system32"

# Sample data; Wine has no SimSun, so a free CJK font stands in for it.
printf '%s\r\n' '[General]' 'Manufacturer=示例电脑' 'Model=示例 S100' '[Support Information]' 'Line1=示例电脑技术支持' |
    iconv -f UTF-8 -t GBK >"$system32/oeminfo.ini"
convert -size 120x60 gradient:'#FFFFFF-#CFE3F7' -fill '#1D4F9A' -draw 'roundrectangle 6,8 46,52 6,6' \
    -fill '#FFFFFF' -font /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc -pointsize 26 -annotate +12+41 '示' \
    -fill '#1D4F9A' -pointsize 16 -annotate +52+30 '示例电脑' -fill '#5A6B80' -pointsize 10 -annotate +53+46 'S SERIES' \
    -type TrueColor "BMP3:$system32/oemlogo.bmp"
for value in 'RegisteredOwner 张三' 'RegisteredOrganization 示例电脑服务部' 'ProductId 55274-OEM-0011903-00107'; do
    DISPLAY= "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v "${value%% *}" /d "${value#* }" /f >/dev/null
done
DISPLAY= "$WINE" reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\OEMInformation' /v Manufacturer /d 示例电脑 /f >/dev/null
DISPLAY= "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 宋体 /d 'WenQuanYi Zen Hei Sharp' /f >/dev/null
"$WINESERVER" -w

mkdir -p "$out"
export WINE WINESERVER
for scale in 100:96 125:120 150:144 200:192; do
    DISPLAY= "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${scale#*:}" /f >/dev/null
    "$WINESERVER" -w
    # A screen large enough for the window at 200%.
    xvfb-run -a -s "-screen 0 1920x1200x24" bash -c '
        set -e
        trap "\"\$WINESERVER\" -k; \"\$WINESERVER\" -w" EXIT
        "$WINE" "$1/Brandwick.exe" &
        for _ in $(seq 120); do
            id=$(xwininfo -root -tree 2>/dev/null | awk "/\"Brandwick\"/ {print \$1; exit}")
            [ -n "$id" ] && break
            sleep 0.5
        done
        [ -n "$id" ] || { echo "Brandwick did not open a window" >&2; exit 1; }
        sleep 2
        at=$(xwininfo -id "$id" | awk "/Absolute upper-left X/ {x=\$4} /Absolute upper-left Y/ {y=\$4}
            /Width:/ {w=\$2} /Height:/ {h=\$2} END {print w \"x\" h \"+\" x \"+\" y}")
        import -window root -crop "$at" +repage "$2"' bash "$build" "$out/scale-${scale%%:*}.png"
    echo "Saved $out/scale-${scale%%:*}.png"
done
DISPLAY= "$WINE" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null
"$WINESERVER" -w

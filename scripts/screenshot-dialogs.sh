#!/usr/bin/env bash
# Photographs the two dialogs of the real Brandwick.exe on a virtual display: the support editor with
# sample data and the About window, saved as support-editor.png and about.png in docs/ (or the folder
# given). Run after building the win64 preset; BRANDWICK_BUILD names another build folder. Wine plays Windows 7 in
# a new prefix, so the editor shows the support values of the OEMInformation key too.
#   bash scripts/screenshot-dialogs.sh [folder]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs}")
export WINEPREFIX_OVERRIDE="${WINEPREFIX_OVERRIDE:-$PWD/build/dialogs-prefix}"
source scripts/wine-env.sh
wine_prefix_init unmanaged
build=${BRANDWICK_BUILD:-$BRANDWICK_ROOT/build/win64}

# Sample data for the editor; Wine has no SimSun, so a free CJK font stands in for it.
printf '%s\r\n' '[General]' 'Manufacturer=示例电脑' 'Model=S100' '[Support Information]' \
    'Line1=示例电脑技术支持' 'Line2=服务热线：800-000-0000' 'Line3=工作时间：周一至周五 9:00-18:00' \
    'Line4=网址：http://www.brandwick.example/support/' |
    iconv -f UTF-8 -t GBK >"$WINEPREFIX/drive_c/windows/system32/oeminfo.ini"
DISPLAY= "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v RegisteredOwner /d 张三 /f >/dev/null
for value in 'SupportPhone 800-000-0000' 'SupportHours 周一至周五 9:00-18:00' \
    'SupportURL http://www.brandwick.example/support/' 'SupportProvider 示例电脑技术支持'; do
    DISPLAY= "$WINE" reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\OEMInformation' /v "${value%% *}" \
        /d "${value#* }" /f >/dev/null
done
DISPLAY= "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 宋体 /d 'WenQuanYi Zen Hei Sharp' /f >/dev/null
"$WINESERVER" -w

# Presses a button of the main window the way a click does and prints where the window it opens stands.
cat >"$build/press-button.c" <<'EOF'
#include <windows.h>
#include <stdio.h>
int wmain(int argc, wchar_t** argv) {
    HWND main = NULL, opened = NULL;
    RECT rc;
    if (argc != 3) return 2;
    for (int i = 0; i < 600 && !(main = FindWindowW(L"BrandwickMain", NULL)); ++i) Sleep(100);
    HWND button = FindWindowExW(main, NULL, L"Button", argv[1]);
    if (!button) return 1;
    PostMessageW(button, BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && !((opened = FindWindowW(argv[2], NULL)) && IsWindowVisible(opened)); ++i) Sleep(100);
    if (!opened || !GetWindowRect(opened, &rc)) return 1;
    Sleep(1000);
    printf("%ldx%ld+%ld+%ld\n", rc.right - rc.left, rc.bottom - rc.top, rc.left, rc.top);
    return 0;
}
EOF
x86_64-w64-mingw32-gcc -municode -O2 -o "$build/press-button.exe" "$build/press-button.c"

mkdir -p "$out"
export WINE WINESERVER
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    trap "\"\$WINESERVER\" -k; \"\$WINESERVER\" -w" EXIT
    "$WINE" "$1/Brandwick.exe" &
    shoot() { local at; at=$("$WINE" "$1/press-button.exe" "$2" "$3"); import -window root -crop "$at" +repage "$4"; }
    shoot "$1" "技术支持信息(&S)" BrandwickSupportInfo "$2/support-editor.png"
    shoot "$1" "关于..." BrandwickAbout "$2/about.png"' bash "$build" "$out"
echo "Saved $out/support-editor.png and $out/about.png"

#!/usr/bin/env bash
# Draws both dialogs in a Wine virtual desktop under Xvfb and stores them as docs/support-editor.png and
# docs/about.png. Run after building the win64 preset.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
wine_prefix_init
build=build/win64
out=$(mktemp -d)
export BRANDWICK_SHOT_DIR="Z:$(printf '%s' "$out" | tr / '\\')"
# Wine has no SimSun; a free CJK font stands in for it while the pictures are taken.
fonts='HKCU\Software\Wine\Fonts\Replacements'
xvfb-run -a -s "-screen 0 1024x768x24" sh -c "
    $build/wine-run.sh reg add '$fonts' /v 宋体 /d '${SIMSUN_STANDIN:-WenQuanYi Zen Hei Sharp}' /f >/dev/null
    $build/wine-run.sh explorer /desktop=shots,800x600 $build/brandwick_wintests.exe \
        --gtest_also_run_disabled_tests --gtest_filter=DISABLED_Screenshots.*
    $build/wine-run.sh reg delete '$fonts' /v 宋体 /f >/dev/null
    /usr/lib/wine/wineserver -w"
mkdir -p docs
convert "$out/support-editor.bmp" docs/support-editor.png
convert "$out/about.bmp" docs/about.png
rm -rf "$out"

#!/usr/bin/env bash
# Builds every configuration and runs every test: the portable logic natively (also under
# AddressSanitizer and UBSan), the fuzz targets' corpus replay, the checks of the 32- and 64-bit releases
# and their zips, the Windows tests under Wine, and in Wine's WOW64 mode the 32-bit tests that open no window and
# both releases driven from the command line.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)

bash scripts/install-deps.sh
for preset in native native-asan fuzz win32 win64-release win64 win32-wow64; do
    echo "== build $preset"
    # Afresh when the folder was configured with other compilers (CMakeLists.txt says so).
    cmake --preset "$preset" >/dev/null 2>&1 || cmake --preset "$preset" --fresh >/dev/null
    cmake --build --preset "$preset"
done
# The benchmark is no test, but it must keep building with the program.
cmake --build --preset win64-release --target bench

status=0
summary=build/test-summary.log
: > "$summary"
for preset in native native-asan fuzz win32 win64-release; do
    echo "== test $preset"
    ctest --preset "$preset" | tee -a "$summary"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
done

echo "== test win64 (Wine)"
source scripts/wine-env.sh
wine_prefix_init unmanaged
# One virtual display and one wineserver for the whole run.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$0" -p
    # Start Wine'"'"'s own background processes now, away from ctest'"'"'s output pipes: a process that
    # inherits such a pipe keeps ctest waiting for its end.
    for exe in build/win64/*tests.exe build/win64/brandwick_e2e.exe; do
        [ -f "$exe" ] && build/win64/wine-run.sh "$exe" --gtest_list_tests </dev/null >/dev/null 2>&1
    done
    ctest --preset win64 --timeout 300
    rc=$?
    "$0" -k
    exit $rc' "$WINESERVER" | tee -a "$summary"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1

echo "== test WOW64 (Wine): win32-wow64, and win64-deploy with both releases"
source scripts/wow64.sh
if wow64_fetch_dlls && wow64_prefix_init; then
    # The prefix's own wineserver for both runs, its background processes started away from ctest's pipes.
    (
        export WINEPREFIX="$WOW64_PREFIX" WINEDLLPATH="$WOW64_DLLPATH"
        unset DISPLAY
        "$WINESERVER" -p
        "$WINE" cmd /c exit </dev/null >/dev/null 2>&1
        rc=0
        ctest --preset win32-wow64 --timeout 300 || rc=1
        ctest --preset win64-deploy --timeout 300 || rc=1
        "$WINESERVER" -k
        exit $rc
    ) | tee -a "$summary" || status=1
else
    echo "WOW64 could not be set up" | tee -a "$summary"
    status=1
fi

# One line for all the runs, from ctest's own closing lines ("...0 tests failed out of 43").
read -r total failed < <(awk '/tests failed out of/ {f += $(NF-5); t += $NF} END {print t+0, f+0}' "$summary")
echo "== all tests took $(( $(date +%s) - start )) s"
echo "tests: $(( total - failed )) passed, $failed failed"
exit $status

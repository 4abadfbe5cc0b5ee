#!/usr/bin/env bash
# Builds every configuration and runs every test: the portable logic natively (also under
# AddressSanitizer and UBSan), the fuzz targets' corpus replay, the checks of the 32- and 64-bit releases
# and their zips, the Windows tests under Wine, and in Wine's WOW64 mode the 32-bit tests that open no window and
# both releases driven from the command line. On a machine that runs no 32-bit code, only what needs it is skipped:
# the 64-bit release's command line is then tested in an ordinary 64-bit prefix.
#
# Every stage runs, whatever the others did, and the closing line counts them all: "tests: N passed, N failed",
# with ", N skipped" when tests were skipped. A stage that fails without naming failed tests (a build, a set-up)
# counts as one failure, and every failed stage is named above the closing line. Exits 0 only when nothing failed.
set -uo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
mkdir -p build
passed=0 failed=0 skipped=0
failures=()

# Counts a stage that failed as a whole.
stage_failed() {
    failures+=("$1")
    failed=$((failed + 1))
}

# Runs one ctest stage and counts its results from ctest's closing lines ("...2 tests failed out of 43" and a
# "(Skipped)" line for each skipped test). A stage that fails without such a line failed as a whole.
run_stage() {
    local name=$1 log=build/stage.log
    shift
    echo "== test $name"
    "$@" 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]} total stage_failed stage_skipped
    read -r total stage_failed < <(awk '/tests failed out of/ {f += $(NF-5); t += $NF} END {print t+0, f+0}' "$log")
    stage_skipped=$(grep -c ' (Skipped)$' "$log")
    passed=$((passed + total - stage_failed - stage_skipped))
    failed=$((failed + stage_failed))
    skipped=$((skipped + stage_skipped))
    if [ "$stage_failed" -gt 0 ]; then
        failures+=("$name")
    elif [ "$rc" -ne 0 ]; then
        stage_failed "$name"
    fi
}

summary() {
    echo "== all tests took $(($(date +%s) - start)) s"
    [ ${#failures[@]} -eq 0 ] || printf 'failed: %s\n' "${failures[@]}"
    local line="tests: $passed passed, $failed failed"
    [ "$skipped" -eq 0 ] || line+=", $skipped skipped"
    echo "$line"
}

if ! bash scripts/install-deps.sh; then
    stage_failed "installing the packages"
    summary
    exit 1
fi

# Whether Wine's WOW64 mode can run here is asked of the machine first, before anything is downloaded.
source scripts/wow64.sh
wow64_machine_can
wow64=$?
case $wow64 in
0) echo "== WOW64: this machine runs 32-bit code in a 64-bit process; the WOW64 stage runs" ;;
1) echo "== WOW64 skipped: $WOW64_CANNOT" ;;
*) echo "== WOW64: $WOW64_CANNOT" ;;
esac

built=()
for preset in native native-asan fuzz win32 win64-release win64 win32-wow64; do
    echo "== build $preset"
    # Afresh when the folder was configured with other compilers (CMakeLists.txt says so).
    if { cmake --preset "$preset" >/dev/null 2>&1 || cmake --preset "$preset" --fresh >/dev/null; } &&
        cmake --build --preset "$preset"; then
        built+=("$preset")
    else
        stage_failed "build $preset"
    fi
done
is_built() { [[ " ${built[*]} " == *" $1 "* ]]; }
# The benchmark is no test, but it must keep building with the program.
is_built win64-release && { cmake --build --preset win64-release --target bench || stage_failed "build bench"; }

for preset in native native-asan fuzz win32 win64-release; do
    is_built "$preset" && run_stage "$preset" ctest --preset "$preset"
done

source scripts/wine-env.sh
if is_built win64; then
    wine_prefix_init unmanaged
    # One virtual display and one wineserver for the whole run.
    run_stage "win64 (Wine)" xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        "$0" -p
        # Start Wine'"'"'s own background processes now, away from ctest'"'"'s output pipes: a process that
        # inherits such a pipe keeps ctest waiting for its end.
        for exe in build/win64/*tests.exe build/win64/brandwick_e2e.exe; do
            [ -f "$exe" ] && build/win64/wine-run.sh "$exe" --gtest_list_tests </dev/null >/dev/null 2>&1
        done
        ctest --preset win64 --timeout 300
        rc=$?
        "$0" -k
        exit $rc' "$WINESERVER"
fi

# Runs ctest presets in a Wine prefix without a display ($1, with the DLL path $2), under its own wineserver, its
# background processes started away from ctest's pipes. In the WOW64 prefix Wine now and then fails to start a 32-bit
# process at all (it then reports "ShellExecuteEx" failing, and nothing of the program has run): there a failed test
# runs once more, so that only a test that fails twice fails the stage.
run_in_prefix() {
    local -x WINEPREFIX=$1 DISPLAY=
    local again=()
    [ -z "$2" ] || { local -x WINEDLLPATH=$2; again=(--repeat until-pass:2); }
    shift 2
    "$WINESERVER" -p
    "$WINE" cmd /c exit </dev/null >/dev/null 2>&1
    local preset
    for preset in "$@"; do
        run_stage "$preset" ctest --preset "$preset" --timeout 300 "${again[@]}"
    done
    "$WINESERVER" -k
}

case $wow64 in
0)
    echo "== WOW64 set-up"
    if ! is_built win64 || ! is_built win32-wow64; then
        echo "The WOW64 stage needs the win64 and win32-wow64 builds."
    elif ! wow64_fetch_dlls; then
        stage_failed "WOW64 set-up: the 32-bit DLLs of libwine:i386 could not be downloaded"
    elif ! wow64_prefix_init; then
        stage_failed "WOW64 set-up: no SysWOW64 in the WOW64 prefix $WOW64_PREFIX"
    else
        run_in_prefix "$WOW64_PREFIX" "$WOW64_DLLPATH" win32-wow64 win64-deploy
    fi
    ;;
1)
    # The tests of win32-wow64 cannot even be listed here: the ones that open no window are one test each in
    # tests/headless, beside the static checks its CTestTestfile adds.
    headless=$(cat tests/headless/*.cpp | grep -cE '^TEST(_F)?\(')
    static=$(grep -c '^add_test(' build/win32-wow64/CTestTestfile.cmake 2>/dev/null)
    wow64_tests=$((headless + ${static:-0}))
    echo "WOW64 skipped: $WOW64_CANNOT. Skipped: the $wow64_tests tests of win32-wow64 and the 32-bit release's deploy tests."
    skipped=$((skipped + wow64_tests))
    # The 64-bit release's deploy tests in the ordinary prefix of the win64 build; they skip the 32-bit release.
    export BRANDWICK_NO_WOW64=$WOW64_CANNOT
    is_built win64 && run_in_prefix "$WINEPREFIX" "" win64-deploy
    ;;
*)
    stage_failed "WOW64 probe: $WOW64_CANNOT"
    ;;
esac

summary
[ "$failed" -eq 0 ]

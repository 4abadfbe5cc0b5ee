#!/usr/bin/env bash
# Seeds the faults of scripts/seeded-faults.txt into the sources one at a time and runs the tests against
# each: a fault that no test notices is MISSED, a caught one is marked with the stage that caught it first.
# The sources are put back after every fault, also on Ctrl-C.
#
#   bash scripts/seed-faults.sh          every fault
#   bash scripts/seed-faults.sh 3 17     only faults 3 and 17 (numbered by their order in the list)
#   bash scripts/seed-faults.sh --check  only checks that every fault still applies, without building
#
# The native and win64 builds must have been configured (cmake --preset native / win64); the fuzz build
# (cmake --preset fuzz) is used when it is there. Without a DISPLAY the Wine tests run on a virtual display:
# SEED_DISPLAY=<n> picks its number, else xvfb-run chooses one.
# Runs that share a display take turns for their Wine tests, so that their windows never meet.
set -uo pipefail
cd "$(dirname "$0")/.."
list=scripts/seeded-faults.txt

check=false
[ "${1:-}" = --check ] && check=true && shift

if ! $check && [ -z "${DISPLAY:-}" ]; then
    if [ -n "${SEED_DISPLAY:-}" ]; then display=(-n "$SEED_DISPLAY"); else display=(-a); fi
    exec xvfb-run "${display[@]}" -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

source scripts/wine-env.sh
$check || { wine_prefix_init unmanaged; "$WINESERVER" -p; }
display_name=${DISPLAY:-none}
exec 9>"${TMPDIR:-/tmp}/brandwick-wine-display${display_name//[^0-9.]/}.lock"
log=build/seeded-faults.log
mkdir -p build
: > "$log"

seeded="" backup=""
restore() {
    if [ -n "$seeded" ]; then
        # A fresh time stamp, so that the next build compiles the file again.
        cat "$backup" > "$seeded"
        rm -f "$backup"
        seeded=""
    fi
}
finish() {
    restore
    $check || "$WINESERVER" -k 2>/dev/null
    $check || WINEPREFIX="$PWD/build/wow64/prefix" "$WINESERVER" -k 2>/dev/null
}
trap finish EXIT
trap 'exit 130' INT TERM

# Replaces the one occurrence of find in file ({NL} in either text stands for a line break).
seed() {
    python3 - "$@" <<'PY'
import sys
path, find, repl = (s.replace("{NL}", "\n") for s in sys.argv[1:4])
with open(path, encoding="utf-8", newline="") as f:
    text = f.read()
n = text.count(find)
if n != 1:
    sys.exit(f"{path}: the text to find occurs {n} times, not once: {sys.argv[2]!r}")
with open(path, "w", encoding="utf-8", newline="") as f:
    f.write(text.replace(find, repl))
PY
}

build() { cmake --build "build/$1" -j2 --target "${@:2}" >>"$log" 2>&1; }
# True when the program under test fails (or hangs).
fails_native() { ! timeout -k 5 120 build/native/brandwick_unit --gtest_brief=1 --gtest_fail_fast >>"$log" 2>&1; }
fails_wine() {
    flock 9
    timeout -k 10 600 build/win64/wine-run.sh "build/win64/$1.exe" --gtest_brief=1 --gtest_fail_fast \
        </dev/null >>"$log" 2>&1
    local rc=$?
    flock -u 9
    [ $rc -ge 124 ] && "$WINESERVER" -k 2>/dev/null && "$WINESERVER" -p # a hang leaves windows behind
    [ $rc -ne 0 ]
}

# The window tests that hold at every display scale, at 120, 144 and 192 DPI.
fails_scales() {
    local dpi rc=0
    flock 9
    for dpi in 120 144 192; do
        timeout -k 10 600 build/win64/wine-run-scale.sh $dpi build/win64/brandwick_wintests.exe --gtest_brief=1 \
            --gtest_fail_fast </dev/null >>"$log" 2>&1 || { rc=1; break; }
    done
    flock -u 9
    [ $rc -ne 0 ]
}

fails_deploy() {
    (
        source scripts/wow64.sh
        export WINEPREFIX="$WOW64_PREFIX" WINEDLLPATH="$WOW64_DLLPATH"
        unset DISPLAY
        ! timeout -k 10 600 ctest --preset win64-deploy --stop-on-failure </dev/null >>"$log" 2>&1
    )
}

# Runs the tests, quickest first, until one fails: 0 caught, 1 missed, 2 the fault does not build.
# Order: native unit tests, the fuzz corpus replay, the Wine tests (also at the other display scales), the
# end-to-end tests, and where the WOW64 prefix exists (scripts/wow64.sh) both releases from the command line.
verdict() {
    build native brandwick_unit || return 2
    stage=native
    fails_native && return 0
    if [ -d build/fuzz ]; then # the fuzz targets' properties over their seed corpora
        cmake --build build/fuzz -j2 >>"$log" 2>&1 || return 2
        stage=fuzz
        timeout -k 5 300 ctest --test-dir build/fuzz >>"$log" 2>&1 || return 0
    fi
    build win64 brandwick_wintests || return 2
    stage=wine
    fails_wine brandwick_wintests && return 0
    stage=scales
    fails_scales && return 0
    build win64 brandwick_e2e || return 2
    stage=e2e
    fails_wine brandwick_e2e && return 0
    if [ -f build/wow64/prefix/system.reg ]; then # both releases from the command line, in the WOW64 prefix
        build win32 Brandwick && build win64-release Brandwick && build win64 brandwick_deploy || return 2
        stage=deploy
        fails_deploy && return 0
    fi
    return 1
}

wanted=" $* "
total=0 found=0 number=0 missed=() broken=()
while IFS=$'\t' read -r file find repl what; do
    [[ -z "$file" || "$file" == \#* ]] && continue
    number=$((number + 1))
    [ $# -gt 0 ] && [[ "$wanted" != *" $number "* ]] && continue
    backup=$(mktemp)
    cat "$file" > "$backup"
    seeded=$file
    echo "== fault $number: $what" >>"$log"
    if ! seed "$file" "$find" "$repl"; then
        restore
        echo "fault $number is out of date: fix scripts/seeded-faults.txt" >&2
        exit 2
    fi
    if $check; then
        restore
        continue
    fi
    start=$(date +%s)
    total=$((total + 1))
    verdict
    case $? in
    0) result=CAUGHT found=$((found + 1)) what="$what [$stage]" ;;
    1) result=MISSED missed+=("$number") ;;
    *) result=BROKEN broken+=("$number") ;;
    esac
    restore
    printf '%-6s %3d  %s  (%s s)\n' "$result" "$number" "$what" $(( $(date +%s) - start ))
done < "$list"
if $check; then
    echo "all $number faults apply"
    exit 0
fi
echo "caught $found of $total${missed:+ (missed: ${missed[*]})}"
if [ ${#broken[@]} -gt 0 ]; then
    echo "faults that do not build (fix them in $list; see $log): ${broken[*]}" >&2
    exit 2
fi

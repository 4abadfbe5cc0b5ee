#!/usr/bin/env bash
# The benchmark: builds the releases and the benchmark programs, runs them under Wine, prints the figures
# and writes them with the machine's description into docs/PERFORMANCE.md (between its two markers).
# Every figure is a ratio against a baseline measured in the same run. Not part of the tests.
# BRANDWICK_DISPLAY=<n> picks the virtual display's number (default: the first free one); BRANDWICK_BENCH_RUNS=<n> the
# number of starts and saves; BRANDWICK_BENCH_BUILD and BRANDWICK_BENCH_BUILD32 the build folders of the x86_64 and
# i686 releases (default build/win64-release and build/win32, the presets' own).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${BRANDWICK_BENCH_RUNS:-30}
build=${BRANDWICK_BENCH_BUILD:-build/win64-release}
build32=${BRANDWICK_BENCH_BUILD32:-build/win32}

cmake --preset win64-release -B "$build" >/dev/null
cmake --build "$build" -j2 --target bench Brandwick >/dev/null
cmake --preset win32 -B "$build32" >/dev/null
cmake --build "$build32" -j2 --target Brandwick >/dev/null
export WINEPREFIX_OVERRIDE=$PWD/$build/wineprefix
source scripts/wine-env.sh
wine_prefix_init unmanaged
export WINE WINESERVER
winpath() { echo "Z:$(readlink -f "$1" | tr / '\\')"; }

# Start-up is first measured as a new user meets it: without the files Brandwick edits.
rm -f "$WINEPREFIX"/drive_c/windows/system32/oem{info.ini,logo.bmp}
results=$(mktemp)
trap 'rm -f "$results"' EXIT
display=(-a)
[ -n "${BRANDWICK_DISPLAY:-}" ] && display=(-n "$BRANDWICK_DISPLAY")
# Each program's figures go to their own file: start-up on a new system, then saving and reading (which leave
# oeminfo.ini and the logo behind), then start-up with them. Every start-up is Brandwick against the floor (its
# own windows without its logic) and the empty window, started in turn.
xvfb-run "${display[@]}" -s "-screen 0 1024x768x24" bash -c '
    "$WINESERVER" -p
    "$WINE" "$1/bench_startup.exe" "$3" "as on a new system: no oeminfo.ini and no logo" "$2\Brandwick.exe" \
        "$2\bench_floor.exe" "the floor" "$2\bench_bare_window.exe" "the empty window" >"$4.1" &&
        "$WINE" "$1/bench_save_read.exe" "$3" >"$4.2" &&
        "$WINE" "$1/bench_startup.exe" "$3" "with the saved oeminfo.ini and logo" "$2\Brandwick.exe" \
            "$2\bench_floor_logo.exe" "the floor showing the same logo" "$2\bench_bare_window.exe" \
            "the empty window" >"$4.3"
    rc=$?
    "$WINESERVER" -k
    exit $rc' bench "$build" "$(winpath "$build")" "$runs" "$results"
{
    echo "| Measure | Brandwick | Baseline | Ratio |"
    echo "|---|---|---|---|"
    cat "$results.1" "$results.3" "$results.2"
} | tr -d '\r' | tee "$results"
rm -f "$results".[123]

exe=$build32/Brandwick.exe
footprint() {
    local file=$1 objdump=$2
    echo "| Section | Bytes | KiB |"
    echo "|---|---|---|"
    LC_ALL=C "$objdump" -h "$file" | awk '/^ +[0-9]+ /{print $2, $3}' | while read -r name hex; do
        awk -v n="$name" -v b=$((16#$hex)) 'BEGIN{printf "| %s | %d | %.1f |\n", n, b, b/1024}'
    done
    echo "| **file** | $(stat -c %s "$file") | **$(awk -v s="$(stat -c %s "$file")" 'BEGIN{printf "%.1f", s/1024}')** |"
    echo
    echo "Imports: $(LC_ALL=C "$objdump" -p "$file" | awk '/DLL Name:/{printf "%s%s", sep, $3; sep=", "}')."
}
sections=$(footprint "$exe" i686-w64-mingw32-objdump)
sections64=$(footprint "$build/Brandwick.exe" x86_64-w64-mingw32-objdump)
echo "$sections"

compiler=$(sed -n 's/^set(CMAKE_CXX_COMPILER "\(.*\)")$/\1/p' "$build32"/CMakeFiles/*/CMakeCXXCompiler.cmake | head -1)
flags=$(ninja -C "$build32" -t commands Brandwick.exe | tr ' ' '\n' |
    grep -E '^(-O[s0-3]|-flto.*|-ffunction-sections|-fdata-sections|-fno-fat-lto-objects|-s|-Wl,--gc-sections|-static.*)$' |
    sort -u | tr '\n' ' ' | sed 's/ $//')
machine="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores available, \
$(awk '/MemTotal/{printf "%.1f GiB", $2/1048576}' /proc/meminfo) memory; \
$(. /etc/os-release; echo "$PRETTY_NAME"), Linux $(uname -r); $("$WINE" --version 2>/dev/null); \
$(basename "$compiler") $("$compiler" -dumpfullversion), size and link flags \`$flags\`"

doc=docs/PERFORMANCE.md
section=$(mktemp)
{
    echo "<!-- bench:begin (written by bench/run.sh) -->"
    echo "Measured on $(date -u +%Y-%m-%d): $machine."
    echo
    echo "Start-up, save and reading: the x86_64 release build under 64-bit Wine (this machine cannot run"
    echo "32-bit code). Start-up is timed from process creation until a visible top-level window of the"
    echo "process exists; the programs start in turn, each run from another one, after one untimed start of each."
    echo "Saving and reading alternate the same way in one process."
    echo
    cat "$results"
    echo
    echo "Footprint of the i686 release:"
    echo
    echo "$sections"
    echo
    echo "The x86_64 release, for comparison:"
    echo
    echo "$sections64"
    echo "<!-- bench:end -->"
} > "$section"
if [ ! -f "$doc" ]; then
    printf '# Performance\n\n<!-- bench:begin -->\n<!-- bench:end -->\n' > "$doc"
fi
awk -v file="$section" '
    /<!-- bench:begin/ { while ((getline line < file) > 0) print line; skip = 1; next }
    /<!-- bench:end -->/ { skip = 0; next }
    !skip' "$doc" > "$doc.new" && mv "$doc.new" "$doc"
rm -f "$section"
echo "Written to $doc"

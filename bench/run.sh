#!/usr/bin/env bash
# The benchmark: builds the releases and the benchmark programs, runs them under Wine, prints the figures
# and writes them with the machine's description into docs/PERFORMANCE.md (between its two markers).
# Every figure is a ratio against a baseline measured in the same run. Not part of the tests.
# BRANDWICK_DISPLAY=<n> picks the virtual display's number (default: the first free one).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${BRANDWICK_BENCH_RUNS:-20}

for preset in win64-release win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target bench Brandwick >/dev/null
done
build=build/win64-release
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
# Each program's figures go to their own file: first, second start-up, then saving and reading.
xvfb-run "${display[@]}" -s "-screen 0 1024x768x24" bash -c '
    "$WINESERVER" -p
    "$WINE" "$1/bench_startup.exe" "$2" "$3" "$4" "no oeminfo.ini and no logo, as on a new system" >"$5.1" &&
        "$WINE" "$1/bench_startup.exe" "$2" "$6" "$4" "as on a new system, against the bare window with Brandwick'"'"'s manifest and visual styles" >"$5.4" &&
        "$WINE" "$1/bench_save_read.exe" "$4" >"$5.3" &&
        "$WINE" "$1/bench_startup.exe" "$2" "$3" "$4" "with the saved oeminfo.ini and logo" >"$5.2"
    rc=$?
    "$WINESERVER" -k
    exit $rc' bench "$build" "$(winpath $build/Brandwick.exe)" "$(winpath $build/bench_bare_window.exe)" "$runs" \
    "$results" "$(winpath $build/bench_bare_window_styled.exe)"
{
    echo "| Measure | Brandwick | Baseline | Ratio |"
    echo "|---|---|---|---|"
    cat "$results.1" "$results.2" "$results.4"
    cat "$results.3"
} | tr -d '\r' | tee "$results"
rm -f "$results".[1234]

exe=build/win32/Brandwick.exe
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

compiler=$(sed -n 's/^set(CMAKE_CXX_COMPILER "\(.*\)")$/\1/p' build/win32/CMakeFiles/*/CMakeCXXCompiler.cmake | head -1)
flags=$(ninja -C build/win32 -t commands Brandwick.exe | tr ' ' '\n' |
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
    echo "process exists; the two programs start alternately, after one untimed start of each."
    echo
    cat "$results"
    echo
    echo "Footprint of the i686 release, \`$exe\`:"
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

#!/usr/bin/env bash
# Runs each libFuzzer target for the given time, one after another, at the lowest priority:
#   bash scripts/fuzz.sh [SECONDS_EACH=60] [TARGET...]   (targets: oeminfo support_split regdata profile decode)
# New inputs go to build/fuzz/work/<target>; a crash is written to build/fuzz/crashes/ and stops the run.
# Add a crashing input to tests/fuzz/corpus/<target> once it is fixed, so that the test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(oeminfo support_split regdata profile decode)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 >/dev/null
mkdir -p build/fuzz/crashes
for t in "${targets[@]}"; do
    seeds=(tests/fuzz/corpus/$t)
    [ "$t" = decode ] && seeds+=(tests/pictures/check tests/pictures/decode)
    mkdir -p "build/fuzz/work/$t"
    echo "== $t for $seconds s"
    log=build/fuzz/$t.log
    rc=0
    nice -n 19 "build/fuzz/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build/fuzz/crashes/$t-" "build/fuzz/work/$t" "${seeds[@]}" >"$log" 2>&1 || rc=$?
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|SUMMARY|Test unit written)' "$log" || true
    [ "$rc" -eq 0 ] || { echo "$t: failure found (exit $rc), see $log and build/fuzz/crashes"; exit 1; }
done

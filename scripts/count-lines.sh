#!/usr/bin/env bash
# Lines of the program (src/) and of its tests and test tools (tests/, tools/), as the project's clang-format lays
# out the C and C++ files (commit first: untracked files do not count). Counted twice: every line that is not blank,
# and only those that are not a comment either. The tests should be a quarter to a third of all code.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
    local lines=0 code=0 file text
    for file in $(git ls-files -- "$@" | grep -E '\.(c|cpp|h)$'); do
        text=$(clang-format --style=file "$file")
        lines=$((lines + $(grep -cv '^\s*$' <<<"$text")))
        code=$((code + $(grep -cvE '^\s*(//.*)?$' <<<"$text")))
    done
    echo "$lines $code"
}
read -r src_lines src_code < <(count src)
read -r test_lines test_code < <(count tests tools)
share() { echo "$(($1 * 1000 / ($1 + $2) / 10)).$(($1 * 1000 / ($1 + $2) % 10))%"; }
echo "lines that are not blank: src $src_lines, tests and tools $test_lines, $(share "$test_lines" "$src_lines") of all"
echo "without comments too:     src $src_code, tests and tools $test_code, $(share "$test_code" "$src_code") of all"

#!/usr/bin/env bash
# Lines of the program and of its tests: every line of a tracked source file that is neither blank nor only a
# // comment (commit first: untracked files do not count). Tests should stay at most 40% of the program.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { git ls-files -- "$@" | grep -E '\.(cpp|h|hpp|cc|py|sh)$' | xargs -r cat | grep -cvE '^\s*(//.*)?$'; }
src=$(count src)
tests=$(count tests)
echo "src: $src lines, tests: $tests lines, tests/src: $(( tests * 100 / src ))%"

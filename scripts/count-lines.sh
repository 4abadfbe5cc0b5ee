#!/usr/bin/env bash
# Lines of code and of tests: every line of the C++ sources and the CMake templates that is neither blank nor
# only a // comment. Tests should stay at most 40% of the program.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
    find "$1" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.in' \) -print0 | sort -z |
        xargs -0 cat | grep -c -v -E '^\s*(//.*)?$' || true
}
src=$(count src)
tests=$(count tests)
echo "src: $src lines, tests: $tests lines, tests/src: $(( tests * 100 / src ))%"

#!/usr/bin/env bash
# Builds the 32-bit and 64-bit releases and packs each into its zip (checked file by file) in dist/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
mkdir -p dist
for preset in win32 win64-release; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    # The release test packs the zip and checks its contents.
    ctest --preset "$preset" -R '^Release\.'
    cp build/"$preset"/Brandwick-*-win??.zip dist/
done
ls -l dist/*.zip

#!/usr/bin/env bash
# Refreshes the README's picture of the main window: builds, runs Brandwick on a virtual display,
# photographs the window and stops it.
set -euo pipefail
cd "$(dirname "$0")/.."
DISPLAY= bash scripts/run.sh --once "${1:-docs/screenshot.png}"

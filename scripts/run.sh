#!/usr/bin/env bash
# Builds the program (only it: no tests, no benchmarks) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_dependencies
tolvane_build tolvane
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "There is no display here for Tolvane's windows. Its command line needs none:" >&2
    echo "  build/tolvane --help     (then --list, --play \"<ship set>\", --restore)" >&2
    exit 2
fi
exec build/tolvane "$@"

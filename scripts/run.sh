#!/usr/bin/env bash
# Builds the program (only it: no tests, no benchmarks) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_dependencies
tolvane_build tolvane
exec build/tolvane

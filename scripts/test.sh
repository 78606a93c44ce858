#!/usr/bin/env bash
# Builds Tolvane and runs every test, with no display needed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_dependencies
tolvane_build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure

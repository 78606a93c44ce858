#!/usr/bin/env bash
# Builds Tolvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_dependencies
tolvane_build
exec build/tolvane

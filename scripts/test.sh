#!/usr/bin/env bash
# Builds Tolvane and runs every test, with no display needed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_dependencies
# A FAT image mounted in user space, for the test of stamps on a FAT drive.
tolvane_install_packages fusefat dosfstools
tolvane_build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure

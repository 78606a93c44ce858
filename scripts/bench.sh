#!/usr/bin/env bash
# Builds Tolvane and runs the benchmarks: the catalogue of 1,000 packages, and the install and
# restore of a 1 GiB ship set against cp. They write their data below ${TMPDIR:-/tmp}.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_dependencies
tolvane_build
QT_QPA_PLATFORM=offscreen build/bench/catalogue_bench
build/bench/install_bench
build/bench/wide_bench

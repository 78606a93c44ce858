#!/usr/bin/env bash
# Builds Tolvane and runs the benchmarks: the catalogue of 1,000 packages, the install and restore
# of a 1 GiB ship set against cp, and a wide ship set of 20,000 members. They write their data
# below ${TMPDIR:-/tmp}. Every benchmark runs and reports; the script fails when any missed its
# target.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_dependencies
tolvane_build
missed=()
QT_QPA_PLATFORM=offscreen build/bench/catalogue_bench || missed+=(catalogue_bench)
build/bench/install_bench || missed+=(install_bench)
QT_QPA_PLATFORM=offscreen build/bench/wide_bench || missed+=(wide_bench)
if [ ${#missed[@]} -gt 0 ]; then
    echo "missed their targets: ${missed[*]}"
    exit 1
fi
echo "every benchmark met its target"

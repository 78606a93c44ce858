#!/usr/bin/env bash
# Renders the main window, the options dialog, the information window and the pilot loader from
# the real widgets into docs/*.png, offscreen, with a fixed font so that they come out the same.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_dependencies
tolvane_install_packages fonts-dejavu-core
tolvane_build
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 build/tools/tolvane-screenshots docs

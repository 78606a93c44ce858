#!/usr/bin/env bash
# Plays Tolvane with neither the game nor Wine: builds if needed, makes a stand-in game and three
# sample ship sets in a fresh folder, and starts Tolvane on them with settings of their own, so a
# real setup is never touched. "Load Pilot" starts the demo's stand-in game instead of the game.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_dependencies
tolvane_build tolvane tolvane-demo-world tolvane-demo-game

world=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-demo.XXXXXX")
trap 'rm -rf "$world"' EXIT  # the demo's world goes with the program
settings=$(build/tools/tolvane-demo-world "$world")
echo "The demo's game, ship sets and settings are in $world until Tolvane ends"
TOLVANE_SETTINGS="$settings" TOLVANE_BATCH_RUNNER="$PWD/build/tools/tolvane-demo-game" \
    build/tolvane

#!/usr/bin/env bash
# Builds tolvane.exe for 64-bit Windows with MinGW-w64 and a static Qt made from Debian's own
# qt6-base source (built once into a cache folder, about half an hour on 2 cores), runs the
# window tests and a first-run smoke test of the real program under Wine, and writes
# dist/Tolvane-<version>-windows-x64.zip. No display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
source scripts/static-qt.sh
tolvane_install_packages cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine wine64 \
    qt6-base-dev dpkg-dev zip fonts-dejavu-core
tolvane_static_qt

build=build-windows-qt
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_PREFIX_PATH="$TOLVANE_STATIC_QT" \
    -DCMAKE_FIND_ROOT_PATH="$TOLVANE_STATIC_QT" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
cmake --build "$build"

# A fresh Wine prefix with Wine's null display driver: Windows programs make their windows
# with no X display, so they run on a machine without one.
export WINEDEBUG=-all
export WINEPREFIX="$PWD/$build/wineprefix"
rm -rf "$WINEPREFIX"
wineboot --init >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
wineserver --wait
ctest --test-dir "$build" --output-on-failure

# The first run of the real program: an empty registry, the options dialog filled and accepted,
# the main window closed; then the settings it wrote, by the names the program uses.
game='C:\Games\XWA\XWINGALLIANCE.EXE'
ships='C:\Games\Ship Sets\'
mkdir -p "$WINEPREFIX/drive_c/Games/XWA" "$WINEPREFIX/drive_c/Games/Ship Sets"
printf MZ >"$WINEPREFIX/drive_c/Games/XWA/XWINGALLIANCE.EXE"  # a Windows program, as Options checks
wine "$build/tests/first_run_driver.exe" "$build/tolvane.exe" "$game" "$ships"
setting() {
    wine reg query "HKCU\\Software\\Tolvane\\$1" /v "$2" | tr -d '\r' |
        sed -n "s/^ *$2 *REG_SZ *//p"
}
check() {
    local value
    value=$(setting "$1" "$2")
    [ "$value" = "$3" ] || { echo "the registry has $1\\$2 = '$value', not '$3'"; exit 1; }
}
check Version 'Ordell Version' 2.5
check Settings 'XWA Exe' "$game"
check Settings 'ShipSet Dir' "$ships"
check Settings 'Show Opening Cutscene' 0
check Settings 'Last ShipSet' None
echo "smoke test: tolvane.exe ran its first run and wrote its settings"

# The console program from a terminal, on the settings the first run wrote: the list, then a
# whole cycle that starts the stand-in game through cmd and puts the game folder back.
xwa="$WINEPREFIX/drive_c/Games/XWA"
cp "$build/tests/stand_in_xwa.exe" "$xwa/XWINGALLIANCE.EXE"
printf 'lastpilot Ace\r\nwindowed 1\r\n' >"$xwa/config.cfg"
printf 'original data' >"$xwa/DATA.LFD"
python3 scripts/make-gob.py "$WINEPREFIX/drive_c/Games/Ship Sets/Blue.gob" \
    'DATA.LFD=package data' 'NEW.LFD=new file'
snapshot() { (cd "$xwa" && find . -type f -print0 | sort -z | xargs -0 md5sum); }
before=$(snapshot)
listed=$(wine "$build/tolvane-cli.exe" --list | tr -d '\r')
[ "$listed" = "$(printf 'Patchinfo.txt not found (Blue.gob)\tBlue.gob')" ] ||
    { echo "tolvane-cli.exe --list printed '$listed'"; exit 1; }
status=0
TOLVANE_STAND_IN_RECORD='C:\played.txt' wine "$build/tolvane-cli.exe" --play Blue.gob || status=$?
[ "$status" -eq 0 ] || { echo "tolvane-cli.exe --play ended with $status"; exit 1; }
[ -s "$WINEPREFIX/drive_c/played.txt" ] || { echo "the stand-in game was not started"; exit 1; }
[ "$(snapshot)" = "$before" ] || { echo "the game folder did not come back"; exit 1; }
# A console program: help and version reach a pipe, no arguments print the usage and exit 2.
wine "$build/tolvane-cli.exe" --help | tr -d '\r' | grep -q '^Exit codes:' ||
    { echo "tolvane-cli.exe --help printed nothing to a pipe"; exit 1; }
wine "$build/tolvane-cli.exe" --version | tr -d '\r' | grep -q '^Tolvane ' ||
    { echo "tolvane-cli.exe --version printed nothing to a pipe"; exit 1; }
status=0
usage=$(wine "$build/tolvane-cli.exe" 2>&1 >/dev/null | tr -d '\r') || status=$?
[ "$status" -eq 2 ] && grep -q 'tolvane-cli' <<<"$usage" ||
    { echo "tolvane-cli.exe with no arguments ended with $status: $usage"; exit 1; }
# It links Qt Core alone: far lighter than the windows program.
cli_size=$(stat -c %s "$build/tolvane-cli.exe")
gui_size=$(stat -c %s "$build/tolvane.exe")
echo "tolvane-cli.exe: $cli_size bytes; tolvane.exe: $gui_size bytes"
[ "$cli_size" -lt $((gui_size / 2)) ] || { echo "tolvane-cli.exe links more than it needs"; exit 1; }
echo "console program: listed and played a ship set, and the game folder came back"
wineserver --kill || true

# The release zip: the program, what to read first, and the licences the static Qt requires.
version=$(sed -n 's/^project(Tolvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage="$build/Tolvane-$version-windows-x64"
rm -rf "$stage" && mkdir -p "$stage/licences"
cp "$build/tolvane.exe" "$build/tolvane-cli.exe" README.md LICENSE packaging/windows/HOW-TO-START.txt \
    "$stage/"
tolvane_static_qt_licences "$stage/licences"
# Tolvane's own source, so that anyone can relink it with another Qt, as Qt's LGPL asks.
mkdir -p "$stage/source"
git ls-files -z | xargs -0 tar -cf - | tar -xf - -C "$stage/source"
mkdir -p dist
rm -f "dist/Tolvane-$version-windows-x64.zip"
(cd "$build" && zip -qr "../dist/Tolvane-$version-windows-x64.zip" "Tolvane-$version-windows-x64")
ls -l "dist/Tolvane-$version-windows-x64.zip"

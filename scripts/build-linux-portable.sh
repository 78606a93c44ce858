#!/usr/bin/env bash
# Builds dist/tolvane-<version>-linux-x86_64.tar.gz: the program (windows and command line), the
# Qt libraries and plugins it needs, and every library those need beyond a desktop system's base,
# placed beside it with run paths relative to it ($ORIGIN), so that it runs wherever it is
# extracted (SteamOS, Fedora, Arch, openSUSE, Ubuntu, Debian) with no package manager and no root.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_packages g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools patchelf binutils python3

# The base that every desktop system ships (see the file); everything else is bundled.
mapfile -t base_libraries < <(grep -v '^#' packaging/linux/base-libraries.txt | grep .)
# The Qt plugins a desktop needs: X11 (Wayland desktops run it through XWayland), its OpenGL
# integrations, the input methods, and the offscreen platform for a machine without a display.
qt_plugins=(platforms/libqxcb.so platforms/libqoffscreen.so
    xcbglintegrations/libqxcb-glx-integration.so xcbglintegrations/libqxcb-egl-integration.so
    platforminputcontexts/libcomposeplatforminputcontextplugin.so
    platforminputcontexts/libibusplatforminputcontextplugin.so)

version=$(sed -n 's/^project(Tolvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="tolvane-$version-linux-x86_64"
build=build-portable
stage="$build/$name"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVANE_TESTS=OFF
cmake --build "$build" --target tolvane

rm -rf "$stage" && mkdir -p "$stage/lib" "$stage/plugins"
cp "$build/tolvane" "$stage/"
strip "$stage/tolvane"
plugin_root=$(qtpaths6 --query QT_INSTALL_PLUGINS)
for plugin in "${qt_plugins[@]}"; do
    mkdir -p "$stage/plugins/$(dirname "$plugin")"
    cp "$plugin_root/$plugin" "$stage/plugins/$plugin"
done

# Every library that the program and its plugins need, followed through what each needs in turn,
# except the base and what only the base needs.
python3 - "$stage" "${base_libraries[@]}" <<'PY'
import fnmatch, pathlib, shutil, subprocess, sys

stage, base = pathlib.Path(sys.argv[1]), sys.argv[2:]
def needed(path):
    out = subprocess.run(["readelf", "-d", str(path)], capture_output=True, text=True, check=True)
    return [line.split("[")[1].split("]")[0] for line in out.stdout.splitlines() if "(NEEDED)" in line]
def where(path):
    found = {}
    for line in subprocess.run(["ldd", str(path)], capture_output=True, text=True).stdout.splitlines():
        parts = line.split()
        if len(parts) >= 3 and parts[1] == "=>" and parts[2].startswith("/"):
            found[parts[0]] = parts[2]
    return found
elves = [stage / "tolvane"] + sorted((stage / "plugins").rglob("*.so"))
bundled, queue = set(), list(elves)
while queue:
    elf = queue.pop()
    paths = where(elf)
    for soname in needed(elf):
        if any(fnmatch.fnmatch(soname, pattern) for pattern in base) or soname in bundled:
            continue
        if soname not in paths:
            sys.exit(f"{elf.name} needs {soname}, which is not found")
        bundled.add(soname)
        shutil.copy2(paths[soname], stage / "lib" / soname)
        queue.append(stage / "lib" / soname)
print("bundled:", " ".join(sorted(bundled)))
PY
chmod u+w "$stage"/lib/*
strip --strip-unneeded "$stage"/lib/* "$stage"/plugins/*/*.so
patchelf --set-rpath '$ORIGIN/lib' "$stage/tolvane"
for library in "$stage"/lib/*; do patchelf --set-rpath '$ORIGIN' "$library"; done
for plugin in "$stage"/plugins/*/*.so; do patchelf --set-rpath '$ORIGIN/../../lib' "$plugin"; done
# Qt finds its plugins beside the program, never the system's (another Qt version's).
printf '[Paths]\nPrefix = .\nPlugins = plugins\n' >"$stage/qt.conf"

# The menu entry, made for wherever the archive was extracted.
cp packaging/icons/tolvane-256.png "$stage/tolvane.png"
cp README.md LICENSE "$stage/"
cat >"$stage/install-desktop-entry.sh" <<'SH'
#!/bin/sh
# Adds Tolvane to the desktop's menu (and Steam's "Add a Non-Steam Game" list) for this user,
# pointing at this folder; with --remove, takes it away again.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
entry="${XDG_DATA_HOME:-$HOME/.local/share}/applications/tolvane.desktop"
if [ "${1:-}" = "--remove" ]; then
    rm -f "$entry"
    echo "Removed $entry"
    exit 0
fi
mkdir -p "$(dirname "$entry")"
cat >"$entry" <<ENTRY
[Desktop Entry]
Type=Application
Name=Tolvane
GenericName=Ship Set Launcher
Comment=Play X-Wing Alliance ship sets and put the game back as it was
Exec="$here/tolvane"
Icon=$here/tolvane.png
Terminal=false
Categories=Game;Simulation;
StartupWMClass=tolvane
Actions=restore;

[Desktop Action restore]
Name=Restore the game folder
Exec="$here/tolvane" --restore
ENTRY
echo "Added $entry"
SH
chmod +x "$stage/install-desktop-entry.sh"

mkdir -p dist
tar -C "$build" -czf "dist/$name.tar.gz" "$name"
ls -l "dist/$name.tar.gz"
# The oldest C library the archive runs with: the newest symbol version any of its files needs.
find "$stage" -type f \( -name tolvane -o -name '*.so*' \) -exec objdump -T {} + 2>/dev/null |
    grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -1 | sed 's/^/needs at least /'

#!/usr/bin/env bash
# Builds the portable archive and runs it where only the base of packaging/linux/base-libraries.txt
# is installed: a bubblewrap sandbox whose library folder holds nothing else (no Qt, no ICU, no
# HarfBuzz), with the home and the archive's folder read-only. There it lists ship sets, plays one
# through the stand-in game and restores, and shows its main window under Xvfb, where every
# library it has loaded must come from the archive or the base. Then it compares how soon the
# main window shows against the same program built for Debian (median of 5 starts each).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_packages bubblewrap xvfb xdotool procps bc python3
scripts/build-linux-portable.sh
version=$(sed -n 's/^project(Tolvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
archive="dist/tolvane-$version-linux-x86_64.tar.gz"
size=$(stat -c %s "$archive")
[ "$size" -lt $((40 * 1024 * 1024)) ] || { echo "the archive is $size bytes, over 40 MB"; exit 1; }

work=$(mktemp -d /tmp/tolvane-portable.XXXXXX)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
tar -C "$work" -xzf "$archive"
program="$work/tolvane-$version-linux-x86_64/tolvane"
mkdir -p "$work/home/XWA" "$work/home/Ships" "$work/home/data"
printf 'MZ the stand-in game' >"$work/home/XWA/XWINGALLIANCE.EXE"
printf 'lastpilot Ace\r\n' >"$work/home/XWA/config.cfg"
printf 'original data' >"$work/home/XWA/DATA.LFD"
python3 scripts/make-gob.py "$work/home/Ships/Blue.gob" \
    'PATCHINFO.TXT=Name: Blue Fleet' 'DATA.LFD=package data' 'NEW.LFD=new file'
cat >"$work/home/Tolvane.ini" <<INI
[Version]
Ordell%20Version=$version
[Settings]
XWA%20Exe=$work/home/XWA/XWINGALLIANCE.EXE
ShipSet%20Dir=$work/home/Ships/
Last%20ShipSet=None
INI
printf '#!/bin/sh\nhead -n 1 "%s" >"%s"\n' "$work/home/XWA/config.cfg" "$work/home/played" \
    >"$work/home/runner.sh"
chmod +x "$work/home/runner.sh"

# The sandbox: the host's files read-only, its library folder emptied but for the base, and one
# writable folder for the game, the ship sets and the per-user data.
libraries=/usr/lib/x86_64-linux-gnu
mkdir -p /tmp/.X11-unix  # where Xvfb puts its socket, below
sandbox=(bwrap --ro-bind / / --dev /dev --proc /proc --tmpfs /tmp --tmpfs "$libraries")
while read -r pattern; do
    for library in "$libraries"/$pattern; do
        [ -e "$library" ] && sandbox+=(--ro-bind "$library" "$library")
    done
done < <(grep -v '^#' packaging/linux/base-libraries.txt | grep .)
sandbox+=(--ro-bind "$work/tolvane-$version-linux-x86_64" "$work/tolvane-$version-linux-x86_64"
    --bind "$work/home" "$work/home" --ro-bind /tmp/.X11-unix /tmp/.X11-unix
    --setenv TOLVANE_SETTINGS "$work/home/Tolvane.ini" --setenv XDG_DATA_HOME "$work/home/data"
    --setenv TOLVANE_BATCH_RUNNER "$work/home/runner.sh" --unsetenv QT_QPA_PLATFORM
    --unsetenv QT_PLUGIN_PATH --unsetenv LD_LIBRARY_PATH)
snapshot() { (cd "$work/home/XWA" && find . -type f -print0 | sort -z | xargs -0 md5sum); }
before=$(snapshot)

listed=$("${sandbox[@]}" --unsetenv DISPLAY "$program" --list)
[ "$listed" = "$(printf 'Blue Fleet\tBlue.gob')" ] || { echo "--list printed '$listed'"; exit 1; }
"${sandbox[@]}" --unsetenv DISPLAY "$program" --play "Blue Fleet"
[ -s "$work/home/played" ] || { echo "--play did not start the stand-in game"; exit 1; }
rm "$work/home/played"
[ "$(snapshot)" = "$before" ] || { echo "--play did not put the game folder back"; exit 1; }
"${sandbox[@]}" --unsetenv DISPLAY "$program" --restore | grep -q 'No ShipSet is installed' ||
    { echo "--restore found a cycle open"; exit 1; }
echo "portable archive: listed, played and restored with nothing of the host's but the base"

# The main window under Xvfb, in the sandbox; then what it loaded.
Xvfb :73 -screen 0 1024x768x24 -nolisten tcp &
export DISPLAY=:73
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
"${sandbox[@]}" --setenv DISPLAY :73 "$program" &
xdotool search --sync --onlyvisible --name '^Tolvane$' >/dev/null
pid=$(pgrep -f -n "^$program\$")
loaded=$(grep -o '/[^ ]*\.so[^ ]*' "/proc/$pid/maps" | sort -u)
kill "$pid"
outside=$(grep -v "^$work/tolvane-$version-linux-x86_64/" <<<"$loaded" | sed 's|.*/||' |
    grep -v -x -f <(grep -v '^#' packaging/linux/base-libraries.txt | grep . |
        sed 's/\./\\./g; s/\*/.*/g') || true)
[ -z "$outside" ] || { echo "loaded from the host beyond the base: $outside"; exit 1; }
echo "portable archive: the main window showed, with $(wc -l <<<"$loaded") libraries, each the archive's or the base's"

# How soon the main window shows: the archive's program against the one built for Debian, on the
# same settings, outside any sandbox.
shows_after() {
    local start end
    start=$(date +%s.%N)
    TOLVANE_SETTINGS="$work/home/Tolvane.ini" XDG_DATA_HOME="$work/home/data" "$1" &
    xdotool search --sync --onlyvisible --name '^Tolvane$' >/dev/null
    end=$(date +%s.%N)
    kill $!
    wait $! 2>/dev/null || true
    echo "$end - $start" | bc -l
}
median() { sort -g | sed -n 3p; }
portable=$(for _ in 1 2 3 4 5; do shows_after "$program"; done | median)
debian=$(for _ in 1 2 3 4 5; do shows_after build-portable/tolvane; done | median)
printf 'main window shown after %.3f s from the archive, %.3f s built for Debian: %.2fx\n' \
    "$portable" "$debian" "$(echo "$portable / $debian" | bc -l)"

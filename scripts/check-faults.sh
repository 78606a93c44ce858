#!/usr/bin/env bash
# Fails when a planted fault of tests/mutations/faults.txt no longer fits the source: each is
# planted by replacing its text, which must stand in its file exactly once, and a change to the
# code can leave one that plants nothing, otherwise found only by the next whole
# scripts/mutate.sh run, well over an hour later.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_packages python3
python3 - <<'PY'
import pathlib, re, sys

text = pathlib.Path("tests/mutations/faults.txt").read_text()
blocks = re.findall(r"^## ([^\n]*)\n(\S+)\n<<<\n(.*?)^===\n(.*?)^>>>$", text, re.M | re.S)
stale = []
for number, (title, file, original, _) in enumerate(blocks, 1):
    path = pathlib.Path(file)
    found = path.read_text().count(original) if path.is_file() else 0
    if found != 1:
        stale.append(f"{number} {title}: its text stands {found} times in {file}")
print("\n".join(stale) or f"each of the {len(blocks)} planted faults fits the source")
sys.exit(1 if stale else 0)
PY

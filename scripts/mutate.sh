#!/usr/bin/env bash
# Plants the faults of tests/mutations/faults.txt one at a time, rebuilds what the fault touches,
# runs every test (the core's, the real windows' offscreen and the program's own from the command
# line), and prints each fault with the tests that caught it and the share caught;
# build-mutate/caught.tsv keeps every test that caught each. Takes about forty seconds a
# fault; not part of CI. It works on a copy of the source in build-mutate/, so the work tree is
# never changed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh
tolvane_install_dependencies
tolvane_install_packages python3 lld
export QT_QPA_PLATFORM=offscreen
# A fault that no longer fits is found now, not an hour into the run.
scripts/check-faults.sh

copy=build-mutate/source
build=build-mutate/build
rm -rf build-mutate  # a fresh build: the copy keeps the files' times
mkdir -p "$copy"
cp -a CMakeLists.txt LICENSE cmake src tests tools fuzz bench packaging "$copy/"
log=build-mutate/first-build.log
# Optimised, without debug information, linked by lld: a fault's time goes to its tests, not to
# relinking every test program.
cmake -S "$copy" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O2 \
    -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld >"$log" 2>&1 &&
    cmake --build "$build" >>"$log" 2>&1 || { tail -30 "$log"; echo "the core does not build"; exit 1; }
ctest --test-dir "$build" -j2 -E "^(InstallTest|LayersTest)" >"$log" 2>&1 ||
    { grep -A3 "FAILED" "$log"; echo "the tests fail before any fault is planted"; exit 1; }

python3 - "$copy" "$build" <<'PY'
import pathlib, re, subprocess, sys

source_root, build = sys.argv[1], sys.argv[2]
faults = []
text = pathlib.Path("tests/mutations/faults.txt").read_text()
for block in re.finditer(r"^## ([^\n]*)\n(\S+)\n<<<\n(.*?)^===\n(.*?)^>>>$", text, re.M | re.S):
    faults.append(block.groups())

caught = 0
missed = []
for number, (title, file, original, planted) in enumerate(faults, 1):
    path = pathlib.Path(source_root) / file
    source = path.read_text()
    try:
        path.write_text(source.replace(original, planted))
        built = subprocess.run(["cmake", "--build", build], capture_output=True, text=True)
        if built.returncode != 0:
            print(f"{number:2} {title}: does not build; fix the list")
            sys.exit(1)
        run = subprocess.run(["ctest", "--test-dir", build, "-j2", "--timeout", "300",
                              "-E", "^(InstallTest|LayersTest)"],
                             capture_output=True, text=True)
    finally:
        path.write_text(source)
    failed = re.findall(r"^\s*\d+ - (\S+)", run.stdout.split("The following tests FAILED:")[-1],
                        re.M) if run.returncode != 0 else []
    with open("build-mutate/caught.tsv", "a") as table:
        table.write(f"{number}\t{title}\t{' '.join(failed)}\n")
    if failed:
        caught += 1
        shown = ", ".join(failed[:3]) + (f" and {len(failed) - 3} more" if len(failed) > 3 else "")
        print(f"{number:2} caught  {title}: {shown}", flush=True)
    else:
        missed.append(title)
        print(f"{number:2} MISSED  {title}", flush=True)

subprocess.run(["cmake", "--build", build], capture_output=True)
share = 100.0 * caught / len(faults)
print(f"\n{caught} of {len(faults)} faults caught ({share:.0f}%)")
for title in missed:
    print(f"missed: {title}")
PY

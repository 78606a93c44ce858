#!/usr/bin/env python3
"""How small the tests could be and still catch every planted fault.

Reads build-mutate/caught.tsv (written by scripts/mutate.sh: each fault with every test that
caught it) and the test sources, and prints, in non-blank non-comment C++ lines:
  - the code (src, bench, fuzz, tools) and the tests today;
  - a lower bound: the test kit (tests/support and the files that hold no test), the tests
    that plant failures at every file operation and every crash point, and every test that
    alone catches some fault, with the lines their files share; no subset of today's tests
    that keeps catching every fault is smaller;
  - the cheapest such subset a greedy choice finds (the most faults a line first);
  - each folder of tests/ with its lines and the faults only its tests catch;
  - every fault that only tests removed since the run caught, as LOST.
A test's lines are its TEST block; the rest of its file (includes, helpers, fixtures) counts once
for every file that keeps a test.
"""
import pathlib
import re
import subprocess
import sys

ALWAYS_KEPT = re.compile(r"^PowerCutTest\.")
TEST_START = re.compile(r"^(?:TEST|TEST_F|TEST_P)\((\w+),\s*(\w+)\)")


def counted(lines):
    return sum(1 for line in lines if line.strip() and not re.match(r"^\s*//", line))


def tracked(*folders):
    names = subprocess.check_output(["git", "ls-files", "--", *folders], text=True).split()
    return [name for name in names if re.search(r"\.(cpp|h)$", name)]


def test_blocks():
    """Each TEST's lines by its name, the shared lines of each file, and the kit's lines."""
    blocks, shared, kit = {}, {}, 0
    for name in tracked("tests"):
        lines = pathlib.Path(name).read_text().split("\n")
        if name.startswith("tests/support/"):
            kit += counted(lines)
            continue
        rest, at = [], 0
        while at < len(lines):
            start = TEST_START.match(lines[at])
            if not start:
                rest.append(lines[at])
                at += 1
                continue
            end = at
            while not lines[end].startswith("}"):
                end += 1
            blocks[f"{start.group(1)}.{start.group(2)}"] = (name, counted(lines[at:end + 1]))
            at = end + 1
        if any(test[0] == name for test in blocks.values()):
            shared[name] = counted(rest)
        else:
            kit += counted(rest)  # a helper or program of the tests' own, always built
    return blocks, shared, kit


def catching_tests(table):
    """Each caught fault with the TEST blocks that caught it (parameters dropped)."""
    faults = []
    for row in pathlib.Path(table).read_text().splitlines():
        number, title, tests = (row.split("\t") + [""])[:3]
        names = set()
        for test in tests.split():
            names |= {part for part in test.split("/") if "." in part}
        if names:
            faults.append((number, title, names))
    return faults


def size(chosen, blocks, shared, kit):
    files = {blocks[test][0] for test in chosen}
    return kit + sum(shared[f] for f in files) + sum(blocks[test][1] for test in chosen)


def main():
    table = sys.argv[1] if len(sys.argv) > 1 else "build-mutate/caught.tsv"
    blocks, shared, kit = test_blocks()
    faults = catching_tests(table)
    # Tests gone since the run no longer catch anything: a fault only they caught is lost.
    gone = {test for _, _, names in faults for test in names} - blocks.keys()
    if gone:
        print(f"tests in {table} that no source has now: {', '.join(sorted(gone))}")
    faults = [(number, title, names - gone) for number, title, names in faults]
    for number, title, names in faults:
        if not names:
            print(f"LOST: fault {number}, {title}: no test of today catches it")
    faults = [fault for fault in faults if fault[2]]
    code = sum(counted(pathlib.Path(f).read_text().split("\n"))
               for f in tracked("src", "bench", "fuzz", "tools"))
    today = kit + sum(shared.values()) + sum(lines for _, lines in blocks.values())

    kept = {test for test in blocks if ALWAYS_KEPT.match(test)}
    alone = {next(iter(names)) for _, _, names in faults if len(names) == 1}
    bound = size(kept | alone, blocks, shared, kit)

    chosen = set(kept | alone)
    left = [names for _, _, names in faults if not names & chosen]
    while left:
        now = size(chosen, blocks, shared, kit)

        def worth(test):
            gain = sum(test in names for names in left)
            return gain / max(1, size(chosen | {test}, blocks, shared, kit) - now)
        best = max((test for test in blocks if test not in chosen), key=worth)
        chosen.add(best)
        left = [names for names in left if best not in names]
    greedy = size(chosen, blocks, shared, kit)

    print(f"code {code}; faults caught {len(faults)}; a third of the code {code // 3}")
    print(f"tests today        {today:5}  {today / code:.2f}")
    print(f"lower bound        {bound:5}  {bound / code:.2f}  (the kit {kit}, "
          f"{len(kept)} failing-operation and power-cut tests, {len(alone - kept)} sole catchers)")
    print(f"greedy subset      {greedy:5}  {greedy / code:.2f}  ({len(chosen)} tests)")
    for test in sorted(chosen):
        print(f"  {blocks[test][1]:4}  {test}")

    # By folder of tests/: its lines today and the faults that only its tests catch.
    def area(name):
        return name.split("/")[1] if name.count("/") > 1 else "(the kit and the test programs)"
    lines = {"(the kit and the test programs)": kit}
    for name, count in shared.items():
        lines[area(name)] = lines.get(area(name), 0) + count
    for name, count in blocks.values():
        lines[area(name)] += count
    print("\narea                             lines  faults it alone catches")
    for where in sorted(lines):
        alone_here = sum(1 for _, _, names in faults
                         if {area(blocks[test][0]) for test in names} == {where})
        print(f"{where:32} {lines[where]:5}  {alone_here}")


if __name__ == "__main__":
    main()

#!/usr/bin/env bash
# Runs each fuzz target for the given number of seconds (default 600) with libFuzzer, under
# AddressSanitizer and UndefinedBehaviorSanitizer, starting from the seeds in fuzz/corpus. What a
# target finds stops the run and is kept in build-fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
source scripts/dependencies.sh
tolvane_install_packages cmake ninja-build clang libclang-rt-14-dev

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTOLVANE_FUZZ=ON -DTOLVANE_WITH_QT=OFF -DTOLVANE_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
cmake --build build-fuzz

mkdir -p build-fuzz/artifacts
for target in gob zt config patchinfo journal; do
    mkdir -p "build-fuzz/corpus/$target"
    build-fuzz/fuzz/${target}_fuzz -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/artifacts/$target-" \
        "build-fuzz/corpus/$target" "fuzz/corpus/$target" >"build-fuzz/$target.log" 2>&1 || {
        tail -n 40 "build-fuzz/$target.log"
        echo "$target: found a failure; the input is in build-fuzz/artifacts"
        exit 1
    }
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "build-fuzz/$target.log" | grep -o '[0-9]*$')
    echo "$target: ${runs} inputs in ${seconds} s, nothing found"
done

#!/bin/sh
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for a while (seconds, 60 by
# default), keeping what they find in build-fuzz/corpus/<target>.
#
#   tools/fuzz.sh [seconds]
set -eu
cd "$(dirname "$0")/.."
tools/install-missing.sh cmake ninja-build clang
build=build-fuzz
CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_BUILD_FUZZERS=ON \
    -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_BUILD_TESTS=OFF -DQUORVANE_BUILD_BENCH=OFF
cmake --build "$build" --parallel 2 --target register_fuzz
for target in register_fuzz; do
    mkdir -p "$build/corpus/$target"
    "$build/tests/fuzz/$target" -max_total_time="${1:-60}" -max_len=4096 "$build/corpus/$target"
done

#!/bin/sh
# Builds the fuzzers (fuzz/) with clang, libFuzzer and the address and undefined-behaviour
# sanitizers in build-fuzz/, and runs each from its seeds in fuzz/corpus/<name>/, on a copy, so the seeds stay as they are. A finding stops the script with
# the fuzzer's report; the input that shows it is kept as build-fuzz/<name>-crash-... .
# By default each runs FUZZ_RUNS inputs (150000) from the fixed FUZZ_SEED (1): the same inputs on
# every run, so CI passes or fails on the code, never on luck. FUZZ_SECONDS=N instead fuzzes each
# for N seconds from a fresh seed, the way to look for new findings.
set -eu
cd "$(dirname "$0")/.."
tools/install-missing.sh cmake ninja-build clang libutfcpp-dev libglib2.0-dev pkg-config
if [ -n "${FUZZ_SECONDS:-}" ]; then
    budget="-max_total_time=$FUZZ_SECONDS"
else
    budget="-seed=${FUZZ_SEED:-1} -runs=${FUZZ_RUNS:-150000}"
fi
build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUORVANE_BUILD_FUZZERS=ON -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_BUILD_TESTS=OFF -DQUORVANE_BUILD_BENCH=OFF
cmake --build "$build" --parallel 2 --target fuzz_dos_attrib fuzz_hidden_list fuzz_ini_text fuzz_register
for name in dos_attrib hidden_list ini_text register; do
    work="$(mktemp -d)"
    cp fuzz/corpus/"$name"/* "$work"/
    echo "fuzz_$name: $budget"
    "$build/fuzz/fuzz_$name" $budget -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/$name-" "$work" 2>"$build/$name.log" || {
        tail -n 60 "$build/$name.log"
        rm -rf "$work"
        exit 1
    }
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$build/$name.log" || true
    rm -rf "$work"
done

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in the given build folder and runs each from its seed
# corpus for a fixed number of inputs drawn from a fixed seed (WARBLOOM_FUZZ_RUNS, 300000, and
# WARBLOOM_FUZZ_SEED, 1, by default), so a run is repeatable and a failure can be replayed; set
# another seed or more runs to explore further. WARBLOOM_FUZZ_SECONDS (120) bounds each run's
# time. Any crash, leak or sanitizer report ends the run with a non-zero status.
set -euo pipefail

build_dir="${1:?usage: run-fuzzers.sh <build-dir>}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
runs="${WARBLOOM_FUZZ_RUNS:-300000}"
seed="${WARBLOOM_FUZZ_SEED:-1}"
seconds="${WARBLOOM_FUZZ_SECONDS:-120}"

cmake -S "$root" -B "$build_dir" -G Ninja \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARBLOOM_FUZZ=ON -DWARBLOOM_BENCH=OFF
cmake --build "$build_dir" --target WarbloomStateBlockFuzzer WarbloomSubPresetFuzzer

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

run_fuzzer()
{
    local target="$1" corpus="$2"
    # New inputs go to a fresh work folder in the build: the committed seeds stay as they are,
    # and the same seed always starts from the same corpus.
    local work="$build_dir/fuzz-corpus/$corpus"
    rm -rf "$work"
    mkdir -p "$work"
    echo "fuzzing $target: $runs inputs from seed $seed"
    "$build_dir/tests/fuzz/$target" -seed="$seed" -runs="$runs" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build_dir/fuzz-corpus/$corpus-" \
        "$work" "$root/tests/fuzz/corpus/$corpus"
}

run_fuzzer WarbloomStateBlockFuzzer state-block
run_fuzzer WarbloomSubPresetFuzzer sub-preset
echo "fuzzers: no crash, leak or sanitizer report"

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in the given build folder and runs each for a bounded
# time (WARBLOOM_FUZZ_SECONDS, 60 by default) from its seed corpus. Any crash, leak or sanitizer
# report ends the run with a non-zero status.
set -euo pipefail

build_dir="${1:?usage: run-fuzzers.sh <build-dir>}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
seconds="${WARBLOOM_FUZZ_SECONDS:-60}"

cmake -S "$root" -B "$build_dir" -G Ninja \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARBLOOM_FUZZ=ON -DWARBLOOM_BENCH=OFF
cmake --build "$build_dir" --target WarbloomStateBlockFuzzer WarbloomSubPresetFuzzer

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

run_fuzzer()
{
    local target="$1" corpus="$2"
    # New inputs go to a work folder in the build, so the committed seeds stay as they are.
    local work="$build_dir/fuzz-corpus/$corpus"
    mkdir -p "$work"
    echo "fuzzing $target for ${seconds}s"
    "$build_dir/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build_dir/fuzz-corpus/$corpus-" \
        "$work" "$root/tests/fuzz/corpus/$corpus"
}

run_fuzzer WarbloomStateBlockFuzzer state-block
run_fuzzer WarbloomSubPresetFuzzer sub-preset
echo "fuzzers: no crash, leak or sanitizer report"

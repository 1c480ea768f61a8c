#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in the given build folder and runs them.
#
# The fixed run (the default, and what CI runs) reads each seed whole, then feeds each target a
# fixed number of inputs of up to 4 KB drawn from a fixed seed (WARBLOOM_FUZZ_RUNS, 300000, and
# WARBLOOM_FUZZ_SEED, 1, by default), so a run is short and repeatable and a failure can be
# replayed; WARBLOOM_FUZZ_SECONDS (300) bounds each run's time.
#
# The exploration run ("explore" as the second argument) searches for new faults: random seeds,
# inputs up to 1 MB from the start (WARBLOOM_FUZZ_MAX_LEN), WARBLOOM_FUZZ_WORKERS (3) processes at lower
# priority, for WARBLOOM_FUZZ_SECONDS (1800) per target; it carries on past a fault and leaves
# each reproducer in the build folder's fuzz-corpus folder, to be fixed and added to the seeds.
#
# Any crash, leak, timeout or sanitizer report ends the run with a non-zero status.
set -euo pipefail

build_dir="${1:?usage: run-fuzzers.sh <build-dir> [explore]}"
mode="${2:-fixed}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

cmake -S "$root" -B "$build_dir" -G Ninja \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARBLOOM_FUZZ=ON -DWARBLOOM_BENCH=OFF
cmake --build "$build_dir" --target WarbloomStateBlockFuzzer WarbloomSubPresetFuzzer

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

case "$mode" in
    fixed)
        runs="${WARBLOOM_FUZZ_RUNS:-300000}"
        seed="${WARBLOOM_FUZZ_SEED:-1}"
        seconds="${WARBLOOM_FUZZ_SECONDS:-300}"
        ;;
    explore)
        max_len="${WARBLOOM_FUZZ_MAX_LEN:-1048576}"
        workers="${WARBLOOM_FUZZ_WORKERS:-3}"
        seconds="${WARBLOOM_FUZZ_SECONDS:-1800}"
        ;;
    *)
        echo "unknown mode '$mode': fixed or explore" >&2
        exit 2
        ;;
esac

run_fuzzer()
{
    local target="$1" corpus="$2"
    # New inputs go to a fresh work folder in the build: the committed seeds stay as they are,
    # and the same seed always starts from the same corpus.
    local work="$build_dir/fuzz-corpus/$corpus"
    rm -rf "$work"
    mkdir -p "$work"
    local common=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build_dir/fuzz-corpus/$corpus-")

    if [ "$mode" = fixed ]; then
        echo "fuzzing $target: every seed, then $runs inputs from seed $seed"
        "$build_dir/tests/fuzz/$target" "${common[@]}" "$root/tests/fuzz/corpus/$corpus"/* || return 1
        "$build_dir/tests/fuzz/$target" -seed="$seed" -runs="$runs" -max_len=4096 -max_total_time="$seconds" "${common[@]}" \
            "$work" "$root/tests/fuzz/corpus/$corpus"
    else
        echo "exploring $target: $workers workers for $seconds s, inputs up to $max_len bytes"
        local found_before
        found_before=$(find "$build_dir/fuzz-corpus" -maxdepth 1 -name "$corpus-*" | wc -l)
        nice -n 10 "$build_dir/tests/fuzz/$target" -fork="$workers" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
            -max_len="$max_len" -len_control=0 -max_total_time="$seconds" "${common[@]}" \
            "$work" "$root/tests/fuzz/corpus/$corpus"
        local found_after
        found_after=$(find "$build_dir/fuzz-corpus" -maxdepth 1 -name "$corpus-*" | wc -l)

        if [ "$found_after" -ne "$found_before" ]; then
            echo "exploring $target found $((found_after - found_before)) faults: $build_dir/fuzz-corpus/$corpus-*" >&2
            return 1
        fi
    fi
}

targets="${WARBLOOM_FUZZ_TARGETS:-WarbloomStateBlockFuzzer:state-block WarbloomSubPresetFuzzer:sub-preset}"
status=0

for entry in $targets; do
    run_fuzzer "${entry%%:*}" "${entry#*:}" || status=1
done

[ "$status" -eq 0 ] && echo "fuzzers: no crash, leak or sanitizer report"
exit "$status"

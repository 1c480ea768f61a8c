#!/usr/bin/env bash
# Builds and runs every test: a Release build, then an AddressSanitizer and
# UndefinedBehaviorSanitizer build of the same tests, then a ThreadSanitizer build of the unit,
# host and editor tests (clang), then the fuzzers over a fixed run of inputs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/dependencies.sh"

warbloom_install_dependencies

# Editor and window tests need a display; start a virtual one when there is none, as a job of
# this script so that it is stopped when the script exits. Xvfb writes its display number into
# the fifo once it accepts connections.
if [ -z "${DISPLAY:-}" ]; then
    xvfb_dir="$(mktemp -d)"
    mkfifo "$xvfb_dir/display"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$xvfb_dir/display" 2>/dev/null &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$xvfb_dir"' EXIT
    read -r display_number <"$xvfb_dir/display" || true
    if [ -z "${display_number:-}" ]; then
        echo "Xvfb did not start" >&2
        exit 1
    fi
    export DISPLAY=":$display_number"
fi

bash "$warbloom_root/tools/check-format.sh"

warbloom_configure_and_build "$warbloom_root/build" -DCMAKE_BUILD_TYPE=Release
ctest --test-dir "$warbloom_root/build" --output-on-failure

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$warbloom_root/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
warbloom_configure_and_build "$warbloom_root/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARBLOOM_SANITIZE=ON -DWARBLOOM_BENCH=OFF
ctest --test-dir "$warbloom_root/build-sanitize" --output-on-failure

# ThreadSanitizer needs clang and takes only the test targets; the first report ends the run.
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
cmake -S "$warbloom_root" -B "$warbloom_root/build-tsan" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARBLOOM_TSAN=ON -DWARBLOOM_BENCH=OFF
cmake --build "$warbloom_root/build-tsan" -j "$(nproc)" --target WarbloomUnitTests WarbloomHostTests WarbloomEditorTests
ctest --test-dir "$warbloom_root/build-tsan" --output-on-failure

if [ -f "$warbloom_root/tests/fuzz/run-fuzzers.sh" ]; then
    bash "$warbloom_root/tests/fuzz/run-fuzzers.sh" "$warbloom_root/build-fuzz"
fi

#!/usr/bin/env bash
# Builds and runs every test: a Release build, then an AddressSanitizer and
# UndefinedBehaviorSanitizer build of the same tests, then the fuzzers over a fixed run of inputs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/dependencies.sh"

warbloom_install_dependencies

# Editor and window tests need a display; start a virtual one when there is none.
if [ -z "${DISPLAY:-}" ]; then
    exec 3< <(Xvfb -displayfd 1 -screen 0 1920x1080x24 -nolisten tcp 2>/dev/null)
    read -r display_number <&3
    export DISPLAY=":$display_number"
    trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
fi

bash "$warbloom_root/tools/check-format.sh"

warbloom_configure_and_build "$warbloom_root/build" -DCMAKE_BUILD_TYPE=Release
ctest --test-dir "$warbloom_root/build" --output-on-failure

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$warbloom_root/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
warbloom_configure_and_build "$warbloom_root/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARBLOOM_SANITIZE=ON -DWARBLOOM_BENCH=OFF
ctest --test-dir "$warbloom_root/build-sanitize" --output-on-failure

if [ -f "$warbloom_root/tests/fuzz/run-fuzzers.sh" ]; then
    bash "$warbloom_root/tests/fuzz/run-fuzzers.sh" "$warbloom_root/build-fuzz"
fi

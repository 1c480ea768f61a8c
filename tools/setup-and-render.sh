#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Warbloom.vst3 and renders the built-in test signal
# through it with the default settings into warbloom-render.wav.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/dependencies.sh"

warbloom_install_dependencies
warbloom_configure_and_build "$warbloom_root/build" -DCMAKE_BUILD_TYPE=Release
"$warbloom_root/build/tools/warbloom-render" --output "$warbloom_root/warbloom-render.wav" "$@"

#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what .clang-format makes of it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h')
[ ${#files[@]} -eq 0 ] && exit 0

if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/warbloom-format.log; then
    grep -E "^[^ ].*error" /tmp/warbloom-format.log | cut -d: -f1 | sort -u | sed 's/^/needs clang-format: /'
    exit 1
fi

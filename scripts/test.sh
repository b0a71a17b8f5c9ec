#!/usr/bin/env bash
# Sets up, builds and runs every test. Usage: test.sh [--sanitize]
# With --sanitize the build under build-asan uses AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
dir=build
args=()
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-asan
    args=(--sanitize)
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
scripts/build.sh "${args[@]}" "$dir"
cd "$dir"
ctest --output-on-failure --timeout 600 -j "$(nproc)"

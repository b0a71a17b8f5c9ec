#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang under AddressSanitizer and UBSan (the fuzz preset, in
# build-fuzz/) and runs each for a bounded time on its committed seed corpus. A crash stops the
# script, leaving the input that caused it in build-fuzz/artifacts/.
# Usage: fuzz.sh [SECONDS_PER_TARGET]   (60 by default; FUZZ_TARGETS picks targets)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
targets=${FUZZ_TARGETS:-picture settings bmp}

missing=()
for p in clang-14 libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

dir=build-fuzz # the fuzz preset's folder
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel "$(nproc)" --target $(printf 'fuzz_%s ' $targets)

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
rm -rf "$dir/artifacts"
mkdir -p "$dir/artifacts"
for t in $targets; do
    echo "== fuzz $t for ${seconds}s"
    work="$dir/corpus/$t"
    mkdir -p "$work"
    # New inputs go to the working corpus; the committed seeds stay as they are.
    "$dir/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=30 \
        -print_final_stats=1 -artifact_prefix="$dir/artifacts/$t-" \
        "$work" "tests/fuzz/corpus/$t" 2>&1 | grep -E '^(#[0-9]+ *DONE|INFO: Seed|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY|.*runtime error)' || true
    if ls "$dir/artifacts/$t-"* >/dev/null 2>&1; then
        echo "fuzz $t found a crash: $(ls "$dir/artifacts/$t-"*)"
        exit 1
    fi
done
echo "fuzzing ok"

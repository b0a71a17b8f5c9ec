#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs framolin-strip over the hostile-picture corpus under Valgrind's memcheck: cut pictures,
# pixels past the end, all-zero alpha, JPEG bombs. Every picture must be decoded or refused
# without one read of memory that was never written, which the sanitizers and the fuzzers do
# not see. Usage: valgrind.sh [BUILD_DIR]   (build by default; installs valgrind when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --ci
dir=${1:-build}
# The dev preset's folder, configured with that preset when it is not yet.
[ -f "$dir/CMakeCache.txt" ] || cmake --preset dev -B "$dir" >/dev/null
cmake --build "$dir" --parallel "$(nproc)" --target framolin-strip make_hostile_corpus

corpus="$dir/hostile-corpus"
rm -rf "$corpus"
"$dir/tests/strip/make_hostile_corpus" "$corpus" tests/strip/data/cmyk.jpg
strip=("$dir/src/cli/framolin-strip" -W 64 -H 48 -j 2 -q)
# Code that PCRE2 compiles at run time (a folder's name filters) is opaque to memcheck.
export QT_ENABLE_REGEXP_JIT=0
memcheck=(valgrind --tool=memcheck --quiet --error-exitcode=99 --track-origins=yes)
# Highway (loaded with FFmpeg's libraries) runs RDTSCP as it loads, which this Valgrind cannot
# execute; its timer is replaced for these runs only (see the shim's comment).
# grep reads all of ldd's output (no -q): stopping early could end ldd by SIGPIPE, which
# pipefail would take for "not linked".
if ldd "$dir/src/cli/framolin-strip" | grep 'libhwy\.so' >/dev/null; then
    c++ -shared -fPIC -O2 -o "$dir/valgrind_timer_shim.so" scripts/valgrind_timer_shim.cpp
    export LD_PRELOAD="$(cd "$dir" && pwd)/valgrind_timer_shim.so"
fi
failed=0

# Every picture that must decode, in one strip.
echo "== memcheck: $(ls "$corpus/decoded" | wc -l) pictures that decode"
status=0
"${memcheck[@]}" "${strip[@]}" -o "$corpus/strip.bmp" "$corpus/decoded" || status=$?
if [ "$status" -ne 0 ]; then
    echo "FAILED: framolin-strip over $corpus/decoded ended with status $status" >&2
    failed=1
fi
# Each refused picture stops its strip, so each has a run of its own.
for picture in "$corpus"/refused/*; do
    echo "== memcheck: $(basename "$picture") (refused)"
    status=0
    "${memcheck[@]}" "${strip[@]}" -o "$corpus/refused.bmp" "$picture" 2>&1 || status=$?
    if [ "$status" -ne 1 ]; then
        echo "FAILED: $picture ended with status $status instead of 1" >&2
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "memcheck ok: no errors"
exit "$failed"

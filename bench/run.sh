#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Benchmarks framolin-strip against GraphicsMagick, ImageMagick and libvips on a generated
# corpus. Installs the peers from Debian when missing, builds an optimised tree in
# build-bench/, then runs bench/run.py with the given arguments (e.g. --reps 3 --sets photos);
# with --sheets first, bench/sheets.py instead (web sheets against libvips); with --loops first,
# bench/loops.py (GIF and MP4 loops against ImageMagick and the ffmpeg command); with --video,
# bench/video.py (a turntable video to a strip against ffmpeg's one-liner).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
peers=(graphicsmagick imagemagick libvips-tools time ffmpeg)
missing=()
for p in "${peers[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DFRAMOLIN_TESTS=OFF >/dev/null
cmake --build build-bench --parallel "$(nproc)" --target framolin-strip make_corpus decode_floor window_assembly
if [ "${1:-}" = --sheets ]; then
    shift
    exec python3 bench/sheets.py "$@"
fi
if [ "${1:-}" = --loops ]; then
    shift
    exec python3 bench/loops.py "$@"
fi
if [ "${1:-}" = --video ]; then
    shift
    exec python3 bench/video.py --build build-bench "$@"
fi
exec python3 bench/run.py "$@"

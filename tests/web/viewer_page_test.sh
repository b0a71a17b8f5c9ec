#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes viewer pages and sets with framolin-strip for the samples and checks them in headless
# Chromium and Firefox (viewer_page_test.mjs). Usage: viewer_page_test.sh FRAMOLIN_STRIP SAMPLES
# WORKDIR. Exit 77 (skipped) only when Chromium or the browser driver cannot be had here.
set -euo pipefail
strip=$1 samples=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)

chromium=$(command -v chromium || true)
if [ -z "$chromium" ]; then
    echo "SKIP: chromium is not installed (scripts/setup.sh installs Debian's chromium)"
    exit 77
fi
source "$here/driver.sh"

rm -rf "$work" && mkdir -p "$work"
# The same 36 frames as a BMP and a PNG in one column, as a PNG sprite sheet of 6 columns, and
# as four WebP sheets for phones.
"$strip" -q -o "$work/one-column.bmp" --target none --html "$work/one-column.html" "$samples"
"$strip" -q -o "$work/one-column.png" --target none --html "$work/one-column-png.html" "$samples"
"$strip" -q -o "$work/sheet.png" --columns 6 --html "$work/sheet.html" "$samples"
"$strip" -q -o "$work/sheets.webp" --frames-per-sheet 10 --html "$work/sheets.html" "$samples"
# Two lanes of 18 over five sheets; and for a shop's page a small set with sheets at twice the
# size and a poster, put together by hand.
"$strip" -q -o "$work/lanes.webp" --lanes 2 --frames-per-sheet 8 --html "$work/lanes.html" \
    "$samples"
"$strip" -q -o "$work/set.png" -s 400x250 --frames-per-sheet 12 --manifest "$work/set.json" \
    "$samples"
"$strip" -q -o "$work/set2x.png" -s 800x500 --frames-per-sheet 12 --manifest "$work/set2x.json" \
    --embed "$samples" >"$work/embed.html"
"$strip" -q -o "$work/poster.jpg" -s 400x250 "$samples/cube01.jpg"
pages=("one-column.html:36:1" "one-column-png.html:36:1" "sheet.html:36:6"
       "sheets.html:36:2:4" "lanes.html:36:2:5")
cp "$here/viewer_page_test.mjs" "$driver/"
NODE_PATH="$driver/node_modules" node "$driver/viewer_page_test.mjs" "$chromium" \
    "$(command -v firefox-esr || true)" "$work" "${pages[@]}"

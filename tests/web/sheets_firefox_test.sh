#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes sets of sheets of 360 frames with framolin-strip and opens every sheet in headless
# Firefox (sheets_firefox_test.mjs), which must decode each at the size its manifest gives.
# Usage: sheets_firefox_test.sh FRAMOLIN_STRIP SAMPLES WORKDIR
# Exit 77 (skipped) only when Firefox or the browser driver cannot be had on this machine.
set -euo pipefail
strip=$1 samples=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)

firefox=$(command -v firefox-esr || command -v firefox || true)
if [ -z "$firefox" ]; then
    echo "SKIP: firefox-esr is not installed (scripts/setup.sh --ci installs it)"
    exit 77
fi
source "$here/driver.sh"

rm -rf "$work" && mkdir -p "$work"
# 360 frames: the 36 samples ten times. WebP sheets for phones, and one PNG column for
# desktops, which would be 72,000 rows in one piece (Firefox shows nothing past 65,535).
inputs=()
for _ in $(seq 10); do inputs+=("$samples"); done
"$strip" -q -o "$work/mobile.webp" --manifest "$work/mobile.json" "${inputs[@]}"
"$strip" -q -o "$work/column.png" --target desktop --columns 1 --manifest "$work/column.json" \
    "${inputs[@]}"
cp "$here/sheets_firefox_test.mjs" "$driver/"
NODE_PATH="$driver/node_modules" node "$driver/sheets_firefox_test.mjs" "$firefox" \
    "$work/mobile.json" "$work/column.json"

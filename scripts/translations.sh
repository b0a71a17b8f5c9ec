#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings the translation sources up to date with the code: framolin-strip's own texts and the
# engine's reasons, both written in English, into Spanish (the window shows the engine's
# reasons in Spanish). Edit the new entries with Qt Linguist or by hand.
# Usage: translations.sh [OUT_DIR]   (writes updated copies there instead, for checking)
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || scripts/setup.sh
out=${1:-}
cli_out=${out:-src/cli/translations}
engine_out=${out:-src/engine/translations}
if [ -n "$out" ]; then
    mkdir -p "$out"
    cp src/cli/translations/*.ts src/engine/translations/*.ts "$out/"
fi
# The viewer module's JavaScript carries its own texts: only the C++ is scanned.
"$lupdate" -silent -no-obsolete -locations none -extensions h,cpp src/cli -ts "$cli_out/framolin-strip_es.ts" \
    -source-language en -target-language es
"$lupdate" -silent -no-obsolete -locations none src/engine -ts "$engine_out/framolin-engine_es.ts" \
    -source-language en -target-language es

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings the translation sources up to date with the code: framolin-strip's own texts
# (written in English) into Spanish, and the engine's reasons (written in Spanish, the
# window's wording) into English. Edit the new entries with Qt Linguist or by hand.
# Usage: translations.sh [OUT_DIR]   (writes updated copies there instead, for checking)
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || scripts/setup.sh
out=${1:-src/cli/translations}
mkdir -p "$out"
if [ "$out" != src/cli/translations ]; then
    cp src/cli/translations/*.ts "$out/"
fi
"$lupdate" -silent -no-obsolete -locations none src/cli -ts "$out/framolin-strip_es.ts" \
    -source-language en -target-language es
"$lupdate" -silent -no-obsolete -locations none src/engine -ts "$out/framolin-engine_en.ts" \
    -source-language es -target-language en

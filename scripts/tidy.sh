#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy (the checks of .clang-tidy) over every source under src/ with the dev build's
# compile database, and fails on any finding. Run after scripts/build.sh or scripts/test.sh:
# the database and the generated moc headers come from build/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --ci
if [ ! -f build/compile_commands.json ]; then
    echo "tidy.sh: build/compile_commands.json is missing; run scripts/build.sh first" >&2
    exit 2
fi
echo "== clang-tidy over src/"
log=build/clang-tidy.log
# Anchored on the source tree, so the generated *_autogen sources under build/ are left out.
status=0
run-clang-tidy -p build -j "$(nproc)" -quiet "^$PWD/src/.*\.cpp\$" >"$log" 2>&1 || status=$?
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E ': (warning|error): ' | sort -u || true)
if [ -n "$findings" ] || [ "$status" -ne 0 ]; then
    echo "$findings"
    echo "clang-tidy: $(printf '%s\n' "$findings" | grep -c . || true) findings (exit $status); the full output is in $log" >&2
    exit 1
fi
echo "clang-tidy ok"

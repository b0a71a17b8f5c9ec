#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs every test. Usage: test.sh [--sanitize]
# Without an option: the dev preset in build/; with --sanitize: the asan preset in build-asan/
# (AddressSanitizer and UBSan). Both treat warnings as errors. Tests that need a tool only
# continuous integration installs (scripts/setup.sh --ci: Chromium, for one) skip, saying why.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
preset=dev
[ "${1:-}" = "--sanitize" ] && preset=asan
scripts/build.sh --preset "$preset"
ctest --preset "$preset" -j "$(nproc)"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the tests of the threaded code (decoding ahead in the assembly, the worker
# pool, the PNG writer's bands, the BMP writer's bands, framolin-strip's workers) with
# ThreadSanitizer in build-tsan/ and runs them: the tsan presets of CMakePresets.json, whose
# test preset picks those tests. Usage: tsan.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset tsan "${launcher[@]}" >/dev/null
cmake --build --preset tsan --parallel "$(nproc)"
ctest --preset tsan -j "$(nproc)"

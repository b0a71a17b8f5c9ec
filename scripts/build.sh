#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds Framolin with a preset of CMakePresets.json.
# Usage: build.sh [--sanitize | --preset NAME] [BUILD_DIR]
#   (no option)  the dev preset, in build/ (warnings are errors)
#   --sanitize   the asan preset, in build-asan/ (AddressSanitizer and UBSan)
#   --preset N   any configure preset: dev, asan, fuzz, release
# BUILD_DIR overrides the preset's folder. To use ccache, export
# CMAKE_CXX_COMPILER_LAUNCHER=ccache before the first configure of a folder.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=dev
case "${1:-}" in
--sanitize) preset=asan; shift ;;
--preset) preset=${2:?--preset needs a name}; shift 2 ;;
esac
if [ -n "${1:-}" ]; then
    cmake --preset "$preset" -B "$1" >/dev/null
    cmake --build "$1" --parallel "$(nproc)"
else
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --parallel "$(nproc)"
fi

#!/usr/bin/env bash
# Configures and builds Framolin. Usage: build.sh [--sanitize] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
sanitize=OFF
if [ "${1:-}" = "--sanitize" ]; then sanitize=ON; shift; fi
dir=${1:-build}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFRAMOLIN_SANITIZE=$sanitize >/dev/null
cmake --build "$dir" --parallel "$(nproc)"

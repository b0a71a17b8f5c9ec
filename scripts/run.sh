#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and starts the Framolin window: installs only what building and running need
# and builds only the two programs (the run preset, in build/; scripts/test.sh adds the tests
# there). Without a display, builds the strip of the sample frames with framolin-strip
# instead, so the program still shows what it does.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset run >/dev/null
cmake --build --preset run --parallel "$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): building the sample strip with framolin-strip instead of opening the window."
    out="$PWD/build/samples-strip.bmp"
    build/src/cli/framolin-strip -o "$out" samples/
    echo "$out"
    exit 0
fi
exec build/src/app/framolin

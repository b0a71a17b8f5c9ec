#!/usr/bin/env bash
# Sets up, builds and starts the Framolin window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
exec build/src/app/framolin

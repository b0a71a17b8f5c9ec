#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the tests of the threaded code (decoding ahead in the assembly, the worker
# pool, the PNG writer's bands, the BMP writer's bands, framolin-strip's workers) with
# ThreadSanitizer in build-tsan/ and runs them. Usage: tsan.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFRAMOLIN_TSAN=ON \
    -DFRAMOLIN_BENCH=OFF "${launcher[@]}" >/dev/null
targets=(strip_decode_ahead_tests engine_tests framolin_cli_tests)
cmake --build build-tsan --parallel "$(nproc)" --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp"
build-tsan/tests/strip/strip_decode_ahead_tests
build-tsan/tests/engine/engine_tests --gtest_filter='WorkerPool.*:PrefetchTest.*:PngWriter.*:Heights/PngBands.*:Formats/LargeImages.*:BmpWriter.aDiskFilling*'
# framolin-strip's workers decoding and writing frames in place, in any number.
build-tsan/tests/cli/framolin_cli_tests --gtest_filter='FramesInPlace*:CliBuild.anyNumberOfJobs*:CliBuild.everyFailure*:CliFaults.aFullDisk*'

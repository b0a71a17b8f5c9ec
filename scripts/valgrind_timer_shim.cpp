// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded only under Valgrind (scripts/valgrind.sh). FFmpeg's decoders bring in libjxl and so
// Highway, whose load-time timer calibration runs RDTSCP, an instruction Valgrind 3.19 cannot
// execute: every run would die of SIGILL before main. Nothing of framolin-strip times anything
// with Highway, so a fixed resolution changes nothing that memcheck looks at.
#include <cstdint>

namespace hwy::platform {
uint64_t TimerResolution()
{
    return 1;
}
} // namespace hwy::platform

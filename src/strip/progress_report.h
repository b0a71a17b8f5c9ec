// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the long loops of the strip subsystem report how far they have come (the window's
// progress method).

#include <functional>

namespace strip {

using ProgressReport = std::function<void(double value, double max)>;

} // namespace strip

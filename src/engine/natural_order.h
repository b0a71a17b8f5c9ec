// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ordering file names as people number frames: digit runs compare as numbers, so "frame2"
// comes before "frame10", the same under every locale.

#include <QString>

namespace engine {

// True when `a` comes before `b`: digit runs by value (then by length, so "01" after "1"),
// other characters case-insensitively, and the plain comparison as the last tie-break.
bool naturalLess(const QString &a, const QString &b);

} // namespace engine

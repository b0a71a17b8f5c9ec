// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Placing a stretched frame into a strip image.

#include <QImage>
#include <QPoint>
#include <QRgb>

namespace engine {

// The colour a fresh strip is filled with, and so what transparent picture pixels show: the
// canvas's back colour, fixed rather than taken from the desktop theme so that the window
// and the command-line builder write the same bytes on any desktop.
inline constexpr QRgb kStripBackColor = 0xfff0f0f0;

// Draws `frame` into `strip` with its top-left corner at `at`, clipped to the strip. Opaque
// pixels replace what was there; transparent ones leave it.
void place(QImage &strip, const QImage &frame, QPoint at);

} // namespace engine

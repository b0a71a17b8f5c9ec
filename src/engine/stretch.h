// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one stretching filter of the program: area averaging where a side shrinks, bilinear
// where it grows; the aspect ratio is not kept.

#include <QImage>
#include <QSize>

namespace engine {

// `image` stretched to exactly `size`, as RGB32 or, with transparency, ARGB32_Premultiplied.
QImage stretch(const QImage &image, QSize size);

} // namespace engine

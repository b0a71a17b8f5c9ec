// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning pictures upright by their EXIF orientation tag: phones and cameras store the sensor's
// rows as shot and only tag how they should be turned.

#include <QIODevice>
#include <QImage>

#include <cstddef>

namespace engine {

// 1 (upright, also for a missing or damaged tag) to 8, as EXIF numbers them: 2 mirrored, 3
// turned half round, 4 flipped, 5 transposed, 6 turned a quarter clockwise, 7 transversed, 8 a
// quarter anticlockwise.
int exifOrientation(const unsigned char *exif, std::size_t size);

// The orientation in a WebP file's EXIF chunk, read from `device` without moving it; 1 when
// there is none.
int webpOrientation(QIODevice &device);

// Whether the orientation swaps width and height (5 to 8).
constexpr bool swapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

// `image` as it should be seen, for a picture stored with `orientation`.
QImage upright(const QImage &image, int orientation);

} // namespace engine

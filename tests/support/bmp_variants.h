// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hand-written BMP files in the layouts other programs produce and Qt never writes: palettes
// of 1, 4 and 8 bits, 16 and 32 bits with and without bit-field masks, RLE4/RLE8 and top-down
// rows. Made byte by byte so the tests depend on no outside tool.

#include <QByteArray>
#include <QImage>

namespace pictures {

enum class BmpCompression { None = 0, Rle8 = 1, Rle4 = 2, Bitfields = 3 };

struct BmpLayout
{
    int bitsPerPixel = 24; // 1, 4, 8, 16, 24 or 32
    BmpCompression compression = BmpCompression::None;
    bool topDown = false; // negative height: the first stored row is the top one
};

// `image` encoded in `layout`. Palette layouts take the image's own colours (at most
// 2^bitsPerPixel of them). 16-bit is 5-5-5 without masks and 5-6-5 with them; 32-bit with
// masks stores red in the lowest byte, the reverse of the usual order.
QByteArray bmp(const QImage &image, BmpLayout layout);

// A 32-bit BMP with a version 5 header whose masks include an alpha channel, every alpha byte
// `alpha`, as drawing programs on Windows write them.
QByteArray bmpWithAlpha(const QImage &image, uchar alpha);

} // namespace pictures

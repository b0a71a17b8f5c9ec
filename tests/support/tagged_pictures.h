// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures Qt's writers do not make: JPEG and WebP carrying an EXIF orientation tag, animated
// WebP, and the orientation's pixel mapping written out from the tag's definition.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>

namespace pictures {

// The EXIF block (the "Exif" preamble, then a TIFF header and one IFD) holding only the
// orientation tag, in little- or big-endian byte order.
QByteArray exifOrientationBlock(int orientation, bool bigEndian = false);

// A baseline JPEG of `image` at `quality` with an APP1 segment holding `exif` after its start.
QByteArray jpegWithExif(const QImage &image, const QByteArray &exif, int quality = 95);

// A lossy WebP of `image` in the extended format, with `exif` as its EXIF chunk (the "Exif"
// preamble left out, as most writers do).
QByteArray webpWithExif(const QImage &image, const QByteArray &exif);

// An animated WebP showing `frames` in turn, all the first frame's size.
QByteArray animatedWebp(const QList<QImage> &frames);

// Where the stored pixel lies that a picture tagged `orientation` shows at `upright`, for a
// stored picture of `storedWidth` x `storedHeight`.
QPoint storedPixel(int orientation, QPoint upright, int storedWidth, int storedHeight);

// The picture to store with `orientation` so that it is seen as `upright`.
QImage storedFor(const QImage &upright, int orientation);

} // namespace pictures

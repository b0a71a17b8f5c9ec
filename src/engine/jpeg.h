// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JPEG decoding straight through libjpeg-turbo at a reduced DCT scale: the smallest scale
// (in eighths) whose result still covers the frame, decoded into a 32-bit image and turned
// upright by its EXIF orientation. The file is read as it is decoded, never mapped, so a file
// shortened meanwhile is only a damaged one.

#include "fit.h"

#include <QFile>
#include <QImage>
#include <QSize>
#include <QString>

namespace engine {

enum class JpegResult { Decoded, Unsupported, Failed };

// What a JPEG's headers say, as the decoder itself reads them.
struct JpegHeader
{
    QSize size;
    // Progressive, or scans holding only some components: the decoder then keeps the
    // coefficients of the whole picture, whatever the scale it decodes at.
    bool multiScan = false;
    qint64 coefficientBytes = 0; // what keeping them takes; 0 for a single scan
    int orientation = 1; // the EXIF orientation tag, 1 without one
};

// Reads the headers of the JPEG in `device` from its start, however many segments come before
// the frame header; the device's position is kept. False with the reason when they are damaged.
bool readJpegHeader(QIODevice &device, JpegHeader *header, QString *reason);

// The smallest scale numerator n (of n/8, 1 ≤ n ≤ 8) at which `full` still covers `frame` on
// both sides; 8 when even the full size does not.
int jpegScaleEighths(QSize full, QSize frame);

// Decodes the JPEG in the opened `file` (from its start) at the smallest scale covering what
// `fit` keeps of it in `frame` (decodeTarget, with the picture upright) into RGB32, CMYK and YCCK
// included. Whatever libjpeg allocates is held to the decode budget. Failed with the reason for a
// damaged file or one over the budget.
JpegResult decodeJpegReduced(QFile &file, QSize frame, Fit fit, QImage *image, QString *reason);

} // namespace engine

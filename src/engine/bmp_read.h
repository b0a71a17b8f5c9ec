// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading BMP files so that every pixel of the result is defined: what the file does not hold
// (cut inside its pixels, a pixel offset past its end, rows and pixels an RLE stream skips)
// is black, the same on every run, never what the heap held before.

#include <QFile>
#include <QImage>
#include <QString>

namespace engine {

// The BMP in the opened `file`, whole. Uncompressed layouts go through Qt's reader, given the
// missing bytes as zeros and the missing rows painted black; RLE4 and RLE8 are decoded here,
// onto black. A 32-bit picture whose alpha bytes are all zero is opaque. A null image and the
// reason on failure.
QImage readBmp(QFile &file, QString *reason);

} // namespace engine

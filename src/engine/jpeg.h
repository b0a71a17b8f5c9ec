#pragma once
// JPEG decoding straight through libjpeg-turbo at a reduced DCT scale: the smallest scale
// (in eighths) whose result still covers the frame, decoded into a 32-bit image and turned
// upright by its EXIF orientation.

#include <QFile>
#include <QImage>
#include <QSize>
#include <QString>

namespace engine {

// The largest picture decoded in one piece, in bytes of 32-bit pixels: checked against the
// header before anything is allocated.
inline constexpr qint64 kMaxDecodedBytes = qint64(1) << 30;

enum class JpegResult { Decoded, Unsupported, Failed };

// The smallest scale numerator n (of n/8, 1 ≤ n ≤ 8) at which `full` still covers `frame` on
// both sides; 8 when even the full size does not.
int jpegScaleEighths(QSize full, QSize frame);

// Decodes the JPEG in the opened `file` (from its start) at jpegScaleEighths(its size, `frame`)
// into RGB32. Unsupported for colour spaces it leaves to Qt (CMYK, YCCK); Failed with the
// reason for a damaged file.
JpegResult decodeJpegReduced(QFile &file, QSize frame, QImage *image, QString *reason);

} // namespace engine

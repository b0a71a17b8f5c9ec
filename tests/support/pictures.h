#pragma once
// Test pictures made on the fly: solid or patterned images written as BMP, JPEG or GIF.

#include <QColor>
#include <QImage>
#include <QString>

namespace pictures {

// A `width` x `height` image filled with `color`.
QImage solid(int width, int height, const QColor &color);

// Writes `image` to `path` as "BMP" or "JPG" (Qt's writers) or "GIF" (our own small encoder:
// Qt has no GIF writer). `transparent`, for GIF only, makes that colour see-through.
bool write(const QImage &image, const QString &path, const char *format,
           const QColor &transparent = QColor());

} // namespace pictures

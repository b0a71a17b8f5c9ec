#pragma once
// Decoding of input pictures (BMP, JPEG, GIF's first frame) straight to a frame size. Widget
// free: the window's picture service and the command-line builder share it.

#include <QImage>
#include <QSize>
#include <QString>

namespace engine {

// The picture's size from its header, or an invalid size with the reason.
QSize probe(const QString &path, QString *reason);

// The whole picture stretched to exactly `frame` pixels, decoded at a reduced size where the
// format allows (JPEG's DCT scaling) so a large picture is never decoded whole for a small
// frame. The result is RGB32, or ARGB32_Premultiplied when the picture has transparency.
// A null image and the reason on failure.
QImage decodeFrame(const QString &path, QSize frame, QString *reason);

} // namespace engine

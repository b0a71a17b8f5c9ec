// SPDX-License-Identifier: GPL-3.0-or-later
#include "stretch.h"

namespace engine {

QImage stretch(const QImage &image, QSize size)
{
    const QImage::Format format
        = image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QImage source = image.format() == format ? image : image.convertToFormat(format);
    if (source.size() == size)
        return source;
    // Qt's smooth scaling is area averaging when shrinking and bilinear when enlarging.
    return source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace engine

// SPDX-License-Identifier: GPL-3.0-or-later
#include "strip_format.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace engine {

StripFormat formatForPath(const QString &path)
{
    // Only the last suffix counts: "strip.png.bmp" is a BMP.
    return formatNamed(QFileInfo(path).suffix()).value_or(StripFormat::Bmp);
}

std::optional<StripFormat> formatNamed(const QString &name)
{
    const QString lower = name.toLower();
    if (lower == u"bmp")
        return StripFormat::Bmp;
    if (lower == u"png")
        return StripFormat::Png;
    if (lower == u"jpg" || lower == u"jpeg")
        return StripFormat::Jpeg;
    if (lower == u"webp")
        return StripFormat::Webp;
    return std::nullopt;
}

QString formatName(StripFormat format)
{
    switch (format) {
    case StripFormat::Png:
        return u"PNG"_s;
    case StripFormat::Jpeg:
        return u"JPEG"_s;
    case StripFormat::Webp:
        return u"WebP"_s;
    case StripFormat::Bmp:
        break;
    }
    return u"BMP"_s;
}

QString formatLimitProblem(StripFormat format, QSize size)
{
    int limit = 0;
    if (format == StripFormat::Jpeg)
        limit = kMaxJpegSide;
    else if (format == StripFormat::Webp)
        limit = kMaxWebpSide;
    if (limit == 0 || (size.width() <= limit && size.height() <= limit))
        return {};
    // A WebP too large is often still a JPEG; anything else is a PNG.
    const bool jpegHolds = size.width() <= kMaxJpegSide && size.height() <= kMaxJpegSide;
    const QString other = format == StripFormat::Webp && jpegHolds
        ? QCoreApplication::translate("engine", "JPEG (.jpg) or PNG (.png)")
        : u"PNG (.png)"_s;
    return QCoreApplication::translate("engine",
                                       "a strip of %1 × %2 pixels does not fit in %3, which takes "
                                       "up to %4 pixels a side; save it as %5")
        .arg(QString::number(size.width()), QString::number(size.height()), formatName(format),
             QString::number(limit), other);
}

} // namespace engine

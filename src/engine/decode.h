// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decoding of input pictures (BMP, JPEG, GIF, PNG, WebP, TIFF; the first frame of animated ones)
// straight to a frame size, turned upright by their EXIF orientation. Widget free: the window's
// picture service and the command-line builder share it.
// Reasons for failures are the window's Spanish texts, marked in the translation context
// "engine" so another front end (framolin-strip) can word them in its user's language.

#include "fit.h"
#include "working_set.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>

namespace engine {

// The picture's size from its header, or an invalid size with the reason. Only regular files
// are opened: a folder, a FIFO or a device is refused without reading from it.
QSize probe(const QString &path, QString *reason);

// The picture's size as it is seen, turned by its orientation tag; as probe() otherwise.
QSize probeUpright(const QString &path, QString *reason);

// The whole picture fitted to exactly `frame` pixels as `options` say (stretched by default),
// decoded at a reduced size where the format allows (JPEG's DCT scaling) so a large picture is
// never decoded whole for a small frame. The result is RGB32, or ARGB32_Premultiplied when the
// picture has transparency. A null image and the reason on failure.
QImage decodeFrame(const QString &path, QSize frame, QString *reason,
                   const FrameOptions &options = {});

// A whole upright picture as decodeFrame decodes it before cutting a crop box from it, kept so
// frames of other boxes or sizes can be cut from the same decode instead of decoding again.
struct UprightDecode
{
    QImage image; // null on failure
    QSize seen; // the upright picture's full size
    QSize stored; // as stored: a JPEG's DCT scale applies to it
    bool turned = false; // stored a quarter turn from upright
    bool jpeg = false; // decoded by libjpeg at `eighths` of its size; other formats are whole
    int eighths = 0; // 0 when no frame can be cut from it (decoded for something else)
};

// `path` decoded as decodeFrame does to cut `box` (inside the upright picture) for `frame`
// fitted by `fit`; when that decode would hold more than `maxBytes`, decoded for `small` as a
// stretched frame instead, and marked as not to be cut from. The reason on failure.
UprightDecode decodeUpright(const QString &path, QRect box, QSize frame, Fit fit, QString *reason,
                            qint64 maxBytes = INT64_MAX, QSize small = {});

// The frame decodeFrame(path, frame, …, options) gives, cut from `decoded` of that picture;
// null when decodeFrame would decode the picture at another scale or has no crop to cut.
QImage frameFromUpright(const UprightDecode &decoded, QSize frame, const FrameOptions &options,
                        QString *reason);

} // namespace engine

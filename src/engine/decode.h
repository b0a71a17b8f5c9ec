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

} // namespace engine

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One crop box for a whole turn: given by hand, or found around the object in every picture
// and shared, so every frame shows the same part of the scene.

#include "decode.h"
#include "fit.h"

#include <QHash>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace engine {

inline constexpr double kDefaultCropMargin = 0.05;

struct CropRequest
{
    enum class Kind { Whole, Box, Auto };
    Kind kind = Kind::Whole;
    QRect box; // Box: in upright source pixels
    double margin = kDefaultCropMargin; // Auto: share of the object's box added on each side
};

// Why `box` cannot crop a picture of `picture` pixels, for the user.
QString cropOutside(QRect box, QSize picture);

// Pictures the automatic crop decoded to find the object, by file, kept so their frames can be
// cut from them (frameFromUpright) rather than decoding every picture twice.
using KeptDecodes = QHash<QString, UprightDecode>;

// The box every picture of `files` is cropped to before it is fitted to `frame` (null for the
// whole picture), decoding on `jobs` threads for Auto; with `kept`, Auto keeps there
// the decodes a frame can be cut from, within kCropKeepBytes. False with one line naming the file
// and the reason when a picture cannot be read, the pictures' sizes differ (Auto) or the box is not
// inside them (Box). Auto finds the object against the background of each picture's border, takes
// the union, makes it symmetric about the pictures' vertical centre line, adds the margin and grows
// it to the aspect of `frame` (unless a side is 0) within the picture; null when no picture shows
// anything but background.
bool resolveCrop(const QStringList &files, const CropRequest &request, QSize frame, int jobs,
                 QRect *box, QString *error, KeptDecodes *kept = nullptr);

} // namespace engine

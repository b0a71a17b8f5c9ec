// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a picture is fitted to the frame: stretched (the window's way, aspect not kept), cropped to
// fill it, or shrunk whole into it with margins. The geometry is plain arithmetic on sizes, so
// both front ends and the tests share it.

#include "compose.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>

namespace engine {

enum class Fit { Stretch, Cover, Contain };

// What decodeFrame does to a picture besides decoding it; the default is the window's stretch.
struct FrameOptions
{
    Fit fit = Fit::Stretch;
    QRgb background = kStripBackColor; // the margins of Contain; opaque
    // The part of the upright picture the frame shows, fitted as `fit` says; null for the
    // whole picture. One box for every picture of a turn, so the object does not wobble.
    QRect crop;
};

// The centred part of a `picture` with the aspect of `frame`, as large as the picture allows.
QRect coverSource(QSize picture, QSize frame);

// Where the whole `picture` goes, centred, in `frame` when it keeps its aspect.
QRect containTarget(QSize picture, QSize frame);

// The size a decode of the upright `picture` must reach on both sides so that what `fit` keeps
// is never enlarged: the frame, or for Contain only the part of it the picture fills.
QSize decodeTarget(QSize picture, QSize frame, Fit fit);

// The size to decode the whole upright `picture` at (its own aspect, never above it) so that
// `box` of it still reaches what `fit` keeps of it in `frame`.
QSize cropDecodeSize(QSize picture, QRect box, QSize frame, Fit fit);

// `box` of a picture of `from` pixels, in the same picture scaled to `to`: edges to the nearest
// pixel, never empty, within `to`.
QRect scaledBox(QRect box, QSize from, QSize to);

// `image` (upright) fitted to exactly `frame`: stretched, covered or contained. Contained
// frames are opaque RGB32; the others keep stretch()'s formats. Null when memory runs out.
QImage fitToFrame(const QImage &image, QSize frame, const FrameOptions &options);

// The frame of `upright`, a decode of a picture whose upright size is `seen`: cut to
// options.crop (given in `seen`'s pixels) when there is one, then fitted. Null, with `reason`
// said, when memory runs out.
QImage frameOf(const QImage &upright, QSize seen, QSize frame, const FrameOptions &options,
               QString *reason);

} // namespace engine

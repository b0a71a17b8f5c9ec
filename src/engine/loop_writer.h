// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One turn written as a loop that plays forever where no script runs: an animated GIF or WebP,
// an MP4 (H.264) or a WebM (VP9). The writer takes a one-column strip of frames, a band of rows
// at a time as the strip builder makes them, so the window and framolin-strip share it; video
// frames are encoded as they come, only a GIF keeps its frames until its palette is made.

#include "strip_writer.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

namespace engine {

enum class LoopFormat { Gif, Mp4, Webm, Webp };

// The loop an output path asks for by its extension, in any case: .gif, .mp4, .webm, and .webp
// only when `animate` (otherwise a WebP is a still strip).
std::optional<LoopFormat> loopFormatForPath(const QString &path, bool animate);

// "GIF", "MP4", "WebM", "WebP".
QString loopFormatName(LoopFormat format);

struct LoopSettings
{
    LoopFormat format = LoopFormat::Gif;
    QSize frame; // as the frames are made
    int fps = kDefaultLoopFps;
    // 1 to 100: the video encoders' constant quality, WebP's quality, and a GIF's colours
    // (255 from 90 up, halved for each 20 below) and how far a GIF pixel may drift and still
    // count as unchanged.
    int quality = kDefaultQuality;
};

// The size of the pictures in the file: video in yuv420p needs even sides, so an odd side
// loses its last column or row (cropped, never stretched, so nothing is resampled).
QSize loopPictureSize(LoopFormat format, QSize frame);

// Empty when a loop of `frames` frames of `settings` can be written; otherwise one sentence
// naming the limit passed.
QString loopProblem(const LoopSettings &settings, qint64 frames);

// A writer of the loop of `settings`: open() takes the strip's size (frames stacked in one
// column), rows must come in order, and commit() encodes what remains and puts the file in
// place, or hands it to the group given to holdCommitIn().
std::unique_ptr<StripWriter> makeLoopWriter(const LoopSettings &settings);

// Writes the frames stacked in `strip` (the frame's width, whole frames in one column) as the
// loop of `settings` at `path`. False with the reason; the old file then stays as it was.
bool saveLoop(const QImage &strip, const QString &path, const LoopSettings &settings,
              QString *reason);

} // namespace engine

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Building a strip file frame by frame: pictures are decoded on several threads, and each
// frame (or each row of frames, side by side) is written as soon as the frames before it are,
// so memory holds a few frames, never the strip (WebP, encoded in one piece, excepted).

#include "engine/crop.h"
#include "engine/fit.h"
#include "engine/limits.h"
#include "engine/strip_format.h"

#include <QIODevice>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace engine {
class SaveGroup;
class StripWriter;
} // namespace engine

namespace cli {

// Called on the calling thread after each frame is written, with the frames written so far.
using FrameWritten = std::function<void(int written, int total)>;

struct StripOutput
{
    QString path; // with `stream`, only the name failures give it
    engine::StripFormat format = engine::StripFormat::Bmp;
    int quality = engine::kDefaultQuality;
    // Frames side by side, left to right then top to bottom; the last row's empty cells are in
    // the canvas's back colour.
    int columns = 1;
    engine::FrameOptions fit {}; // how each picture is fitted to the frame
    // Written into this device as it is compressed, not into a file at `path`; only formats
    // engine::formatStreams() names.
    QIODevice *stream = nullptr;
    // When given, the finished file is handed to it to be put in place with the files written
    // beside it, rather than at once.
    engine::SaveGroup *group = nullptr;
    // Bytes of frames decoded ahead of the writer; sheets built side by side share the budget.
    qint64 readAhead = engine::kReadAheadBytes;
    // Pictures already decoded whole (by the crop's search), to cut frames from where they can.
    const engine::KeptDecodes *kept = nullptr;
    // When given, makes the writer instead of `format` (a loop's, which plays the frames).
    std::function<std::unique_ptr<engine::StripWriter>()> makeWriter {};
};

// Writes the strip of `files` fitted to `frame` to `output`, decoding on `jobs` threads
// (the file is the same for any count). On failure returns false with one line naming the
// file and the reason, and the output file is left as it was.
bool buildStrip(const QStringList &files, QSize frame, const StripOutput &output, int jobs,
                const FrameWritten &written, QString *error);

// The window's strip: one column of BMP.
inline bool buildStrip(const QStringList &files, QSize frame, const QString &output, int jobs,
                       const FrameWritten &written, QString *error)
{
    return buildStrip(files, frame, StripOutput { output }, jobs, written, error);
}

} // namespace cli

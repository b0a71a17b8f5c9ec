#pragma once
// Building a strip file frame by frame: pictures are decoded on several threads, and each
// frame is written at its own rows of the BMP as soon as the frames above it are, so memory
// holds a few frames, never the strip.

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace cli {

// Called on the calling thread after each frame is written, with the frames written so far.
using FrameWritten = std::function<void(int written, int total)>;

// Writes the strip of `files` stretched to `frame` to `output`, decoding on `jobs` threads
// (the file is the same for any count). On failure returns false with one line naming the
// file and the reason, and `output` is left as it was.
bool buildStrip(const QStringList &files, QSize frame, const QString &output, int jobs,
                const FrameWritten &written, QString *error);

} // namespace cli

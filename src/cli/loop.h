// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run whose output is a loop: the frames decoded as for a strip and played one after the
// other, and under --max-bytes made again at lower quality, then smaller, until the file fits.

#include "builder.h"
#include "language.h"
#include "options.h"

#include <QSize>
#include <QString>

namespace engine {
class SaveGroup;
}

namespace cli {

struct LoopWritten
{
    int quality = 0;
    QSize frame; // as the frames were made; the file's pictures may be a pixel smaller
    qint64 bytes = 0;
    bool lowered = false; // --max-bytes chose a lower quality or a smaller frame
};

// Writes the loop of `job` and hands the file to `group`. False with one line on failure, or
// when even the lowest quality at the smallest frame is over job.maxBytes (nothing is held).
bool buildLoop(const Job &job, const FrameWritten &written, engine::SaveGroup *group,
               LoopWritten *loop, QString *error);

// The success line: frames, frame size, output, format, rate, length and file size.
QString loopSummary(const Job &job, const LoopWritten &loop, Language language);

// What --max-bytes chose, when it lowered anything.
QString loopChoice(const Job &job, const LoopWritten &loop, Language language);

} // namespace cli

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A set of sheets built side by side on the engine's pool, two at a time at most, so memory
// holds about two sheets (a WebP sheet is gathered whole before it is encoded) plus the frames
// decoded ahead, and each sheet is the same file for any number of jobs. Also the rules on the
// set's size in bytes.

#include "builder.h"
#include "language.h"

#include "engine/sheet_layout.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace cli {

struct SheetSet
{
    QStringList files; // the frames of every sheet, in order
    QList<engine::Sheet> sheets;
    QStringList paths; // where each sheet is written
    QSize frame;
};

// Writes every sheet of `set` as `output` says, each at its path with its columns; with
// `output.group` the files are handed to it in sheet order. `jobs` threads in all. `written` is
// told the frames written over every sheet, one call at a time, from any thread. On failure
// false with the line of the first sheet that failed.
bool buildSheets(const SheetSet &set, StripOutput output, int jobs, const FrameWritten &written,
                 QString *error);

// A size in bytes written as a number with an optional unit: B, kB (1000 bytes), KiB (1024),
// MB, MiB, GB, GiB, in any case ("20MB", "20 MiB", "500kB", "1.5GB", "123456"). Nothing when the
// text is none of these or the size is below one byte.
std::optional<qint64> byteCount(const QString &text);

// `bytes` in binary multiples under their own names (216.5 MiB), as the summary prints them.
QString sizeText(qint64 bytes, Language language);

// What is wrong with a set whose sheets at `paths` take `bytes`: over `maxBytes` (0: no budget)
// it is refused; without a budget, a set for phones over engine::kMobileSetBytes is only
// warned about. Empty when neither applies; `refused` says which.
QString setSizeProblem(const QStringList &paths, const QList<qint64> &bytes, qint64 maxBytes,
                       engine::Target target, Language language, bool *refused);

} // namespace cli

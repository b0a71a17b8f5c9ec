// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the frames of a strip are spread over sheets that a target's browsers show: the columns,
// the frames of each sheet and each sheet's size. framolin-strip and the window take the same
// plan, so both write the same sheets.

#include "engine/strip_format.h"

#include <QList>
#include <QSize>
#include <QString>

#include <optional>

namespace engine {

// Where the sheets are meant to be shown: phones, desktop browsers, or anywhere the format
// itself allows (today's strip).
enum class Target { None, Mobile, Desktop };

// "none", "mobile" or "desktop".
std::optional<Target> targetNamed(const QString &name);
QString targetName(Target target);

// The largest sheet of `format` for `target`: pixels a side, and pixels in all (0: no bound
// beyond the side).
struct SheetLimits
{
    qint64 side = 0;
    qint64 pixels = 0;
};
SheetLimits sheetLimits(Target target, StripFormat format);

struct SheetRequest
{
    qint64 frames = 0;
    int lanes = 1; // lanes of equal length, kept whole on a sheet when one fits
    QSize frame;
    StripFormat format = StripFormat::Bmp;
    Target target = Target::None;
    // 0: chosen to fit the target; for Target::None, one column and one sheet.
    int columns = 0;
    int framesPerSheet = 0;
};

struct Sheet
{
    int firstFrame = 0;
    int frameCount = 0;
    int columns = 1;
    int rows = 1;
    QSize pixels;
};

struct SheetPlan
{
    enum class Fault { None, FrameTooLarge, SheetTooLarge };
    Fault fault = Fault::None;
    // Frames fill each sheet's rows left to right, then the next sheet; every sheet has the
    // same columns, the last may have fewer rows.
    QList<Sheet> sheets;
    int columns = 0;
    int framesPerSheet = 0;
    // With Fault::SheetTooLarge: the first sheet asked for, and a request that fits instead.
    QSize tooLarge;
    int fitColumns = 0;
    int fitFramesPerSheet = 0;
};

// The sheets of `request`: as few as fit, each lane on one sheet when a lane fits one, the
// columns that leave the fewest empty cells and the squarest sheet.
SheetPlan planSheets(const SheetRequest &request);

} // namespace engine

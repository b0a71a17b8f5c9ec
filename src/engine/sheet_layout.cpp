// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_layout.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

qint64 ceilDiv(qint64 a, qint64 b)
{
    return (a + b - 1) / b;
}

struct Geometry
{
    qint64 width, height; // of a frame
    SheetLimits limits;

    bool fits(qint64 columns, qint64 frames) const
    {
        const qint64 w = columns * width, h = ceilDiv(frames, columns) * height;
        return w <= limits.side && h <= limits.side
            && (limits.pixels == 0 || w * h <= limits.pixels);
    }
    // The most frames a sheet of `columns` holds.
    qint64 capacity(qint64 columns) const
    {
        if (columns * width > limits.side)
            return 0;
        qint64 rows = limits.side / height;
        if (limits.pixels != 0)
            rows = std::min(rows, limits.pixels / (columns * width * height));
        return columns * rows;
    }
    // The columns for sheets of `frames`: the fewest empty cells, then the squarest sheet.
    // 0 when none fits.
    qint64 bestColumns(qint64 frames) const
    {
        qint64 best = 0;
        std::tuple<qint64, qint64> bestScore;
        const qint64 most = std::min(frames, limits.side / width);
        for (qint64 c = 1; c <= most; ++c) {
            if (!fits(c, frames))
                continue;
            const qint64 rows = ceilDiv(frames, c);
            const std::tuple score { c * rows - frames, std::abs(c * width - rows * height) };
            if (best == 0 || score < bestScore) {
                best = c;
                bestScore = score;
            }
        }
        return best;
    }
};

// Frames per sheet for `frames` in `lanes`, at most `capacity` a sheet: as few sheets as fit,
// filled evenly, whole lanes when a lane fits.
qint64 spread(qint64 frames, int lanes, qint64 capacity)
{
    const qint64 lane = frames / std::max(lanes, 1);
    if (lanes > 1 && lane > 0 && lane <= capacity) {
        const qint64 sheets = ceilDiv(lanes, capacity / lane);
        return ceilDiv(lanes, sheets) * lane;
    }
    return ceilDiv(frames, ceilDiv(frames, capacity));
}

} // namespace

std::optional<Target> targetNamed(const QString &name)
{
    if (name == u"none")
        return Target::None;
    if (name == u"mobile")
        return Target::Mobile;
    if (name == u"desktop")
        return Target::Desktop;
    return std::nullopt;
}

QString targetName(Target target)
{
    switch (target) {
    case Target::Mobile:
        return u"mobile"_s;
    case Target::Desktop:
        return u"desktop"_s;
    case Target::None:
        break;
    }
    return u"none"_s;
}

SheetLimits sheetLimits(Target target, StripFormat format)
{
    qint64 formatSide = kMaxStripBytes; // BMP and PNG: only the strip's bytes bound them
    if (format == StripFormat::Jpeg)
        formatSide = kMaxJpegSide;
    else if (format == StripFormat::Webp)
        formatSide = kMaxWebpSide;
    switch (target) {
    case Target::Mobile:
        return { std::min<qint64>(formatSide, kMobileMaxSide), kMobileMaxPixels };
    case Target::Desktop:
        return { std::min<qint64>(formatSide, kDesktopMaxPngSide), kDesktopMaxPixels };
    case Target::None:
        break;
    }
    return { formatSide, 0 };
}

namespace {

// planSheets, choosing what the request leaves open whenever `choose`.
SheetPlan planWith(const SheetRequest &request, bool choose)
{
    SheetPlan plan;
    const Geometry g { std::max(request.frame.width(), 1), std::max(request.frame.height(), 1),
                       sheetLimits(request.target, request.format) };
    const qint64 frames = std::max<qint64>(request.frames, 1);
    if (!g.fits(1, 1)) {
        plan.fault = SheetPlan::Fault::FrameTooLarge;
        return plan;
    }
    qint64 columns = request.columns > 0 ? request.columns : (choose ? 0 : 1);
    qint64 perSheet = request.framesPerSheet > 0 ? request.framesPerSheet : (choose ? 0 : frames);
    if (perSheet == 0) {
        qint64 capacity = 0;
        if (columns > 0) {
            capacity = g.capacity(columns);
        } else {
            for (qint64 c = 1, most = std::min(frames, g.limits.side / g.width); c <= most; ++c)
                capacity = std::max(capacity, g.capacity(c));
        }
        if (capacity > 0)
            perSheet = spread(frames, request.lanes, std::min(capacity, frames));
    }
    perSheet = std::min(perSheet, frames);
    if (perSheet > 0 && columns == 0)
        columns = g.bestColumns(perSheet);
    if (perSheet == 0 || columns == 0 || !g.fits(columns, perSheet)) {
        plan.fault = SheetPlan::Fault::SheetTooLarge;
        const qint64 c = columns > 0 ? columns : 1;
        const qint64 k = request.framesPerSheet > 0
            ? std::min<qint64>(request.framesPerSheet, frames)
            : frames;
        plan.tooLarge = QSize(int(std::min<qint64>(c * g.width, INT_MAX)),
                              int(std::min<qint64>(ceilDiv(k, c) * g.height, INT_MAX)));
        // What fits: the columns asked for when a row of them fits, the rest chosen.
        SheetRequest fit = request;
        fit.columns = request.columns > 0 && g.capacity(request.columns) > 0 ? request.columns : 0;
        fit.framesPerSheet = 0;
        if (const SheetPlan instead = planWith(fit, true);
            instead.fault == SheetPlan::Fault::None) {
            plan.fitColumns = instead.columns;
            plan.fitFramesPerSheet = instead.framesPerSheet;
        }
        return plan;
    }
    plan.columns = int(columns);
    plan.framesPerSheet = int(perSheet);
    for (qint64 first = 0; first < frames; first += perSheet) {
        const qint64 count = std::min(perSheet, frames - first);
        const qint64 rows = ceilDiv(count, columns);
        plan.sheets.append(Sheet { int(first), int(count), int(columns), int(rows),
                                   QSize(int(columns * g.width), int(rows * g.height)) });
    }
    return plan;
}

} // namespace

SheetPlan planSheets(const SheetRequest &request)
{
    return planWith(request, request.target != Target::None);
}

} // namespace engine

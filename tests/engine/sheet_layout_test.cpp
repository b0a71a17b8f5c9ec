// SPDX-License-Identifier: GPL-3.0-or-later
// Sheets planned at the targets' limits: exactly at them, one pixel over, and lanes kept whole.

#include "engine/sheet_layout.h"

#include <gtest/gtest.h>

namespace {

using engine::SheetPlan;
using engine::StripFormat;
using engine::Target;
using Fault = SheetPlan::Fault;

struct Row
{
    engine::SheetRequest request;
    Fault fault;
    int sheets, columns, perSheet; // of the plan, or of what fits instead after SheetTooLarge
    QSize first; // the first sheet, or the sheet that was too large
};

// clang-format off
const Row kRows[] {
    { { 1, 1, { 4096, 4096 }, StripFormat::Png, Target::Mobile }, Fault::None, 1, 1, 1, { 4096, 4096 } },
    { { 1, 1, { 4097, 100 }, StripFormat::Png, Target::Mobile }, Fault::FrameTooLarge, 0, 0, 0, {} },
    { { 1, 1, { 4096, 4097 }, StripFormat::Jpeg, Target::Mobile }, Fault::FrameTooLarge, 0, 0, 0, {} },
    { { 360, 1, { 320, 200 }, StripFormat::Png, Target::Mobile }, Fault::None, 2, 10, 180, { 3200, 3600 } },
    { { 360, 1, { 320, 200 }, StripFormat::Png, Target::None }, Fault::None, 1, 1, 360, { 320, 72000 } },
    // Firefox's PNG rows: 65,535 decode, 65,536 do not.
    { { 65535, 1, { 8, 1 }, StripFormat::Png, Target::Desktop, 1 }, Fault::None, 1, 1, 65535, { 8, 65535 } },
    { { 65536, 1, { 8, 1 }, StripFormat::Png, Target::Desktop, 1 }, Fault::None, 2, 1, 32768, { 8, 32768 } },
    { { 65536, 1, { 8, 1 }, StripFormat::Png, Target::Desktop, 1, 65536 }, Fault::SheetTooLarge, 0, 1, 32768, { 8, 65536 } },
    { { 65536, 1, { 8, 1 }, StripFormat::Png, Target::None }, Fault::None, 1, 1, 65536, { 8, 65536 } },
    { { 4, 1, { 16383, 1 }, StripFormat::Webp, Target::Desktop }, Fault::None, 1, 1, 4, { 16383, 4 } },
    // Lanes of 36 frames of 640 × 400: 60 fit a phone's sheet, so one lane a sheet...
    { { 216, 6, { 640, 400 }, StripFormat::Webp, Target::Mobile }, Fault::None, 6, 4, 36, { 2560, 3600 } },
    { { 216, 1, { 640, 400 }, StripFormat::Webp, Target::Mobile }, Fault::None, 4, 6, 54, { 3840, 3600 } },
    // ... and a lane of 100 is split, as it must be.
    { { 200, 2, { 640, 400 }, StripFormat::Webp, Target::Mobile }, Fault::None, 4, 5, 50, { 3200, 4000 } },
    // Columns that make the sheet too wide: what fits is chosen afresh.
    { { 360, 1, { 320, 200 }, StripFormat::Png, Target::Mobile, 20 }, Fault::SheetTooLarge, 0, 10, 180, { 6400, 3600 } },
    { { 3, 1, { 2, 32767 }, StripFormat::Jpeg, Target::None }, Fault::SheetTooLarge, 0, 3, 3, { 2, 98301 } },
};
// clang-format on

TEST(SheetLayout, plansAtTheLimitsOfEachTarget)
{
    for (const Row &row : kRows) {
        const engine::SheetRequest &r = row.request;
        SCOPED_TRACE(testing::Message() << r.frames << " frames of " << r.frame.width() << "x"
                                        << r.frame.height() << " to " << int(r.target));
        const SheetPlan plan = engine::planSheets(r);
        ASSERT_EQ(plan.fault, row.fault);
        if (row.fault == Fault::SheetTooLarge) {
            EXPECT_EQ(plan.tooLarge, row.first);
            EXPECT_EQ(plan.fitColumns, row.columns);
            EXPECT_EQ(plan.fitFramesPerSheet, row.perSheet);
        }
        if (row.fault != Fault::None)
            continue;
        ASSERT_EQ(plan.sheets.size(), row.sheets);
        EXPECT_EQ(plan.columns, row.columns);
        EXPECT_EQ(plan.framesPerSheet, row.perSheet);
        EXPECT_EQ(plan.sheets.first().pixels, row.first);
        // Every frame once, in order, each sheet within the target's limits.
        const engine::SheetLimits limits = engine::sheetLimits(r.target, r.format);
        int next = 0;
        for (const engine::Sheet &sheet : plan.sheets) {
            EXPECT_EQ(sheet.firstFrame, next);
            next += sheet.frameCount;
            EXPECT_LE(std::max(sheet.pixels.width(), sheet.pixels.height()), limits.side);
            EXPECT_TRUE(limits.pixels == 0
                        || qint64(sheet.pixels.width()) * sheet.pixels.height() <= limits.pixels);
        }
        EXPECT_EQ(next, r.frames);
    }
}

} // namespace

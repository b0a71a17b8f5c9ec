// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_window.h"

#include "layout/resize_layout.h"

#include <gtest/gtest.h>

namespace {

// The controls the layout moves, at their design-time places.
struct Window : fakes::DesignCanvas
{
    Window()
    {
        Picture7->Move(120, 7680, 6255, 60);
        progreso->Move(120, 7800, 6255, 255);
    }

    // Everything the layout could move, in twips.
    std::vector<float> geometry() const
    {
        std::vector<float> all;
        for (const runtime::Geometry *g :
             std::initializer_list<const runtime::Geometry *> { objeto, arr, Picture7, progreso })
            all.insert(all.end(), { g->Left(), g->Top(), g->Width(), g->Height() });
        return all;
    }

    runtime::PictureBox *Picture7 = new runtime::PictureBox(form.client());
    runtime::PictureBox *progreso = new runtime::PictureBox(form.client());
    fakes::LayoutWindow outer;
    layout::ResizeLayout layout { outer, *objeto, *arr, *Picture7, *progreso };
};

enum Field { kLeft, kTop, kWidth, kHeight };
float at(const std::vector<float> &geometry, int control, Field field)
{
    return geometry[size_t(control * 4 + field)];
}

} // namespace

TEST(ResizeLayout, stretchesTheCanvasAreaToTheWindowAndPaintsTheGradient)
{
    Window w;
    w.outer.height = 9900;
    w.outer.width = 7800;
    w.layout.Form_Resize();

    EXPECT_EQ(w.objeto->Height(), 9900 - 1095 - 120);
    EXPECT_EQ(w.arr->Height(), 9900 - 1095 - 120);
    EXPECT_EQ(w.Picture7->Top(), 8685 + 240);
    EXPECT_EQ(w.progreso->Top(), 8925 + 120);
    EXPECT_EQ(w.progreso->Width(), 7500);
    EXPECT_EQ(w.Picture7->Width(), 7500);
    // Nothing else moves: the splitter alone sets the canvas width.
    EXPECT_EQ(w.objeto->Width(), 4335);
    EXPECT_EQ(w.objeto->Top(), 120);
    EXPECT_EQ(w.arr->Left(), 6840);

    EXPECT_EQ(w.outer.autoRedraw, true);
    ASSERT_EQ(w.outer.bands.size(), 95u);
    EXPECT_EQ(w.outer.bands[0].color, fakes::rgb(103, 68, 14));
    EXPECT_EQ(w.outer.bands.back().color, fakes::rgb(62, 62, 62));
}

TEST(ResizeLayout, leavesTheCanvasNoHeightInAWindowJustAsHighAsItsMargins)
{
    Window w;
    w.outer.height = 1095 + 120;
    w.layout.Form_Resize();
    EXPECT_EQ(w.objeto->Height(), 0);
    EXPECT_EQ(w.arr->Height(), 0);
    EXPECT_EQ(w.Picture7->Top(), 240);
    EXPECT_EQ(w.progreso->Top(), 360);
}

TEST(ResizeLayout, wideningChangesOnlyTheTwoWidths)
{
    Window w;
    w.objeto->setWidth(5000); // as the splitter last left it
    w.layout.Form_Resize();
    const std::vector<float> before = w.geometry();
    w.outer.width += 3000;
    w.layout.Form_Resize();
    const std::vector<float> after = w.geometry();

    for (size_t i = 0; i < before.size(); ++i) {
        const bool width = i % 4 == kWidth && (i / 4 == 2 || i / 4 == 3);
        if (width)
            EXPECT_EQ(after[i], before[i] + 3000) << "field " << i;
        else
            EXPECT_EQ(after[i], before[i]) << "field " << i;
    }
    EXPECT_EQ(w.objeto->Width(), 5000);
}

TEST(ResizeLayout, growingMovesTheSeparatorAndTheBarByTheHeightGained)
{
    Window w;
    w.layout.Form_Resize();
    const std::vector<float> before = w.geometry();
    w.outer.height += 1500;
    w.layout.Form_Resize();
    const std::vector<float> after = w.geometry();
    EXPECT_EQ(at(after, 0, kHeight), at(before, 0, kHeight) + 1500);
    EXPECT_EQ(at(after, 1, kHeight), at(before, 1, kHeight) + 1500);
    EXPECT_EQ(at(after, 2, kTop), at(before, 2, kTop) + 1500);
    EXPECT_EQ(at(after, 3, kTop), at(before, 3, kTop) + 1500);
}

struct TinyCase
{
    float height, width;
    float canvas, bars;
};

class ResizeLayoutTiny : public testing::TestWithParam<TinyCase>
{
};

TEST_P(ResizeLayoutTiny, holdsSizesTheFormulasMakeNegativeAtZero)
{
    const TinyCase c = GetParam();
    Window w;
    w.outer.height = c.height;
    w.outer.width = c.width;
    w.outer.scaleHeight = std::max(0.0f, c.height - 765);
    w.outer.scaleWidth = c.width;
    ASSERT_NO_THROW(w.layout.Form_Resize());
    EXPECT_EQ(w.objeto->Height(), c.canvas);
    EXPECT_EQ(w.arr->Height(), c.canvas);
    EXPECT_EQ(w.Picture7->Top(), c.canvas + 240);
    EXPECT_EQ(w.progreso->Top(), c.canvas + 360);
    EXPECT_EQ(w.progreso->Width(), c.bars);
    EXPECT_EQ(w.Picture7->Width(), c.bars);
    // The gradient is still painted as far as it can be.
    EXPECT_FALSE(w.outer.bands.empty());
    EXPECT_EQ(w.outer.bands[0].color, fakes::rgb(103, 68, 14));
}

INSTANTIATE_TEST_SUITE_P(, ResizeLayoutTiny,
                         testing::Values(TinyCase { 0, 0, 0, 0 }, TinyCase { 1214, 299, 0, 0 },
                                         TinyCase { 1216, 301, 1, 1 },
                                         TinyCase { 600, 7680, 0, 7380 },
                                         TinyCase { 9900, 15, 8685, 0 }));

struct TallCase
{
    double scaleHeight;
    size_t bands;
};

class ResizeLayoutTall : public testing::TestWithParam<TallCase>
{
};

TEST_P(ResizeLayoutTall, paintsTheGradientNoFurtherThanSixteenBitsReach)
{
    Window w;
    w.outer.height = float(GetParam().scaleHeight) + 765;
    w.outer.scaleHeight = GetParam().scaleHeight;
    ASSERT_NO_THROW(w.layout.Form_Resize());
    EXPECT_EQ(w.objeto->Height(), w.outer.height - 1215); // the rest of the layout is done
    ASSERT_EQ(w.outer.bands.size(), GetParam().bands);
    // The colours run over the height the bands reach.
    EXPECT_EQ(w.outer.bands[0].color, fakes::rgb(103, 68, 14));
    EXPECT_EQ(w.outer.bands.back().color, fakes::rgb(62, 62, 62));
}

INSTANTIATE_TEST_SUITE_P(, ResizeLayoutTall,
                         testing::Values(TallCase { 32592, 337 }, TallCase { 32767, 337 },
                                         TallCase { 32767.5, 337 }, TallCase { 40000, 337 },
                                         TallCase { 65536, 337 }));

TEST(ResizeLayout, bandsSpanAWideWindowUpToSixteenBitsReach)
{
    const struct
    {
        double scaleWidth;
        int right;
    } rows[] = { { 7680, 7680 }, { 32767, 32767 }, { 39000, 32767 }, { 70000, 32767 } };
    for (const auto &row : rows) {
        Window w;
        w.outer.scaleWidth = row.scaleWidth;
        w.outer.width = float(row.scaleWidth) + 240;
        ASSERT_NO_THROW(w.layout.Form_Resize());
        ASSERT_FALSE(w.outer.bands.empty()) << row.scaleWidth;
        EXPECT_EQ(w.outer.bands.front().x2, row.right) << row.scaleWidth;
        EXPECT_EQ(w.outer.bands.back().x2, row.right) << row.scaleWidth;
    }
}

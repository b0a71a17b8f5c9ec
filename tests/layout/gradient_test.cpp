// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_window.h"

#include "layout/gradient.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

using fakes::Band;
using fakes::rgb;

namespace {

// The thirteen parameters, with the values the resize handler passes for a window whose
// client area is 9135 twips high.
struct Gradient
{
    std::int16_t red = 103, green = 68, blue = 14, stop = 62, pitch = 97, startLine = 0,
                 stopLine = 9135, modLine = 1, autoRedraw = -1, moreR = 1, moreG = 1, moreB = 1;

    void paint(layout::GradientTarget &target)
    {
        layout::DrawGradient(target, red, green, blue, stop, pitch, startLine, stopLine, modLine,
                             autoRedraw, moreR, moreG, moreB);
    }
};

std::vector<int> positions(const std::vector<Band> &bands)
{
    std::vector<int> ys;
    for (const Band &b : bands)
        ys.push_back(b.y1 + 1);
    return ys;
}

} // namespace

TEST(Gradient, paintsTheWindowBackgroundBandByBand)
{
    fakes::LayoutWindow target;
    Gradient g;
    g.paint(target);

    EXPECT_EQ(target.autoRedraw, true);
    ASSERT_EQ(target.bands.size(), 95u);
    for (size_t i = 0; i < target.bands.size(); ++i) {
        const Band &b = target.bands[i];
        const int y = int(i) * 97;
        EXPECT_EQ(b.flags, 38);
        EXPECT_EQ(b.x1, -1);
        EXPECT_EQ(b.y1, y - 1) << "band " << i;
        EXPECT_EQ(b.x2, 7680);
        EXPECT_EQ(b.y2, y + 97) << "band " << i;
    }
    EXPECT_EQ(target.bands[0].color, rgb(103, 68, 14));
    EXPECT_EQ(target.bands[1].color, rgb(103, 68, 15)); // blue has passed 14.5
    EXPECT_EQ(target.bands[2].color, rgb(102, 68, 15)); // red has fallen below 102.5
    EXPECT_EQ(target.bands.back().color, rgb(62, 62, 62));
}

struct DivisorCase
{
    std::int16_t given;
    std::int16_t used;
};

class GradientDivisors : public testing::TestWithParam<DivisorCase>
{
};

TEST_P(GradientDivisors, areClampedToOneToTwentyAndWrittenBack)
{
    const DivisorCase c = GetParam();
    fakes::LayoutWindow target;
    Gradient g;
    g.moreR = c.given;
    g.moreG = c.given;
    g.moreB = c.given;
    g.paint(target);

    EXPECT_EQ(g.moreR, c.used);
    EXPECT_EQ(g.moreG, c.used);
    EXPECT_EQ(g.moreB, c.used);
    ASSERT_FALSE(target.bands.empty());
    EXPECT_EQ(target.bands[0].color, rgb(103 / c.used, 68 / c.used, 14 / c.used));
}

INSTANTIATE_TEST_SUITE_P(, GradientDivisors,
                         testing::Values(DivisorCase { 0, 1 }, DivisorCase { -5, 1 },
                                         DivisorCase { -32768, 1 }, DivisorCase { 1, 1 },
                                         DivisorCase { 2, 2 }, DivisorCase { 19, 19 },
                                         DivisorCase { 20, 20 }, DivisorCase { 21, 20 },
                                         DivisorCase { 32767, 20 }));

struct FirstBandCase
{
    const char *name;
    Gradient given;
    std::int32_t color;
    std::array<std::int16_t, 3> written { 1, 1, 1 }; // the divisors written back
};

void PrintTo(const FirstBandCase &c, std::ostream *os)
{
    *os << c.name;
}

class GradientFirstBand : public testing::TestWithParam<FirstBandCase>
{
};

TEST_P(GradientFirstBand, takesTheStartLevelsHeldToAColourAndDividedByTheClampedDivisors)
{
    const FirstBandCase &c = GetParam();
    fakes::LayoutWindow target;
    Gradient g = c.given;
    g.paint(target);
    ASSERT_FALSE(target.bands.empty());
    EXPECT_EQ(target.bands[0].color, c.color);
    EXPECT_EQ((std::array { g.moreR, g.moreG, g.moreB }), c.written);
}

INSTANTIATE_TEST_SUITE_P(, GradientFirstBand,
                         testing::Values(FirstBandCase { "EachDivisorClampedOnItsOwn",
                                                         { .moreR = 0, .moreG = 2, .moreB = 25 },
                                                         rgb(103, 34, 0),
                                                         { 1, 2, 20 } },
                                         FirstBandCase { "HalvedByDivisorsOfTwo",
                                                         { .moreR = 2, .moreG = 2, .moreB = 2 },
                                                         rgb(51, 34, 7),
                                                         { 2, 2, 2 } },
                                         FirstBandCase {
                                             "LevelsHeldWithinWhatAColourCanTake",
                                             { .red = 300, .green = -20, .blue = 300, .stop = 300 },
                                             rgb(255, 0, 255) }),
                         [](const auto &row) { return std::string(row.param.name); });

TEST(Gradient, leavesGapsBetweenBandsWithModLineTwo)
{
    fakes::LayoutWindow target;
    Gradient g;
    g.modLine = 2;
    g.paint(target);
    ASSERT_EQ(target.bands.size(), 95u);
    EXPECT_EQ(target.bands[0].y1, -1);
    EXPECT_EQ(target.bands[0].y2, 48);
    EXPECT_EQ(target.bands[1].y1, 96);
    EXPECT_EQ(target.bands[1].y2, 145);
}

TEST(Gradient, drawsNothingWithModLineZeroAndStillReturns)
{
    fakes::LayoutWindow target;
    Gradient g;
    g.modLine = 0;
    g.paint(target);
    EXPECT_TRUE(target.bands.empty());
    EXPECT_EQ(target.autoRedraw, true);
}

TEST(Gradient, roundsChannelLevelsHalvesToEven)
{
    // A step of half a unit per band: the red levels are 14, 14.5, 15, 15.5.
    fakes::LayoutWindow target;
    target.scaleHeight = 2;
    Gradient g;
    g.red = 14;
    g.stop = 15;
    g.pitch = 1;
    g.stopLine = 3;
    g.paint(target);
    ASSERT_EQ(target.bands.size(), 4u);
    std::vector<int> reds;
    for (const Band &b : target.bands)
        reds.push_back(b.color & 0xff);
    EXPECT_EQ(reds, (std::vector<int> { 14, 14, 15, 16 }));
}

struct AutoRedrawCase
{
    std::int16_t given;
    std::optional<bool> set;
};

class GradientAutoRedraw : public testing::TestWithParam<AutoRedrawCase>
{
};

TEST_P(GradientAutoRedraw, isSwitchedEvenWhenNoBandIsDrawn)
{
    fakes::LayoutWindow target;
    Gradient g;
    g.autoRedraw = GetParam().given;
    g.startLine = 500; // above the stop line with a positive pitch: no band
    g.stopLine = 400;
    g.paint(target);
    EXPECT_TRUE(target.bands.empty());
    EXPECT_EQ(target.autoRedraw, GetParam().set);
}

INSTANTIATE_TEST_SUITE_P(, GradientAutoRedraw,
                         testing::Values(AutoRedrawCase { -1, true }, AutoRedrawCase { 0, false },
                                         AutoRedrawCase { 1, std::nullopt },
                                         AutoRedrawCase { -2, std::nullopt }));

TEST(Gradient, paintsUpwardsWithANegativePitch)
{
    fakes::LayoutWindow target;
    Gradient g;
    g.pitch = -97;
    g.startLine = 300;
    g.stopLine = 100;
    g.paint(target);
    EXPECT_EQ(positions(target.bands), (std::vector<int> { 300, 203, 106 }));
    EXPECT_EQ(target.bands[0].y2, 300 - 97);
    EXPECT_EQ(target.bands[0].color, rgb(103, 68, 14));
    // The levels move away from the grey: the pitch's sign is in the step.
    EXPECT_EQ(target.bands[1].color & 0xff, 103); // 103.435 still rounds to 103
    EXPECT_EQ(target.bands[2].color & 0xff, 104);
}

TEST(Gradient, endsQuietlyWhereTheBandPositionLeavesSixteenBits)
{
    fakes::LayoutWindow target;
    Gradient g;
    g.stopLine = 32767;
    g.paint(target);
    // 337 x 97 = 32689 would reach 32786 below: that band cannot be formed, and the next
    // position would pass 32767.
    ASSERT_EQ(target.bands.size(), 337u);
    EXPECT_EQ(target.bands.back().y1 + 1, 336 * 97);
    EXPECT_EQ(target.bands.back().y2, 32689);
}

struct SizeCase
{
    double scaleWidth;
    int x2;
};

class GradientWidth : public testing::TestWithParam<SizeCase>
{
};

TEST_P(GradientWidth, spansTheTargetWidthWhenItFitsSixteenBits)
{
    fakes::LayoutWindow target;
    target.scaleWidth = GetParam().scaleWidth;
    Gradient g;
    g.paint(target);
    ASSERT_EQ(target.bands.size(), 95u);
    for (const Band &b : target.bands)
        EXPECT_EQ(b.x2, GetParam().x2);
}

INSTANTIATE_TEST_SUITE_P(, GradientWidth,
                         testing::Values(SizeCase { 7680, 7680 }, SizeCase { 32767.49, 32767 },
                                         SizeCase { 32767.5, 0 }, SizeCase { 40000, 0 },
                                         SizeCase { 7680.5, 7680 }, SizeCase { 7681.5, 7682 }));

TEST(Gradient, drawsOnlyTheFirstBandOnATargetOfNoHeight)
{
    fakes::LayoutWindow target;
    target.scaleHeight = 0;
    Gradient g;
    g.stopLine = 970;
    g.paint(target);
    // The steps are infinite: every later level stops being a number that a colour can take.
    ASSERT_EQ(target.bands.size(), 1u);
    EXPECT_EQ(target.bands[0].color, rgb(103, 68, 14));
}

TEST(Gradient, keepsAChannelAtItsStartWhenItsStepOverflows)
{
    fakes::LayoutWindow target;
    Gradient g;
    g.red = 200;
    g.stop = -200; // red: -400 x 97 leaves the 16-bit range; green: -268 x 97 does not
    g.paint(target);
    ASSERT_EQ(target.bands.size(), 95u);
    for (const Band &b : target.bands)
        EXPECT_EQ(b.color & 0xff, 200);
    EXPECT_NE(target.bands.back().color >> 8 & 0xff, 68); // green still moves
}

TEST(Gradient, skipsARefusedBandAndKeepsTheColoursOfTheNext)
{
    fakes::LayoutWindow target;
    target.refuse = [](const Band &b) { return b.y1 == 96; };
    Gradient g;
    g.paint(target);
    ASSERT_EQ(target.bands.size(), 94u);
    EXPECT_EQ(target.bands[1].y1, 193);
    EXPECT_EQ(target.bands[1].color, rgb(102, 68, 15));
    EXPECT_EQ(target.bands.back().color, rgb(62, 62, 62));
}

enum class Lacking { AutoRedraw, ScaleHeight, ScaleWidth, Line };

class GradientTargetLacking : public testing::TestWithParam<Lacking>
{
};

TEST_P(GradientTargetLacking, failsOnlyTheStepThatNeedsTheOperation)
{
    fakes::LayoutWindow target;
    target.lacksAutoRedraw = GetParam() == Lacking::AutoRedraw;
    target.lacksScaleHeight = GetParam() == Lacking::ScaleHeight;
    target.lacksScaleWidth = GetParam() == Lacking::ScaleWidth;
    target.lacksLine = GetParam() == Lacking::Line;
    Gradient g;
    g.moreR = 0;
    ASSERT_NO_THROW(g.paint(target));
    EXPECT_EQ(g.moreR, 1);

    switch (GetParam()) {
    case Lacking::AutoRedraw:
        EXPECT_FALSE(target.autoRedraw.has_value());
        EXPECT_EQ(target.bands.size(), 95u);
        break;
    case Lacking::ScaleHeight: // the height stays 0
        EXPECT_EQ(target.bands.size(), 1u);
        break;
    case Lacking::ScaleWidth: // the width stays 0
        ASSERT_EQ(target.bands.size(), 95u);
        EXPECT_EQ(target.bands[0].x2, 0);
        break;
    case Lacking::Line:
        EXPECT_TRUE(target.bands.empty());
        EXPECT_EQ(target.autoRedraw, true);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(, GradientTargetLacking,
                         testing::Values(Lacking::AutoRedraw, Lacking::ScaleHeight,
                                         Lacking::ScaleWidth, Lacking::Line));

TEST(Gradient, baseTargetLacksEveryOperation)
{
    layout::GradientTarget bare;
    try {
        bare.Line(38, 0, 0, 1, 1, 0);
        FAIL() << "no error";
    } catch (const runtime::RuntimeError &e) {
        EXPECT_EQ(e.number(), runtime::err::kObjectLacksOperation);
    }
    Gradient g;
    EXPECT_NO_THROW(g.paint(bare));
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The progress bar: its width for the worked cases, what the box shows, and the bar as the
// assembly and a drop fill it.

#include "pictures.h"
#include "window.h"

#include "strip/progress.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr float kW = 6255; // the design's box width, twips

// Black pixels along the middle row of the box's drawing.
int blackColumns(const runtime::PictureBox &box)
{
    const QImage &image = box.Image();
    const int y = image.height() / 2;
    int black = 0;
    for (int x = 0; x < image.width(); ++x)
        black += image.pixelColor(x, y) == Qt::black ? 1 : 0;
    return black;
}

// Pixels a bar of `twips` covers inside the box's drawing area.
int expectedColumns(const runtime::PictureBox &box, double twips)
{
    const double px
        = std::clamp(twips / double(runtime::kTwipsPerPixel), 0.0, double(box.Image().width()));
    return int(std::lround(px));
}

struct Case
{
    double value, max, width;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.value << " of " << c.max;
}

} // namespace

class ProgressWidth : public ::testing::TestWithParam<Case>
{
};

TEST_P(ProgressWidth, isValueTimesBoxWidthOverMax)
{
    const Case c = GetParam();
    EXPECT_FLOAT_EQ(strip::Progress::barWidth(c.value, c.max, kW), float(c.width));
}

INSTANTIATE_TEST_SUITE_P(WorkedCases, ProgressWidth,
                         ::testing::Values(Case { 0, 0, kW }, // one file: full
                                           Case { 0, 2, 0 }, Case { 1, 2, kW / 2 },
                                           Case { 2, 2, kW }, // three
                                           Case { 1, 4, kW / 4 }, Case { 2, 4, kW / 2 },
                                           Case { 3, 4, 3 * kW / 4 },
                                           Case { 4, 4, kW }, // a four-file drop
                                           Case { 5, 2, 2.5 * double(kW) }, // past the end
                                           Case { 1, -1, -kW })); // negative max

TEST(ProgressBar, drawsFromScratchAndClipsToTheBox)
{
    QWidget parent;
    runtime::PictureBox progreso(&parent);
    progreso.Move(120, 7800, kW, 255);
    progreso.setAutoRedraw(true);
    strip::Progress bar(progreso);
    const int inner = progreso.Image().width();
    ASSERT_EQ(inner, int(kW / 15) - 4);

    bar.progress(1, 2);
    EXPECT_NEAR(blackColumns(progreso), expectedColumns(progreso, kW / 2), 1);
    bar.progress(5, 2); // wider than the box: looks full
    EXPECT_EQ(blackColumns(progreso), inner);
    bar.progress(0, 2); // cleared first: nothing of the full bar stays
    EXPECT_EQ(blackColumns(progreso), 0);
    bar.progress(1, -1); // lies left of the box: looks empty
    EXPECT_EQ(blackColumns(progreso), 0);
    bar.progress(0, 0);
    EXPECT_EQ(blackColumns(progreso), inner);
    // The bar covers the box's whole height.
    EXPECT_EQ(progreso.Image().pixelColor(0, 0), Qt::black);
    EXPECT_EQ(progreso.Image().pixelColor(0, progreso.Image().height() - 1), Qt::black);
}

class ProgressInWindow : public ::testing::Test
{
protected:
    QStringList pictureFiles(int count)
    {
        QStringList files;
        for (int i = 0; i < count; ++i) {
            files.append(dir.filePath(u"p%1.gif"_s.arg(i)));
            EXPECT_TRUE(pictures::write(pictures::solid(4, 4, Qt::blue), files.last(), "GIF"));
        }
        return files;
    }
    // Records the bar each time the running loop yields, which is after each report.
    void recordBarAtEachYield(int yields)
    {
        for (int n = 1; n <= yields; ++n)
            s.events.actions[n] = [this] { bars.push_back(blackColumns(*form.progreso)); };
    }
    int columns(double fraction) const
    {
        return expectedColumns(*form.progreso, fraction * double(form.progreso->Width()));
    }

    fakes::Services s;
    app::Form1 form { fakes::appServices(s) };
    QTemporaryDir dir;
    std::vector<int> bars;
};

TEST_F(ProgressInWindow, assemblyOfThreeFilesFillsNoneHalfThenAll)
{
    for (const QString &file : pictureFiles(3))
        form.List1->AddItem(file);
    recordBarAtEachYield(3);
    form.Command2->click();
    bars.push_back(blackColumns(*form.progreso));
    ASSERT_TRUE(s.boxes.shown.empty());
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_EQ(bars[1], 0);
    EXPECT_NEAR(bars[2], columns(0.5), 1);
    EXPECT_EQ(bars[3], form.progreso->Image().width());
}

TEST_F(ProgressInWindow, assemblyOfOneFileEndsFull)
{
    form.List1->AddItem(pictureFiles(1).first());
    form.Command2->click();
    EXPECT_EQ(blackColumns(*form.progreso), form.progreso->Image().width());
}

TEST_F(ProgressInWindow, dropOfFourFilesFillsInQuarters)
{
    recordBarAtEachYield(4);
    form.List1_OLEDragDrop(runtime::DataObject { pictureFiles(4) });
    bars.push_back(blackColumns(*form.progreso));
    ASSERT_EQ(bars.size(), 5u);
    for (int k = 1; k <= 3; ++k)
        EXPECT_NEAR(bars[size_t(k)], columns(k / 4.0), 1) << "after file " << k;
    EXPECT_EQ(bars[4], form.progreso->Image().width());
    EXPECT_EQ(form.List1->ListCount(), 4);
}

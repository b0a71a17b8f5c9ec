// SPDX-License-Identifier: GPL-3.0-or-later
#include "files.h"
#include "pictures.h"

#include "engine/compose.h"
#include "engine/decode.h"
#include "engine/stretch.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Kind
{
    const char *format;
    const char *suffix;
};

class DecodeFrame : public ::testing::TestWithParam<Kind>
{
protected:
    QTemporaryDir dir;
};

} // namespace

TEST_P(DecodeFrame, givesExactlyTheFrameSizeWhetherShrinkingOrGrowing)
{
    const Kind kind = GetParam();
    for (const QSize source : { QSize(640, 480), QSize(3, 7) }) {
        QImage image = pictures::solid(source.width(), source.height(), QColor(200, 40, 40));
        const QString path = dir.filePath(u"p."_s + QLatin1String(kind.suffix));
        ASSERT_TRUE(pictures::write(image, path, kind.format));
        QString reason;
        EXPECT_EQ(engine::probe(path, &reason), source);
        const QImage frame = engine::decodeFrame(path, QSize(320, 200), &reason);
        ASSERT_FALSE(frame.isNull()) << qPrintable(reason);
        EXPECT_EQ(frame.size(), QSize(320, 200));
        const QColor c = frame.pixelColor(319, 199);
        EXPECT_NEAR(c.red(), 200, 6);
        EXPECT_NEAR(c.green(), 40, 6);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryInputKind, DecodeFrame,
                         ::testing::Values(Kind { "BMP", "bmp" }, Kind { "JPG", "jpg" },
                                           Kind { "GIF", "gif" }),
                         [](const auto &row) { return std::string(row.param.suffix); });

TEST(DecodeFailures, nameTheReasonForFilesThatAreNotPicturesOfTheThreeKinds)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(u"words.bmp"_s);
    files::writeAll(text, "BM but nothing more");
    const QString ppm = dir.filePath(u"p.ppm"_s); // a picture, but not of a kind we read
    ASSERT_TRUE(pictures::solid(4, 4, Qt::red).save(ppm, "PPM"));
    for (const QString &path : { text, ppm, dir.filePath(u"none.jpg"_s) }) {
        QString reason;
        EXPECT_FALSE(engine::probe(path, &reason).isValid()) << qPrintable(path);
        EXPECT_FALSE(reason.isEmpty());
        reason.clear();
        EXPECT_TRUE(engine::decodeFrame(path, QSize(8, 8), &reason).isNull());
        EXPECT_FALSE(reason.isEmpty());
    }
}

TEST(Stretching, averagesAreasWhenShrinking)
{
    QImage stripes(4, 1, QImage::Format_RGB32);
    for (int x = 0; x < 4; ++x)
        stripes.setPixel(x, 0, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QImage half = engine::stretch(stripes, QSize(2, 1));
    EXPECT_NEAR(qRed(half.pixel(0, 0)), 128, 2);
    EXPECT_NEAR(qRed(half.pixel(1, 0)), 128, 2);
}

TEST(Placing, clipsToTheStripAndKeepsWhatTransparentPixelsCover)
{
    QImage strip(4, 4, QImage::Format_RGB888);
    strip.fill(Qt::green);
    QImage frame(3, 3, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::red);
    frame.setPixel(0, 0, qRgba(0, 0, 0, 0));
    engine::place(strip, frame, QPoint(2, 2));
    EXPECT_EQ(strip.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(strip.pixelColor(2, 2), QColor(Qt::green)); // transparent corner
    EXPECT_EQ(strip.pixelColor(3, 3), QColor(Qt::red));
    QImage opaque = pictures::solid(3, 3, Qt::blue);
    engine::place(strip, opaque, QPoint(-1, -1));
    EXPECT_EQ(strip.pixelColor(1, 1), QColor(Qt::blue));
    EXPECT_EQ(strip.pixelColor(2, 2), QColor(Qt::green));
}

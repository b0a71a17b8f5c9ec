// SPDX-License-Identifier: GPL-3.0-or-later
// The in-place BMP writer: headers, row offsets and padding, in any writing order, atomically.

#include "files.h"
#include "scratch_fs.h"

#include "engine/bmp.h"
#include "engine/strip_writer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

using files::readAll;

using files::u16;
using files::u32;

// Frame i filled with a colour made from i, one distinct colour per row inside it.
QImage frame(int i, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(10 + i * 50, 100 + y, 200 - x));
    return image;
}

struct Layout
{
    int frames;
    QSize frame;
};

class BmpWriterLayout : public ::testing::TestWithParam<Layout>
{
};

TEST_P(BmpWriterLayout, headersAndEveryRowSitWhereTheFormatSays)
{
    const auto [frames, size] = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"strip.bmp"_s);
    engine::BmpWriter writer;
    QString reason;
    ASSERT_TRUE(writer.open(path, QSize(size.width(), frames * size.height()), &reason));
    for (int i = frames - 1; i >= 0; --i) // any order: last frame first
        ASSERT_TRUE(writer.writeRows(i * size.height(), frame(i, size), &reason));
    ASSERT_TRUE(writer.commit(&reason)) << qPrintable(reason);

    const QByteArray bmp = readAll(path);
    const int stride = (size.width() * 3 + 3) / 4 * 4;
    const int height = frames * size.height();
    ASSERT_EQ(bmp.size(), 54 + stride * height);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(bmp, 2), quint32(bmp.size()));
    EXPECT_EQ(u32(bmp, 10), 54u);
    EXPECT_EQ(u32(bmp, 14), 40u);
    EXPECT_EQ(qint32(u32(bmp, 18)), size.width());
    EXPECT_EQ(qint32(u32(bmp, 22)), height); // positive: bottom-up
    EXPECT_EQ(u16(bmp, 26), 1);
    EXPECT_EQ(u16(bmp, 28), 24);
    EXPECT_EQ(u32(bmp, 30), 0u);
    EXPECT_EQ(u32(bmp, 34), quint32(stride * height));
    for (int row = 0; row < height; ++row) {
        const int i = row / size.height(), y = row % size.height();
        const int offset = 54 + (height - 1 - row) * stride;
        for (int x = 0; x < size.width(); ++x) {
            const auto *p = reinterpret_cast<const uchar *>(bmp.constData() + offset + 3 * x);
            ASSERT_EQ(qRgb(p[2], p[1], p[0]), frame(i, size).pixel(x, y))
                << "row " << row << " x " << x;
        }
        for (int pad = size.width() * 3; pad < stride; ++pad)
            ASSERT_EQ(bmp[offset + pad], '\0');
    }
    // Qt reads it back as the same picture.
    const QImage back(path);
    ASSERT_EQ(back.size(), QSize(size.width(), height));
    EXPECT_EQ(back.pixel(size.width() - 1, height - 1),
              frame(frames - 1, size).pixel(size.width() - 1, size.height() - 1));
}

INSTANTIATE_TEST_SUITE_P(Counts, BmpWriterLayout,
                         ::testing::Values(Layout { 1, QSize(4, 3) }, Layout { 2, QSize(8, 5) },
                                           Layout { 3, QSize(5, 2) }, // 15-byte rows: 1 pad
                                           Layout { 2, QSize(7, 3) })); // 21-byte rows: 3 pad

TEST(BmpWriter, unfinishedOrCancelledFileLeavesTheOldOneWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"strip.bmp"_s);
    files::writeAll(path, "old");
    QString reason;
    {
        engine::BmpWriter writer;
        ASSERT_TRUE(writer.open(path, QSize(4, 4), &reason));
        ASSERT_TRUE(writer.writeRows(0, frame(0, QSize(4, 2)), &reason));
    } // destroyed without commit
    EXPECT_EQ(readAll(path), QByteArray("old"));
    engine::BmpWriter writer;
    ASSERT_TRUE(writer.open(path, QSize(4, 4), &reason));
    writer.cancel();
    EXPECT_EQ(readAll(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList { u"strip.bmp"_s });
}

// A picture of more rows than the writer packs on one thread, every pixel told apart.
QImage largePicture(QImage::Format format)
{
    QImage image(1001, 6000, format); // 3,003-byte rows: one padding byte; 18 MB in all
    for (int y = 0; y < image.height(); ++y) {
        uchar *row = image.scanLine(y);
        for (qsizetype b = 0; b < image.bytesPerLine(); ++b)
            row[b] = uchar(y * 7 + b * 13);
    }
    return image;
}

class LargeImages : public ::testing::TestWithParam<QImage::Format>
{
};

// Saving a whole strip packs it on several threads; the file is the one that writing it a band
// at a time on one thread gives.
TEST_P(LargeImages, areWrittenAsTheSameBytesAsFrameByFrame)
{
    const QImage image = largePicture(GetParam());
    QTemporaryDir dir;
    QString reason;
    ASSERT_TRUE(
        engine::saveStrip(image, dir.filePath(u"whole.bmp"_s), engine::StripFormat::Bmp, &reason))
        << qPrintable(reason);
    engine::BmpWriter writer;
    ASSERT_TRUE(writer.open(dir.filePath(u"frames.bmp"_s), image.size(), &reason));
    for (int top = 0; top < image.height(); top += 500)
        ASSERT_TRUE(writer.writeRows(top, image.copy(0, top, image.width(), 500), &reason));
    ASSERT_TRUE(writer.commit(&reason));
    const QByteArray whole = readAll(dir.filePath(u"whole.bmp"_s));
    ASSERT_EQ(whole.size(), 54 + 3004 * 6000);
    EXPECT_TRUE(whole == readAll(dir.filePath(u"frames.bmp"_s)));
}

INSTANTIATE_TEST_SUITE_P(Formats, LargeImages,
                         ::testing::Values(QImage::Format_RGB32, QImage::Format_RGB888));

TEST(BmpWriter, aDiskFillingWhileBandsAreWrittenKeepsItsReasonAndLeavesNothing)
{
    scratch::SmallFs fs(256);
    if (!fs.available())
        GTEST_SKIP() << "no small filesystem to fill: " << fs.why().toStdString();
    QString reason;
    EXPECT_FALSE(engine::saveStrip(largePicture(QImage::Format_RGB32), fs.filePath(u"strip.bmp"_s),
                                   engine::StripFormat::Bmp, &reason));
    EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_EQ(QDir(fs.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

} // namespace

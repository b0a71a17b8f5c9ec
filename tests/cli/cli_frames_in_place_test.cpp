// SPDX-License-Identifier: GPL-3.0-or-later
// framolin-strip's workers write a one-column BMP's frames themselves, each at its place in the
// file: the pixels must equal those of a PNG strip (written in order by one writer) for every
// kind of picture and frame size, and a failure part-way must still leave the old file.

#include "run_cli.h"

#include "files.h"
#include "pictures.h"
#include "scratch_fs.h"

#include "engine/bmp.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

using clitest::Result;
using clitest::runCli;

using files::readAll;

using pictures::pattern;

class FramesInPlace : public ::testing::Test
{
protected:
    // Every kind whose decode takes its own way: JPEG at a DCT scale giving the frame exactly
    // (160 × 120 for 80 × 60) or not, grey, CMYK, progressive, see-through PNG and GIF, BMP.
    QStringList inputs()
    {
        pictures::Folder folder(m_dir.path());
        folder.add(u"exact.jpg"_s, pattern(160, 120, 1), "JPG");
        folder.add(u"odd.jpg"_s, pattern(171, 97, 2), "JPG");
        folder.add(u"grey.jpg"_s, pattern(90, 70, 3).convertToFormat(QImage::Format_Grayscale8),
                   "JPG");
        folder.addExisting(QStringLiteral(FRAMOLIN_TEST_DATA "/cmyk.jpg"));
        folder.addProgressiveJpeg(u"progressive.jpg"_s, pattern(200, 150, 4));
        QImage holed = pattern(40, 30, 5).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 20; ++x)
                holed.setPixel(x, y, qRgba(0, 0, 0, x * 12));
        folder.add(u"holed.png"_s, holed, "PNG");
        QImage gif = pattern(30, 20, 6);
        QPainter(&gif).fillRect(5, 5, 10, 8, Qt::magenta);
        folder.add(u"see-through.gif"_s, gif, "GIF", Qt::magenta);
        folder.add(u"small.bmp"_s, pattern(7, 5, 7), "BMP");
        return folder.paths();
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(FramesInPlace, bmpFromAnyNumberOfWorkersHoldsThePngStripsPixels)
{
    // Each picture kind three times, so two workers interleave over every kind.
    const QStringList kinds = inputs();
    const QStringList files = kinds + kinds + kinds;
    const QSize frames[] { { 80, 60 }, { 33, 21 }, { 17, 9 }, { 1, 1 } };
    for (const QSize frame : frames) {
        const QStringList size { u"-W"_s, QString::number(frame.width()), u"-H"_s,
                                 QString::number(frame.height()) };
        ASSERT_EQ(runCli(size + QStringList { u"-o"_s, path(u"strip.png"_s) } + files).status, 0);
        const QImage png = QImage(path(u"strip.png"_s)).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(png.size(), QSize(frame.width(), frame.height() * int(files.size())));
        for (const char *jobs : { "1", "2", "5" }) {
            const QString bmp = path(u"strip-%1.bmp"_s.arg(QLatin1String(jobs)));
            const Result result
                = runCli(size + QStringList { u"-j"_s, QLatin1String(jobs), u"-o"_s, bmp } + files);
            ASSERT_EQ(result.status, 0) << qPrintable(result.err);
            EXPECT_EQ(QFileInfo(bmp).size(),
                      engine::kBmpHeaderBytes + engine::bmpRowStride(frame.width()) * png.height())
                << frame.width() << " jobs " << jobs;
            EXPECT_EQ(QImage(bmp).convertToFormat(QImage::Format_RGB32), png)
                << frame.width() << " × " << frame.height() << ", jobs " << jobs;
        }
        EXPECT_EQ(readAll(path(u"strip-1.bmp"_s)), readAll(path(u"strip-5.bmp"_s)));
    }
}

TEST_F(FramesInPlace, aBadPictureAfterFramesAlreadyWrittenLeavesTheOldStrip)
{
    const QStringList kinds = inputs();
    QStringList before, after;
    for (int i = 0; i < 4; ++i) {
        before += kinds;
        after += kinds;
    }
    const QString garbage = path(u"garbage.jpg"_s);
    ASSERT_TRUE(pictures::writeBytes(garbage, QByteArray("\xFF\xD8\xFF no picture here")));
    const QString output = path(u"strip.bmp"_s);
    const QByteArray old("the previous strip");
    ASSERT_TRUE(pictures::writeBytes(output, old));
    for (const char *jobs : { "1", "2", "4" }) {
        const Result result = runCli(QStringList { u"-W"_s, u"40"_s, u"-H"_s, u"30"_s, u"-j"_s,
                                                   QLatin1String(jobs), u"-o"_s, output }
                                     + before + QStringList { garbage } + after);
        EXPECT_EQ(result.status, 1) << jobs;
        EXPECT_TRUE(
            result.err.startsWith(u"framolin-strip: %1: datos de imagen dañados"_s.arg(garbage)))
            << qPrintable(result.err);
        EXPECT_EQ(readAll(output), old) << jobs;
        EXPECT_EQ(QDir(m_dir.path()).entryList({ u"strip.bmp.*"_s }, QDir::Files | QDir::Hidden),
                  QStringList())
            << jobs;
    }
}

TEST_F(FramesInPlace, aDiskFillingUnderSeveralWorkersIsReportedWithItsReason)
{
    scratch::SmallFs fs(256);
    if (!fs.available())
        GTEST_SKIP() << "no small filesystem to fill: " << fs.why().toStdString();
    const QStringList kinds = inputs();
    QStringList files;
    for (int i = 0; i < 8; ++i)
        files += kinds;
    const QString output = fs.filePath(u"strip.bmp"_s);
    // 64 frames of 60 × 40 need 450 KiB.
    const Result result = runCli(
        QStringList { u"-W"_s, u"60"_s, u"-H"_s, u"40"_s, u"-j"_s, u"2"_s, u"-o"_s, output }
        + files);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(
        result.err,
        u"framolin-strip: %1: %2\n"_s.arg(output, QString::fromLocal8Bit(std::strerror(ENOSPC))));
    EXPECT_EQ(QDir(fs.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Loops read back by ffprobe and Qt as players read them, and --max-bytes on a loop.

#include "run_cli.h"

#include "files.h"
#include "pictures.h"

#include <QImageReader>
#include <QLocale>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Six different frames, so every frame of a loop is a frame of its own.
QStringList sixFrames(const QTemporaryDir &dir)
{
    pictures::Folder frames(dir.path());
    for (int i = 0; i < 6; ++i)
        frames.add(u"f%1.png"_s.arg(i), pictures::pattern(96, 60, i), "PNG");
    return frames.paths();
}

// "width=320\nheight=200\nnb_read_frames=6\nduration=0.5" of the file's video.
QString probe(const QString &path)
{
    QProcess ffprobe;
    ffprobe.start(u"ffprobe"_s,
                  { u"-v"_s, u"error"_s, u"-count_frames"_s, u"-select_streams"_s, u"v:0"_s,
                    u"-show_entries"_s, u"stream=width,height,nb_read_frames:format=duration"_s,
                    u"-of"_s, u"default=nw=1"_s, path });
    ffprobe.waitForFinished();
    return QString::fromUtf8(ffprobe.readAllStandardOutput()).trimmed();
}

TEST(Loops, playForeverWithEveryFrameAtItsSizeForFramesOverFps)
{
    QTemporaryDir dir;
    const QStringList frames = sixFrames(dir);
    struct Row
    {
        QString name;
        QStringList options;
        QSize picture; // odd sides cropped by one pixel for video
        int milliseconds; // six frames at the rate asked
    } rows[] {
        { u"t.gif"_s, {}, { 321, 201 }, 500 },
        { u"t.mp4"_s, { u"--fps"_s, u"10"_s }, { 320, 200 }, 600 },
        { u"t.webm"_s, {}, { 320, 200 }, 500 },
        { u"t.webp"_s, { u"--animate"_s, u"--fps"_s, u"8"_s }, { 321, 201 }, 750 },
    };
    const bool ffprobe = !QStandardPaths::findExecutable(u"ffprobe"_s).isEmpty();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        const QString path = dir.filePath(row.name);
        const auto result = clitest::runCli(QStringList { u"-s"_s, u"321x201"_s, u"-o"_s, path }
                                                + row.options + frames,
                                            cli::Language::English);
        ASSERT_EQ(result.status, 0) << qPrintable(result.err);
        // ffprobe of Debian 12 decodes no animated WebP; Qt reads GIF and WebP with their loops.
        if (ffprobe && !row.name.endsWith(u".webp"_s)) {
            EXPECT_EQ(probe(path),
                      u"width=%1\nheight=%2\nnb_read_frames=6\nduration=%3"_s.arg(
                          QString::number(row.picture.width()),
                          QString::number(row.picture.height()),
                          QString::number(row.milliseconds / 1000.0, 'f', 6)));
        }
        if (row.name.endsWith(u".mp4"_s) || row.name.endsWith(u".webm"_s))
            continue;
        QImageReader reader(path);
        EXPECT_EQ(reader.loopCount(), -1); // forever
        int count = 0, milliseconds = 0;
        for (QImage image; reader.read(&image); ++count) {
            EXPECT_EQ(image.size(), row.picture);
            milliseconds += reader.nextImageDelay();
        }
        EXPECT_EQ(count, 6);
        EXPECT_EQ(milliseconds, row.milliseconds);
    }
    if (!ffprobe)
        GTEST_SKIP() << "no ffprobe: the videos were only written";
}

TEST(Loops, maxBytesLowersQualityThenSizeOrWritesNothing)
{
    QTemporaryDir dir;
    const QStringList frames = sixFrames(dir);
    for (const QString &name : { u"t.gif"_s, u"t.mp4"_s }) {
        SCOPED_TRACE(name.toStdString());
        const QString path = dir.filePath(name);
        const auto run = [&](qint64 budget) {
            return clitest::runCli(QStringList { u"-s"_s, u"320x200"_s, u"-o"_s, path,
                                                 u"--max-bytes"_s, QString::number(budget) }
                                       + frames,
                                   cli::Language::English);
        };
        const qint64 whole = run(1 << 30).status == 0 ? QFileInfo(path).size() : 0;
        ASSERT_GT(whole, 0);
        const auto fitted = run(whole / 3);
        ASSERT_EQ(fitted.status, 0) << qPrintable(fitted.err);
        EXPECT_LE(QFileInfo(path).size(), whole / 3);
        EXPECT_TRUE(fitted.err.contains(
            u"--max-bytes %1: quality "_s.arg(QLocale(QLocale::English).toString(whole / 3))))
            << qPrintable(fitted.err);

        files::writeAll(path, "the old loop");
        const auto refused = run(100);
        EXPECT_EQ(refused.status, 1);
        EXPECT_TRUE(refused.err.contains(u"nothing was written"_s)) << qPrintable(refused.err);
        EXPECT_EQ(files::readAll(path), "the old loop");
    }
}

// Each frame of a GIF as Qt shows it (see-through pixels keep the frame before) against its
// picture: a still backdrop costs little after the first frame, and a turn of unlike pictures
// gets palettes of their own.
TEST(Loops, gifFramesShowTheirPicturesCheaplyWhereStillAndCloselyWhereUnlike)
{
    QTemporaryDir dir;
    pictures::Folder still(dir.path()), unlike(dir.path());
    QImage plane(160, 160, QImage::Format_RGB32);
    for (int i = 0; i < 6; ++i) {
        QImage backdrop = pictures::pattern(160, 160, 0);
        for (int y = 0; y < 160; ++y) {
            for (int x = 0; x < 160; ++x) {
                plane.setPixel(x, y, qRgb(x * 255 / 159, y * 255 / 159, i * 51));
                const int d = (x * 7 + y * 13 + i * 5) % 3 - 1; // a camera's noise, a level
                const QRgb c = backdrop.pixel(x, y);
                backdrop.setPixel(x, y, qRgb(qBound(0, qRed(c) + d, 255), qGreen(c), qBlue(c)));
            }
        }
        QPainter(&backdrop).fillRect(20 + i * 20, 70, 16, 16, Qt::red);
        still.add(u"still%1.png"_s.arg(i), backdrop, "PNG");
        unlike.add(u"unlike%1.png"_s.arg(i), plane, "PNG");
    }
    for (const pictures::Folder *frames : { &still, &unlike }) {
        const QString path = dir.filePath(u"t.gif"_s);
        const QStringList options { u"-s"_s, u"160x160"_s, u"-o"_s, path };
        ASSERT_EQ(clitest::runCli(options + frames->paths(), cli::Language::English).status, 0);
        QImageReader reader(path);
        QImage shown;
        for (int i = 0; reader.read(&shown); ++i) {
            const QImage a = shown.convertToFormat(QImage::Format_RGB888),
                         b = QImage(frames->paths()[i]).convertToFormat(QImage::Format_RGB888);
            double squares = 0; // rows of 480 bytes, so no padding
            for (qsizetype k = 0; k < a.sizeInBytes(); ++k)
                squares += std::pow(a.constBits()[k] - b.constBits()[k], 2);
            EXPECT_GT(10 * std::log10(255.0 * 255 * double(a.sizeInBytes()) / squares), 32) << i;
        }
        if (frames == &still) { // the first frame, then little
            const qint64 six = QFileInfo(path).size();
            ASSERT_EQ(clitest::runCli(options + still.paths().mid(0, 1)).status, 0);
            EXPECT_LT(six, 2 * QFileInfo(path).size());
        }
    }
}

} // namespace

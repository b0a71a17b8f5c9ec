// SPDX-License-Identifier: GPL-3.0-or-later
// Videos as inputs: their moments are the frames the ffmpeg command exports at them.

#include "run_cli.h"

#include "expected_picture.h"
#include "files.h"

#include "engine/video.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

bool ffmpeg(const QStringList &arguments)
{
    QProcess process;
    process.start(u"ffmpeg"_s, QStringList { u"-loglevel"_s, u"error"_s, u"-y"_s } + arguments);
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

// A 4-second clip of 25 frames a second and a key frame each second, its frame number drawn.
QString makeClip(const QTemporaryDir &dir, const QString &name, const QStringList &more = {})
{
    const QString path = dir.filePath(name);
    const QString source = u"testsrc2=size=96x64:rate=25:duration=4"_s;
    EXPECT_TRUE(ffmpeg(QStringList { u"-f"_s, u"lavfi"_s, u"-i"_s, source } + more
                       + QStringList { u"-c:v"_s, u"libx264"_s, u"-g"_s, u"25"_s, u"-pix_fmt"_s,
                                       u"yuv420p"_s, path }));
    return path;
}

struct Row
{
    const char *name;
    QStringList make; // ffmpeg options making the clip
    bool turned; // the rotation tag is added afterwards
    QStringList options;
    QList<double> moments;
};

void PrintTo(const Row &row, std::ostream *out)
{
    *out << row.name;
}

class VideoFrames : public testing::TestWithParam<Row>
{
};

TEST_P(VideoFrames, areThoseTheFfmpegCommandExportsAtTheirMoments)
{
    if (QStandardPaths::findExecutable(u"ffmpeg"_s).isEmpty())
        GTEST_SKIP() << "needs the ffmpeg command";
    const Row &row = GetParam();
    QTemporaryDir dir;
    // A real name holding "#t=" is still that file.
    QString clip = makeClip(dir, u"clip#t=2.mp4"_s, row.make);
    if (row.turned) {
        const QString turned = dir.filePath(u"turned.mov"_s);
        ASSERT_TRUE(ffmpeg(
            { u"-i"_s, clip, u"-c"_s, u"copy"_s, u"-metadata:s:v"_s, u"rotate=90"_s, turned }));
        clip = turned;
    }
    const QSize frame = row.turned ? QSize(64, 96) : QSize(96, 64);
    const QString strip = dir.filePath(u"strip.png"_s);
    QStringList arguments = row.options;
    arguments.replaceInStrings(u"CLIP"_s, clip);
    const auto result = clitest::runCli(
        arguments
        + QStringList { u"-q"_s, u"-s"_s, u"%1x%2"_s.arg(frame.width()).arg(frame.height()),
                        u"-o"_s, strip });
    ASSERT_EQ(result.status, 0) << qPrintable(result.err);
    const QImage made(strip);
    ASSERT_EQ(made.height(), frame.height() * row.moments.size());
    for (int i = 0; i < row.moments.size(); ++i) {
        const QString moment = engine::momentEntry(u""_s, row.moments.at(i)).mid(3);
        const QString exported = dir.filePath(u"at-%1.png"_s.arg(moment));
        ASSERT_TRUE(ffmpeg({ u"-ss"_s, moment, u"-i"_s, clip, u"-frames:v"_s, u"1"_s, exported }));
        EXPECT_TRUE(expected::matchesPicture(
            made.copy(0, i * frame.height(), frame.width(), frame.height()), exported,
            { 24, frame.width() * frame.height() / 20 }))
            << "moment " << qPrintable(moment);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clips, VideoFrames,
    testing::Values(Row { "spreadOverTheVideo",
                          {},
                          false,
                          { u"--frames"_s, u"5"_s, u"CLIP"_s },
                          { 0, 0.8, 1.6, 2.4, 3.2 } },
                    Row { "spreadOverTheTurn",
                          {},
                          false,
                          { u"--frames"_s, u"4"_s, u"--turn"_s, u"1.1..3.1"_s, u"CLIP"_s },
                          { 1.1, 1.6, 2.1, 2.6 } },
                    Row { "namedMoments",
                          {},
                          false,
                          { u"--frames"_s, u"1"_s, u"CLIP#t=1.3"_s, u"CLIP#t=0.02"_s, u"CLIP"_s },
                          { 1.3, 0.02, 0 } },
                    Row { "turnedByItsRotationTag",
                          {},
                          true,
                          { u"--frames"_s, u"3"_s, u"CLIP"_s },
                          { 0, 4.0 / 3, 8.0 / 3 } },
                    Row { "variableFrameRate",
                          { u"-vf"_s, u"select='lt(mod(n\\,7)\\,3)'"_s, u"-vsync"_s, u"vfr"_s },
                          false,
                          { u"--frames"_s, u"6"_s, u"--turn"_s, u"0..3.6"_s, u"CLIP"_s },
                          { 0, 0.6, 1.2, 1.8, 2.4, 3.0 } }),
    [](const auto &row) { return std::string(row.param.name); });

TEST(VideoInputs, manyMomentsGiveTheSameStripForAnyNumberOfJobs)
{
    if (QStandardPaths::findExecutable(u"ffmpeg"_s).isEmpty())
        GTEST_SKIP() << "needs the ffmpeg command";
    QTemporaryDir dir;
    const QString clip = makeClip(dir, u"clip.mp4"_s);
    QList<QByteArray> strips;
    for (const char *jobs : { "1", "4" }) {
        const QString strip = dir.filePath(u"strip-%1.bmp"_s.arg(QLatin1StringView(jobs)));
        ASSERT_EQ(clitest::runCli({ u"-q"_s, u"-j"_s, QString::fromLatin1(jobs), u"--frames"_s,
                                    u"40"_s, clip, u"-s"_s, u"48x32"_s, u"-o"_s, strip })
                      .status,
                  0);
        strips.append(files::readAll(strip));
    }
    EXPECT_EQ(strips.at(0), strips.at(1));
}

TEST(VideoInputs, unreadableOrShortVideoIsNamedAndNothingWritten)
{
    if (QStandardPaths::findExecutable(u"ffmpeg"_s).isEmpty())
        GTEST_SKIP() << "needs the ffmpeg command";
    QTemporaryDir dir;
    const QString clip = makeClip(dir, u"clip.mp4"_s);
    const QString cut = dir.filePath(u"cut.mp4"_s);
    files::writeAll(cut, files::readAll(clip).left(20000)); // its index is at the end
    const QString sound = dir.filePath(u"sound.mp4"_s);
    ASSERT_TRUE(ffmpeg({ u"-f"_s, u"lavfi"_s, u"-i"_s, u"sine=duration=1"_s, sound }));
    const QString strip = dir.filePath(u"strip.png"_s);
    const QList<QStringList> cases {
        { cut }, { sound }, { u"--turn"_s, u"1..5"_s, clip }, { clip + u"#t=3.99"_s }
    };
    for (const QStringList &inputs : cases) {
        const auto result = clitest::runCli(inputs + QStringList { u"-o"_s, strip });
        EXPECT_EQ(result.status, 1) << qPrintable(inputs.join(u' '));
        EXPECT_TRUE(result.err.contains(inputs.constLast())) << qPrintable(result.err);
        EXPECT_EQ(result.err.count(u'\n'), 1) << qPrintable(result.err);
        EXPECT_FALSE(QFile::exists(strip));
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Frame lists from the command line: natural order of folders, option and settings handling.

#include "inputs.h"
#include "language.h"
#include "options.h"
#include "progress_bar.h"
#include "sheets.h"

#include "files.h"

#include "engine/working_set.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

using files::touch;

TEST(Inputs, folderGivesItsPicturesInNaturalOrderAndFilesStayAsGiven)
{
    QTemporaryDir dir;
    for (const QString &name :
         { u"f10.jpg"_s, u"f2.GIF"_s, u"f1.bmp"_s, u"notes.txt"_s, u"f3.jpeg"_s })
        touch(dir.filePath(name));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"f4.jpg"_s)); // a folder is not a frame
    QStringList files;
    QString error;
    ASSERT_TRUE(cli::expandInputs({ dir.filePath(u"f10.jpg"_s), dir.path() }, &files, &error));
    const QStringList expected { dir.filePath(u"f10.jpg"_s), dir.filePath(u"f1.bmp"_s),
                                 dir.filePath(u"f2.GIF"_s), dir.filePath(u"f3.jpeg"_s),
                                 dir.filePath(u"f10.jpg"_s) };
    EXPECT_EQ(files, expected);
}

TEST(Inputs, folderGivesTodaysKindsTooAndLeavesDotFilesOut)
{
    QTemporaryDir dir;
    for (const QString &name : { u"p3.PNG"_s, u"p10.webp"_s, u"p1.tif"_s, u"p2.TIFF"_s,
                                 u".p0.png"_s, u"._p4.jpg"_s, u".hidden.webp"_s, u"p5.txt"_s })
        touch(dir.filePath(name));
    QStringList files;
    QString error;
    ASSERT_TRUE(cli::expandInputs({ dir.path() }, &files, &error)) << qPrintable(error);
    const QStringList expected { dir.filePath(u"p1.tif"_s), dir.filePath(u"p2.TIFF"_s),
                                 dir.filePath(u"p3.PNG"_s), dir.filePath(u"p10.webp"_s) };
    EXPECT_EQ(files, expected);
    // A dot-file named on the command line is taken: only the folder scan leaves them out.
    files.clear();
    ASSERT_TRUE(cli::expandInputs({ dir.filePath(u".p0.png"_s) }, &files, &error));
    EXPECT_EQ(files, QStringList { dir.filePath(u".p0.png"_s) });
}

TEST(Inputs, missingPathOrFolderWithoutPicturesIsNamed)
{
    const cli::Translation spanish(cli::Language::Spanish);
    QTemporaryDir dir;
    QStringList files;
    QString error;
    EXPECT_FALSE(cli::expandInputs({ dir.path() }, &files, &error));
    EXPECT_TRUE(error.startsWith(dir.path() + u": "_s)) << qPrintable(error);
    EXPECT_FALSE(cli::expandInputs({ dir.filePath(u"nope.jpg"_s) }, &files, &error));
    EXPECT_EQ(error, dir.filePath(u"nope.jpg"_s) + u": no existe"_s);
}

TEST(Options, frameSidesAreRoundedHalvesToEvenWithinLimits)
{
    struct Row
    {
        QString text;
        int side; // 0: refused
    };
    const Row rows[] { { u"320"_s, 320 }, { u" 200 "_s, 200 },   { u"2.5"_s, 2 },   { u"3.5"_s, 4 },
                       { u"0.4"_s, 0 },   { u"32767"_s, 32767 }, { u"32768"_s, 0 }, { u"abc"_s, 0 },
                       { u""_s, 0 },      { u"-5"_s, 0 } };
    for (const Row &row : rows) {
        int side = 0;
        QString error;
        EXPECT_EQ(cli::frameSide(row.text, u"ancho"_s, &side, &error), row.side != 0)
            << qPrintable(row.text);
        if (row.side != 0)
            EXPECT_EQ(side, row.side);
        else
            EXPECT_TRUE(error.contains(u"\"%1\""_s.arg(row.text))) << qPrintable(error);
    }
}

TEST(Options, savedSettingsGiveListOutputAndSizeAndOptionsBesideThemWin)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"Framolin.ini"_s);
    touch(dir.filePath(u"a.bmp"_s));
    touch(dir.filePath(u"b.bmp"_s));
    {
        QSettings s(ini, QSettings::IniFormat);
        s.setValue(u"InputFiles/InputFile0"_s, dir.filePath(u"a.bmp"_s));
        s.setValue(u"InputFiles/InputFile1"_s, dir.filePath(u"b.bmp"_s));
        s.setValue(u"InputFiles/InputFile2"_s, u"stale entry beyond the count"_s);
        s.setValue(u"InputFiles/InputFilesCount"_s, u"1"_s);
        s.setValue(u"OutputFile/OutputFilename"_s, dir.filePath(u"out.bmp"_s));
        s.setValue(u"ResizeValues/Width"_s, u"64"_s);
        s.setValue(u"ResizeValues/Height"_s, u"48"_s);
    }
    cli::Options options;
    QString error;
    ASSERT_TRUE(
        cli::parseArguments({ u"framolin-strip"_s, u"--from-settings"_s }, &options, &error));
    cli::Job job;
    ASSERT_TRUE(cli::resolveJob(options, ini, 3, &job, &error)) << qPrintable(error);
    EXPECT_EQ(job.files, QStringList({ dir.filePath(u"a.bmp"_s), dir.filePath(u"b.bmp"_s) }));
    EXPECT_EQ(job.output, dir.filePath(u"out.bmp"_s));
    EXPECT_EQ(job.frame, QSize(64, 48));
    EXPECT_EQ(job.jobs, 3);

    cli::Options overridden;
    ASSERT_TRUE(
        cli::parseArguments({ u"framolin-strip"_s, u"--from-settings"_s, u"-H"_s, u"10"_s, u"-o"_s,
                              u"other.bmp"_s, u"--jobs"_s, u"1"_s, dir.filePath(u"b.bmp"_s) },
                            &overridden, &error));
    ASSERT_TRUE(cli::resolveJob(overridden, ini, 3, &job, &error)) << qPrintable(error);
    EXPECT_EQ(job.files, QStringList({ dir.filePath(u"b.bmp"_s) }));
    EXPECT_EQ(job.output, u"other.bmp"_s);
    EXPECT_EQ(job.frame, QSize(64, 10));
    EXPECT_EQ(job.jobs, 1);
}

TEST(Options, savedSettingsWithoutASizeGiveTheWindowsAndOnesOverTheLimitAreRefused)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"Framolin.ini"_s);
    touch(dir.filePath(u"a.bmp"_s));
    files::writeAll(ini,
                    "[InputFiles]\nInputFile0=" + QFile::encodeName(dir.filePath(u"a.bmp"_s))
                        + "\nInputFilesCount=0\n[OutputFile]\nOutputFilename=out.bmp\n");
    cli::Options options;
    QString error;
    ASSERT_TRUE(
        cli::parseArguments({ u"framolin-strip"_s, u"--from-settings"_s }, &options, &error));
    cli::Job job;
    ASSERT_TRUE(cli::resolveJob(options, ini, 1, &job, &error)) << qPrintable(error);
    EXPECT_EQ(job.frame, QSize(320, 200));

    ASSERT_TRUE(QFile::resize(ini, engine::kMaxSettingsBytes + 1)); // sparse: no disk taken
    int status = 0;
    EXPECT_FALSE(cli::resolveJob(options, ini, 1, &job, &error, &status));
    EXPECT_EQ(status, 2);
    EXPECT_TRUE(error.startsWith(ini + u": "_s) && error.contains(u"16 MiB"_s))
        << qPrintable(error);
}

TEST(Options, badCommandLinesAreRefusedWithOneLine)
{
    const QStringList bad[] { { u"framolin-strip"_s, u"--frobnicate"_s },
                              { u"framolin-strip"_s, u"--jobs"_s, u"0"_s },
                              { u"framolin-strip"_s, u"--jobs"_s, u"many"_s },
                              { u"framolin-strip"_s, u"-W"_s },
                              { u"framolin-strip"_s, u"--max-bytes"_s, u"20XB"_s },
                              { u"framolin-strip"_s, u"--max-bytes"_s, u"0"_s },
                              { u"framolin-strip"_s, u"--fps"_s, u"51"_s } };
    for (const QStringList &arguments : bad) {
        cli::Options options;
        QString error;
        EXPECT_FALSE(cli::parseArguments(arguments, &options, &error))
            << qPrintable(arguments.join(u' '));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(error.contains(u'\n'));
    }
}

TEST(Options, stripBeyondTheLimitIsRefusedBeforeAnythingIsWritten)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(u"a.bmp"_s);
    touch(picture);
    cli::Options options;
    QString error;
    ASSERT_TRUE(cli::parseArguments({ u"framolin-strip"_s, u"-W"_s, u"32767"_s, u"-H"_s, u"32767"_s,
                                      u"-o"_s, dir.filePath(u"out.bmp"_s), picture, picture },
                                    &options, &error));
    cli::Job job;
    EXPECT_FALSE(cli::resolveJob(options, {}, 1, &job, &error));
    EXPECT_TRUE(error.contains(u"32767 × 65534"_s)) << qPrintable(error);
}

TEST(SetSize, unitsAreReadAsNamedAndABudgetRefusesWhereABigPhoneSetIsWarned)
{
    const std::pair<QString, qint64> sizes[] {
        { u"20MB"_s, 20'000'000 },   { u"20MiB"_s, 20 << 20 }, { u"500kB"_s, 500'000 },
        { u"1.5 GiB"_s, 3LL << 29 }, { u"2 KIB"_s, 2048 },     { u"123456"_s, 123456 }
    };
    for (const auto &[text, bytes] : sizes)
        EXPECT_EQ(cli::byteCount(text), bytes) << qPrintable(text);
    // Budget, target, refused, what the line says: 21 MB in two sheets.
    const std::tuple<qint64, engine::Target, bool, QString> rows[] {
        { 20'000'000, engine::Target::None, true, u"21.000.000 bytes"_s },
        { 0, engine::Target::Mobile, false, u"s-0.webp 11,4 MiB, s-1.webp 8,6 MiB"_s },
        { 21'000'000, engine::Target::Mobile, false, {} },
        { 0, engine::Target::Desktop, false, {} }
    };
    for (const auto &[budget, target, refuse, says] : rows) {
        bool refused = false;
        const QString problem
            = cli::setSizeProblem({ u"s-0.webp"_s, u"s-1.webp"_s }, { 12'000'000, 9'000'000 },
                                  budget, target, cli::Language::Spanish, &refused);
        EXPECT_EQ(refused, refuse) << budget;
        EXPECT_TRUE(problem.isEmpty() == says.isEmpty() && problem.contains(says))
            << qPrintable(problem);
    }
}

TEST(ProgressBar, fillsInProportionAndEndsFull)
{
    EXPECT_EQ(cli::progressLine(0, 36, 12), u"[............]  0/36"_s);
    EXPECT_EQ(cli::progressLine(9, 36, 12), u"[###.........]  9/36"_s);
    EXPECT_EQ(cli::progressLine(36, 36, 12), u"[############] 36/36"_s);
}

} // namespace

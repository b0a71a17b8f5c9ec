// SPDX-License-Identifier: GPL-3.0-or-later
// framolin-strip end to end, in-process: the same bytes as the window, any number of jobs,
// and every failure as one line with the output left alone.

#include "options.h"
#include "run_cli.h"

#include "files.h"
#include "pictures.h"
#include "tagged_pictures.h"
#include "window.h"

#include "engine/bmp.h"
#include "engine/strip_writer.h"
#include "engine/working_set.h"
#include "runtime/error.h"
#include "runtime/qtservices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

using files::readAll;
using pictures::pattern;

using clitest::Result;

Result runCli(const QStringList &arguments, const QString &settings = {})
{
    return clitest::runCli(arguments, cli::Language::Spanish, settings); // Spanish wording
}

class CliBuild : public ::testing::Test
{
protected:
    // One file of each input kind the window takes.
    QStringList mixedInputs()
    {
        pictures::Folder folder(m_dir.path());
        folder.add(u"big.jpg"_s, pattern(900, 700, 1), "JPG");
        folder.add(u"small.bmp"_s, pattern(20, 10, 2), "BMP");
        QImage gif = pattern(50, 40, 3);
        QPainter(&gif).fillRect(10, 10, 20, 15, Qt::magenta);
        folder.add(u"see-through.gif"_s, gif, "GIF", Qt::magenta);
        folder.add(u"gray.jpg"_s, pattern(300, 200, 4).convertToFormat(QImage::Format_Grayscale8),
                   "JPG");
        folder.add(u"tiny.jpg"_s, pattern(30, 20, 5), "JPG");
        folder.addProgressiveJpeg(u"progressive.jpg"_s, pattern(640, 480, 6), 90);
        QImage holed = pattern(64, 48, 7).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 24; ++y) // a see-through quarter: the back colour shows there
            for (int x = 0; x < 32; ++x)
                holed.setPixel(x, y, qRgba(0, 0, 0, 0));
        folder.add(u"holed.png"_s, holed, "PNG");
        folder.add(u"photo.webp"_s, pattern(400, 300, 8), "WEBP");
        folder.add(u"scan.tiff"_s, pattern(90, 60, 9), "TIFF");
        folder.addBytes(
            u"portrait.jpg"_s,
            pictures::jpegWithExif(pattern(200, 300, 10), pictures::exifOrientationBlock(6)));
        return folder.paths();
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(CliBuild, windowAndCommandLineWriteTheSameBytes)
{
    const QStringList files = mixedInputs();
    fakes::Services s;
    app::Form1 form(fakes::appServices(s));
    for (const QString &file : files)
        form.List1->AddItem(file);
    form.ancho->setText(u"64"_s);
    form.alto->setText(u"48"_s);
    form.Command2_Click();
    ASSERT_EQ(form.objeto->Image().size(), QSize(64, 48 * int(files.size())));
    QString reason;
    ASSERT_TRUE(engine::saveStrip(form.objeto->Image(), path(u"window.bmp"_s),
                                  engine::StripFormat::Bmp, &reason));

    const Result result = runCli(
        QStringList { u"-q"_s, u"-W"_s, u"64"_s, u"-H"_s, u"48"_s, u"-o"_s, path(u"cli.bmp"_s) }
        + files);
    ASSERT_EQ(result.status, 0) << qPrintable(result.err);
    EXPECT_TRUE(result.err.isEmpty());
    const QByteArray window = readAll(path(u"window.bmp"_s));
    ASSERT_EQ(window.size(), 54 + 64 * 3 * 48 * files.size());
    EXPECT_TRUE(window == readAll(path(u"cli.bmp"_s)));
    // The transparent quarter of the PNG shows the canvas's back colour.
    const qsizetype holed = files.indexOf(path(u"holed.png"_s));
    ASSERT_GE(holed, 0);
    EXPECT_EQ(QImage(path(u"cli.bmp"_s)).pixel(5, int(holed) * 48 + 5), qRgb(240, 240, 240));
}

TEST_F(CliBuild, aTransparentGifRunAfterOtherRunsStillWritesTheCommandLinesBytes)
{
    const QStringList files = mixedInputs();
    const QString black = path(u"black.bmp"_s);
    ASSERT_TRUE(pictures::write(pictures::solid(8, 8, Qt::black), black, "BMP"));
    fakes::Services s;
    app::Form1 form(fakes::appServices(s));
    // Earlier runs leave black frames, and a squeezed picture at another width, in the rows
    // the transparent frame lands on.
    for (const QString &size : { u"96"_s, u"64"_s }) {
        form.List1->Clear();
        for (int i = 0; i < 4; ++i)
            form.List1->AddItem(i == 2 ? files.at(0) : black);
        form.ancho->setText(size);
        form.alto->setText(u"48"_s);
        form.Command2_Click();
    }
    form.List1->Clear();
    for (const QString &file : files)
        form.List1->AddItem(file);
    form.Command2_Click();
    form.Text1->setText(path(u"window.bmp"_s));
    s.program.run([&] { form.Command5_Click(); });
    ASSERT_TRUE(s.boxes.shown.empty()) << qPrintable(s.boxes.shown.front().prompt);

    const Result result = runCli(
        QStringList { u"-W"_s, u"64"_s, u"-H"_s, u"48"_s, u"-o"_s, path(u"cli.bmp"_s) } + files);
    ASSERT_EQ(result.status, 0) << qPrintable(result.err);
    const QByteArray window = readAll(path(u"window.bmp"_s));
    ASSERT_EQ(window.size(), 54 + 64 * 3 * 48 * files.size());
    EXPECT_TRUE(window == readAll(path(u"cli.bmp"_s)));
}

TEST_F(CliBuild, anyNumberOfJobsWritesTheSameFile)
{
    QStringList files;
    for (int i = 0; i < 3; ++i)
        files += mixedInputs();
    ASSERT_EQ(runCli(QStringList { u"-W"_s, u"33"_s, u"-H"_s, u"21"_s, u"--jobs"_s, u"1"_s, u"-o"_s,
                                   path(u"one.bmp"_s) }
                     + files)
                  .status,
              0);
    ASSERT_EQ(runCli(QStringList { u"-W"_s, u"33"_s, u"-H"_s, u"21"_s, u"-j"_s, u"4"_s, u"-q"_s,
                                   u"-o"_s, path(u"four.bmp"_s) }
                     + files)
                  .status,
              0);
    const QByteArray one = readAll(path(u"one.bmp"_s));
    EXPECT_EQ(one.size(), 54 + 100 * 21 * qsizetype(files.size())); // rows of 99 bytes padded
    EXPECT_TRUE(one == readAll(path(u"four.bmp"_s)));
}

TEST_F(CliBuild, defaultFrameIs320By200)
{
    const QString picture = path(u"a.bmp"_s);
    ASSERT_TRUE(pictures::write(pattern(40, 30, 0), picture, "BMP"));
    ASSERT_EQ(runCli({ u"-o"_s, path(u"out.bmp"_s), picture, picture }).status, 0);
    const QImage strip(path(u"out.bmp"_s));
    EXPECT_EQ(strip.size(), QSize(320, 400));
}

TEST_F(CliBuild, everyFailureIsOneLineAndLeavesTheOutputAsItWas)
{
    const QStringList good = mixedInputs();
    const QString garbage = path(u"garbage.jpg"_s);
    files::writeAll(garbage, "\xFF\xD8\xFF this is no picture");
    const QString text = path(u"notes.bmp"_s);
    files::writeAll(text, "plain text");
    const QString output = path(u"out.bmp"_s);
    const QByteArray old("the previous strip");
    files::writeAll(output, old);
    struct Row
    {
        QStringList arguments;
        int status;
        QString startsWith;
    };
    const QString missing = path(u"missing.gif"_s);
    const Row rows[] {
        { QStringList { u"-o"_s, output } + good + QStringList { garbage }, 1,
          garbage + u": datos de imagen dañados"_s },
        { QStringList { u"-j"_s, u"2"_s, u"-o"_s, output, text } + good, 1,
          text + u": no es una imagen BMP, JPG, GIF, PNG, WebP o TIFF"_s },
        { { u"-o"_s, output, good[0], missing }, 1, missing + u": no existe"_s },
        { { u"-W"_s, u"ancho"_s, u"-o"_s, output, good[0] }, 2, u"ancho no válido: \"ancho\""_s },
        { { u"--bogus"_s, u"-o"_s, output, good[0] }, 2, {} },
        { { good[0] }, 2, u"falta el archivo de salida"_s },
        { { u"-o"_s, output }, 2, u"no hay imágenes de entrada"_s },
        { { u"--from-settings"_s }, 2, path(u"none.ini"_s) + u": no hay datos guardados"_s },
        { { u"--fit"_s, u"sideways"_s, u"-o"_s, output, good[0] }, 2, u"--fit: \"sideways\""_s },
        { { u"--background"_s, u"red"_s, u"-o"_s, output, good[0] }, 2, u"--background solo"_s },
        { { u"--fit"_s, u"contain"_s, u"--background"_s, u"transparent"_s, u"-o"_s, output,
            good[0] },
          2,
          u"--background: \"transparent\""_s },
        { { u"--lanes"_s, u"2"_s, u"-o"_s, output, good[0] }, 2, u"--lanes: 1 imágenes no"_s },
        { { u"--frames"_s, u"2"_s, u"-o"_s, output, good[0] }, 2, u"--frames: 2 son más"_s },
        { { u"-s"_s, u"9x0"_s, u"-o"_s, output, garbage }, 1, garbage + u": datos de imagen"_s },
        { { u"--crop"_s, u"1,2,3"_s, u"-o"_s, output, good[0] }, 2, u"--crop: \"1,2,3\""_s },
        { { u"--crop"_s, u"auto:101"_s, u"-o"_s, output, good[0] }, 2, u"--crop: un margen"_s },
        { { u"--crop"_s, u"0,1,9999,9"_s, u"-o"_s, output, good[0] }, 2, good[0] + u": el rec"_s },
    };
    for (const Row &row : rows) {
        const Result result = runCli(row.arguments, path(u"none.ini"_s));
        const QString line = row.arguments.join(u' ');
        EXPECT_EQ(result.status, row.status) << qPrintable(line);
        EXPECT_TRUE(result.err.startsWith(u"framolin-strip: "_s + row.startsWith))
            << qPrintable(result.err);
        EXPECT_EQ(result.err.count(u'\n'), 1) << qPrintable(result.err);
        EXPECT_EQ(readAll(output), old) << qPrintable(line);
    }
    // A failed first run creates nothing.
    const QString fresh = path(u"fresh.bmp"_s);
    EXPECT_EQ(runCli({ u"-o"_s, fresh, good[0], garbage }).status, 1);
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(QDir(m_dir.path()).entryList({ u"*.bmp.*"_s }, QDir::Files | QDir::Hidden),
              QStringList());
}

TEST_F(CliBuild, pipesDevicesAndEmptyFilesAreRefusedAtOnceWithoutBlocking)
{
    const QStringList good = mixedInputs();
    const QString fifo = path(u"pipe.jpg"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString empty = path(u"empty.gif"_s);
    files::writeAll(empty, {});
    const QString output = path(u"never.bmp"_s);
    for (const QString &bad : { fifo, u"/dev/zero"_s, empty }) {
        const Result result = runCli({ u"-j"_s, u"2"_s, u"-o"_s, output, good[0], bad });
        EXPECT_EQ(result.status, 1) << qPrintable(bad);
        EXPECT_TRUE(result.err.startsWith(u"framolin-strip: "_s + bad + u": "_s))
            << qPrintable(result.err);
        EXPECT_FALSE(QFile::exists(output)) << qPrintable(bad);
    }
}

TEST_F(CliBuild, unwritableOutputIsNamed)
{
    const QString picture = path(u"a.bmp"_s);
    ASSERT_TRUE(pictures::write(pattern(40, 30, 0), picture, "BMP"));
    const QString output = path(u"no/such/folder/out.bmp"_s);
    const Result result = runCli({ u"-o"_s, output, picture });
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.startsWith(u"framolin-strip: "_s + output + u": "_s))
        << qPrintable(result.err);
    EXPECT_EQ(result.err.count(u'\n'), 1);
}

TEST_F(CliBuild, helpAndVersionSucceed)
{
    EXPECT_EQ(runCli({ u"--help"_s }).status, 0);
    EXPECT_EQ(runCli({ u"--version"_s }).status, 0);
}

// The window restoring and assembling, and framolin-strip, given the same saved settings or
// the same frame width, build the same strip or stop at the same entry with the same words.
TEST_F(CliBuild, windowAndCommandLineReadSavedSettingsAndFrameSidesAlike)
{
    QStringList files;
    for (int i = 0; i < 3; ++i) {
        files.append(path(u"frame%1.bmp"_s.arg(i)));
        ASSERT_TRUE(pictures::write(pattern(60, 40, i), files.last(), "BMP"));
    }
    const QByteArray entries = "InputFile0=" + files[0].toUtf8()
        + "\nInputFile1=" + files[1].toUtf8() + "\nInputFile2=" + files[2].toUtf8() + "\n";
    struct Row
    {
        QByteArray count;
        QByteArray width, height; // as saved
        QStringList options; // given to framolin-strip beside --from-settings
        int frames; // 0: both stop at a missing entry
    };
    const Row rows[] {
        { "1.0", "32,5", "20", {}, 2 },
        { "1,0", "32", "20", { u"-W"_s, u"32,5"_s }, 2 },
        { "0", "33,5", " 20,4 ", {}, 1 },
        { "2147483647", "32", "1", {}, 0 },
    };
    const QString config = path(u"config"_s);
    runtime::IniSettingsStore::setConfigFolder(config);
    const QString ini = runtime::IniSettingsStore::fileName(u"Framolin"_s);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(ini).absolutePath()));
    for (const Row &row : rows) {
        const std::string name = row.count.toStdString() + " " + row.width.toStdString();
        files::writeAll(ini,
                        "[InputFiles]\n" + entries + "InputFilesCount=" + row.count
                            + "\n[OutputFile]\nOutputFilename=" + path(u"cli.bmp"_s).toUtf8()
                            + "\n[ResizeValues]\nHeight=" + row.height + "\nWidth=" + row.width
                            + "\n");
        fakes::Services s;
        runtime::IniSettingsStore store;
        app::Form1 form(fakes::appServices(s, store));
        form.Command6_Click();
        QString windowError;
        try {
            form.Command2_Click();
        } catch (const runtime::RuntimeError &e) {
            windowError = e.description();
        }
        QFile::remove(path(u"cli.bmp"_s));
        const Result cli = runCli(QStringList { u"--from-settings"_s } + row.options, ini);
        if (row.frames == 0) {
            EXPECT_EQ(form.List1->ListCount(), 32767) << name; // capped alike
            cli::SavedWork saved;
            QString error;
            ASSERT_TRUE(cli::readSavedWork(ini, &saved, &error)) << name;
            EXPECT_EQ(saved.files.size(), 32767) << name;
            EXPECT_EQ(windowError, engine::emptyEntryMessage(3)) << name;
            EXPECT_EQ(cli.status, 1) << name;
            EXPECT_EQ(cli.err, u"framolin-strip: "_s + engine::emptyEntryMessage(3) + u'\n')
                << name;
            EXPECT_FALSE(QFile::exists(path(u"cli.bmp"_s))) << name;
            continue;
        }
        ASSERT_EQ(windowError, QString()) << name;
        ASSERT_EQ(cli.status, 0) << name << qPrintable(cli.err);
        EXPECT_EQ(form.List1->ListCount(), row.frames) << name;
        const QImage window = form.objeto->Image();
        const QImage written(path(u"cli.bmp"_s));
        EXPECT_EQ(written.height(), 20 * row.frames) << name;
        EXPECT_EQ(window.size(), written.size()) << name;
        QString reason;
        ASSERT_TRUE(
            engine::saveStrip(window, path(u"window.bmp"_s), engine::StripFormat::Bmp, &reason))
            << name;
        EXPECT_TRUE(readAll(path(u"window.bmp"_s)) == readAll(path(u"cli.bmp"_s))) << name;
    }
    runtime::IniSettingsStore::setConfigFolder({});
}

} // namespace

// The window's fit and crop and the command line's. The automatic crop wants pictures of one
// size: a turn of an object moving on a plain backdrop.
TEST_F(CliBuild, windowFitsAndCropsTheFramesAsTheCommandLineDoes)
{
    QStringList turn;
    for (int i = 0; i < 4; ++i) {
        QImage picture(90, 60, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter(&picture).fillRect(30 + 4 * i, 12, 14, 30, Qt::darkRed);
        turn << path(u"turn%1.png"_s.arg(i));
        ASSERT_TRUE(pictures::write(picture, turn.last(), "PNG"));
    }
    for (const bool crop : { false, true }) {
        const QStringList files = crop ? turn : mixedInputs();
        for (const char *fit : { "cover", "contain" }) {
            fakes::Services s;
            app::Form1 form(fakes::appServices(s));
            (qstrcmp(fit, "cover") == 0 ? form.mLlenarRecortando : form.mEncajar)
                .action()
                ->trigger();
            if (crop)
                form.mRecortarObjeto.action()->trigger();
            for (const QString &file : files)
                form.List1->AddItem(file);
            form.ancho->setText(u"37"_s);
            form.alto->setText(u"21"_s);
            form.Text1->setText(path(u"window.bmp"_s));
            s.program.run([&] {
                form.Command2_Click();
                form.Command5_Click();
            });
            ASSERT_TRUE(s.boxes.shown.empty()) << qPrintable(s.boxes.shown.front().prompt);
            QStringList arguments { u"-s"_s, u"37x21"_s,        u"--fit"_s, QLatin1StringView(fit),
                                    u"-o"_s, path(u"cli.bmp"_s) };
            if (crop)
                arguments << u"--crop"_s << u"auto"_s;
            ASSERT_EQ(runCli(arguments + files).status, 0);
            EXPECT_TRUE(readAll(path(u"window.bmp"_s)) == readAll(path(u"cli.bmp"_s))) << fit;
        }
    }
}

TEST_F(CliBuild, exportForTheWebWritesEveryFileHtmlWritesByteForByteAndOffersThePage)
{
    const QStringList files = mixedInputs();
    fakes::Services s;
    app::Form1 form(fakes::appServices(s));
    for (const QString &file : files)
        form.List1->AddItem(file);
    engine::OutputOptions options;
    options.fit = engine::Fit::Contain;
    options.webFormat = engine::StripFormat::Webp;
    options.quality = 70;
    options.columns = 2;
    options.frames = 5;
    options.reverse = true;
    form.setOutputOptions(options);
    ASSERT_TRUE(QDir(path({})).mkpath(u"window"_s) && QDir(path({})).mkpath(u"cli"_s));
    s.dialogs.saves = { path(u"window/spin"_s) };
    form.mExportarWeb.action()->trigger();
    while (form.webExport().running())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_EQ(s.starter.started, QStringList { path(u"window/spin.html"_s) });

    const Result result
        = runCli(QStringList { u"--fit"_s, u"contain"_s, u"--quality"_s, u"70"_s, u"--columns"_s,
                               u"2"_s, u"--frames"_s, u"5"_s, u"--reverse"_s, u"-o"_s,
                               path(u"cli/spin.webp"_s), u"--html"_s, path(u"cli/spin.html"_s) }
                 + files);
    ASSERT_EQ(result.status, 0) << qPrintable(result.err);
    const QStringList written = QDir(path(u"cli"_s)).entryList(QDir::Files);
    EXPECT_GE(written.size(), 3);
    EXPECT_EQ(QDir(path(u"window"_s)).entryList(QDir::Files), written);
    for (const QString &name : written)
        EXPECT_TRUE(readAll(path(u"window/"_s + name)) == readAll(path(u"cli/"_s + name)))
            << qPrintable(name);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// framolin-strip as users meet it: the summary line, the size options, standard output, the
// language of its messages and the progress bar on a real terminal.

#include "language.h"
#include "options.h"
#include "progress_bar.h"
#include "run.h"
#include "run_cli.h"

#include "files.h"
#include "pictures.h"
#include "tagged_pictures.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <tuple>

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using clitest::readBack;
using clitest::Result;

// English unless told, and no saved settings.
Result runCli(QStringList arguments, cli::Language language = cli::Language::English)
{
    return clitest::runCli(std::move(arguments), language, u"/nonexistent/Framolin.ini"_s);
}

using files::readAll;

class CliInterface : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"frames"_s));
        for (int i = 1; i <= 3; ++i)
            ASSERT_TRUE(pictures::write(pictures::solid(40, 30, QColor::fromHsv(i * 90, 200, 200)),
                                        frames(u"f%1.bmp"_s.arg(i)), "BMP"));
        ASSERT_TRUE(pictures::writeBytes(frames(u"notes.txt"_s), "not a frame"));
        ASSERT_TRUE(QDir(frames()).mkdir(u"more.jpg"_s));
    }
    QString frames(const QString &name = {}) const
    {
        return name.isEmpty() ? m_dir.filePath(u"frames"_s) : m_dir.filePath(u"frames/"_s + name);
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(CliInterface, successIsSummedUpInOneLineUnlessQuiet)
{
    const QString out = path(u"strip.bmp"_s);
    Result result = runCli({ u"-s"_s, u"64x48"_s, u"-o"_s, out, frames() });
    ASSERT_EQ(result.status, 0) << qPrintable(result.err);
    // 54 header bytes and 144 rows of 192 bytes: 27,702 bytes.
    EXPECT_EQ(result.err,
              u"3 frames of 64 × 48 in one column → %1 (64 × 144, BMP, 27.1 KiB); 2 files of the "
              "folders left out\n"_s.arg(out));

    result = runCli({ u"-s"_s, u"64x48"_s, u"-o"_s, out, frames(u"f1.bmp"_s) },
                    cli::Language::Spanish);
    EXPECT_EQ(result.err,
              u"1 cuadro de 64 × 48 en una columna → %1 (64 × 48, BMP, 9,1 KiB)\n"_s.arg(out));

    // The real format and layout.
    result = runCli(
        { u"-s"_s, u"64x48"_s, u"--columns"_s, u"2"_s, u"-o"_s, path(u"sheet.png"_s), frames() });
    EXPECT_TRUE(result.err.startsWith(
        u"3 frames of 64 × 48 in 2 columns → %1 (128 × 96, PNG, "_s.arg(path(u"sheet.png"_s))))
        << qPrintable(result.err);
    result = runCli(
        { u"-s"_s, u"64x48"_s, u"--columns"_s, u"6"_s, u"-o"_s, path(u"sheet.jpg"_s), frames() },
        cli::Language::Spanish);
    EXPECT_TRUE(result.err.startsWith(
        u"3 cuadros de 64 × 48 en 6 columnas → %1 (384 × 48, JPEG, "_s.arg(path(u"sheet.jpg"_s))))
        << qPrintable(result.err);

    result = runCli({ u"--verbose"_s, u"-o"_s, out, frames() });
    EXPECT_TRUE(result.err.startsWith(
        u"left out: %1 (a folder)\nleft out: %2 (not named as a picture)\n3 "
        "frames of 320 × 200"_s.arg(frames(u"more.jpg"_s), frames(u"notes.txt"_s))))
        << qPrintable(result.err);

    for (const QString &quiet : { u"-q"_s, u"--quiet"_s }) {
        result = runCli({ quiet, u"--verbose"_s, u"-o"_s, out, frames() });
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, QString());
    }
}

TEST_F(CliInterface, everySpellingOfTheFrameSizeGivesTheSameStrip)
{
    const QStringList spellings[] {
        { u"-s"_s, u"33x21"_s },
        { u"--size"_s, u"33X21"_s },
        { u"--size=33×21"_s },
        { u"--width"_s, u"33"_s, u"--height"_s, u"21"_s },
        { u"-W"_s, u"33"_s, u"-H"_s, u"21"_s },
        { u"--height=21"_s, u"-W"_s, u"32.6"_s },
    };
    QByteArray first;
    for (const QStringList &size : spellings) {
        const QString out = path(u"sized.bmp"_s);
        const Result result = runCli(size + QStringList { u"-q"_s, u"-o"_s, out, frames() });
        ASSERT_EQ(result.status, 0) << qPrintable(size.join(u' ') + result.err);
        const QByteArray bytes = readAll(out);
        EXPECT_EQ(bytes.size(), 54 + 100 * 21 * 3) << qPrintable(size.join(u' '));
        if (first.isEmpty())
            first = bytes;
        EXPECT_TRUE(bytes == first) << qPrintable(size.join(u' '));
    }
    const QStringList refused[] {
        { u"-s"_s, u"33"_s },
        { u"-s"_s, u"0x0"_s }, // a single 0 side is taken from the pictures' aspect
        { u"-s"_s, u"x21"_s },
        { u"-s"_s, u"33x21x5"_s },
        { u"-s"_s, u"33x21"_s, u"-W"_s, u"33"_s },
        { u"-W"_s, u"3"_s, u"--width"_s, u"3"_s },
    };
    for (const QStringList &size : refused) {
        const Result result = runCli(size + QStringList { u"-o"_s, path(u"no.bmp"_s), frames() });
        EXPECT_EQ(result.status, 2) << qPrintable(size.join(u' '));
        EXPECT_EQ(result.err.count(u'\n'), 1) << qPrintable(result.err);
        EXPECT_FALSE(QFile::exists(path(u"no.bmp"_s)));
    }
}

TEST_F(CliInterface, aSideOfZeroFollowsTheFirstPicturesUprightAspect)
{
    // 40 x 30 as seen, stored 30 x 40 and turned a quarter by its tag.
    const QString turned = path(u"turned.jpg"_s), bmp = frames(u"f1.bmp"_s);
    ASSERT_TRUE(pictures::writeBytes(
        turned,
        pictures::jpegWithExif(pictures::storedFor(pictures::solid(40, 30, Qt::red), 6),
                               pictures::exifOrientationBlock(6))));
    const std::tuple<QStringList, QString, QString> rows[] {
        { { u"-s"_s, u"48x0"_s }, turned, u"48 × 36"_s },
        { { u"--width"_s, u"0"_s }, turned, u"267 × 200"_s }, // 266.7
        { { u"-s"_s, u"0x21"_s }, bmp, u"28 × 21"_s },
        { { u"-W"_s, u"7"_s }, bmp, u"7 × 200"_s }, // as the window reads it
    };
    for (const auto &[size, input, frame] : rows) {
        const Result result = runCli(size + QStringList { u"-o"_s, path(u"s.bmp"_s), input });
        EXPECT_TRUE(result.err.startsWith(u"1 frame of "_s + frame)) << qPrintable(result.err);
    }
}

TEST(CliFrames, framesReverseAndLanesPickThePicturesInOrder)
{
    // Pictures, --frames, --reverse, --lanes and the pictures chosen; none when refused.
    const std::tuple<int, int, bool, int, QList<int>> rows[] {
        { 10, 4, false, 1, { 0, 2, 5, 7 } },
        { 10, 4, true, 1, { 7, 5, 2, 0 } },
        { 12, 3, false, 2, { 0, 2, 4, 6, 8, 10 } },
        { 12, 2, true, 3, { 2, 0, 6, 4, 10, 8 } },
        { 10, 0, false, 3, {} },
        { 12, 7, false, 2, {} },
    };
    for (const auto &[count, frames, reverse, lanes, expected] : rows) {
        QList<int> chosen;
        QString error;
        const bool ok = cli::chooseFrames(count, frames, reverse, lanes, &chosen, &error);
        EXPECT_EQ(ok ? chosen : QList<int>(), expected) << count << " " << frames << " " << lanes;
        EXPECT_EQ(error.isEmpty(), ok) << qPrintable(error);
    }
}

TEST_F(CliInterface, fitAndBackgroundReachTheStrip)
{
    // 40 x 30 contained in 40 x 10: 13 pixels wide from x = 13 (to 25), red either side.
    const QString out = path(u"contained.bmp"_s);
    runCli({ u"-s"_s, u"40x10"_s, u"--fit"_s, u"contain"_s, u"--background"_s, u"#ff0000"_s,
             u"-o"_s, out, frames(u"f1.bmp"_s) });
    const QImage strip(out);
    const QRgb inside = QImage(frames(u"f1.bmp"_s)).pixel(0, 0), red = qRgb(255, 0, 0);
    for (const int x : { 12, 13, 25, 26 })
        EXPECT_EQ(strip.pixel(x, 5), x == 12 || x == 26 ? red : inside) << x;
}

TEST_F(CliInterface, dashWritesTheSameBytesToStandardOutput)
{
    const QString out = path(u"file.bmp"_s);
    ASSERT_EQ(runCli({ u"-q"_s, u"-s"_s, u"50x20"_s, u"-o"_s, out, frames() }).status, 0);
    const Result piped = runCli({ u"-s"_s, u"50x20"_s, u"-o"_s, u"-"_s, frames() });
    ASSERT_EQ(piped.status, 0) << qPrintable(piped.err);
    EXPECT_EQ(piped.out.size(), readAll(out).size());
    EXPECT_TRUE(piped.out == readAll(out));
    EXPECT_TRUE(piped.err.contains(u"→ standard output (50 × 60, BMP"_s)) << qPrintable(piped.err);
    EXPECT_FALSE(QFile::exists(u"-"_s));

    // PNG and JPEG go out as they are compressed, WebP through a file: the same bytes as the
    // file output, and the summary counts what was sent.
    for (const QString &format : { u"png"_s, u"jpeg"_s, u"webp"_s }) {
        const QString file = path(u"file."_s + format);
        const QStringList common { u"-s"_s, u"50x20"_s, u"--columns"_s, u"2"_s, u"-f"_s, format };
        ASSERT_EQ(runCli(common + QStringList { u"-q"_s, u"-o"_s, file, frames() }).status, 0);
        const Result sent = runCli(common + QStringList { u"-o"_s, u"-"_s, frames() });
        ASSERT_EQ(sent.status, 0) << qPrintable(sent.err);
        EXPECT_FALSE(sent.out.isEmpty()) << qPrintable(format);
        EXPECT_TRUE(sent.out == readAll(file)) << qPrintable(format);
        const QString size = QLocale(QLocale::English)
                                 .formattedDataSize(sent.out.size(), 1, QLocale::DataSizeIecFormat);
        EXPECT_TRUE(sent.err.contains(u"in 2 columns → standard output (100 × 40, %1, %2)"_s.arg(
            format == u"webp"_s ? u"WebP"_s : format.toUpper(), size)))
            << qPrintable(sent.err);
    }

    // Never onto a terminal.
    cli::Environment env;
    env.out = std::tmpfile();
    env.err = std::tmpfile();
    env.outIsTerminal = true;
    EXPECT_EQ(cli::run({ u"framolin-strip"_s, u"-o"_s, u"-"_s, frames() }, env), 2);
    EXPECT_TRUE(readBack(env.out).isEmpty());
    EXPECT_TRUE(readBack(env.err).contains("terminal"));
}

// A reader gone before the first byte (as `| head -c 10` soon is): one line and status 1, not
// death by SIGPIPE, and the strip spooled for standard output is not left behind.
TEST_F(CliInterface, aClosedStandardOutputEndsTheRunWithOneLineAndLeavesNoTemporaryFile)
{
    for (const char *format : { "bmp", "png" }) { // spooled, streamed
        QTemporaryDir spool;
        int out[2], err[2];
        ASSERT_TRUE(::pipe(out) == 0 && ::pipe(err) == 0);
        ::close(out[0]);
        const QByteArray folder = frames().toLocal8Bit(), tmp = spool.path().toLocal8Bit();
        const pid_t child = ::fork();
        if (child == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::dup2(err[1], STDERR_FILENO);
            ::signal(SIGPIPE, SIG_DFL); // as a shell starts it
            ::setenv("TMPDIR", tmp.constData(), 1);
            ::execl(FRAMOLIN_STRIP_PATH, "framolin-strip", "-q", "-f", format, "-o", "-",
                    folder.constData(), nullptr);
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        QByteArray said;
        char buffer[512];
        for (ssize_t n; (n = ::read(err[0], buffer, sizeof buffer)) > 0;)
            said.append(buffer, n);
        ::close(err[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << format << " " << status;
        EXPECT_EQ(said.count('\n'), 1) << said.constData();
        EXPECT_TRUE(
            QDir(spool.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            << format;
    }
}

TEST_F(CliInterface, failuresAreWordedInEnglishOrSpanish)
{
    const QString garbage = path(u"garbage.jpg"_s);
    ASSERT_TRUE(pictures::writeBytes(garbage, "\xFF\xD8\xFF this is no picture"));
    const QString unwritable = path(u"no/such/folder/out.bmp"_s);
    const QString out = path(u"out.bmp"_s);
    struct Row
    {
        QStringList arguments;
        int status;
        QString english, spanish;
    };
    const Row rows[] {
        { { u"--bogus"_s },
          2,
          u"Unknown option 'bogus'. (--help for help)"_s,
          u"Opción desconocida «bogus». (--help para la ayuda)"_s },
        { { u"-o"_s },
          2,
          u"Missing value after '-o'. (--help for help)"_s,
          u"Falta valor tras «-o». (--help para la ayuda)"_s },
        { { u"-W"_s, u"wide"_s, u"-o"_s, out, frames() },
          2,
          u"invalid width: \"wide\" (1 to 32767 pixels)"_s,
          u"ancho no válido: \"wide\" (se admiten de 1 a 32767 píxeles)"_s },
        { { u"-o"_s, out, garbage },
          1,
          garbage + u": damaged or incomplete picture data"_s,
          garbage + u": datos de imagen dañados o incompletos"_s },
        { { u"-o"_s, out, frames(u"notes.txt"_s) },
          1,
          frames(u"notes.txt"_s) + u": not a BMP, JPG, GIF, PNG, WebP or TIFF picture"_s,
          frames(u"notes.txt"_s) + u": no es una imagen BMP, JPG, GIF, PNG, WebP o TIFF"_s },
        { { u"-o"_s, out, path(u"gone.gif"_s) },
          1,
          path(u"gone.gif"_s) + u": does not exist"_s,
          path(u"gone.gif"_s) + u": no existe"_s },
        { { u"-o"_s, unwritable, frames() }, 1, unwritable + u": "_s, unwritable + u": "_s },
    };
    for (const Row &row : rows) {
        const Result english = runCli(row.arguments, cli::Language::English);
        const Result spanish = runCli(row.arguments, cli::Language::Spanish);
        for (const Result &result : { english, spanish }) {
            EXPECT_EQ(result.status, row.status) << qPrintable(row.arguments.join(u' '));
            EXPECT_EQ(result.err.count(u'\n'), 1) << qPrintable(result.err);
        }
        EXPECT_TRUE(english.err.startsWith(u"framolin-strip: "_s + row.english))
            << qPrintable(english.err);
        EXPECT_TRUE(spanish.err.startsWith(u"framolin-strip: "_s + row.spanish))
            << qPrintable(spanish.err);
        EXPECT_NE(english.err, spanish.err) << qPrintable(english.err);
        EXPECT_FALSE(QFile::exists(out));
    }
    EXPECT_TRUE(runCli({ u"--help"_s }).out.contains("--size WxH"));
    EXPECT_TRUE(runCli({ u"--help"_s }, cli::Language::Spanish).out.startsWith("Uso:"));
}

// The manual page lists every option --help lists, written as roff writes "--name".
TEST(CliHelp, everyOptionOfTheHelpIsInTheManualPage)
{
    QFile page(QStringLiteral(FRAMOLIN_MAN_PAGE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << FRAMOLIN_MAN_PAGE;
    const QString manual = QString::fromUtf8(page.readAll());
    const QString help = QString::fromUtf8(runCli({ u"--help"_s }, cli::Language::English).out);
    static const QRegularExpression option(u"^  (?:-\\w, )?--([a-z-]+)"_s,
                                           QRegularExpression::MultilineOption);
    int options = 0;
    for (const QRegularExpressionMatch &match : option.globalMatch(help)) {
        ++options;
        const QString roff = u"\\-\\-"_s + QString(match.captured(1)).replace(u"-"_s, u"\\-"_s);
        EXPECT_TRUE(manual.contains(roff))
            << "framolin-strip(1) lacks --" << qPrintable(match.captured(1));
    }
    EXPECT_GE(options, 14);
}

TEST(CliLanguage, spanishOnlyWhenTheLocaleAsksForIt)
{
    struct Row
    {
        QStringList variables; // NAME=value
        cli::Language language;
    };
    using enum cli::Language;
    const Row rows[] {
        { {}, English },
        { { u"LANG=es_ES.UTF-8"_s }, Spanish },
        { { u"LANG=de_DE.UTF-8"_s }, English },
        { { u"LANG=C.UTF-8"_s }, English },
        { { u"LANG=en_GB.UTF-8"_s, u"LC_MESSAGES=es_MX.UTF-8"_s }, Spanish },
        { { u"LC_MESSAGES=es_ES.UTF-8"_s, u"LC_ALL=en_US.UTF-8"_s }, English },
        { { u"LC_ALL=es_AR.UTF-8"_s, u"LANG=en_US.UTF-8"_s }, Spanish },
        { { u"LANGUAGE=de:es:en"_s, u"LANG=en_US.UTF-8"_s }, Spanish },
        { { u"LANGUAGE=en_GB:es"_s, u"LANG=es_ES.UTF-8"_s }, English },
        { { u"LANGUAGE=fr"_s, u"LANG=es_ES.UTF-8"_s }, Spanish },
    };
    for (const Row &row : rows) {
        QProcessEnvironment environment;
        for (const QString &variable : row.variables)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        EXPECT_EQ(cli::messageLanguage(environment), row.language)
            << qPrintable(row.variables.join(u' '));
    }
}

TEST(CliProgress, lineFitsTheTerminalLeavingTheLastColumnFree)
{
    for (const int columns : { 120, 80, 30, 12, 9, 5, 1, 0 }) {
        for (const int done : { 0, 17, 250 }) {
            const QString line = cli::progressLineFor(done, 250, columns);
            EXPECT_LE(line.size(), std::max(columns - 1, 0)) << columns << ": " << qPrintable(line);
            if (columns >= 30) {
                EXPECT_EQ(line.size(), columns - 1) << qPrintable(line);
            }
        }
    }
    EXPECT_EQ(cli::progressLineFor(125, 250, 30), u"[#########..........] 125/250"_s);
    EXPECT_EQ(cli::progressLineFor(125, 250, 9), u"125/250"_s);
}

// Runs the real program on a pseudo-terminal `columns` wide and returns all it drew.
QByteArray runOnTerminal(const QStringList &arguments, int columns)
{
    winsize size {};
    size.ws_col = static_cast<unsigned short>(columns);
    size.ws_row = 24;
    int master = -1;
    const pid_t child = ::forkpty(&master, nullptr, nullptr, &size);
    if (child == 0) {
        std::vector<QByteArray> bytes { QByteArray(FRAMOLIN_STRIP_PATH) };
        for (const QString &argument : arguments)
            bytes.push_back(argument.toLocal8Bit());
        std::vector<char *> argv;
        for (QByteArray &b : bytes)
            argv.push_back(b.data());
        argv.push_back(nullptr);
        ::setenv("LANG", "C.UTF-8", 1);
        ::unsetenv("LANGUAGE");
        ::unsetenv("LC_ALL");
        ::unsetenv("LC_MESSAGES");
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    QByteArray drawn;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0)
            break; // EIO once the child has closed the terminal
        drawn.append(buffer, n);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(master);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << drawn.constData();
    return drawn;
}

TEST_F(CliInterface, progressBarStaysOnOneLineOfATerminalOf30Or120Columns)
{
    QStringList many { u"-j"_s, u"1"_s, u"-s"_s, u"600x400"_s, u"-o"_s, path(u"big.bmp"_s) };
    for (int i = 0; i < 40; ++i)
        many.append(frames());
    for (const int columns : { 30, 120 }) {
        const QByteArray drawn = runOnTerminal(many, columns);
        // Everything before the summary is the bar, redrawn in place: no line feed, each
        // drawing within the terminal's width, and the line erased at the end.
        const qsizetype summary = drawn.lastIndexOf("\r\033[K");
        ASSERT_GT(summary, 0) << drawn.constData();
        const QByteArray bar = drawn.left(summary);
        EXPECT_FALSE(bar.contains('\n'));
        const QList<QByteArray> drawings = bar.split('\r');
        int draws = 0;
        for (QByteArray drawing : drawings) {
            drawing.replace("\033[K", "");
            if (drawing.isEmpty())
                continue;
            ++draws;
            EXPECT_LE(QString::fromUtf8(drawing).size(), columns - 1) << drawing.constData();
            EXPECT_TRUE(drawing.startsWith('[')) << drawing.constData();
        }
        EXPECT_GE(draws, 10);
        EXPECT_TRUE(drawn.mid(summary).startsWith("\r\033[K120 frames of 600 × 400"))
            << drawn.mid(summary).constData();
    }
}

} // namespace

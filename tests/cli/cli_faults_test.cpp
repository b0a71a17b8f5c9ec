// SPDX-License-Identifier: GPL-3.0-or-later
// framolin-strip against hostile paths: outputs that are not plain files, names that are not
// UTF-8 or hold a line feed, a full disk. Each must fail with one line naming the path, leave
// everything as it was, and never write under another name.

#include "run_cli.h"

#include "bmp_variants.h"
#include "files.h"
#include "pictures.h"
#include "scratch_fs.h"

#include "engine/working_set.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Spanish by default: most cases check the Spanish wording.
using clitest::Result;

Result runCli(const QList<QByteArray> &arguments, cli::Language language = cli::Language::Spanish)
{
    return clitest::runCliBytes(arguments, language);
}

// The file type of what is at `path`, without following a link.
mode_t typeAt(const QByteArray &path)
{
    struct stat status = {};
    return ::lstat(path.constData(), &status) == 0 ? (status.st_mode & S_IFMT) : 0;
}

class CliFaults : public ::testing::Test
{
protected:
    QByteArray bytesPath(const QByteArray &name) const
    {
        return QFile::encodeName(m_dir.path()) + '/' + name;
    }
    // A small BMP picture at the exact bytes `name` in the test folder.
    QByteArray picture(const QByteArray &name) const
    {
        const QByteArray bytes = pictures::bmp(pictures::solid(6, 4, Qt::red), {});
        const QByteArray path = bytesPath(name);
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        EXPECT_GE(fd, 0) << std::strerror(errno);
        EXPECT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
        ::close(fd);
        return path;
    }
    QStringList entries() const
    {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};

// The peak resident memory of a child process running the command line, in KiB.
long peakKilobytes(const QList<QByteArray> &arguments)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(runCli(arguments).status);
    int status = 0;
    rusage usage = {};
    EXPECT_EQ(::wait4(child, &status, 0, &usage), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    return usage.ru_maxrss;
}

// What is written on the process's own standard error, where the libraries print, while it lives.
class StderrCapture
{
public:
    StderrCapture() : m_file(std::tmpfile()), m_saved(::dup(STDERR_FILENO))
    {
        std::fflush(stderr);
        ::dup2(::fileno(m_file), STDERR_FILENO);
    }
    QByteArray finish()
    {
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        return clitest::readBack(m_file);
    }

private:
    std::FILE *m_file;
    int m_saved;
};

// A little-endian TIFF of one pixel with `bits` bits a sample.
QByteArray tiff(quint16 bits)
{
    const quint16 entries[][3]
        = { { 256, 3, 1 },   { 257, 3, 1 }, { 258, 3, bits }, { 259, 3, 1 }, { 262, 3, 1 },
            { 273, 4, 122 }, { 277, 3, 1 }, { 278, 3, 1 },    { 279, 4, 8 } };
    QByteArray bytes("II*\0\x08\0\0\0\x09\0", 10);
    for (const auto &entry : entries) {
        char field[12] = {};
        qToLittleEndian<quint16>(entry[0], field);
        qToLittleEndian<quint16>(entry[1], field + 2);
        qToLittleEndian<quint32>(1, field + 4);
        qToLittleEndian<quint32>(entry[2], field + 8);
        bytes.append(field, 12);
    }
    return bytes + QByteArray(4 + 8, '\0');
}

// Peak memory over a small run's, read outside AddressSanitizer only: its quarantine keeps freed
// blocks resident, so there is no peak to read under it.
void expectPeakWithin(long peak, long base, long kilobytes)
{
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(peak - base, kilobytes) << "peak " << peak << " KiB against " << base << " KiB";
#else
    (void)peak;
    (void)base;
    (void)kilobytes;
#endif
}

} // namespace

TEST_F(CliFaults, anOutputThatIsNotAPlainFileIsRefusedAndStaysWhatItWas)
{
    const QByteArray input = picture("a.bmp");
    const QByteArray fifo = bytesPath("strip.fifo");
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    const QByteArray link = bytesPath("link-to-fifo.bmp");
    ASSERT_EQ(::symlink(fifo.constData(), link.constData()), 0);
    const QByteArray folder = bytesPath("folder.bmp");
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    const QString notPlain = u"no es un archivo normal (un dispositivo, una tubería o un socket)"_s;
    struct Row
    {
        QByteArray path;
        mode_t type;
        QString reason;
    };
    QList<Row> rows { { fifo, S_IFIFO, notPlain },
                      { link, S_IFLNK, notPlain },
                      { folder, S_IFDIR, u"es una carpeta"_s } };
    // A device node of our own, like /dev/null (root only): never the system's real one.
    const QByteArray device = bytesPath("null.bmp");
    if (::mknod(device.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0)
        rows.append({ device, S_IFCHR, notPlain });
    for (const Row &row : rows) {
        const Result result = runCli({ "-o", row.path, input });
        EXPECT_EQ(result.status, 1) << row.path.constData();
        EXPECT_EQ(result.err,
                  u"framolin-strip: %1: %2\n"_s.arg(QFile::decodeName(row.path), row.reason));
        EXPECT_EQ(typeAt(row.path), row.type) << row.path.constData();
    }
    EXPECT_EQ(entries().size(), 4 + (rows.size() == 4 ? 1 : 0)); // nothing written beside them
}

TEST_F(CliFaults, namesThatAreNotUtf8AreRefusedNamedNeverRenamed)
{
    const QByteArray input = picture("a.bmp");
    // As the output.
    Result result = runCli({ "-o", bytesPath("out\xfe.bmp"), input });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              u"framolin-strip: %1/out\\xFE.bmp: el nombre no es UTF-8 válido; no se toma por "
              "otro\n"_s.arg(m_dir.path()));
    EXPECT_EQ(entries(), QStringList { u"a.bmp"_s });
    // As a picture given by name.
    const QByteArray odd = picture("b\xff.bmp");
    result = runCli({ "-o", bytesPath("out.bmp"), input, odd });
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains(u"/b\\xFF.bmp: el nombre no es UTF-8"_s))
        << qPrintable(result.err);
    EXPECT_FALSE(QFile::exists(m_dir.filePath(u"out.bmp"_s)));
    // In a folder, between two good ones: the strip would silently lack a frame.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"frames"_s));
    picture("frames/a1.bmp");
    picture("frames/a2\xff.bmp");
    picture("frames/a3.bmp");
    result = runCli({ "-o", bytesPath("out.bmp"), bytesPath("frames") });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              u"framolin-strip: %1/frames/a2\\xFF.bmp: el nombre no es UTF-8 válido; "
              "no se toma por otro\n"_s.arg(m_dir.path()));
    EXPECT_FALSE(QFile::exists(m_dir.filePath(u"out.bmp"_s)));
}

TEST_F(CliFaults, aNameHoldingALineFeedStaysOnTheOneErrorLine)
{
    const QByteArray input = picture("a.bmp");
    const QByteArray broken = bytesPath("two\nlines\t.jpg");
    files::writeAll(QFile::decodeName(broken), "\xFF\xD8 not a picture");
    const Result result = runCli({ "-o", bytesPath("out.bmp"), input, broken });
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(
        result.err.startsWith(u"framolin-strip: %1/two\\nlines\\t.jpg: "_s.arg(m_dir.path())))
        << qPrintable(result.err);
    EXPECT_EQ(result.err.count(u'\n'), 1) << qPrintable(result.err);
}

TEST_F(CliFaults, anEntryOfAFolderThatCannotBeReadStopsTheRunNamed)
{
    ASSERT_EQ(::mkdir(bytesPath("photos").constData(), 0700), 0);
    picture("photos/a.bmp");
    const QByteArray bad = bytesPath("photos/d.jpg");
    const std::pair<const char *, std::function<int()>> rows[] {
        { "a link to nothing", [&] { return ::symlink("/nonexistent/x.jpg", bad.constData()); } },
        { "a link loop", [&] { return ::symlink(bad.constData(), bad.constData()); } },
        { "a FIFO", [&] { return ::mkfifo(bad.constData(), 0600); } },
    };
    for (const auto &[what, make] : rows) {
        ASSERT_EQ(make(), 0) << what;
        const Result result = runCli({ "-o", bytesPath("out.bmp"), bytesPath("photos") });
        EXPECT_EQ(result.status, 1) << what;
        EXPECT_TRUE(result.err.startsWith(u"framolin-strip: %1: "_s.arg(QFile::decodeName(bad))))
            << what << ": " << qPrintable(result.err);
        EXPECT_FALSE(QFile::exists(m_dir.filePath(u"out.bmp"_s))) << what;
        ASSERT_EQ(::unlink(bad.constData()), 0);
    }
}

TEST_F(CliFaults, aFullDiskIsReportedWithItsReason)
{
    scratch::SmallFs fs(256);
    if (!fs.available())
        GTEST_SKIP() << "no small filesystem to fill: " << fs.why().toStdString();
    // A strip larger than the filesystem: the disk fills up midway through a write.
    const QByteArray input = picture("a.bmp");
    const QString output = fs.filePath(u"strip.bmp"_s);
    const Result result
        = runCli({ "-W", "320", "-H", "400", "-o", QFile::encodeName(output), input },
                 cli::Language::English); // the C library's wording, as this process has it
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(
        result.err,
        u"framolin-strip: %1: %2\n"_s.arg(output, QString::fromLocal8Bit(std::strerror(ENOSPC))))
        << qPrintable(result.err);
    EXPECT_FALSE(QFile::exists(output));
}

// Beyond its decode, a frame is held once: a see-through picture is laid over the back colour
// as it is written, not copied whole first (a 32767 × 21845 frame would need 4.9 GB).
TEST_F(CliFaults, aSeeThroughFrameIsHeldOnceWhileItIsWritten)
{
    QImage holed = pictures::solid(40, 30, Qt::blue);
    for (int x = 0; x < 40; ++x)
        holed.setPixel(x, 10, qRgb(255, 255, 255));
    const QByteArray gif = bytesPath("holed.gif");
    ASSERT_TRUE(pictures::writeBytes(QFile::decodeName(gif),
                                     pictures::gif({ holed }, { Qt::white, false })));
    const long small = peakKilobytes({ "-W", "16", "-H", "12", "-o", bytesPath("small.bmp"), gif });
    const long large
        = peakKilobytes({ "-W", "4000", "-H", "3000", "-o", bytesPath("large.bmp"), gif });
    const long frameKilobytes = 4000L * 3000 * 4 / 1024; // the stretched frame, 32-bit
    expectPeakWithin(large, small, frameKilobytes * 13 / 10);
    // Still the window's pixels: the line of holes shows the light grey back colour.
    const QImage strip(QFile::decodeName(bytesPath("large.bmp")));
    EXPECT_EQ(strip.pixel(2000, 1050), qRgb(240, 240, 240));
    EXPECT_EQ(strip.pixel(2000, 2000), qRgb(0, 0, 255));
}

// The frames decoded ahead are bounded by bytes, not by workers: with sixteen workers, frames
// of 64 MiB are made about one at a time, not sixteen at once (1 GiB).
TEST_F(CliFaults, theReadAheadOfLargeFramesStaysWithinItsByteBudgetWhateverTheJobs)
{
    const QByteArray input = picture("a.bmp");
    QList<QByteArray> arguments { "-j", "16", "-s", "4096x4096", "-o", bytesPath("big.png") };
    for (int i = 0; i < 8; ++i)
        arguments.append(input);
    const long small = peakKilobytes({ "-s", "16x16", "-o", bytesPath("small.png"), input });
    const long large = peakKilobytes(arguments);
    // One frame being written, one being made, and the stretch's own rows.
    expectPeakWithin(large, small, 3 * 64L * 1024);
    EXPECT_EQ(QImageReader(QFile::decodeName(bytesPath("big.png"))).size(), QSize(4096, 8 * 4096));
}

// The libraries' own prints (libtiff's, libpng's and Qt's) stay off standard error: a picture
// they fail on is the one line naming it. A GIF's screen past the limit is said to be so.
TEST_F(CliFaults, aPictureTheLibrariesFailOnGivesOneLineAndNothingElse)
{
    QByteArray png;
    {
        QBuffer buffer(&png);
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
        ASSERT_TRUE(QImageWriter(&buffer, "png").write(pictures::pattern(64, 64, 1)));
    }
    QByteArray screen = pictures::gif({ pictures::solid(2, 2, Qt::red) });
    qToLittleEndian<quint16>(65535, screen.data() + 6);
    qToLittleEndian<quint16>(65535, screen.data() + 8);
    struct Row
    {
        QByteArray name;
        QByteArray bytes;
        QString says;
    };
    const Row rows[] {
        { "deep.tif", tiff(64), u"datos de imagen dañados o incompletos"_s },
        { "cut.png", png.left(png.size() / 2), u"datos de imagen dañados o incompletos"_s },
        { "screen.gif", screen, u"65535 × 65535 píxeles pasa del límite"_s },
    };
    for (const Row &row : rows) {
        const QByteArray path = bytesPath(row.name);
        ASSERT_TRUE(pictures::writeBytes(QFile::decodeName(path), row.bytes));
        StderrCapture printed;
        const Result result = runCli({ "-q", "-o", bytesPath("out.bmp"), path });
        const QByteArray libraries = printed.finish();
#ifndef __SANITIZE_ADDRESS__ // the descriptor stays open for the sanitizers' reports
        EXPECT_EQ(libraries, QByteArray()) << row.name.constData();
#endif
        EXPECT_EQ(result.status, 1) << row.name.constData();
        EXPECT_EQ(result.err.count(u'\n'), 1) << qPrintable(result.err);
        EXPECT_TRUE(result.err.contains(row.says)) << qPrintable(result.err);
    }
}

// The decodes of all workers share one budget: eight 16-bit pictures of 9 megapixels (108 MB
// each to decode) on eight jobs stay within it, where each job once held its own.
TEST_F(CliFaults, parallelDecodesShareOneMemoryBudget)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"deep"_s));
    QImage deep(3000, 3000, QImage::Format_RGBA64);
    deep.fill(QColor(10, 200, 30, 180));
    const QString first = m_dir.filePath(u"deep/p0.png"_s);
    ASSERT_TRUE(QImageWriter(first, "png").write(deep));
    deep = QImage();
    for (int i = 1; i < 8; ++i)
        ASSERT_TRUE(QFile::copy(first, m_dir.filePath(u"deep/p%1.png"_s.arg(i))));
    // The program itself: a child of this process could not convert large pictures, for Qt's
    // thread pool's threads stay behind in the parent.
    const auto programPeak = [](QList<QByteArray> arguments) {
        arguments.prepend(FRAMOLIN_STRIP_PATH);
        std::vector<char *> argv;
        for (QByteArray &argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        int status = 0;
        rusage usage = {};
        EXPECT_EQ(::wait4(child, &status, 0, &usage), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        return usage.ru_maxrss;
    };
    const QByteArray small = picture("small.bmp");
    const long base = programPeak({ "-q", "-j", "8", "-o", bytesPath("small-strip.png"), small });
    const long peak
        = programPeak({ "-q", "-j", "8", "-o", bytesPath("strip.png"), bytesPath("deep") });
    expectPeakWithin(peak, base, (engine::kDecodeBudgetMegabytes + 64) * 1024);
}

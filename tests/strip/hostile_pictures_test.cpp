// SPDX-License-Identifier: GPL-3.0-or-later
#include "bmp_variants.h"
#include "jpeg_edits.h"
#include "pictures.h"

#include "engine/decode.h"
#include "runtime/error.h"
#include "runtime/picture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using pictures::BmpCompression;
using pictures::BmpLayout;

namespace {

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Every pixel of `actual` within `tolerance` of `expected`; names the first that is not.
::testing::AssertionResult samePixels(const QImage &actual, const QImage &expected, int tolerance)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure()
            << "size " << actual.width() << "x" << actual.height() << " instead of "
            << expected.width() << "x" << expected.height();
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (!near(actual.pixel(x, y), expected.pixel(x, y), tolerance))
                return ::testing::AssertionFailure()
                    << "pixel " << x << "," << y << " is " << std::hex << actual.pixel(x, y)
                    << " instead of " << expected.pixel(x, y);
    return ::testing::AssertionSuccess();
}

QByteArray jpegBytes(const QImage &image, bool progressive)
{
    return pictures::encoded(image, "jpeg", 95, progressive);
}

class HostilePictures : public ::testing::Test
{
protected:
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(pictures::writeBytes(path, bytes));
        return path;
    }
    QTemporaryDir dir;
};

struct BmpRow
{
    const char *name;
    BmpLayout layout;
    int tolerance;
};

class BmpLayouts : public HostilePictures, public ::testing::WithParamInterface<BmpRow>
{
};

} // namespace

TEST_P(BmpLayouts, decodeToTheirExactPixels)
{
    const BmpRow row = GetParam();
    const QList<QRgb> colours = row.layout.bitsPerPixel == 1
        ? QList<QRgb> { qRgb(0, 0, 0), qRgb(255, 255, 255) }
        : QList<QRgb> { qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255),
                        qRgb(0, 0, 0) };
    const QImage expected = pictures::stripes(colours);
    const QString path = file(u"p.bmp"_s, pictures::bmp(expected, row.layout));
    QString reason;
    EXPECT_EQ(engine::probe(path, &reason), expected.size()) << qPrintable(reason);
    const QImage frame = engine::decodeFrame(path, expected.size(), &reason);
    ASSERT_FALSE(frame.isNull()) << qPrintable(reason);
    EXPECT_TRUE(samePixels(frame, expected, row.tolerance));
    // Stretched into a larger frame as the assembly does, the corners keep their colours.
    const QImage big = engine::decodeFrame(path, QSize(50, 30), &reason);
    ASSERT_EQ(big.size(), QSize(50, 30));
    EXPECT_TRUE(near(big.pixel(0, 0), expected.pixel(0, 0), row.tolerance + 2));
    EXPECT_TRUE(near(big.pixel(49, 29), expected.pixel(4, 2), row.tolerance + 2));
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, BmpLayouts,
    ::testing::Values(BmpRow { "palette1", { 1, BmpCompression::None, false }, 0 },
                      BmpRow { "palette4", { 4, BmpCompression::None, false }, 0 },
                      BmpRow { "palette8", { 8, BmpCompression::None, false }, 0 },
                      BmpRow { "palette8TopDown", { 8, BmpCompression::None, true }, 0 },
                      BmpRow { "rle4", { 4, BmpCompression::Rle4, false }, 0 },
                      BmpRow { "rle8", { 8, BmpCompression::Rle8, false }, 0 },
                      BmpRow { "rgb555", { 16, BmpCompression::None, false }, 8 },
                      BmpRow { "rgb565Masks", { 16, BmpCompression::Bitfields, false }, 8 },
                      BmpRow { "rgb24TopDown", { 24, BmpCompression::None, true }, 0 },
                      BmpRow { "rgb32", { 32, BmpCompression::None, false }, 0 },
                      BmpRow { "rgb32Masks", { 32, BmpCompression::Bitfields, false }, 0 },
                      BmpRow { "rgb32MasksTopDown", { 32, BmpCompression::Bitfields, true }, 0 }),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(HostilePictures, jpegsThatAreProgressiveGreyOrCmykDecodeToTheirColours)
{
    const QImage red = pictures::solid(64, 48, QColor(200, 40, 40));
    QImage grey(64, 48, QImage::Format_Grayscale8);
    grey.fill(QColor(128, 128, 128));
    const QString progressive = file(u"progressive.jpg"_s, jpegBytes(red, true));
    const QString greyPath = file(u"grey.jpg"_s, jpegBytes(grey, false));
    const QString cmyk = QStringLiteral(FRAMOLIN_TEST_DATA "/cmyk.jpg");
    QString reason;
    for (const QSize frame : { QSize(16, 12), QSize(100, 80) }) {
        QImage image = engine::decodeFrame(progressive, frame, &reason);
        ASSERT_EQ(image.size(), frame) << qPrintable(reason);
        EXPECT_TRUE(near(image.pixel(frame.width() / 2, frame.height() / 2), qRgb(200, 40, 40), 8));
        image = engine::decodeFrame(greyPath, frame, &reason);
        ASSERT_EQ(image.size(), frame) << qPrintable(reason);
        EXPECT_TRUE(near(image.pixel(3, 3), qRgb(128, 128, 128), 4));
    }
    // Left half red, right half blue, stored as CMYK.
    ASSERT_EQ(engine::probe(cmyk, &reason), QSize(16, 8)) << qPrintable(reason);
    const QImage image = engine::decodeFrame(cmyk, QSize(16, 8), &reason);
    ASSERT_FALSE(image.isNull()) << qPrintable(reason);
    EXPECT_TRUE(near(image.pixel(2, 4), qRgb(200, 40, 40), 40)) << std::hex << image.pixel(2, 4);
    EXPECT_TRUE(near(image.pixel(13, 4), qRgb(40, 40, 200), 40)) << std::hex << image.pixel(13, 4);
}

TEST_F(HostilePictures, gifsThatAreInterlacedTransparentOrAnimatedGiveTheirFirstFrame)
{
    QImage rows(6, 11, QImage::Format_RGB32);
    const QList<QRgb> colours { qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                                qRgb(255, 255, 0), qRgb(0, 255, 255) };
    for (int y = 0; y < rows.height(); ++y)
        for (int x = 0; x < rows.width(); ++x)
            rows.setPixel(x, y, colours[y % colours.size()]);
    QString reason;
    const QString interlaced
        = file(u"interlaced.gif"_s, pictures::gif({ rows }, { QColor(), true }));
    EXPECT_TRUE(samePixels(engine::decodeFrame(interlaced, rows.size(), &reason), rows, 0))
        << qPrintable(reason);

    QImage holed = pictures::solid(4, 4, Qt::blue);
    holed.setPixel(1, 1, qRgb(255, 255, 255));
    const QString transparent
        = file(u"transparent.gif"_s, pictures::gif({ holed }, { Qt::white, false }));
    const QImage frame = engine::decodeFrame(transparent, QSize(4, 4), &reason);
    ASSERT_TRUE(frame.hasAlphaChannel()) << qPrintable(reason);
    EXPECT_EQ(qAlpha(frame.pixel(1, 1)), 0);
    EXPECT_EQ(frame.pixel(2, 2), qRgb(0, 0, 255));

    const QString animated
        = file(u"animated.gif"_s,
               pictures::gif({ pictures::solid(4, 4, Qt::red), pictures::solid(4, 4, Qt::green),
                               pictures::solid(4, 4, Qt::blue) }));
    EXPECT_EQ(engine::probe(animated, &reason), QSize(4, 4));
    EXPECT_TRUE(samePixels(engine::decodeFrame(animated, QSize(4, 4), &reason),
                           pictures::solid(4, 4, Qt::red), 0))
        << qPrintable(reason);
}

TEST_F(HostilePictures, emptyTextAndTruncatedFilesAreRefusedOrDecodedNeverMore)
{
    // Detailed enough that most of the JPEG is scan data, not tables.
    const QImage photo = pictures::detailed(40, 30);
    const QByteArray jpeg = jpegBytes(photo, false);
    const QByteArray bmp = pictures::bmp(photo, {});
    const QByteArray gif = pictures::gif({ photo });
    enum Outcome { Refused, Decoded };
    struct Case
    {
        QString name;
        QByteArray bytes;
        Outcome outcome;
    };
    const std::vector<Case> cases {
        { u"empty.jpg"_s, QByteArray(), Refused },
        { u"words.jpg"_s, "these are words, not pixels\n", Refused },
        { u"header-only.bmp"_s, bmp.left(30), Refused },
        { u"header-only.gif"_s, gif.left(8), Refused },
        { u"header-only.jpg"_s, jpeg.left(20), Refused },
        // Cut inside the pixels: what arrived is kept and the rest filled (grey for JPEG).
        { u"half.jpg"_s, jpeg.left(jpeg.size() * 3 / 4), Decoded },
        { u"half.bmp"_s, bmp.left(bmp.size() / 2), Decoded },
        { u"half.gif"_s, gif.left(gif.size() / 2), Decoded },
    };
    for (const Case &c : cases) {
        const QString path = file(c.name, c.bytes);
        QString reason;
        const QImage frame = engine::decodeFrame(path, QSize(8, 6), &reason);
        EXPECT_EQ(engine::probe(path, &reason).isValid(), c.outcome != Refused)
            << qPrintable(c.name);
        if (c.outcome == Decoded) {
            EXPECT_EQ(frame.size(), QSize(8, 6)) << qPrintable(c.name);
            continue;
        }
        EXPECT_TRUE(frame.isNull()) << qPrintable(c.name);
        EXPECT_FALSE(reason.isEmpty()) << qPrintable(c.name);
        try {
            runtime::LoadPicture(path).stretched(QSize(8, 6));
            ADD_FAILURE() << "accepted " << qPrintable(c.name);
        } catch (const runtime::RuntimeError &e) {
            EXPECT_EQ(e.number(), runtime::err::kInvalidPicture) << qPrintable(c.name);
            EXPECT_TRUE(e.description().contains(path)) << qPrintable(e.description());
        }
    }
}

TEST_F(HostilePictures, headersClaimingGiantSizesAreRefusedBeforeDecoding)
{
    const QImage one = pictures::solid(8, 8, Qt::red);
    QByteArray bmp = pictures::bmp(one, {});
    qToLittleEndian(qint32(60000), bmp.data() + 18);
    qToLittleEndian(qint32(60000), bmp.data() + 22);
    QByteArray topDownBmp = pictures::bmp(one, { 8, BmpCompression::None, true });
    qToLittleEndian(qint32(60000), topDownBmp.data() + 18);
    qToLittleEndian(qint32(-60000), topDownBmp.data() + 22);
    QByteArray gif = pictures::gif({ one });
    for (const int at : { 6, 786 }) { // the logical screen and the image descriptor
        qToLittleEndian(quint16(60000), gif.data() + at);
        qToLittleEndian(quint16(60000), gif.data() + at + 2);
    }
    // Only the image claims the size; the screen says 8 x 8 (the image is cut to it, see the
    // end), or 0 x 0 (take the image's).
    QByteArray frameOnlyGif = pictures::gif({ one });
    qToLittleEndian(quint16(60000), frameOnlyGif.data() + 786);
    qToLittleEndian(quint16(60000), frameOnlyGif.data() + 788);
    QByteArray noScreenGif = frameOnlyGif;
    qToLittleEndian(quint32(0), noScreenGif.data() + 6);
    const std::vector<std::pair<QString, QByteArray>> bombs {
        { u"bomb-no-screen.gif"_s, noScreenGif },
        { u"bomb.bmp"_s, bmp },
        { u"bomb-top-down.bmp"_s, topDownBmp },
        { u"bomb.gif"_s, gif },
        { u"bomb.jpg"_s, pictures::claimSize(jpegBytes(one, false), 60000, 60000) },
        { u"bomb-progressive.jpg"_s, pictures::claimSize(jpegBytes(one, true), 65500, 65500) },
        // Within each side's range, beyond the pixel limit.
        { u"wide.jpg"_s, pictures::claimSize(jpegBytes(one, false), 65000, 5000) },
        // A size a baseline JPEG may have, but too large for progressive decoding's buffers.
        { u"large-progressive.jpg"_s, pictures::claimSize(jpegBytes(one, true), 6000, 4000) },
    };
    for (const auto &[name, bytes] : bombs) {
        const QString path = file(name, bytes);
        QString reason;
        EXPECT_FALSE(engine::probe(path, &reason).isValid()) << qPrintable(name);
        EXPECT_TRUE(reason.contains(u"límite"_s)) << qPrintable(name) << ": " << qPrintable(reason);
        reason.clear();
        EXPECT_TRUE(engine::decodeFrame(path, QSize(320, 200), &reason).isNull())
            << qPrintable(name);
        EXPECT_TRUE(reason.contains(u"límite"_s)) << qPrintable(name) << ": " << qPrintable(reason);
    }
    const QString cut = file(u"bomb-frame-only.gif"_s, frameOnlyGif);
    QString reason;
    EXPECT_EQ(engine::probe(cut, &reason), QSize(8, 8));
    EXPECT_EQ(engine::decodeFrame(cut, QSize(320, 200), &reason).size(), QSize(320, 200));
}

TEST_F(HostilePictures, aLargePhotoIsDecodedAtReducedSizeWithinTheBudget)
{
    // 9000 x 7000 decoded whole would take 240 MB; at the frame's DCT scale it fits.
    const QString path
        = file(u"large.jpg"_s,
               pictures::claimSize(jpegBytes(pictures::solid(16, 16, Qt::red), false), 9000, 7000));
    QString reason;
    EXPECT_EQ(engine::probe(path, &reason), QSize(9000, 7000));
    const QImage frame = engine::decodeFrame(path, QSize(320, 200), &reason);
    ASSERT_EQ(frame.size(), QSize(320, 200)) << qPrintable(reason);
    // Whole, for a frame that is as large as the photo in one side, it does not fit: refused
    // with the budget named.
    EXPECT_TRUE(engine::decodeFrame(path, QSize(9000, 10), &reason).isNull());
    EXPECT_TRUE(reason.contains(u"128 MB"_s)) << qPrintable(reason);
    // A 12-megapixel progressive photo is within its own, lower limit.
    const QString progressive
        = file(u"progressive.jpg"_s,
               pictures::claimSize(jpegBytes(pictures::solid(16, 16, Qt::red), true), 4000, 3000));
    EXPECT_EQ(engine::probe(progressive, &reason), QSize(4000, 3000)) << qPrintable(reason);
}

TEST_F(HostilePictures, foldersFifosAndDevicesAreRefusedWithoutBlocking)
{
    const QString fifo = dir.filePath(u"pipe.jpg"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = dir.filePath(u"folder.bmp"_s);
    ASSERT_TRUE(QDir().mkdir(folder));
    QElapsedTimer timer;
    timer.start();
    for (const QString &path : { fifo, folder, u"/dev/zero"_s, u"/dev/null"_s }) {
        QString reason;
        EXPECT_FALSE(engine::probe(path, &reason).isValid()) << qPrintable(path);
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_TRUE(engine::decodeFrame(path, QSize(8, 8), &reason).isNull());
        try {
            runtime::LoadPicture(path);
            ADD_FAILURE() << "accepted " << qPrintable(path);
        } catch (const runtime::RuntimeError &e) {
            EXPECT_EQ(e.number(), runtime::err::kFileAccess) << qPrintable(path);
            EXPECT_TRUE(e.description().contains(path));
        }
    }
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST_F(HostilePictures, aFileChangedAfterLoadingIsDecodedAsItIsNowOrRefusedNamingIt)
{
    const QString path = file(u"p.bmp"_s, pictures::bmp(pictures::solid(4, 4, Qt::red), {}));
    // Deleted between the drop and the drawing.
    runtime::Picture picture = runtime::LoadPicture(path);
    ASSERT_TRUE(QFile::remove(path));
    try {
        picture.stretched(QSize(8, 8));
        ADD_FAILURE() << "decoded a deleted file";
    } catch (const runtime::RuntimeError &e) {
        EXPECT_EQ(e.number(), runtime::err::kInvalidPicture);
        EXPECT_TRUE(e.description().contains(path));
    }
    // Replaced by another picture: the new pixels are drawn.
    file(u"p.bmp"_s, pictures::bmp(pictures::solid(4, 4, Qt::red), {}));
    picture = runtime::LoadPicture(path);
    file(u"p.bmp"_s, pictures::gif({ pictures::solid(9, 9, Qt::blue) }));
    EXPECT_EQ(picture.stretched(QSize(8, 8)).pixel(4, 4), qRgb(0, 0, 255));
    // Replaced by a FIFO: refused at once, not waited on.
    picture = runtime::LoadPicture(path);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_THROW(picture.stretched(QSize(8, 8)), runtime::RuntimeError);
}

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Declared 16384 x 16384 in a few hundred bytes, with scans that make libjpeg keep every
// coefficient (1.6 GB and more): refused from the header, before libjpeg allocates anything.
TEST_F(HostilePictures, jpegsWhoseDecoderWouldKeepEveryCoefficientAreRefusedWithinTheBudget)
{
    const QImage one = pictures::solid(16, 16, Qt::red);
    const QByteArray baseline = jpegBytes(one, false);
    const QByteArray cmyk = fileBytes(QStringLiteral(FRAMOLIN_TEST_DATA "/cmyk.jpg"));
    ASSERT_FALSE(cmyk.isEmpty());
    const std::vector<std::pair<QString, QByteArray>> bombs {
        { u"one-component-scan.jpg"_s,
          pictures::claimSize(pictures::firstComponentOnly(baseline), 16384, 16384) },
        { u"extended.jpg"_s,
          pictures::claimSize(pictures::frameKind(pictures::firstComponentOnly(baseline), 0xC1),
                              16384, 16384) },
        { u"cmyk.jpg"_s, pictures::claimSize(pictures::firstComponentOnly(cmyk), 16384, 16384) },
        { u"progressive-after-comments.jpg"_s,
          pictures::claimSize(pictures::withComments(jpegBytes(one, true), 1000), 16384, 16384) },
    };
    for (const auto &[name, bytes] : bombs) {
        const QString path = file(name, bytes);
        QString reason;
        EXPECT_FALSE(engine::probe(path, &reason).isValid()) << qPrintable(name);
        EXPECT_TRUE(reason.contains(u"16384 × 16384"_s)) << qPrintable(reason);
        reason.clear();
        EXPECT_TRUE(engine::decodeFrame(path, QSize(320, 200), &reason).isNull())
            << qPrintable(name);
        EXPECT_TRUE(reason.contains(u"16384 × 16384"_s)) << qPrintable(reason);
    }
    // The same kinds at a sensible size decode, however many segments come first.
    const std::vector<std::pair<QString, QByteArray>> fine {
        { u"small-one-component-scan.jpg"_s, pictures::firstComponentOnly(baseline) },
        { u"small-extended.jpg"_s, pictures::frameKind(baseline, 0xC1) },
        { u"many-comments.jpg"_s, pictures::withComments(baseline, 5000) },
        { u"many-comments-progressive.jpg"_s, pictures::withComments(jpegBytes(one, true), 5000) },
        { u"many-comments-cmyk.jpg"_s, pictures::withComments(cmyk, 5000) },
    };
    for (const auto &[name, bytes] : fine) {
        const QString path = file(name, bytes);
        QString reason;
        EXPECT_TRUE(engine::probe(path, &reason).isValid()) << qPrintable(reason);
        EXPECT_FALSE(engine::decodeFrame(path, QSize(20, 10), &reason).isNull())
            << qPrintable(name) << ": " << qPrintable(reason);
    }
}

// A program saving over a listed picture in place shortens it while it is decoded: that is a
// cut file (what arrived, the rest filled), never a crash of the whole program.
TEST_F(HostilePictures, aJpegShortenedWhileItIsDecodedIsOnlyACutFile)
{
    const QImage noise = pictures::noise(2400, 1600, 17);
    const QByteArray bytes = jpegBytes(noise, false);
    const QString path = dir.filePath(u"photo.jpg"_s);
    const QByteArray name = QFile::encodeName(path);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (int attempt = 0; attempt < 6; ++attempt) {
            if (!pictures::writeBytes(path, bytes))
                ::_exit(3);
            std::thread cutter([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(2 + 8 * attempt));
                ::truncate(name.constData(), 0);
            });
            QString reason;
            const QImage frame = engine::decodeFrame(path, noise.size(), &reason);
            cutter.join();
            if (frame.isNull() && reason.isEmpty())
                ::_exit(4);
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_FALSE(WIFSIGNALED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// What a BMP does not hold is black, the same on every run: never what the heap held before.
TEST_F(HostilePictures, whatACutBmpDoesNotHoldIsBlack)
{
    const QImage red = pictures::solid(40, 30, Qt::red);
    const QByteArray whole = pictures::bmp(red, {}); // 24 bits, bottom row first
    const qsizetype pixels = qFromLittleEndian<quint32>(whole.constData() + 10);
    const qsizetype stride = 120;
    QByteArray pastTheEnd = whole;
    qToLittleEndian(quint32(whole.size() + 1000), pastTheEnd.data() + 10);
    struct Row
    {
        QString name;
        QByteArray bytes;
        int redRows; // bottom rows that arrived
    };
    const QByteArray rle = pictures::bmp(red, { 8, BmpCompression::Rle8, false });
    const Row rows[] {
        { u"cut-in-pixels.bmp"_s, whole.left(pixels + 10 * stride + 7), 10 },
        { u"pixels-past-the-end.bmp"_s, pastTheEnd, 0 },
        // Each row a run of 40 and an end of row: 4 bytes a row after the palette.
        { u"cut-rle.bmp"_s, rle.left(rle.size() - 4 * 20 - 3), 10 },
    };
    for (const Row &row : rows) {
        const QString path = file(row.name, row.bytes);
        for (int run = 0; run < 3; ++run) {
            // Leftovers of an earlier frame where the decoder may allocate next.
            QImage(red.size(), QImage::Format_RGB32).fill(qRgb(0x12, 0x34, 0x56));
            QString reason;
            const QImage frame = engine::decodeFrame(path, red.size(), &reason);
            ASSERT_EQ(frame.size(), red.size()) << qPrintable(row.name) << qPrintable(reason);
            for (int y = 0; y < red.height(); ++y) {
                const QRgb expected
                    = y >= red.height() - row.redRows ? qRgb(255, 0, 0) : qRgb(0, 0, 0);
                ASSERT_EQ(frame.pixel(0, y), expected)
                    << qPrintable(row.name) << " row " << y << " run " << run;
                ASSERT_EQ(frame.pixel(39, y), expected) << qPrintable(row.name) << " row " << y;
            }
        }
    }
}

TEST_F(HostilePictures, a32BitBmpWhoseAlphaIsAllZeroIsOpaque)
{
    QImage colours(4, 2, QImage::Format_RGB32);
    const QRgb palette[] { qRgb(255, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 255), qRgb(9, 9, 9) };
    for (int i = 0; i < 8; ++i)
        colours.setPixel(i % 4, i / 4, palette[i % 4]);
    QString reason;
    const QImage opaque = engine::decodeFrame(
        file(u"zero-alpha.bmp"_s, pictures::bmpWithAlpha(colours, 0)), QSize(4, 2), &reason);
    ASSERT_EQ(opaque.size(), QSize(4, 2)) << qPrintable(reason);
    EXPECT_FALSE(opaque.hasAlphaChannel());
    EXPECT_TRUE(samePixels(opaque, colours, 0));
    // A real alpha channel is kept: half see-through stays half see-through.
    const QImage half = engine::decodeFrame(
        file(u"half-alpha.bmp"_s, pictures::bmpWithAlpha(colours, 128)), QSize(4, 2), &reason);
    ASSERT_TRUE(half.hasAlphaChannel()) << qPrintable(reason);
    EXPECT_EQ(qAlpha(half.pixel(0, 0)), 128);
}

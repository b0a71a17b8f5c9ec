// SPDX-License-Identifier: GPL-3.0-or-later
// Writing strips in every format: the format an output path asks for, the largest strip each
// format holds, each format read back, bands streamed in order, and failures that leave the old
// file whole, and strips streamed as they are compressed.

#include "engine/bmp.h"
#include "engine/strip_format.h"
#include "engine/strip_writer.h"
#include "engine/webp_writer.h"

#include "files.h"
#include "pictures.h"
#include "scratch_fs.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using engine::StripFormat;

namespace {

TEST(StripFormat, isChosenByTheLastExtensionInAnyCase)
{
    const std::pair<QString, StripFormat> rows[] {
        { u"strip.png"_s, StripFormat::Png }, { u"/a/b/STRIP.PNG"_s, StripFormat::Png },
        { u"s.jpg"_s, StripFormat::Jpeg },    { u"s.JPEG"_s, StripFormat::Jpeg },
        { u"s.WebP"_s, StripFormat::Webp },   { u"s.bmp"_s, StripFormat::Bmp },
        { u"strip"_s, StripFormat::Bmp },     { u"s.txt"_s, StripFormat::Bmp },
        { u"s.png.bmp"_s, StripFormat::Bmp }, { u"dir.png/strip"_s, StripFormat::Bmp },
    };
    for (const auto &[path, format] : rows)
        EXPECT_EQ(engine::formatForPath(path), format) << qPrintable(path);
    EXPECT_EQ(engine::formatNamed(u"JPG"_s), StripFormat::Jpeg);
    EXPECT_EQ(engine::formatNamed(u"gif"_s), std::nullopt);
}

TEST(StripFormat, limitsNameTheFormatsLimitAndOneThatHoldsTheStrip)
{
    struct Row
    {
        StripFormat format;
        QSize size;
        QString says; // empty: fits
    };
    const Row rows[] {
        { StripFormat::Jpeg, QSize(320, 65500), {} },
        { StripFormat::Jpeg, QSize(320, 72000), u"JPEG, que admite hasta 65500"_s },
        { StripFormat::Jpeg, QSize(65501, 10), u"PNG (.png)"_s },
        { StripFormat::Webp, QSize(16383, 16383), {} },
        { StripFormat::Webp, QSize(320, 16384), u"JPEG (.jpg) o PNG (.png)"_s },
        { StripFormat::Webp, QSize(320, 72000), u"WebP, que admite hasta 16383"_s },
        { StripFormat::Png, QSize(320, 2000000), {} },
        { StripFormat::Bmp, QSize(320, 2000000), {} },
    };
    for (const Row &row : rows) {
        const QString problem = engine::formatLimitProblem(row.format, row.size);
        if (row.says.isEmpty()) {
            EXPECT_TRUE(problem.isEmpty()) << qPrintable(problem);
        } else {
            EXPECT_TRUE(problem.contains(row.says)) << qPrintable(problem);
            EXPECT_TRUE(problem.contains(u"%1 × %2"_s.arg(row.size.width()).arg(row.size.height())))
                << qPrintable(problem);
        }
    }
    EXPECT_FALSE(engine::tooLargeForBrowsers(QSize(320, 65535)));
    EXPECT_TRUE(engine::tooLargeForBrowsers(QSize(320, 65536)));
    EXPECT_TRUE(engine::tooLargeForBrowsers(QSize(65536, 1)));
}

// Colour in every channel, hard edges and gradients: 61 x 37, odd sizes for padding and
// chroma subsampling.
QImage sample()
{
    QImage image(61, 37, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           x < 20 ? qRgb(200, 30, 40)
                                  : qRgb(x * 4, y * 6, (x / 8 + y / 8) % 2 ? 220 : 30));
    return image;
}

// The mean channel difference, and zero only when every pixel is the same.
double meanDifference(const QImage &a, const QImage &b)
{
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                + std::abs(qBlue(p) - qBlue(q));
        }
    return double(sum) / (3.0 * a.width() * a.height());
}

// The PNG's chunk types in order, IDAT once.
QStringList pngChunks(const QByteArray &png)
{
    QStringList types;
    for (qsizetype at = 8; at + 8 <= png.size();) {
        const qsizetype length = qsizetype(qFromBigEndian<quint32>(png.constData() + at));
        const QString type = QString::fromLatin1(png.mid(at + 4, 4));
        if (types.isEmpty() || types.constLast() != type)
            types.append(type);
        at += 12 + length;
    }
    return types;
}

struct Written
{
    StripFormat format;
    const char *name;
    QByteArray readerFormat;
    // Mean channel difference read back, 0 exact; a sharp checkerboard of saturated blue is
    // the worst case for chroma subsampling.
    double tolerance;
};

class EachFormat : public ::testing::TestWithParam<Written>
{
protected:
    QTemporaryDir m_dir;
};

TEST_P(EachFormat, readsBackAsTheStripWithinItsTolerance)
{
    const Written row = GetParam();
    const QString path = m_dir.filePath(QString::fromLatin1(row.name));
    QString reason;
    ASSERT_TRUE(engine::saveStrip(sample(), path, row.format, &reason)) << qPrintable(reason);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format(), row.readerFormat);
    const QImage back = reader.read();
    ASSERT_EQ(back.size(), sample().size());
    EXPECT_LE(meanDifference(back, sample()), row.tolerance);

    const QByteArray bytes = files::readAll(path);
    switch (row.format) {
    case StripFormat::Bmp: { // today's BMP, byte for byte
        ASSERT_TRUE(engine::saveStrip(sample(), m_dir.filePath(u"plain.bmp"_s),
                                      engine::StripFormat::Bmp, &reason));
        EXPECT_EQ(bytes, files::readAll(m_dir.filePath(u"plain.bmp"_s)));
        break;
    }
    case StripFormat::Png:
        // 8-bit RGB, and nothing a browser would colour-correct by.
        EXPECT_EQ(bytes.mid(24, 2), QByteArray("\x08\x02", 2));
        EXPECT_EQ(pngChunks(bytes), QStringList({ u"IHDR"_s, u"IDAT"_s, u"IEND"_s }));
        break;
    case StripFormat::Jpeg:
        EXPECT_TRUE(bytes.contains(QByteArray("\xFF\xC0", 2))); // baseline frame
        EXPECT_FALSE(bytes.contains(QByteArray("\xFF\xC2", 2))); // not progressive
        break;
    case StripFormat::Webp:
        EXPECT_EQ(bytes.mid(12, 4), "VP8 "); // lossy
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, EachFormat,
                         ::testing::Values(Written { StripFormat::Bmp, "strip.bmp", "bmp", 0 },
                                           Written { StripFormat::Png, "strip.png", "png", 0 },
                                           Written { StripFormat::Jpeg, "strip.jpg", "jpeg", 8.0 },
                                           Written { StripFormat::Webp, "strip.webp", "webp",
                                                     8.0 }),
                         [](const auto &row) { return std::string(row.param.name).substr(6); });

TEST(StripWriter, streamedBandsMakeTheSameFileAsTheWholeAndMissingRowsAreBlack)
{
    QTemporaryDir dir;
    const QImage whole = sample();
    for (const StripFormat format : { StripFormat::Png, StripFormat::Jpeg, StripFormat::Webp }) {
        const QString once = dir.filePath(u"once"_s), banded = dir.filePath(u"banded"_s);
        QString reason;
        ASSERT_TRUE(engine::saveStrip(whole, once, format, &reason)) << qPrintable(reason);
        auto writer = engine::makeStripWriter(format);
        ASSERT_TRUE(writer->open(banded, whole.size(), &reason));
        // Bands of 10 rows, one of them narrower than the strip: its right part stays black.
        for (int top = 0; top < whole.height(); top += 10)
            ASSERT_TRUE(writer->writeRows(top, whole.copy(0, top, whole.width(), 10), &reason));
        ASSERT_TRUE(writer->commit(&reason)) << qPrintable(reason);
        EXPECT_EQ(files::readAll(once), files::readAll(banded))
            << engine::formatName(format).toStdString();

        ASSERT_TRUE(writer->open(banded, QSize(8, 6), &reason));
        // A defined band: random pixels in it would bleed past its edge in JPEG and WebP.
        QImage narrow(4, 2, QImage::Format_RGB32);
        narrow.fill(Qt::black);
        ASSERT_TRUE(writer->writeRows(0, narrow, &reason));
        ASSERT_TRUE(writer->commit(&reason));
        const QImage partial(banded);
        ASSERT_EQ(partial.size(), QSize(8, 6));
        EXPECT_LT(qGray(partial.pixel(6, 1)), 12);
        EXPECT_LT(qGray(partial.pixel(2, 5)), 12);
    }
}

TEST(StripWriter, streamedFormatsRefuseBandsOutOfOrderAndLeaveNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"strip"_s);
    files::writeAll(path, "the old strip");
    for (const StripFormat format : { StripFormat::Png, StripFormat::Jpeg }) {
        auto writer = engine::makeStripWriter(format);
        QString reason;
        ASSERT_TRUE(writer->open(path, QSize(8, 20), &reason));
        ASSERT_TRUE(writer->writeRows(0, QImage(8, 5, QImage::Format_RGB32), &reason));
        EXPECT_FALSE(writer->writeRows(10, QImage(8, 5, QImage::Format_RGB32), &reason));
        EXPECT_TRUE(reason.contains(u"orden"_s)) << qPrintable(reason);
        EXPECT_FALSE(writer->commit(&reason));
        EXPECT_EQ(files::readAll(path), "the old strip");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList { u"strip"_s });
    }
}

// Standard output on a full disk: every write fails.
class Refusing final : public QIODevice
{
public:
    Refusing()
    {
        open(QIODevice::WriteOnly);
        setErrorString(u"no room left"_s);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64) override { return -1; }
};

TEST(StripWriter, aStreamGetsTheFileBytesWhereTheFormatStreams)
{
    QTemporaryDir dir;
    const QImage whole = sample();
    for (const StripFormat format :
         { StripFormat::Bmp, StripFormat::Png, StripFormat::Jpeg, StripFormat::Webp }) {
        const std::string name = engine::formatName(format).toStdString();
        const QString path = dir.filePath(u"strip"_s);
        QString reason;
        ASSERT_TRUE(engine::saveStrip(whole, path, format, &reason)) << qPrintable(reason);
        QBuffer stream;
        stream.open(QIODevice::WriteOnly);
        auto writer = engine::makeStripWriter(format);
        const bool opened = writer->openStream(&stream, whole.size(), &reason);
        EXPECT_EQ(opened, engine::formatStreams(format)) << name;
        if (!opened) {
            // BMP finishes its header last and WebP is encoded whole: they need a file.
            EXPECT_FALSE(reason.isEmpty()) << name;
            EXPECT_TRUE(stream.data().isEmpty()) << name;
            continue;
        }
        for (int top = 0; top < whole.height(); top += 10)
            ASSERT_TRUE(writer->writeRows(top, whole.copy(0, top, whole.width(), 10), &reason));
        ASSERT_TRUE(writer->commit(&reason)) << qPrintable(reason);
        EXPECT_EQ(stream.data(), files::readAll(path)) << name;

        // A stream that takes nothing fails the strip with the stream's reason.
        Refusing refusing;
        const QImage noise = pictures::noise(600, 600, 7);
        reason.clear();
        EXPECT_FALSE(writer->openStream(&refusing, noise.size(), &reason)
                     && writer->writeRows(0, noise, &reason) && writer->commit(&reason))
            << name;
        EXPECT_EQ(reason, u"no room left"_s) << name;
    }
}

TEST(StripWriter, aFullDiskFailsEveryFormatAndKeepsTheOldFile)
{
    scratch::SmallFs fs(256);
    if (!fs.available())
        GTEST_SKIP() << qPrintable(fs.why());
    const QString path = fs.filePath(u"strip"_s);
    files::writeAll(path, "the old strip");
    ASSERT_TRUE(fs.fill());
    // Noise does not compress: every format needs far more than the room left.
    const QImage noise = pictures::noise(600, 600, 1);
    for (const StripFormat format :
         { StripFormat::Bmp, StripFormat::Png, StripFormat::Jpeg, StripFormat::Webp }) {
        QString reason;
        EXPECT_FALSE(engine::saveStrip(noise, path, format, &reason))
            << engine::formatName(format).toStdString();
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_EQ(files::readAll(path), "the old strip");
    }
}

TEST(StripWriter, aStripLargerThanItsFormatHoldsIsRefusedBeforeAnythingIsWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tall.webp"_s);
    QString reason;
    EXPECT_FALSE(engine::saveStrip(QImage(2, 16384, QImage::Format_RGB888), path, StripFormat::Webp,
                                   &reason));
    EXPECT_TRUE(reason.contains(u"16383"_s)) << qPrintable(reason);
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace

// libwebp's reasons come through in words, never as a bare error number.
TEST(StripWriter, webpEncoderFailuresAreWorded)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tall.webp"_s);
    const auto writer = engine::makeWebpWriter(75);
    QString reason;
    ASSERT_TRUE(writer->open(path, QSize(2, 16384), &reason)) << qPrintable(reason);
    EXPECT_FALSE(writer->commit(&reason));
    EXPECT_EQ(reason, u"el codificador WebP no admite el tamaño de la tira"_s);
    EXPECT_TRUE(engine::webpEncoderError(6).startsWith(
        u"la primera partición del codificador WebP pasa de 512 KB: use menos columnas"_s));
    EXPECT_FALSE(QFile::exists(path));
}

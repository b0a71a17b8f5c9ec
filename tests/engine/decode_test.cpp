// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's decoding: every input kind ends up exactly frame-sized with the right pixels,
// and a JPEG is decoded at the DCT scale that just covers the frame.

#include "engine/decode.h"
#include "engine/jpeg.h"
#include "engine/stretch.h"

#include "pictures.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

using namespace Qt::StringLiterals;

namespace {

// Smooth picture: gradients only, so reduced decodes and reference scaling agree closely.
QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgb(x * 255 / width, y * 255 / height, 128 + (x - y) * 64 / width));
    return image;
}

// Largest channel difference, and the mean one.
std::pair<int, double> difference(const QImage &a, const QImage &b)
{
    int worst = 0;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : { std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                 std::abs(qBlue(p) - qBlue(q)) }) {
                worst = std::max(worst, d);
                sum += d;
            }
        }
    return { worst, sum / (3.0 * a.width() * a.height()) };
}

struct Kind
{
    const char *name;
    QSize picture;
    const char *format; // "JPG", "PJPG" (progressive), "GJPG" (grey), "BMP", "GIF", or any
                        // other of Qt's writers: "PNG", "TIFF", "WEBP" (lossy at 95)
};

class DecodeKind : public ::testing::TestWithParam<Kind>
{
};

// The reference: the picture decoded whole by Qt, then stretched.
TEST_P(DecodeKind, givesExactlyTheFrameCloseToTheWholePictureStretched)
{
    const Kind kind = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(kind.name));
    QImage source = gradient(kind.picture.width(), kind.picture.height());
    const QByteArray format(kind.format);
    if (format == "GJPG")
        source = source.convertToFormat(QImage::Format_Grayscale8);
    if (format == "PJPG" || format == "GJPG") {
        QImageWriter writer(path, "jpeg");
        writer.setProgressiveScanWrite(format == "PJPG");
        writer.setQuality(95);
        ASSERT_TRUE(writer.write(source));
    } else {
        ASSERT_TRUE(pictures::write(source, path, kind.format));
    }
    const QSize frame(64, 40);
    QString reason;
    const QImage decoded = engine::decodeFrame(path, frame, &reason);
    ASSERT_FALSE(decoded.isNull()) << qPrintable(reason);
    EXPECT_EQ(decoded.size(), frame);
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);

    const QImage reference = engine::stretch(QImage(path), frame);
    const auto [worst, mean] = difference(decoded, reference);
    // Lossless kinds match exactly; DCT scaling differs from area averaging by a little.
    if (format == "BMP" || format == "GIF" || format == "PNG" || format == "TIFF") {
        EXPECT_EQ(worst, 0);
    } else {
        EXPECT_LT(mean, 2.5);
        EXPECT_LT(worst, 24);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, DecodeKind,
    ::testing::Values(
        Kind { "large.jpg", QSize(1000, 700), "JPG" }, Kind { "small.jpg", QSize(30, 20), "JPG" },
        Kind { "wide.jpg", QSize(900, 30), "JPG" }, // shrinks one side, grows one
        Kind { "progressive.jpg", QSize(640, 480), "PJPG" },
        Kind { "grey.jpg", QSize(300, 200), "GJPG" }, Kind { "large.bmp", QSize(500, 300), "BMP" },
        Kind { "small.bmp", QSize(7, 5), "BMP" }, Kind { "picture.gif", QSize(120, 90), "GIF" },
        Kind { "large.png", QSize(500, 300), "PNG" }, Kind { "small.png", QSize(7, 5), "PNG" },
        Kind { "picture.tiff", QSize(300, 200), "TIFF" },
        Kind { "picture.webp", QSize(300, 200), "WEBP" }),
    [](const auto &row) {
        QString name = QString::fromLatin1(row.param.name);
        name.replace(u'.', u'_');
        return name.toStdString();
    });

TEST(Decode, transparentGifKeepsItsAlpha)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.gif"_s);
    QImage image = pictures::solid(20, 20, Qt::red);
    image.setPixel(0, 0, qRgb(0, 255, 0));
    for (int y = 10; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            image.setPixel(x, y, qRgb(0, 255, 0));
    ASSERT_TRUE(pictures::write(image, path, "GIF", QColor(0, 255, 0)));
    QString reason;
    const QImage frame = engine::decodeFrame(path, QSize(20, 20), &reason);
    ASSERT_EQ(frame.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(frame.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(frame.pixel(5, 15)), 0);
}

TEST(Decode, jpegScaleIsTheSmallestThatCoversTheFrame)
{
    struct Row
    {
        QSize full, frame;
        int eighths;
    };
    const Row rows[] { { QSize(3000, 2000), QSize(320, 200), 1 }, // 375 x 250
                       { QSize(640, 480), QSize(320, 200), 4 }, // 320 x 240
                       { QSize(640, 480), QSize(321, 200), 5 },
                       { QSize(2560, 100), QSize(320, 200), 8 }, // the short side limits
                       { QSize(100, 100), QSize(320, 200), 8 }, // growing: whole
                       { QSize(9, 9), QSize(3, 3), 2 } }; // sides round up: 3 x 3
    for (const Row &row : rows)
        EXPECT_EQ(engine::jpegScaleEighths(row.full, row.frame), row.eighths)
            << row.full.width() << "x" << row.full.height();
}

TEST(Decode, pictureTooLargeForTheImageReaderLoadsForASmallFrame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"huge.jpg"_s);
    // 160 MB of grey pixels: over the reader's 128 MB allocation limit.
    QImage huge(16000, 10000, QImage::Format_Grayscale8);
    huge.fill(90);
    ASSERT_TRUE(huge.save(path, "JPG", 50));
    huge = QImage();
    QString reason;
    EXPECT_TRUE(QImageReader(path).read().isNull()); // the whole picture is refused
    const QImage frame = engine::decodeFrame(path, QSize(320, 200), &reason);
    ASSERT_FALSE(frame.isNull()) << qPrintable(reason);
    EXPECT_EQ(frame.size(), QSize(320, 200));
    EXPECT_NEAR(qGreen(frame.pixel(160, 100)), 90, 2);
}

TEST(Decode, damagedOrForeignFilesGiveAReason)
{
    QTemporaryDir dir;
    struct Row
    {
        const char *name;
        QByteArray bytes;
    };
    const Row rows[] { { "cut.jpg", QByteArray("\xFF\xD8\xFF\xE0", 4) },
                       { "text.bmp", QByteArray("just some text") },
                       { "empty.gif", QByteArray() } };
    for (const Row &row : rows) {
        const QString path = dir.filePath(QString::fromLatin1(row.name));
        ASSERT_TRUE(pictures::writeBytes(path, row.bytes));
        QString reason;
        EXPECT_TRUE(engine::decodeFrame(path, QSize(10, 10), &reason).isNull()) << row.name;
        EXPECT_FALSE(reason.isEmpty()) << row.name;
    }
}

} // namespace

namespace {

// Files are told apart by their bytes, whatever their names: a JPEG by its first two bytes, so
// a damaged one is reported as damaged and anything else is not taken for one.
TEST(Decode, firstBytesDecideWhetherAFileIsAJpeg)
{
    QTemporaryDir dir;
    struct Row
    {
        const char *name;
        QByteArray bytes;
        bool jpeg; // reported as a damaged JPEG rather than as no picture
    };
    const QString damaged = u"datos de imagen dañados o incompletos ("_s;
    const QString foreign = u"no es una imagen BMP, JPG, GIF, PNG, WebP o TIFF"_s;
    const Row rows[] {
        { "marker.png", QByteArray("\xFF\xD8", 2), true },
        { "garbage.bmp", QByteArray("\xFF\xD8 no picture follows"), true },
        { "one.jpg", QByteArray("\xFF", 1), false },
        { "swapped.jpg", QByteArray("\xD8\xFF\xFF\xE0 no picture", 14), false },
    };
    for (const Row &row : rows) {
        const QString path = dir.filePath(QString::fromLatin1(row.name));
        ASSERT_TRUE(pictures::writeBytes(path, row.bytes));
        const QString expected = row.jpeg ? damaged : foreign;
        QString probed;
        EXPECT_FALSE(engine::probe(path, &probed).isValid()) << row.name;
        EXPECT_TRUE(probed.startsWith(expected)) << row.name << ": " << qPrintable(probed);
        QString decoded;
        EXPECT_TRUE(engine::decodeFrame(path, QSize(10, 10), &decoded).isNull()) << row.name;
        EXPECT_EQ(decoded, probed) << row.name;
    }
    // A real JPEG under another name is still decoded as one.
    const QString named = dir.filePath(u"photo.png"_s);
    ASSERT_TRUE(pictures::write(gradient(80, 50), named, "JPG"));
    QString reason;
    EXPECT_EQ(engine::probe(named, &reason), QSize(80, 50)) << qPrintable(reason);
    EXPECT_EQ(engine::decodeFrame(named, QSize(40, 25), &reason).size(), QSize(40, 25));
}

} // namespace

TEST(Fit, coverAndContainKeepTheAspectCentredOnOddSizes)
{
    // The picture, the frame, the part of the picture kept and where it goes in the frame.
    const std::tuple<QSize, QSize, QRect, QRect> rows[] {
        { QSize(3000, 2000), QSize(320, 200), QRect(0, 62, 3000, 1875), QRect(10, 0, 300, 200) },
        { QSize(2000, 3000), QSize(320, 200), QRect(0, 875, 2000, 1250), QRect(93, 0, 133, 200) },
        { QSize(7, 5), QSize(3, 3), QRect(1, 0, 5, 5), QRect(0, 0, 3, 2) },
        { QSize(1, 1001), QSize(5, 5), QRect(0, 500, 1, 1), QRect(2, 0, 1, 5) },
        { QSize(640, 400), QSize(320, 200), QRect(0, 0, 640, 400), QRect(0, 0, 320, 200) },
    };
    for (const auto &[picture, frame, cover, contain] : rows) {
        EXPECT_EQ(engine::coverSource(picture, frame), cover) << picture.width();
        EXPECT_EQ(engine::containTarget(picture, frame), contain) << picture.width();
    }
}

namespace {

// A PNG chunk of `type` holding `data`, with its CRC.
QByteArray pngChunk(const char *type, const QByteArray &data)
{
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), chunk.data());
    chunk += QByteArray(type, 4) + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef *>(chunk.constData() + 4),
                                        uInt(chunk.size() - 4))),
                          crc.data());
    return chunk + crc;
}

// Qt's PNG reader inflates every compressed text chunk as it reads the header: 30 chunks of
// 7 MB each (libpng's most), before and after the image data, must neither be inflated nor stop the
// picture. Other metadata past its limit is refused.
TEST(Decode, pngTextChunksAreNeverInflatedAndMetadataIsBounded)
{
    QTemporaryDir dir;
    const QImage picture = pictures::pattern(40, 30, 3);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && QImageWriter(&buffer, "png").write(picture));
    const qsizetype header = 8 + 25; // the signature and IHDR
    const QByteArray text = pngChunk(
        "zTXt", QByteArray("Comment\0\0", 9) + qCompress(QByteArray(7 << 20, ' '), 9).mid(4));
    const QByteArray texts = text.repeated(15);
    const QByteArray bomb = png.left(header) + texts + png.mid(header, png.size() - header - 12)
        + texts + png.right(12);
    const QString plain = dir.filePath(u"plain.png"_s), bombPath = dir.filePath(u"bomb.png"_s);
    const QString exif = dir.filePath(u"exif.png"_s);
    ASSERT_TRUE(pictures::writeBytes(plain, png) && pictures::writeBytes(bombPath, bomb));
    ASSERT_TRUE(pictures::writeBytes(
        exif,
        png.left(header) + pngChunk("eXIf", QByteArray((1 << 20) + 1, 'x')) + png.mid(header)));
    QString reason;
    const QImage expected = engine::decodeFrame(plain, QSize(40, 30), &reason);
    ASSERT_FALSE(expected.isNull()) << qPrintable(reason);
    EXPECT_EQ(engine::decodeFrame(bombPath, QSize(40, 30), &reason), expected)
        << qPrintable(reason);
    EXPECT_TRUE(engine::decodeFrame(exif, QSize(40, 30), &reason).isNull());
    EXPECT_EQ(reason, u"los metadatos de la imagen PNG pasan de 1 MB"_s);

    rusage usage = {};
    ::getrusage(RUSAGE_SELF, &usage);
    const long before = usage.ru_maxrss;
    const pid_t child = ::fork();
    if (child == 0) {
        QString why;
        ::_exit(engine::decodeFrame(bombPath, QSize(40, 30), &why).isNull() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::wait4(child, &status, 0, &usage), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
#ifndef __SANITIZE_ADDRESS__ // ASan's quarantine keeps freed blocks resident: no peak to read
    EXPECT_LT(usage.ru_maxrss, before + 64 * 1024) << "KiB, against " << before << " before";
#else
    (void)before;
#endif
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// PNG, WebP and TIFF inputs under the rules every input follows (exact pixels, transparency,
// first frame, sizes checked before decoding), and pictures turned upright by their EXIF
// orientation in every kind that carries one.

#include "engine/decode.h"
#include "engine/stretch.h"

#include "pictures.h"
#include "tagged_pictures.h"

#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QString hex(QRgb c)
{
    return QString::number(c & 0xffffff, 16);
}

// Hard edges and every channel, on a 5 x 3 grid so odd sizes and padding show.
QImage stripes()
{
    return pictures::stripes({ qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                               qRgb(255, 255, 255), qRgb(10, 20, 30) });
}

class PictureKinds : public ::testing::Test
{
protected:
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(pictures::writeBytes(path, bytes));
        return path;
    }
    QString saved(const QString &name, const QImage &image, const char *format, int quality = -1)
    {
        const QString path = m_dir.filePath(name);
        QImageWriter writer(path, format);
        writer.setQuality(quality);
        EXPECT_TRUE(writer.write(image)) << qPrintable(writer.errorString());
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_F(PictureKinds, losslessKindsDecodeToTheirExactPixels)
{
    const QImage expected = stripes();
    struct Row
    {
        const char *name;
        QImage image;
        const char *format;
    };
    const Row rows[] {
        { "rgb.png", expected, "png" },
        { "16-bit.png", expected.convertToFormat(QImage::Format_RGBA64), "png" },
        { "palette.png", expected.convertToFormat(QImage::Format_Indexed8), "png" },
        { "rgb.tiff", expected, "tiff" },
        { "palette.tif", expected.convertToFormat(QImage::Format_Indexed8), "tiff" },
        { "lossless.webp", expected, "webp" }, // quality 100 is lossless
    };
    for (const Row &row : rows) {
        const QString path = saved(QString::fromLatin1(row.name), row.image, row.format,
                                   qstrcmp(row.format, "webp") == 0 ? 100 : -1);
        QString reason;
        EXPECT_EQ(engine::probe(path, &reason), expected.size()) << row.name;
        const QImage frame = engine::decodeFrame(path, expected.size(), &reason);
        ASSERT_EQ(frame.size(), expected.size()) << row.name << ": " << qPrintable(reason);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(frame.pixel(x, y), expected.pixel(x, y))
                    << row.name << " " << x << "," << y;
    }
    // Grey stays grey.
    const QImage grey = expected.convertToFormat(QImage::Format_Grayscale8);
    const QString path = saved(u"grey.png"_s, grey, "png");
    QString reason;
    const QImage frame = engine::decodeFrame(path, grey.size(), &reason);
    ASSERT_FALSE(frame.isNull()) << qPrintable(reason);
    EXPECT_EQ(frame.pixel(1, 0), grey.pixel(1, 0));
}

TEST_F(PictureKinds, transparencyIsKeptForTheBackColourToShowThrough)
{
    QImage holed(4, 4, QImage::Format_ARGB32);
    holed.fill(qRgba(255, 0, 0, 255));
    holed.setPixel(1, 1, qRgba(0, 0, 0, 0));
    holed.setPixel(2, 2, qRgba(0, 0, 255, 128));
    for (const char *format : { "png", "webp", "tiff" }) {
        const QString path = saved(u"holed."_s + QString::fromLatin1(format), holed, format, 100);
        QString reason;
        const QImage frame = engine::decodeFrame(path, QSize(4, 4), &reason);
        ASSERT_EQ(frame.format(), QImage::Format_ARGB32_Premultiplied)
            << format << ": " << qPrintable(reason);
        EXPECT_EQ(frame.pixel(0, 0), qRgb(255, 0, 0)) << format;
        EXPECT_EQ(qAlpha(frame.pixel(1, 1)), 0) << format;
        EXPECT_NEAR(qAlpha(frame.pixel(2, 2)), 128, 1) << format;
    }
}

TEST_F(PictureKinds, animatedWebpGivesItsFirstFrame)
{
    const QString path = file(
        u"spin.webp"_s,
        pictures::animatedWebp({ pictures::solid(8, 6, Qt::red), pictures::solid(8, 6, Qt::green),
                                 pictures::solid(8, 6, Qt::blue) }));
    QString reason;
    const QImage frame = engine::decodeFrame(path, QSize(8, 6), &reason);
    ASSERT_FALSE(frame.isNull()) << qPrintable(reason);
    EXPECT_TRUE(near(frame.pixel(4, 3), qRgb(255, 0, 0), 2)) << qPrintable(hex(frame.pixel(4, 3)));
}

// A PNG whose header claims `width` x `height`, its checksum mended so only the size is wrong.
QByteArray claimPngSize(QByteArray png, quint32 width, quint32 height)
{
    qToBigEndian(width, png.data() + 16);
    qToBigEndian(height, png.data() + 20);
    quint32 crc = 0xFFFFFFFFu;
    for (qsizetype i = 12; i < 29; ++i) { // "IHDR" and its 13 bytes
        crc ^= uchar(png[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    qToBigEndian(~crc, png.data() + 29);
    return png;
}

// A little-endian TIFF whose first directory claims `width` x `height`.
QByteArray claimTiffSize(QByteArray tiff, quint32 width, quint32 height)
{
    // Offsets are checked against the size, and the bytes are reached through data(): GCC's
    // bounds warning cannot tell a checked array from Qt's one-byte shared empty buffer.
    if (tiff.size() < 8)
        return {};
    char *bytes = tiff.data();
    const quint32 ifd = qFromLittleEndian<quint32>(bytes + 4);
    if (qsizetype(ifd) + 2 > tiff.size())
        return {};
    const int entries = qFromLittleEndian<quint16>(bytes + ifd);
    if (qsizetype(ifd) + 2 + 12 * qsizetype(entries) > tiff.size())
        return {};
    for (int e = 0; e < entries; ++e) {
        char *entry = bytes + ifd + 2 + 12 * e;
        const quint16 tag = qFromLittleEndian<quint16>(entry);
        const quint16 type = qFromLittleEndian<quint16>(entry + 2);
        if (tag != 256 && tag != 257)
            continue;
        const quint32 value = tag == 256 ? width : height;
        if (type == 3)
            qToLittleEndian(quint16(std::min<quint32>(value, 0xFFFF)), entry + 8);
        else
            qToLittleEndian(value, entry + 8);
    }
    return tiff;
}

TEST_F(PictureKinds, headersClaimingGiantSizesAreRefusedBeforeDecoding)
{
    const QImage one = pictures::solid(8, 8, Qt::red);
    QByteArray webp = pictures::webpWithExif(one, pictures::exifOrientationBlock(1));
    qToLittleEndian(quint32(16382), webp.data() + 24); // the canvas: 16383 x 16383 (24 bits each)
    qToLittleEndian(quint16(0x3FFE), webp.data() + 27);
    webp[29] = '\0';
    const std::vector<std::pair<QString, QByteArray>> bombs {
        { u"bomb.png"_s, claimPngSize(pictures::encoded(one, "png", 90), 60000, 60000) },
        { u"bomb.tiff"_s, claimTiffSize(pictures::encoded(one, "tiff", 90), 60000, 60000) },
        { u"bomb.webp"_s, webp },
    };
    for (const auto &[name, bytes] : bombs) {
        const QString path = file(name, bytes);
        QString reason;
        EXPECT_FALSE(engine::probe(path, &reason).isValid()) << qPrintable(name);
        EXPECT_TRUE(reason.contains(u"megapíxeles"_s))
            << qPrintable(name) << ": " << qPrintable(reason);
        reason.clear();
        EXPECT_TRUE(engine::decodeFrame(path, QSize(320, 200), &reason).isNull())
            << qPrintable(name);
        EXPECT_TRUE(reason.contains(u"megapíxeles"_s))
            << qPrintable(name) << ": " << qPrintable(reason);
    }
}

TEST_F(PictureKinds, foreignKindsAreStillRefusedByName)
{
    const QString path = saved(u"picture.ppm"_s, stripes(), "ppm");
    QString reason;
    EXPECT_FALSE(engine::probe(path, &reason).isValid());
    EXPECT_EQ(reason, u"no es una imagen BMP, JPG, GIF, PNG, WebP o TIFF"_s);
}

// How each kind carries the tag: JPEG's APP1 segment (either byte order), TIFF's own
// directory, WebP's EXIF chunk.
enum class Carrier { Jpeg, JpegBigEndian, Tiff, Webp };

struct Oriented
{
    Carrier carrier;
    int orientation;
};

class Orientation : public PictureKinds, public ::testing::WithParamInterface<Oriented>
{
};

// Four solid quarters, each side a multiple of 16 so lossy coding keeps them clean.
QImage quarters()
{
    QImage image(160, 96, QImage::Format_RGB32);
    const QRgb colours[] { qRgb(230, 30, 30), qRgb(30, 200, 30), qRgb(30, 30, 230),
                           qRgb(240, 240, 40) };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, colours[(x >= 80 ? 1 : 0) + (y >= 48 ? 2 : 0)]);
    return image;
}

TEST_P(Orientation, picturesAreTurnedUprightBeforeBeingStretched)
{
    const auto [carrier, orientation] = GetParam();
    const QImage upright = quarters();
    const QImage stored = pictures::storedFor(upright, orientation);
    QString path;
    switch (carrier) {
    case Carrier::Jpeg:
    case Carrier::JpegBigEndian:
        path = file(u"photo.jpg"_s,
                    pictures::jpegWithExif(stored,
                                           pictures::exifOrientationBlock(
                                               orientation, carrier == Carrier::JpegBigEndian)));
        break;
    case Carrier::Webp:
        path = file(u"photo.webp"_s,
                    pictures::webpWithExif(stored, pictures::exifOrientationBlock(orientation)));
        break;
    case Carrier::Tiff: {
        // Qt's TIFF writer stores the tag; its values follow EXIF's numbering.
        const QImageIOHandler::Transformations tags[] {
            QImageIOHandler::TransformationNone,
            QImageIOHandler::TransformationNone,
            QImageIOHandler::TransformationMirror,
            QImageIOHandler::TransformationRotate180,
            QImageIOHandler::TransformationFlip,
            QImageIOHandler::TransformationFlipAndRotate90,
            QImageIOHandler::TransformationRotate90,
            QImageIOHandler::TransformationMirrorAndRotate90,
            QImageIOHandler::TransformationRotate270,
        };
        path = m_dir.filePath(u"scan.tiff"_s);
        QImageWriter writer(path, "tiff");
        writer.setTransformation(tags[orientation]);
        ASSERT_TRUE(writer.write(stored));
        break;
    }
    }
    // A frame of the upright picture's shape, at a quarter of its size: a JPEG is decoded at a
    // reduced scale, which must be chosen for the sides as stored.
    const QSize frame(40, 24);
    QString reason;
    const QImage decoded = engine::decodeFrame(path, frame, &reason);
    ASSERT_EQ(decoded.size(), frame) << qPrintable(reason);
    const QImage expected = engine::stretch(upright, frame);
    for (const QPoint at : { QPoint(10, 6), QPoint(30, 6), QPoint(10, 18), QPoint(30, 18) })
        EXPECT_TRUE(near(decoded.pixel(at), expected.pixel(at), 24))
            << "at " << at.x() << "," << at.y() << ": " << qPrintable(hex(decoded.pixel(at)))
            << " instead of " << qPrintable(hex(expected.pixel(at)));
}

std::vector<Oriented> everyOrientation()
{
    std::vector<Oriented> rows;
    for (const Carrier carrier :
         { Carrier::Jpeg, Carrier::JpegBigEndian, Carrier::Tiff, Carrier::Webp })
        for (int orientation = 1; orientation <= 8; ++orientation)
            rows.push_back({ carrier, orientation });
    return rows;
}

std::string orientedName(const ::testing::TestParamInfo<Oriented> &row)
{
    static const char *const carriers[] { "jpeg", "jpegBigEndian", "tiff", "webp" };
    return std::string(carriers[int(row.param.carrier)]) + "_"
        + std::to_string(row.param.orientation);
}

INSTANTIATE_TEST_SUITE_P(EveryKindAndTag, Orientation, ::testing::ValuesIn(everyOrientation()),
                         orientedName);

// An upright portrait JPEG stored turned, blue bands at top and bottom and red between: the fit
// applies to the picture as seen, and the reduced decode still covers what is kept.
TEST_F(PictureKinds, fitAppliesToTheUprightPicture)
{
    const QRgb red = qRgb(230, 30, 30), blue = qRgb(30, 30, 230), green = qRgb(0, 200, 0);
    QImage upright = pictures::solid(64, 96, blue);
    QPainter(&upright).fillRect(0, 16, 64, 64, QColor(red));
    for (const int orientation : { 1, 5, 6, 8 }) {
        const QString path
            = file(u"turned.jpg"_s,
                   pictures::jpegWithExif(pictures::storedFor(upright, orientation),
                                          pictures::exifOrientationBlock(orientation)));
        QString why;
        engine::FrameOptions covered, contained;
        covered.fit = engine::Fit::Cover;
        contained.fit = engine::Fit::Contain;
        contained.background = green;
        // Cover keeps the 64 x 32 middle, all red; contain puts it 21 x 32 from x = 13.
        const QImage cover = engine::decodeFrame(path, QSize(32, 16), &why, covered);
        const QImage contain = engine::decodeFrame(path, QSize(48, 32), &why, contained);
        for (const QPoint at : { QPoint(0, 0), QPoint(31, 15), QPoint(16, 0) })
            EXPECT_TRUE(near(cover.pixel(at), red, 40)) << orientation << " " << at.x();
        for (const QPoint at : { QPoint(12, 16), QPoint(34, 0), QPoint(47, 31) })
            EXPECT_EQ(contain.pixel(at), green) << orientation << " " << at.x();
        EXPECT_TRUE(near(contain.pixel(23, 16), red, 40) && near(contain.pixel(23, 1), blue, 40))
            << orientation;
    }
}

TEST_F(PictureKinds, damagedOrMissingExifLeavesThePictureAsStored)
{
    const QImage image = quarters();
    QByteArray cut = pictures::exifOrientationBlock(6);
    cut.truncate(14); // the directory is missing
    QByteArray outOfRange = pictures::exifOrientationBlock(9);
    for (const QByteArray &exif : { cut, outOfRange, QByteArray("Exif\0\0", 6) }) {
        const QString path = file(u"odd.jpg"_s, pictures::jpegWithExif(image, exif));
        QString reason;
        const QImage decoded = engine::decodeFrame(path, image.size(), &reason);
        ASSERT_EQ(decoded.size(), image.size()) << qPrintable(reason);
        EXPECT_TRUE(near(decoded.pixel(10, 10), image.pixel(10, 10), 24));
        EXPECT_TRUE(near(decoded.pixel(150, 90), image.pixel(150, 90), 24));
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The PNG writer compresses bands of rows side by side: strips of every height around a band's
// edge must read back exactly (libpng with its checksums, Qt, and a plain inflate of the joined
// IDAT data), come out the same for any number of threads, and fail without leaving anything,
// also while bands are still being compressed.

#include "engine/png_writer.h"
#include "engine/strip_writer.h"

#include "files.h"
#include "scratch_fs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <png.h>
#include <zlib.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Gradients with a little noise, so every byte counts in the filter and the checksums while
// the data still compresses. `noise` 255 makes it incompressible.
QImage pattern(int width, int height, int noise = 7)
{
    QImage image(width, height, QImage::Format_RGB32);
    quint32 seed = 1;
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int n = int(seed >> 24) & noise;
            row[x] = qRgb((x + n) & 255, (y * 3 + (n << 1)) & 255, ((x ^ y) + n * 5) & 255);
        }
    }
    return image;
}

// Writes `image` through a PNG writer on `threads` threads, handed over `piece` rows at a time.
QByteArray writePng(const QImage &image, const QString &path, int threads, int piece)
{
    const auto writer = engine::makePngWriter(threads);
    QString reason;
    EXPECT_TRUE(writer->open(path, image.size(), &reason)) << qPrintable(reason);
    for (int top = 0; top < image.height(); top += piece) {
        const QImage part
            = image.copy(0, top, image.width(), std::min(piece, image.height() - top));
        EXPECT_TRUE(writer->writeRows(top, part, &reason)) << qPrintable(reason);
    }
    EXPECT_TRUE(writer->commit(&reason)) << qPrintable(reason);
    return files::readAll(path);
}

// The picture as libpng reads it, checking every CRC and the zlib checksum; null on any error.
QImage readWithLibpng(const QByteArray &bytes)
{
    png_image png {};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.constData(), std::size_t(bytes.size())))
        return {};
    png.format = PNG_FORMAT_RGB;
    QImage image(int(png.width), int(png.height), QImage::Format_RGB888);
    const bool ok = png_image_finish_read(&png, nullptr, image.bits(),
                                          png_int_32(image.bytesPerLine()), nullptr)
        && png.warning_or_error == 0;
    png_image_free(&png);
    return ok ? image : QImage();
}

struct Chunks
{
    QStringList types; // in order, repeats folded
    QByteArray data; // the IDAT chunks' data joined
    bool crcsMatch = true;
};

Chunks chunksOf(const QByteArray &png)
{
    Chunks chunks;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const auto length = qsizetype(qFromBigEndian<quint32>(png.constData() + at));
        const QByteArray typeAndData = png.mid(at + 4, 4 + length);
        const QString type = QString::fromLatin1(typeAndData.left(4));
        if (chunks.types.isEmpty() || chunks.types.constLast() != type)
            chunks.types.append(type);
        if (type == u"IDAT"_s)
            chunks.data += typeAndData.mid(4);
        const auto crc = crc32_z(0, reinterpret_cast<const Bytef *>(typeAndData.constData()),
                                 std::size_t(typeAndData.size()));
        chunks.crcsMatch
            = chunks.crcsMatch && crc == qFromBigEndian<quint32>(png.constData() + at + 8 + length);
        at += 12 + length;
    }
    return chunks;
}

// Inflates one whole zlib stream: its bytes, or null when it is damaged, ends early or is
// followed by anything.
QByteArray inflated(const QByteArray &stream, qsizetype expected)
{
    QByteArray out(expected + 1, '\0');
    z_stream z {};
    if (inflateInit(&z) != Z_OK)
        return {};
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stream.constData()));
    z.avail_in = uInt(stream.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    const int status = inflate(&z, Z_FINISH);
    const bool whole = status == Z_STREAM_END && z.avail_in == 0;
    out.truncate(qsizetype(z.total_out));
    inflateEnd(&z);
    return whole ? out : QByteArray();
}

struct Shape
{
    const char *name;
    int width;
    // The height in whole bands plus `extra` rows, so the cases follow the writer's bands.
    int bands;
    int extra;
};

class PngBands : public ::testing::TestWithParam<Shape>
{
protected:
    QTemporaryDir m_dir;
};

TEST_P(PngBands, readBackExactlyWithTheSameBytesForAnyThreadCount)
{
    const Shape shape = GetParam();
    const int height = shape.bands * engine::pngBandRows(shape.width) + shape.extra;
    const QImage image = pattern(shape.width, height);
    const QByteArray one = writePng(image, m_dir.filePath(u"one.png"_s), 1, 7);
    const QByteArray three = writePng(image, m_dir.filePath(u"three.png"_s), 3, 200);
    ASSERT_FALSE(one.isEmpty());
    EXPECT_TRUE(one == three) << "the bytes depend on the threads or on the pieces handed over";

    const Chunks chunks = chunksOf(one);
    EXPECT_TRUE(chunks.crcsMatch);
    EXPECT_EQ(chunks.types, QStringList({ u"IHDR"_s, u"IDAT"_s, u"IEND"_s }));
    const qsizetype raw = qsizetype(height) * (1 + 3 * qsizetype(shape.width));
    EXPECT_EQ(inflated(chunks.data, raw).size(), raw);

    const QImage expected = image.convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(readWithLibpng(one).convertToFormat(QImage::Format_RGB32) == expected);
    EXPECT_TRUE(QImage(m_dir.filePath(u"one.png"_s)).convertToFormat(QImage::Format_RGB32)
                == expected);
}

INSTANTIATE_TEST_SUITE_P(
    Heights, PngBands,
    ::testing::Values(Shape { "oneRow", 320, 0, 1 }, Shape { "oneRowShortOfABand", 320, 1, -1 },
                      Shape { "oneBand", 320, 1, 0 }, Shape { "oneRowPastABand", 320, 1, 1 },
                      Shape { "twoBands", 320, 2, 0 }, Shape { "twelveColumnSheet", 3840, 2, 5 },
                      Shape { "rowsWiderThanABand", 400000, 0, 3 }),
    [](const auto &row) { return std::string(row.param.name); });

TEST(PngWriter, rowsNeverWrittenAreBlackAcrossBands)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"gaps.png"_s);
    const int band = engine::pngBandRows(100);
    const auto writer = engine::makePngWriter(2);
    QString reason;
    ASSERT_TRUE(writer->open(path, QSize(100, 3 * band + 4), &reason));
    // A narrow band across the first band's edge; everything else is never written.
    const QImage rows = pattern(60, band + 2);
    ASSERT_TRUE(writer->writeRows(0, rows, &reason));
    ASSERT_TRUE(writer->commit(&reason)) << qPrintable(reason);

    const QImage back = readWithLibpng(files::readAll(path)).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(back.size(), QSize(100, 3 * band + 4));
    EXPECT_TRUE(back.copy(0, 0, 60, band + 2) == rows.convertToFormat(QImage::Format_RGB32));
    for (const QPoint black : { QPoint(60, 0), QPoint(99, band), QPoint(0, band + 2),
                                QPoint(50, 2 * band), QPoint(99, 3 * band + 3) })
        EXPECT_EQ(back.pixel(black), qRgb(0, 0, 0)) << black.x() << "," << black.y();
}

// Leaves what was in the folder, and the old strip, as they were.
void expectUntouched(const QString &folder, const QStringList &before, const QString &path)
{
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), before);
    EXPECT_EQ(files::readAll(path), "the old strip");
}

TEST(PngWriter, aDiskFilledWhileBandsAreWrittenFailsAndKeepsTheOldFile)
{
    scratch::SmallFs fs(256);
    if (!fs.available())
        GTEST_SKIP() << qPrintable(fs.why());
    const QString path = fs.filePath(u"strip.png"_s);
    files::writeAll(path, "the old strip");
    const QStringList before = QDir(fs.path()).entryList(QDir::Files | QDir::Hidden);
    // Four megabytes of noise: the room runs out after some bands are already in the file.
    const QImage noise = pattern(600, 2400, 255);
    const auto writer = engine::makePngWriter(2);
    QString reason;
    ASSERT_TRUE(writer->open(path, noise.size(), &reason)) << qPrintable(reason);
    bool ok = true;
    for (int top = 0; ok && top < noise.height(); top += 150)
        ok = writer->writeRows(top, noise.copy(0, top, 600, 150), &reason);
    ok = ok && writer->commit(&reason);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(reason.isEmpty());
    expectUntouched(fs.path(), before, path);

    // The same writer then makes a whole strip elsewhere.
    QTemporaryDir dir;
    const QImage image = pattern(600, 700);
    ASSERT_TRUE(writer->open(dir.filePath(u"next.png"_s), image.size(), &reason));
    ASSERT_TRUE(writer->writeRows(0, image, &reason));
    ASSERT_TRUE(writer->commit(&reason)) << qPrintable(reason);
    EXPECT_TRUE(readWithLibpng(files::readAll(dir.filePath(u"next.png"_s)))
                    .convertToFormat(QImage::Format_RGB32)
                == image);
}

TEST(PngWriter, unwritableOutputsAreRefusedAtOpen)
{
    scratch::SmallFs fs(256);
    if (!fs.available())
        GTEST_SKIP() << qPrintable(fs.why());
    const QString path = fs.filePath(u"strip.png"_s);
    files::writeAll(path, "the old strip");
    files::writeAll(fs.filePath(u"file"_s), "a file, not a folder");
    const QStringList before = QDir(fs.path()).entryList(QDir::Files | QDir::Hidden);
    ASSERT_TRUE(fs.makeReadOnly());
    for (const QString &target : { path, fs.filePath(u"file/strip.png"_s) }) {
        const auto writer = engine::makePngWriter(2);
        QString reason;
        EXPECT_FALSE(writer->open(target, QSize(10, 10), &reason)) << qPrintable(target);
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_FALSE(writer->commit(&reason));
    }
    expectUntouched(fs.path(), before, path);
}

TEST(PngWriter, aStripDroppedWithBandsInFlightLeavesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"strip.png"_s);
    files::writeAll(path, "the old strip");
    const QImage image = pattern(320, 6 * engine::pngBandRows(320));
    for (const bool cancel : { true, false }) {
        auto writer = engine::makePngWriter(2);
        QString reason;
        ASSERT_TRUE(writer->open(path, image.size(), &reason));
        ASSERT_TRUE(writer->writeRows(0, image.copy(0, 0, 320, image.height() - 1), &reason));
        if (cancel)
            writer->cancel();
        writer.reset();
        expectUntouched(dir.path(), { u"strip.png"_s }, path);
    }
}

} // namespace

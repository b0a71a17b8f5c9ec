// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the strip as a BMP file: the bytes of the headers and rows, read back by Qt's
// decoder, and every failure leaving the file that was there untouched.

#include "files.h"
#include "pictures.h"
#include "scratch_fs.h"

#include "runtime/error.h"
#include "runtime/picture.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using files::readAll;
using files::writeAll;

using namespace Qt::StringLiterals;

namespace {

using files::u16;
using files::u32;

// A strip whose every pixel differs from its neighbours, so a lost, shifted or swapped row,
// column or channel shows.
QImage patterned(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 40 % 256, y * 50 % 256, (x + y) * 17 % 256));
    return image;
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                               | QDir::NoDotAndDotDot);
}

// Runs SavePicture and returns the error it throws (number 0 when it throws none).
runtime::RuntimeError saveError(const QImage &image, const QString &path)
{
    try {
        runtime::SavePicture(image, path);
    } catch (const runtime::RuntimeError &e) {
        return e;
    }
    return runtime::RuntimeError(0, QString());
}

} // namespace

TEST(SavePicture, writesAnUncompressedBottomUp24BitBmpWithPaddedRows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"strip.bmp"_s);
    const QImage image = patterned(5, 3); // 15 bytes a row, padded to 16
    runtime::SavePicture(image, path);

    const QByteArray b = readAll(path);
    ASSERT_EQ(b.size(), 54 + 16 * 3);
    EXPECT_EQ(b.left(2), "BM");
    EXPECT_EQ(u32(b, 2), quint32(b.size())); // file size
    EXPECT_EQ(u32(b, 6), 0u); // reserved
    EXPECT_EQ(u32(b, 10), 54u); // pixels start after the two headers
    EXPECT_EQ(u32(b, 14), 40u); // information header size
    EXPECT_EQ(qint32(u32(b, 18)), 5);
    EXPECT_EQ(qint32(u32(b, 22)), 3); // positive: bottom-up
    EXPECT_EQ(u16(b, 26), 1); // planes
    EXPECT_EQ(u16(b, 28), 24); // bits per pixel
    EXPECT_EQ(u32(b, 30), 0u); // no compression
    EXPECT_EQ(u32(b, 34), 16u * 3); // bytes of the rows, padding included
    for (int at = 38; at < 54; at += 4)
        EXPECT_EQ(u32(b, at), 0u) << "resolution and palette fields at " << at;

    // The bottom image row comes first; each pixel blue, green, red; padding zero.
    for (int fileRow = 0; fileRow < 3; ++fileRow) {
        const int y = 2 - fileRow;
        const char *row = b.constData() + 54 + 16 * fileRow;
        for (int x = 0; x < 5; ++x) {
            const QRgb c = image.pixel(x, y);
            EXPECT_EQ(uchar(row[3 * x]), qBlue(c)) << x << "," << y;
            EXPECT_EQ(uchar(row[3 * x + 1]), qGreen(c)) << x << "," << y;
            EXPECT_EQ(uchar(row[3 * x + 2]), qRed(c)) << x << "," << y;
        }
        EXPECT_EQ(row[15], '\0');
    }

    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "bmp");
    const QImage back = reader.read();
    ASSERT_FALSE(back.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB888), image);
}

TEST(SavePicture, savingTwiceLeavesOneFileWithTheLatestStrip)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"strip.bmp"_s);
    runtime::SavePicture(pictures::solid(8, 20, Qt::red).convertToFormat(QImage::Format_RGB888),
                         path);
    const QImage latest = patterned(6, 9);
    runtime::SavePicture(latest, path);
    EXPECT_EQ(entries(dir.path()), QStringList { u"strip.bmp"_s });
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB888), latest);
}

// Every way a path can fail: the error names the path and the reason, the file or folder that
// was there is left as it was and nothing is added beside it.
TEST(SavePicture, refusedPathsKeepWhatWasThereAndNameTheReason)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"a folder"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString plain = dir.filePath(u"plain.txt"_s);
    writeAll(plain, "not a folder");
    const QImage image = patterned(4, 4);

    struct Case
    {
        QString path;
        QString reason;
    };
    const Case cases[] = {
        { QString(), u"archivo de salida"_s },
        { folder, u"carpeta"_s },
        { dir.filePath(u"missing/strip.bmp"_s), u"no existe"_s },
        { plain + u"/strip.bmp"_s, u"no existe"_s },
    };
    for (const Case &c : cases) {
        const runtime::RuntimeError e = saveError(image, c.path);
        EXPECT_EQ(e.number(), runtime::err::kFileAccess) << c.path.toStdString();
        EXPECT_TRUE(e.description().contains(u'"' + c.path + u'"'))
            << e.description().toStdString();
        EXPECT_TRUE(e.description().contains(c.reason)) << e.description().toStdString();
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(entries(folder).isEmpty());
    EXPECT_EQ(readAll(plain), "not a folder");
    EXPECT_EQ(entries(dir.path()), (QStringList { u"a folder"_s, u"plain.txt"_s }));
}

TEST(SavePicture, neverReplacesADevice)
{
    // A new file renamed over /dev/null would turn it into a plain file.
    const runtime::RuntimeError e = saveError(patterned(2, 2), u"/dev/null"_s);
    EXPECT_EQ(e.number(), runtime::err::kFileAccess);
    EXPECT_TRUE(e.description().contains(u"/dev/null"_s));
    EXPECT_FALSE(QFileInfo(u"/dev/null"_s).isFile());
}

// A folder that refuses the new file, read-only or full: the old one stays whole and nothing is
// left beside it.
TEST(SavePicture, aRefusingFolderKeepsTheOldFileWholeAndLeavesNoTemporaryFile)
{
    const struct
    {
        const char *name;
        int kilobytes; // of the folder's filesystem
        bool (*fault)(scratch::SmallFs &);
        QSize size; // of the picture then saved: a full disk gets more than it holds in all
        QStringList left;
    } rows[] {
        { "read-only",
          512,
          [](scratch::SmallFs &fs) { return fs.makeReadOnly(); },
          { 12, 30 },
          { u"strip.bmp"_s } },
        { "full",
          256,
          [](scratch::SmallFs &fs) { return fs.fill(); },
          { 320, 400 },
          { u".filler"_s, u"strip.bmp"_s } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        scratch::SmallFs fs(row.kilobytes);
        if (!fs.available())
            GTEST_SKIP() << "no small filesystem to fault: " << fs.why().toStdString();
        const QString path = fs.filePath(u"strip.bmp"_s);
        runtime::SavePicture(patterned(10, 10), path);
        const QByteArray old = readAll(path);
        ASSERT_TRUE(row.fault(fs));

        const runtime::RuntimeError e
            = saveError(patterned(row.size.width(), row.size.height()), path);
        EXPECT_EQ(e.number(), runtime::err::kFileAccess);
        EXPECT_TRUE(e.description().contains(path)) << e.description().toStdString();
        EXPECT_EQ(readAll(path), old);
        EXPECT_EQ(entries(fs.path()), row.left);
    }
}

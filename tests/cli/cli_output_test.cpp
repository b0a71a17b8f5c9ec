// SPDX-License-Identifier: GPL-3.0-or-later
// Strips in every format from both front ends, sprite sheets, the format limits said before
// anything is written, and sources that are never overwritten.

#include "run_cli.h"

#include "files.h"
#include "pictures.h"
#include "window.h"

#include "extra_outputs.h"

#include "engine/decode.h"
#include "engine/frame_files.h"
#include "engine/png_writer.h"

#include <QDir>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <tuple>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using clitest::Result;
using clitest::runCli;

QColor colourOf(int i)
{
    return QColor::fromHsv(i * 47 % 360, 200, 60 + i * 13 % 180);
}

// Checks `value` against the subset of JSON Schema the manifest's schema uses: type, enum,
// minimum, minItems, required, properties (and no others) and items.
void expectValid(const QJsonValue &value, const QJsonObject &schema, const QString &at)
{
    const QString type = schema[u"type"_s].toString();
    const double number = value.toDouble();
    const bool typed = type == u"object"_s ? value.isObject()
        : type == u"array"_s               ? value.isArray()
        : type == u"string"_s              ? value.isString()
                                           : value.isDouble() && number == std::floor(number);
    ASSERT_TRUE(typed) << qPrintable(at) << " is not of type " << qPrintable(type);
    EXPECT_TRUE(!schema.contains(u"enum"_s) || schema[u"enum"_s].toArray().contains(value))
        << qPrintable(at);
    EXPECT_GE(number, schema[u"minimum"_s].toDouble(-1e300)) << qPrintable(at);
    EXPECT_GE(value.toArray().size(), schema[u"minItems"_s].toInt()) << qPrintable(at);
    const QJsonObject object = value.toObject(), properties = schema[u"properties"_s].toObject();
    for (const QJsonValue &key : schema[u"required"_s].toArray())
        EXPECT_TRUE(object.contains(key.toString()))
            << qPrintable(at) << " lacks " << qPrintable(key.toString());
    for (const QString &key : object.keys()) {
        EXPECT_TRUE(properties.contains(key)) << qPrintable(at) << " has " << qPrintable(key);
        expectValid(object[key], properties[key].toObject(), at + u'.' + key);
    }
    const QJsonArray items = value.toArray();
    for (qsizetype i = 0; i < items.size(); ++i)
        expectValid(items[i], schema[u"items"_s].toObject(), u"%1[%2]"_s.arg(at).arg(i));
}

class CliOutput : public ::testing::Test
{
protected:
    // `count` solid pictures, picture i in colourOf(i).
    QStringList frames(int count)
    {
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            paths.append(m_dir.filePath(u"f%1.bmp"_s.arg(i)));
            EXPECT_TRUE(pictures::write(pictures::solid(9, 7, colourOf(i)), paths.last(), "BMP"));
        }
        return paths;
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(CliOutput, windowAndCommandLineWriteTheSameFileInEveryFormat)
{
    const QStringList files = frames(4);
    fakes::Services s;
    app::Form1 form(fakes::appServices(s));
    for (const QString &file : files)
        form.List1->AddItem(file);
    form.ancho->setText(u"24"_s);
    form.alto->setText(u"16"_s);
    form.Command2_Click();
    const std::pair<const char *, QByteArray> rows[] {
        { "strip.PNG", "png" },   { "strip.jpg", "jpeg" }, { "strip.Jpeg", "jpeg" },
        { "strip.webp", "webp" }, { "strip.bmp", "bmp" },  { "strip.data", "bmp" },
    };
    for (const auto &[name, format] : rows) {
        const QString window = path(u"window-"_s + QString::fromLatin1(name));
        const QString cli = path(u"cli-"_s + QString::fromLatin1(name));
        form.Text1->setText(window);
        form.Command5_Click(); // "Guardar imágen"
        const Result result
            = runCli(QStringList { u"-W"_s, u"24"_s, u"-H"_s, u"16"_s, u"-o"_s, cli } + files);
        ASSERT_EQ(result.status, 0) << qPrintable(result.err);
        QImageReader reader(cli);
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), format) << name;
        EXPECT_EQ(reader.size(), QSize(24, 64)) << name;
        EXPECT_FALSE(files::readAll(cli).isEmpty());
        EXPECT_TRUE(files::readAll(window) == files::readAll(cli)) << name;
    }
}

TEST_F(CliOutput, formatAndQualityOptionsOverrideTheExtension)
{
    const QStringList files = frames(3);
    ASSERT_EQ(runCli(QStringList { u"--format"_s, u"png"_s, u"-o"_s, path(u"strip.bmp"_s) } + files)
                  .status,
              0);
    QImageReader reader(path(u"strip.bmp"_s));
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format(), "png");
    ASSERT_EQ(
        runCli(QStringList { u"--quality"_s, u"30"_s, u"-o"_s, path(u"low.jpg"_s) } + files).status,
        0);
    ASSERT_EQ(runCli(QStringList { u"-o"_s, path(u"ninety.jpg"_s) } + files).status, 0);
    EXPECT_LT(files::readAll(path(u"low.jpg"_s)).size(),
              files::readAll(path(u"ninety.jpg"_s)).size());

    const QStringList bad[] { { u"--quality"_s, u"50"_s, u"-o"_s, path(u"s.png"_s) },
                              { u"--quality"_s, u"101"_s, u"-o"_s, path(u"s.jpg"_s) },
                              { u"--format"_s, u"gif"_s, u"-o"_s, path(u"s.gif"_s) },
                              { u"--columns"_s, u"0"_s, u"-o"_s, path(u"s.bmp"_s) } };
    for (const QStringList &arguments : bad) {
        const Result result = runCli(arguments + files);
        EXPECT_EQ(result.status, 2) << qPrintable(arguments.join(u' '));
        EXPECT_EQ(result.err.count(u'\n'), 1) << qPrintable(result.err);
    }
    EXPECT_FALSE(QFile::exists(path(u"s.png"_s)));
}

TEST_F(CliOutput, columnsLayFramesLeftToRightThenTopToBottom)
{
    const QStringList files = frames(7);
    for (const QString &format : { u"png"_s, u"bmp"_s }) {
        const QString sheet = path(u"sheet."_s + format);
        const Result result = runCli(QStringList { u"-W"_s, u"10"_s, u"-H"_s, u"6"_s,
                                                   u"--columns"_s, u"3"_s, u"-o"_s, sheet }
                                     + files);
        ASSERT_EQ(result.status, 0) << qPrintable(result.err);
        const QImage image(sheet);
        ASSERT_EQ(image.size(), QSize(30, 18));
        for (int i = 0; i < 9; ++i) {
            const QRgb expected = i < 7 ? colourOf(i).rgb() : qRgb(240, 240, 240); // empty cells
            for (const QPoint corner : { QPoint(0, 0), QPoint(9, 5) })
                EXPECT_EQ(image.pixel(QPoint(i % 3 * 10, i / 3 * 6) + corner), expected)
                    << qPrintable(format) << " cell " << i;
        }
    }
    // One column is the strip of today, byte for byte.
    ASSERT_EQ(
        runCli(QStringList { u"--columns"_s, u"1"_s, u"-o"_s, path(u"one.bmp"_s) } + files).status,
        0);
    ASSERT_EQ(runCli(QStringList { u"-o"_s, path(u"plain.bmp"_s) } + files).status, 0);
    EXPECT_TRUE(files::readAll(path(u"one.bmp"_s)) == files::readAll(path(u"plain.bmp"_s)));
}

TEST_F(CliOutput, pngStripsOverManyCompressedBandsHoldTheBmpsPixels)
{
    // Frames with detail everywhere, so a band out of place or a bad seam shows.
    QStringList files;
    for (int i = 0; i < 40; ++i) {
        QImage image(37, 23, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(
                    x, y, qRgb((x * 7 + i * 11) & 255, (y * 9 + i) & 255, (x * y + i * 5) & 255));
        files.append(path(u"g%1.bmp"_s.arg(i)));
        ASSERT_TRUE(pictures::write(image, files.last(), "BMP"));
    }
    for (const QString &columns : { u"1"_s, u"3"_s }) {
        const QStringList common { u"-W"_s, u"200"_s, u"-H"_s, u"150"_s, u"--columns"_s, columns };
        ASSERT_EQ(runCli(common + QStringList { u"-o"_s, path(u"s.png"_s) } + files).status, 0);
        ASSERT_EQ(runCli(common + QStringList { u"-o"_s, path(u"s.bmp"_s) } + files).status, 0);
        const QImage png(path(u"s.png"_s)), bmp(path(u"s.bmp"_s));
        ASSERT_FALSE(png.isNull()) << qPrintable(columns);
        EXPECT_GT(png.height(), 3 * engine::pngBandRows(png.width())) << "too few bands to test";
        EXPECT_TRUE(png.convertToFormat(QImage::Format_RGB32)
                    == bmp.convertToFormat(QImage::Format_RGB32))
            << qPrintable(columns) << " columns";
    }
}

TEST_F(CliOutput, limitsAreSaidBeforeAnythingIsWritten)
{
    const QStringList two = frames(2);
    struct Row
    {
        QStringList arguments;
        QStringList says;
    };
    // 2 frames of 32767 rows: 65534 rows, then 3 frames: 98301.
    const Row rows[] {
        { { u"-H"_s, u"32767"_s, u"-W"_s, u"2"_s, u"-o"_s, path(u"tall.jpg"_s), two[0], two[1],
            two[0] },
          { u"65500"_s, u"PNG (.png)"_s, u"--columns"_s } },
        { { u"-H"_s, u"9000"_s, u"-W"_s, u"2"_s, u"-o"_s, path(u"tall.webp"_s), two[0], two[1] },
          { u"16383"_s, u"JPEG (.jpg) o PNG (.png)"_s } },
    };
    for (const Row &row : rows) {
        const Result result = runCli(row.arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err.count(u'\n'), 1) << qPrintable(result.err);
        for (const QString &part : row.says)
            EXPECT_TRUE(result.err.contains(part)) << qPrintable(result.err);
        EXPECT_FALSE(QFile::exists(row.arguments[5]));
    }
    // The same strip in columns fits.
    EXPECT_EQ(runCli({ u"-H"_s, u"32767"_s, u"-W"_s, u"2"_s, u"--columns"_s, u"3"_s, u"-o"_s,
                       path(u"sheet.jpg"_s), two[0], two[1], two[0] })
                  .status,
              0);

    // A BMP over the browsers' limit is written, with one warning line.
    const Result tall = runCli({ u"-q"_s, u"-H"_s, u"32767"_s, u"-W"_s, u"1"_s, u"-o"_s,
                                 path(u"tall.bmp"_s), two[0], two[1], two[0] });
    EXPECT_EQ(tall.status, 0);
    EXPECT_EQ(tall.err.count(u'\n'), 1) << qPrintable(tall.err);
    EXPECT_TRUE(tall.err.contains(u"65535"_s) && tall.err.contains(u".png"_s)
                && tall.err.contains(u"--columns"_s))
        << qPrintable(tall.err);
    EXPECT_EQ(files::readAll(path(u"tall.bmp"_s)).size(), 54 + 4 * 98301);
    // (--quiet leaves the summary out, never a warning.)
    const Result fits = runCli({ u"-q"_s, u"-H"_s, u"32767"_s, u"-W"_s, u"1"_s, u"-o"_s,
                                 path(u"fits.bmp"_s), two[0], two[1] });
    EXPECT_EQ(fits.status, 0);
    EXPECT_TRUE(fits.err.isEmpty()) << qPrintable(fits.err);
}

TEST_F(CliOutput, anOutputThatIsAnInputIsRefusedThroughAnyPathOrLink)
{
    const QStringList files = frames(3);
    const QByteArray original = files::readAll(files[1]);
    ASSERT_TRUE(QFile::link(files[1], path(u"link.bmp"_s)));
    ASSERT_EQ(::link(QFile::encodeName(files[1]).constData(),
                     QFile::encodeName(path(u"hard.bmp"_s)).constData()),
              0);
    const QString viaDots = m_dir.path() + u"/./sub/../f1.bmp"_s;
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"sub"_s));
    for (const QString &output : { files[1], path(u"link.bmp"_s), path(u"hard.bmp"_s), viaDots }) {
        const Result result = runCli(QStringList { u"-o"_s, output } + files);
        EXPECT_EQ(result.status, 2) << qPrintable(output);
        EXPECT_TRUE(result.err.startsWith(u"framolin-strip: "_s + output + u": "_s))
            << qPrintable(result.err);
        EXPECT_TRUE(result.err.contains(u"imágenes de entrada"_s)) << qPrintable(result.err);
        EXPECT_EQ(files::readAll(files[1]), original);
    }

    // The window refuses the same, naming the path, and keeps the file.
    fakes::Services s;
    app::Form1 form(fakes::appServices(s));
    for (const QString &file : files)
        form.List1->AddItem(file);
    form.Command2_Click();
    form.Text1->setText(path(u"link.bmp"_s));
    form.Command5_Click();
    ASSERT_FALSE(s.boxes.shown.empty());
    EXPECT_TRUE(s.boxes.shown.back().prompt.contains(path(u"link.bmp"_s)))
        << qPrintable(s.boxes.shown.back().prompt);
    EXPECT_EQ(files::readAll(files[1]), original);
}

TEST_F(CliOutput, ownOutputIsLeftOutOfTheFolderItScans)
{
    frames(3);
    const QString sheet = path(u"f9.png"_s); // sorts among the frames
    ASSERT_EQ(runCli({ u"-W"_s, u"9"_s, u"-H"_s, u"7"_s, u"-o"_s, sheet, m_dir.path() }).status, 0);
    ASSERT_EQ(QImage(sheet).size(), QSize(9, 21));
    // Again, with the strip now one of the folder's pictures: as any picture of it (which an
    // earlier strip cannot be told from), refused and kept, pointing to another path.
    const QByteArray earlier = files::readAll(sheet);
    for (const QString &output : { sheet, path(u"f1.bmp"_s) }) {
        const QByteArray before = files::readAll(output);
        const Result again
            = runCli({ u"-W"_s, u"9"_s, u"-H"_s, u"7"_s, u"-o"_s, output, m_dir.path() });
        EXPECT_EQ(again.status, 2) << qPrintable(again.err);
        EXPECT_TRUE(again.err.contains(u"imágenes de entrada"_s)) << qPrintable(again.err);
        EXPECT_TRUE(again.err.contains(u"fuera de la carpeta"_s)) << qPrintable(again.err);
        EXPECT_EQ(files::readAll(output), before);
    }
    EXPECT_EQ(QImage(sheet).size(), QSize(9, 21));
    EXPECT_EQ(files::readAll(sheet), earlier);
}

TEST_F(CliOutput, thePageIsNeverAnInputANodeOrTheStripAndAFailedPageKeepsTheStrip)
{
    const QStringList files = frames(2);
    const QByteArray picture = files::readAll(files[0]);
    const QString strip = path(u"@CONFIG@.png"_s), fresh = path(u"new.png"_s);
    files::writeAll(strip, "the old strip");
    ASSERT_TRUE(QFile::link(strip, path(u"to-strip.html"_s)));
    ASSERT_TRUE(QFile::link(fresh, path(u"to-new.html"_s))); // to nothing yet
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(u"fifo.html"_s)).constData(), 0600), 0);
    const std::tuple<QString, QString, int, QString> rows[] {
        { strip, files[0], 2, u"imágenes de entrada"_s },
        { strip, path(u"to-strip.html"_s), 2, u"el mismo archivo"_s },
        { fresh, path(u"to-new.html"_s), 2, u"el mismo archivo"_s },
        { strip, path(u"fifo.html"_s), 1, u"no es un archivo normal"_s },
        { strip, u"/nonexistent/p.html"_s, 1, u"no existe"_s },
    };
    for (const auto &[output, page, status, says] : rows) {
        const Result result = runCli(QStringList { u"-o"_s, output, u"--html"_s, page } + files);
        EXPECT_EQ(result.status, status) << qPrintable(page);
        EXPECT_TRUE(result.err.contains(says)) << qPrintable(result.err);
        EXPECT_EQ(files::readAll(strip), "the old strip") << qPrintable(page);
    }
    EXPECT_EQ(files::readAll(files[0]), picture);
    EXPECT_TRUE(QFileInfo(path(u"to-strip.html"_s)).isSymLink());
    EXPECT_FALSE(QFileInfo(path(u"fifo.html"_s)).isFile() || QFile::exists(fresh));
    // A strip named as a placeholder of the page is only its title.
    ASSERT_EQ(runCli(QStringList { u"-o"_s, strip, u"--html"_s, path(u"p.html"_s) } + files).status,
              0);
    const QByteArray page = files::readAll(path(u"p.html"_s));
    EXPECT_TRUE(page.contains("<title>@CONFIG@.png</title>")) << page.constData();
    EXPECT_EQ(page.count("\"frames\":2"), 1);
}

TEST_F(CliOutput, framesAreSpreadOverSheetsPutInPlaceOnlyOnceAllAreWritten)
{
    const QStringList files = frames(5);
    const QStringList run = QStringList { u"-q"_s, u"-s"_s, u"9x7"_s, u"--target"_s, u"mobile"_s }
        + QStringList { u"--frames-per-sheet"_s, u"2"_s, u"-o"_s, path(u"s.png"_s) };
    ASSERT_EQ(runCli(run + files).status, 0);
    QList<QByteArray> sheets;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(QImage(path(u"s-%1.png"_s.arg(i))).size(), QSize(9, i < 2 ? 14 : 7));
        sheets.append(files::readAll(path(u"s-%1.png"_s.arg(i))));
    }
    EXPECT_FALSE(QFile::exists(path(u"s.png"_s)));
    // The first sheet would change, but the last one fails: every sheet stays as it was.
    ASSERT_TRUE(pictures::write(pictures::solid(9, 7, Qt::black), files[0], "BMP"));
    files::writeAll(files[4], "not a picture");
    EXPECT_EQ(runCli(run + files).status, 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(files::readAll(path(u"s-%1.png"_s.arg(i))), sheets[i]) << i;
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 5 + 3);
    // Columns that make a sheet too wide are refused, naming what fits.
    const Result wide = runCli(QStringList { u"--target"_s, u"mobile"_s, u"-s"_s, u"2000x10"_s,
                                             u"--columns"_s, u"3"_s, u"-o"_s, path(u"w.png"_s) }
                               + files.mid(0, 4));
    EXPECT_EQ(wide.status, 2);
    EXPECT_TRUE(wide.err.contains(u"6000 × 20"_s) && wide.err.contains(u"; --columns 1 cabe"_s))
        << qPrintable(wide.err);
    EXPECT_FALSE(QFile::exists(path(u"w.png"_s)) || QFile::exists(path(u"w-0.png"_s)));
}

TEST_F(CliOutput, theManifestFollowsItsSchemaAndThePageShowsTheSameSheets)
{
    const QStringList files = frames(5);
    ASSERT_EQ(runCli(QStringList { u"-s"_s, u"9x7"_s, u"--frames-per-sheet"_s, u"2"_s, u"-o"_s,
                                   path(u"s.png"_s), u"--html"_s, path(u"p.html"_s), u"--loop"_s,
                                   path(u"s.mp4"_s), u"--fps"_s, u"5"_s }
                     + files)
                  .status,
              0);
    QFile schemaFile(QStringLiteral(FRAMOLIN_MANIFEST_SCHEMA));
    ASSERT_TRUE(schemaFile.open(QIODevice::ReadOnly));
    const QJsonObject schema = QJsonDocument::fromJson(schemaFile.readAll()).object();
    const QJsonObject manifest
        = QJsonDocument::fromJson(files::readAll(path(u"s.json"_s))).object();
    expectValid(manifest, schema, u"manifest"_s);
    EXPECT_EQ(manifest[u"frames"_s].toInt(), 5);
    EXPECT_EQ(manifest[u"target"_s].toString(), u"mobile"_s);
    EXPECT_EQ(manifest[u"loop"_s][u"file"_s].toString(), u"s.mp4"_s);
    EXPECT_EQ(manifest[u"loop"_s][u"bytes"_s].toInteger(), QFileInfo(path(u"s.mp4"_s)).size());
    const QJsonArray sheets = manifest[u"sheets"_s].toArray();
    ASSERT_EQ(sheets.size(), 3);
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        const QJsonObject sheet = sheets[i].toObject();
        EXPECT_EQ(sheet[u"file"_s].toString(), u"s-%1.png"_s.arg(i));
        EXPECT_EQ(sheet[u"firstFrame"_s].toInt(), 2 * i);
        EXPECT_EQ(sheet[u"bytes"_s].toInteger(),
                  QFileInfo(path(sheet[u"file"_s].toString())).size());
    }
    // The page holds the manifest's own data.
    const QByteArray page = files::readAll(path(u"p.html"_s));
    const QByteArray inlined = "<script type=\"application/json\">";
    const qsizetype from = page.lastIndexOf(inlined) + inlined.size();
    const QJsonObject config
        = QJsonDocument::fromJson(page.mid(from, page.indexOf("</script>", from) - from)).object();
    EXPECT_EQ(config, manifest);
}

// Sheets are built side by side, yet each is the same file for any number of jobs, and a set
// over --max-bytes leaves nothing behind, the page and the manifest included.
TEST_F(CliOutput, sheetsAreTheSameForAnyJobsAndASetOverItsBudgetIsDropped)
{
    const QStringList files = frames(7);
    const QStringList sheets { u"-s"_s, u"9x7"_s, u"--frames-per-sheet"_s, u"2"_s, u"-o"_s };
    for (const QString &format : { u"bmp"_s, u"png"_s, u"jpg"_s, u"webp"_s }) {
        for (const QString &jobs : { u"1"_s, u"4"_s })
            ASSERT_EQ(runCli(QStringList { u"-q"_s, u"-j"_s, jobs }
                             << sheets << path(jobs + u'.' + format) << files)
                          .status,
                      0);
        for (int i = 0; i < 4; ++i) {
            const QString sheet = u"-%1."_s.arg(i) + format;
            EXPECT_EQ(QImage(path(u'1' + sheet)).size(), QSize(9, i < 3 ? 14 : 7)) << i;
            EXPECT_EQ(files::readAll(path(u'1' + sheet)), files::readAll(path(u'4' + sheet))) << i;
        }
    }
    const QStringList budget { u"--max-bytes"_s, u"100"_s, u"--html"_s, path(u"c.html"_s) };
    const Result refused = runCli(budget + sheets << path(u"c.png"_s) << files);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(u"--max-bytes 100 bytes"_s)) << qPrintable(refused.err);
    EXPECT_EQ(QDir(m_dir.path()).entryList({ u"c*"_s }, QDir::Files | QDir::Hidden).size(), 0);
}

TEST(CliOutputNames, postersStaySmallAndFramesAreNumberedInOrder)
{
    const std::tuple<QSize, QSize> posters[] { { { 320, 200 }, { 320, 200 } },
                                               { { 640, 640 }, { 640, 640 } },
                                               { { 1920, 1080 }, { 640, 360 } },
                                               { { 100, 2000 }, { 32, 640 } } };
    for (const auto &[frame, poster] : posters)
        EXPECT_EQ(cli::posterSize(frame), poster) << frame.width();
    const std::tuple<int, int, QString> names[] { { 0, 5, u"0001.webp"_s },
                                                  { 4, 5, u"0005.webp"_s },
                                                  { 0, 10000, u"00001.webp"_s },
                                                  { 9999, 10000, u"10000.webp"_s } };
    for (const auto &[index, count, name] : names)
        EXPECT_EQ(engine::frameFileName(index, count, u"webp"_s), name);
}

TEST_F(CliOutput, posterFramesZipDoubledSheetsAndZoomComeFromThePicturesAndTheManifest)
{
    QStringList files;
    for (int i = 0; i < 5; ++i) {
        files.append(path(u"d%1.png"_s.arg(i)));
        ASSERT_TRUE(pictures::write(pictures::pattern(36, 28, i), files.last(), "PNG"));
    }
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"out"_s));
    const QString out = path(u"out/s.png"_s);
    ASSERT_EQ(runCli(QStringList { u"-q"_s, u"-s"_s, u"9x7"_s, u"--frames-per-sheet"_s, u"2"_s,
                                   u"-o"_s, out, u"--html"_s, path(u"out/p.html"_s), u"--poster"_s,
                                   u"--frames-dir"_s, path(u"out/fr"_s), u"--scale"_s, u"1,2"_s,
                                   u"--zoom"_s, u"18x0"_s }
                     + files)
                  .status,
              0);
    QFile schemaFile(QStringLiteral(FRAMOLIN_MANIFEST_SCHEMA));
    ASSERT_TRUE(schemaFile.open(QIODevice::ReadOnly));
    const QJsonObject m = QJsonDocument::fromJson(files::readAll(path(u"out/s.json"_s))).object();
    expectValid(m, QJsonDocument::fromJson(schemaFile.readAll()).object(), u"manifest"_s);
    EXPECT_EQ(m[u"title"_s].toString(), u"s"_s);
    EXPECT_EQ(
        m[u"poster"_s].toObject(),
        (QJsonObject { { u"file"_s, u"s-poster.jpg"_s }, { u"width"_s, 9 }, { u"height"_s, 7 } }));
    EXPECT_EQ(QImage(path(u"out/s-poster.jpg"_s)).size(), QSize(9, 7));
    const auto cell = [](const QString &file, QRect at = {}) {
        const QImage image = QImage(file).convertToFormat(QImage::Format_RGB32);
        return at.isNull() ? image : image.copy(at);
    };
    const auto decoded = [&](int i, QSize size) {
        QString reason;
        return engine::decodeFrame(files[i], size, &reason).convertToFormat(QImage::Format_RGB32);
    };
    // Sheets at twice the size hold each frame decoded at that size, never the frame enlarged.
    const QJsonArray sheets2x = m[u"sheets2x"_s].toArray();
    ASSERT_EQ(sheets2x.size(), 3);
    for (qsizetype i = 0; i < sheets2x.size(); ++i) {
        const QJsonObject sheet = sheets2x[i].toObject();
        const QString file = path(u"out/"_s + sheet[u"file"_s].toString());
        EXPECT_EQ(sheet[u"file"_s].toString(), u"s-%1@2x.png"_s.arg(i));
        EXPECT_EQ(QImage(file).size(), QSize(18, i < 2 ? 28 : 14));
        EXPECT_EQ(sheet[u"bytes"_s].toInteger(), QFileInfo(file).size());
        EXPECT_EQ(cell(file, QRect(0, 0, 18, 14)), decoded(int(2 * i), QSize(18, 14))) << i;
    }
    const QJsonObject frameFiles = m[u"frameFiles"_s].toObject(), zoom = m[u"zoom"_s].toObject();
    EXPECT_EQ(frameFiles[u"zip"_s].toString(), u"fr.zip"_s);
    EXPECT_EQ(zoom[u"width"_s].toInt() * 100 + zoom[u"height"_s].toInt(), 1814);
    QStringList listed;
    for (int i = 0; i < 5; ++i) {
        listed.append(u"fr/000%1.png"_s.arg(i + 1));
        EXPECT_EQ(frameFiles[u"files"_s][i].toString(), listed.last());
        EXPECT_EQ(cell(path(u"out/"_s + listed.last())), decoded(i, QSize(9, 7))) << i;
        EXPECT_EQ(zoom[u"files"_s][i].toString(), u"s-zoom/000%1.jpg"_s.arg(i + 1));
        EXPECT_EQ(QImage(path(u"out/s-zoom/000%1.jpg"_s.arg(i + 1))).size(), QSize(18, 14));
    }
    if (QStandardPaths::findExecutable(u"unzip"_s).isEmpty())
        GTEST_SKIP() << "unzip is not installed";
    QProcess unzip;
    unzip.start(u"unzip"_s, { u"-t"_s, path(u"out/fr.zip"_s) });
    ASSERT_TRUE(unzip.waitForFinished());
    EXPECT_EQ(unzip.exitCode(), 0) << unzip.readAll().constData();
    unzip.start(u"unzip"_s, { u"-Z1"_s, path(u"out/fr.zip"_s) });
    ASSERT_TRUE(unzip.waitForFinished());
    EXPECT_EQ(QString::fromUtf8(unzip.readAll()).split(u'\n', Qt::SkipEmptyParts), listed);
}

TEST_F(CliOutput, extraOutputsRefusedOrFailingLeaveNothingWritten)
{
    const QStringList files = frames(2);
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(u"out/s-zoom"_s));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(u"out/s-zoom/0001.jpg"_s)).constData(), 0600), 0);
    files::writeAll(path(u"out/file"_s), "a file");
    const QString out = path(u"out/s.png"_s);
    const std::tuple<QStringList, int, QString> rows[] {
        { { u"-o"_s, out, u"--frames-dir"_s, m_dir.path() }, 2, u"imagen de entrada"_s },
        { { u"-o"_s, out, u"--frames-dir"_s, path(u"out/file"_s) }, 2, u"no es una carpeta"_s },
        { { u"-o"_s, out, u"--zoom"_s, u"8x8"_s }, 2, u"no es mayor"_s },
        { { u"-o"_s, u"-"_s, u"--poster"_s }, 2, u"salida estándar"_s },
        { { u"-o"_s, out, u"--frames-dir"_s, path(u"none/fr"_s) }, 1, u"no existe"_s },
        { { u"-o"_s, out, u"--poster"_s, u"--frames-dir"_s, path(u"out/made"_s), u"--zoom"_s,
            u"18x14"_s },
          1,
          u"no es un archivo normal"_s },
    };
    for (const auto &[arguments, status, says] : rows) {
        const Result result = runCli(QStringList { u"-s"_s, u"9x7"_s } + arguments + files);
        EXPECT_EQ(result.status, status) << qPrintable(arguments.join(u' '));
        EXPECT_TRUE(result.err.contains(says)) << qPrintable(result.err);
        EXPECT_EQ(
            QDir(path(u"out"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList({ u"file"_s, u"s-zoom"_s }));
        EXPECT_EQ(
            QDir(path(u"out/s-zoom"_s))
                .entryList(QDir::System | QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList { u"0001.jpg"_s });
    }
}

} // namespace

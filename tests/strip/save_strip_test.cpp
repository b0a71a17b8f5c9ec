// SPDX-License-Identifier: GPL-3.0-or-later
// "Guardar imágen" in the window: the whole strip the assembly built, whatever happened to the
// canvas box since, an empty strip refused, a failed save reported.

#include "files.h"
#include "pictures.h"
#include "window.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class SaveStrip : public ::testing::Test
{
protected:
    // Lists `count` pictures of different sizes, picture i in colour colourOf(i).
    void listPictures(int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString path = dir.filePath(u"in%1.bmp"_s.arg(i));
            ASSERT_TRUE(
                pictures::write(pictures::solid(7 + i, 5 + 2 * i, colourOf(i)), path, "BMP"));
            form.List1->AddItem(path);
        }
    }
    static QColor colourOf(int i) { return QColor::fromRgb(i * 37 % 256, 255 - i * 7, i * 5); }

    // Frame i must fill rows i*h .. (i+1)*h-1 and columns 0 .. w-1 whole.
    void expectFrames(const QImage &strip, int count, int w, int h)
    {
        ASSERT_EQ(strip.size(), QSize(w, count * h));
        for (int i = 0; i < count; ++i)
            for (const QPoint p :
                 { QPoint(0, i * h), QPoint(w - 1, i * h), QPoint(0, i * h + h - 1),
                   QPoint(w - 1, i * h + h - 1), QPoint(w / 2, i * h + h / 2) })
                EXPECT_EQ(strip.pixelColor(p), colourOf(i))
                    << "frame " << i << " at " << p.x() << "," << p.y();
    }

    fakes::Services s;
    app::Form1 form { fakes::appServices(s) };
    QTemporaryDir dir;
};

} // namespace

TEST_F(SaveStrip, writesTheWholeStripAfterTheCanvasBoxWasResized)
{
    listPictures(3);
    form.ancho->setText(u"320"_s);
    form.alto->setText(u"200"_s);
    form.Command2->click();
    ASSERT_TRUE(form.Command5->isEnabled());
    ASSERT_TRUE(s.boxes.shown.empty());

    // A resize, the splitter and a drag: narrower, shorter and moved.
    form.objeto->Move(2000, -900, 1500, 2000);
    form.objeto->Refresh();
    const QString out = dir.filePath(u"out.bmp"_s);
    form.Text1->setText(out);
    form.Command5->click();

    EXPECT_TRUE(s.boxes.shown.empty());
    expectFrames(QImage(out), 3, 320, 200);
}

TEST_F(SaveStrip, menuEntrySavesTheCanvasBackgroundBeforeAnyAssembly)
{
    ASSERT_FALSE(form.Command5->isEnabled());
    const QString out = dir.filePath(u"before.bmp"_s);
    form.Text1->setText(out);
    form.mGuardarImagen.action()->trigger();

    EXPECT_TRUE(s.boxes.shown.empty());
    const QImage saved(out);
    ASSERT_EQ(saved.size(), QSize(285, 317)); // the design's drawing area
    EXPECT_EQ(saved.pixelColor(0, 0), form.objeto->client()->BackColor());
    EXPECT_EQ(saved.pixelColor(284, 316), form.objeto->client()->BackColor());
}

TEST_F(SaveStrip, emptyStripIsNotWrittenAndTheOldFileStays)
{
    const QString out = dir.filePath(u"old.bmp"_s);
    files::writeAll(out, "the old strip");

    form.Command2->click(); // an empty list leaves a strip without rows
    ASSERT_TRUE(form.Command5->isEnabled());
    form.Text1->setText(out);
    form.Command5->click();

    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_EQ(s.boxes.shown[0].style, runtime::mb::kInformation);
    EXPECT_TRUE(s.boxes.shown[0].prompt.contains(u"nada que guardar"_s));
    EXPECT_TRUE(s.boxes.shown[0].prompt.contains(out));
    EXPECT_EQ(files::readAll(out), "the old strip");
}

TEST_F(SaveStrip, failedSaveShowsACriticalBoxNamingPathAndReasonAndChangesNothing)
{
    listPictures(1);
    form.Command2->click();
    const QImage before = form.objeto->Image();
    form.Text1->setText(dir.path()); // a folder
    form.mGuardarImagen.action()->trigger();

    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_EQ(s.boxes.shown[0].style, runtime::mb::kCritical);
    EXPECT_TRUE(s.boxes.shown[0].prompt.contains(u'"' + dir.path() + u'"'));
    EXPECT_TRUE(s.boxes.shown[0].prompt.contains(u"carpeta"_s));
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
    EXPECT_EQ(form.objeto->Image(), before);
    EXPECT_EQ(form.Text1->Text(), dir.path());
    EXPECT_TRUE(form.Command5->isEnabled());
    EXPECT_FALSE(form.savedBalloon()->isVisible());
}

TEST_F(SaveStrip, refusesToWriteOverAListedPictureThroughAnyPathToItAndNamesIt)
{
    listPictures(2);
    const QString second = dir.filePath(u"in1.bmp"_s);
    ASSERT_TRUE(QFile::link(second, dir.filePath(u"link.bmp"_s)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"sub"_s));
    form.Command2->click();
    QFile original(second);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    for (const QString &typed :
         { second, dir.filePath(u"link.bmp"_s), dir.filePath(u"sub/../in1.bmp"_s) }) {
        s.boxes.shown.clear();
        form.Text1->setText(typed);
        form.Command5->click();
        ASSERT_EQ(s.boxes.shown.size(), 1u) << qPrintable(typed);
        EXPECT_EQ(s.boxes.shown[0].style, runtime::mb::kCritical);
        EXPECT_TRUE(s.boxes.shown[0].prompt.startsWith(u'"' + typed + u'"'))
            << qPrintable(s.boxes.shown[0].prompt);
        EXPECT_TRUE(s.boxes.shown[0].prompt.contains(u"imagen 2 de la lista"_s));
        QFile after(second);
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_EQ(after.readAll(), before) << qPrintable(typed);
    }
    EXPECT_TRUE(QFileInfo(dir.filePath(u"link.bmp"_s)).isSymLink());
}

TEST_F(SaveStrip, aLeadingTildeIsTheHomeFolder)
{
    const struct
    {
        QString typed;
        QString meant;
    } rows[] = {
        { u"~/strips/cube.bmp"_s, QDir::homePath() + u"/strips/cube.bmp"_s },
        { u"~"_s, QDir::homePath() },
        { u"~other/cube.bmp"_s, u"~other/cube.bmp"_s },
        { u"/tmp/~/cube.bmp"_s, u"/tmp/~/cube.bmp"_s },
        { u"cube~.bmp"_s, u"cube~.bmp"_s },
    };
    for (const auto &row : rows)
        EXPECT_EQ(strip::Saver::outputPath(row.typed), row.meant) << qPrintable(row.typed);

    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(dir.path()));
    listPictures(1);
    form.Command2->click();
    form.Text1->setText(u"~/cube.bmp"_s);
    form.Command5->click();
    qputenv("HOME", home);
    EXPECT_TRUE(s.boxes.shown.empty());
    EXPECT_EQ(QImageReader(dir.filePath(u"cube.bmp"_s)).size(), QSize(320, 200));
}

// An object file of many frames opens whole in any decoder. Set FRAMOLIN_KEEP_STRIP to a
// folder to keep the file for a look in another picture program.
TEST_F(SaveStrip, stripOfThirtyTwoFramesReadsBackWhole)
{
    listPictures(32);
    form.ancho->setText(u"120"_s);
    form.alto->setText(u"90"_s);
    form.mComenzarMontaje.action()->trigger();
    const QString out = dir.filePath(u"object.bmp"_s);
    form.Text1->setText(out);
    form.Command5->click();
    ASSERT_TRUE(s.boxes.shown.empty());

    QImageReader reader(out);
    EXPECT_EQ(reader.size(), QSize(120, 32 * 90));
    expectFrames(reader.read(), 32, 120, 90);

    const QString keep = qEnvironmentVariable("FRAMOLIN_KEEP_STRIP");
    if (!keep.isEmpty())
        QFile::copy(out, QDir(keep).filePath(u"object-32-frames.bmp"_s));
}

// "Auto Redibujar" up paints the screen only: saving then would write a blank strip as if it
// were the work. The save and the preview say so; with the option down again a run saves.
TEST_F(SaveStrip, runPaintedOnTheScreenOnlyIsRefusedUntilRunAgainWithAutoRedibujar)
{
    listPictures(2);
    const QString out = dir.filePath(u"old.bmp"_s);
    files::writeAll(out, "the old strip");
    form.Text1->setText(out);
    form.Check2->click();
    form.Command2->click();
    form.mVistaPrevia.action()->trigger();
    form.Command5->click();

    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_TRUE(s.boxes.shown[0].prompt.contains(u"\"Auto Redibujar\" y \"Comenzar montaje\""_s));
    EXPECT_TRUE(s.boxes.shown[0].prompt.contains(out));
    EXPECT_EQ(files::readAll(out), "the old strip");
    EXPECT_TRUE(form.spinPreview()->statusText().contains(u"Auto Redibujar"_s));

    form.Check2->click();
    form.Command2->click();
    form.Command5->click();
    expectFrames(QImage(out), 2, 320, 200);
    EXPECT_EQ(form.spinPreview()->frameCount(), 2);
}

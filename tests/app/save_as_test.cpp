// SPDX-License-Identifier: GPL-3.0-or-later
// "Guardar como...", the balloon that says what was saved, the folder the dialogs remember and
// the pictures named when the program starts.

#include "files.h"
#include "pictures.h"
#include "window.h"

#include "app/saved_balloon.h"

#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kLastFolder = u"Framolin/Dialogs/LastFolder"_s;

struct SaveAs : ::testing::Test, fakes::Window
{
    QTemporaryDir dir;
};

} // namespace

TEST_F(SaveAs, startsAtTheOutputSavesWithTheChosenFiltersExtensionAndABalloonSaysWhat)
{
    for (const QString &name : { u"a.bmp"_s, u"b.bmp"_s }) {
        ASSERT_TRUE(pictures::write(pictures::solid(4, 4, Qt::red), dir.filePath(name), "BMP"));
        form.List1->AddItem(dir.filePath(name));
    }
    form.Command2->click();
    const QString folder = dir.filePath(QString(150, u'x')); // elided in the balloon
    ASSERT_TRUE(QDir().mkdir(folder));
    form.Text1->setText(folder + u"/old.jpg"_s);
    s.dialogs.saves = { folder + u"/cube"_s };
    s.dialogs.chosenFilter = u"PNG (*.png)"_s;
    form.mGuardarComo.action()->trigger();

    EXPECT_EQ(s.dialogs.starts, QStringList { folder + u"/old.jpg"_s });
    EXPECT_EQ(s.dialogs.filters,
              QStringList { u"BMP (*.bmp);;PNG (*.png);;JPEG (*.jpg *.jpeg);;WebP (*.webp);;GIF "
                            "animado (*.gif);;Vídeo MP4 (*.mp4);;Vídeo WebM (*.webm)"_s });
    const QString out = folder + u"/cube.png"_s;
    EXPECT_EQ(form.Text1->Text(), out);
    EXPECT_EQ(QImageReader(out).format(), "png");
    EXPECT_EQ(s.settings.values.value(kLastFolder), folder);

    // Under "Guardar imágen" for a while: the path elided in the middle, then what it holds, in
    // the window's language.
    const app::SavedBalloon *balloon = form.savedBalloon();
    const QString bytes = QLocale(QLocale::English).toString(QFileInfo(out).size());
    EXPECT_TRUE(balloon->isVisible() && balloon->hideTimer().isActive());
    EXPECT_TRUE(balloon->text().startsWith(u"Guardado: "_s + dir.path())
                && balloon->text().contains(u'…'));
    EXPECT_TRUE(
        balloon->text().endsWith(u"/cube.png\n2 cuadros, 320 × 400 píxeles, PNG, %1 bytes"_s.arg(
            QString(bytes).replace(u',', u'.'))));
    form.Command8_Click();
    form.Command5->click();
    EXPECT_TRUE(
        balloon->text().endsWith(u"\n2 frames, 320 × 400 pixels, PNG, %1 bytes"_s.arg(bytes)));
}

TEST_F(SaveAs, aLoopFilterPlaysTheAssembledFramesAtTwelveAFrameSecond)
{
    for (const QColor &colour : { QColor(Qt::red), QColor(Qt::blue), QColor(Qt::green) }) {
        const QString name = dir.filePath(colour.name().mid(1) + u".bmp"_s);
        ASSERT_TRUE(pictures::write(pictures::solid(4, 4, colour), name, "BMP"));
        form.List1->AddItem(name);
    }
    form.Command2->click();
    s.dialogs.saves = { dir.filePath(u"turn"_s) };
    s.dialogs.chosenFilter = u"GIF animado (*.gif)"_s;
    form.mGuardarComo.action()->trigger();
    QImageReader loop(dir.filePath(u"turn.gif"_s));
    EXPECT_EQ(loop.imageCount(), 3);
    EXPECT_EQ(loop.loopCount(), -1);
    EXPECT_EQ(loop.read().pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(loop.nextImageDelay(), 80); // 8, 9 and 8 hundredths: a quarter of a second
    EXPECT_TRUE(form.savedBalloon()->text().contains(u"3 cuadros, 320 × 200 píxeles, GIF, "_s));
}

TEST_F(SaveAs, ctrlSWithNoOutputAsksWhereFromTheLastFolderAndCancellingWritesNothing)
{
    s.settings.values[kLastFolder] = dir.path();
    form.mGuardarImagen.action()->trigger();
    EXPECT_EQ(s.dialogs.starts, QStringList { dir.path() });
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(SaveAs, theFolderChosenInOneRunIsWhereTheNextRunsDialogsOpen)
{
    s.dialogs.folders = { dir.path() };
    form.mAnadirCarpeta.action()->trigger();
    s.dialogs.starts.clear();
    app::Form1 again(fakes::appServices(s)); // the next run, on the same settings
    again.mAnadirImagenes.action()->trigger();
    again.mGuardarComo.action()->trigger();
    EXPECT_EQ(s.dialogs.starts, QStringList({ dir.path(), dir.path() }));
}

TEST_F(SaveAs, picturesNamedAtStartJoinTheListAsADropFoldersInNaturalOrder)
{
    for (const QString &name :
         { u"one.bmp"_s, u"turn/f10.png"_s, u"turn/f9.png"_s, u"turn/a.txt"_s })
        files::touch(dir.filePath(name));
    form.openAtStart({ dir.filePath(u"one.bmp"_s), dir.filePath(u"turn"_s) });
    QStringList listed;
    for (int i = 0; i < form.List1->ListCount(); ++i)
        listed.append(QFileInfo(form.List1->List(i)).fileName());
    EXPECT_EQ(listed, QStringList({ u"one.bmp"_s, u"f9.png"_s, u"f10.png"_s }));
}

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

TEST_F(SaveAs, startsAtTheOutputAndSavesTheChosenNameWithTheChosenFiltersExtension)
{
    for (const QString &name : { u"a.bmp"_s, u"b.bmp"_s }) {
        ASSERT_TRUE(pictures::write(pictures::solid(4, 4, Qt::red), dir.filePath(name), "BMP"));
        form.List1->AddItem(dir.filePath(name));
    }
    form.Command2->click();
    form.Text1->setText(dir.filePath(u"old.jpg"_s));
    s.dialogs.saves = { dir.filePath(u"cube"_s) };
    s.dialogs.chosenFilter = u"PNG (*.png)"_s;
    form.mGuardarComo.action()->trigger();

    EXPECT_EQ(s.dialogs.starts, QStringList { dir.filePath(u"old.jpg"_s) });
    EXPECT_EQ(s.dialogs.filters,
              QStringList { u"BMP (*.bmp);;PNG (*.png);;JPEG (*.jpg *.jpeg);;WebP (*.webp)"_s });
    EXPECT_EQ(s.dialogs.shownFilter, u"JPEG (*.jpg *.jpeg)"_s);
    const QString out = dir.filePath(u"cube.png"_s);
    EXPECT_EQ(form.Text1->Text(), out);
    EXPECT_EQ(QImageReader(out).format(), "png");
    EXPECT_TRUE(s.boxes.shown.empty());
    EXPECT_EQ(s.settings.values.value(kLastFolder), dir.path());

    // The balloon says what was written, under "Guardar imágen", and goes by itself.
    const app::SavedBalloon *balloon = form.savedBalloon();
    ASSERT_TRUE(balloon->isVisible());
    EXPECT_EQ(
        balloon->text(),
        u"Guardado: %1\n2 cuadros, 320 × 400 píxeles, PNG, %2 bytes"_s.arg(
            out, QLocale(QLocale::English).toString(QFileInfo(out).size()).replace(u',', u'.')));
    EXPECT_EQ(balloon->pos().y(),
              form.Command5->mapToGlobal(QPoint(0, 0)).y() + form.Command5->height());
    EXPECT_TRUE(balloon->hideTimer().isActive());
    EXPECT_EQ(balloon->hideTimer().interval(), app::SavedBalloon::kShowMs);
}

TEST_F(SaveAs, ctrlSWithNoOutputAsksWhereFromTheLastFolderAndCancellingWritesNothing)
{
    s.settings.values[kLastFolder] = dir.path();
    form.mGuardarImagen.action()->trigger();
    EXPECT_EQ(s.dialogs.asked, QStringList { u"Guardar como"_s });
    EXPECT_EQ(s.dialogs.starts, QStringList { dir.path() });
    EXPECT_TRUE(form.Text1->Text().isEmpty());
    EXPECT_TRUE(s.boxes.shown.empty());
    EXPECT_FALSE(form.savedBalloon()->isVisible());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(SaveAs, theFolderChosenInOneRunIsWhereTheNextRunsDialogsOpen)
{
    s.dialogs.folders = { dir.path() };
    form.mAnadirCarpeta.action()->trigger();
    fakes::Services next;
    next.settings.values = s.settings.values;
    app::Form1 again(fakes::appServices(next));
    again.mAnadirImagenes.action()->trigger();
    again.mGuardarComo.action()->trigger();
    EXPECT_EQ(next.dialogs.starts, QStringList({ dir.path(), dir.path() }));
}

TEST_F(SaveAs, balloonElidesALongPathInTheMiddleAndSpeaksTheWindowsLanguage)
{
    const strip::SavedStrip saved { u"/srv/"_s + QString(300, u'x') + u"/cube.webp"_s, 72,
                                    QSize(480, 23040), engine::StripFormat::Webp, 1234567 };
    const QString spanish = app::savedText(saved, false, form.fontMetrics());
    EXPECT_TRUE(spanish.startsWith(u"Guardado: /srv/"_s) && spanish.contains(u'…'));
    EXPECT_TRUE(
        spanish.endsWith(u"/cube.webp\n72 cuadros, 480 × 23040 píxeles, WebP, 1.234.567 bytes"_s));
    EXPECT_TRUE(app::savedText(saved, true, form.fontMetrics())
                    .endsWith(u"\n72 frames, 480 × 23040 pixels, WebP, 1,234,567 bytes"_s));
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

// SPDX-License-Identifier: GPL-3.0-or-later
// "Guardar como...", the balloon that says what was saved, the folder the dialogs remember and
// the pictures named when the program starts.

#include "pictures.h"
#include "window.h"

#include "app/saved_balloon.h"

#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct SaveAs : ::testing::Test
{
    void listPictures(int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString path = dir.filePath(u"in%1.bmp"_s.arg(i));
            ASSERT_TRUE(pictures::write(pictures::solid(4, 4, Qt::red), path, "BMP"));
            w.form.List1->AddItem(path);
        }
    }
    QString lastFolder() const
    {
        return w.s.settings.values.value(u"Framolin/Dialogs/LastFolder"_s);
    }

    QTemporaryDir dir;
    fakes::Window w;
};

} // namespace

TEST_F(SaveAs, startsAtTheOutputAndSavesTheChosenNameWithTheChosenFiltersExtension)
{
    listPictures(2);
    w.form.Command2->click();
    w.form.Text1->setText(dir.filePath(u"old.jpg"_s));
    w.s.dialogs.saves = { dir.filePath(u"cube"_s) };
    w.s.dialogs.chosenFilter = u"PNG (*.png)"_s;
    w.form.mGuardarComo.action()->trigger();

    EXPECT_EQ(w.s.dialogs.starts, QStringList { dir.filePath(u"old.jpg"_s) });
    EXPECT_EQ(w.s.dialogs.filters,
              QStringList { u"BMP (*.bmp);;PNG (*.png);;JPEG (*.jpg *.jpeg);;WebP (*.webp)"_s });
    EXPECT_EQ(w.s.dialogs.shownFilter, u"JPEG (*.jpg *.jpeg)"_s);
    const QString out = dir.filePath(u"cube.png"_s);
    EXPECT_EQ(w.form.Text1->Text(), out);
    EXPECT_EQ(QImageReader(out).format(), "png");
    EXPECT_EQ(QImageReader(out).size(), QSize(320, 400));
    EXPECT_TRUE(w.s.boxes.shown.empty());
    EXPECT_EQ(lastFolder(), dir.path());

    // The balloon says what was written, under "Guardar imágen", and goes by itself.
    const app::SavedBalloon *balloon = w.form.savedBalloon();
    ASSERT_TRUE(balloon->isVisible());
    EXPECT_EQ(
        balloon->text(),
        u"Guardado: %1\n2 cuadros, 320 × 400 píxeles, PNG, %2 bytes"_s.arg(
            out, QLocale(QLocale::English).toString(QFileInfo(out).size()).replace(u',', u'.')));
    EXPECT_EQ(balloon->pos().y(),
              w.form.Command5->mapToGlobal(QPoint(0, 0)).y() + w.form.Command5->height());
    EXPECT_TRUE(balloon->hideTimer().isActive());
    EXPECT_EQ(balloon->hideTimer().interval(), app::SavedBalloon::kShowMs);
}

TEST_F(SaveAs, ctrlSWithNoOutputAsksWhereFromTheLastFolderAndCancellingWritesNothing)
{
    w.s.settings.values[u"Framolin/Dialogs/LastFolder"_s] = dir.path();
    w.form.mGuardarImagen.action()->trigger();
    EXPECT_EQ(w.s.dialogs.asked, QStringList { u"Guardar como"_s });
    EXPECT_EQ(w.s.dialogs.starts, QStringList { dir.path() });
    EXPECT_TRUE(w.form.Text1->Text().isEmpty());
    EXPECT_TRUE(w.s.boxes.shown.empty());
    EXPECT_FALSE(w.form.savedBalloon()->isVisible());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(SaveAs, theFolderChosenInOneRunIsWhereTheNextRunsDialogsOpen)
{
    w.s.dialogs.folders = { dir.path() };
    w.form.mAnadirCarpeta.action()->trigger();
    ASSERT_EQ(lastFolder(), dir.path());

    fakes::Services next;
    next.settings.values = w.s.settings.values;
    app::Form1 again(fakes::appServices(next));
    again.mAnadirImagenes.action()->trigger();
    again.mGuardarComo.action()->trigger();
    EXPECT_EQ(next.dialogs.starts, QStringList({ dir.path(), dir.path() }));
}

TEST_F(SaveAs, balloonElidesALongPathInTheMiddleAndSpeaksTheWindowsLanguage)
{
    const strip::SavedStrip saved { u"/srv/"_s + QString(300, u'x') + u"/cube.webp"_s, 72,
                                    QSize(480, 23040), engine::StripFormat::Webp, 1234567 };
    const QFontMetrics metrics(w.form.font());
    const QString spanish = app::savedText(saved, false, metrics);
    EXPECT_TRUE(spanish.startsWith(u"Guardado: /srv/"_s));
    EXPECT_TRUE(spanish.contains(u'…'));
    EXPECT_TRUE(
        spanish.endsWith(u"/cube.webp\n72 cuadros, 480 × 23040 píxeles, WebP, 1.234.567 bytes"_s))
        << qPrintable(spanish);
    EXPECT_TRUE(
        app::savedText(saved, true, metrics)
            .endsWith(u"/cube.webp\n72 frames, 480 × 23040 pixels, WebP, 1,234,567 bytes"_s));
}

TEST_F(SaveAs, picturesNamedAtStartJoinTheListAsADropFoldersInNaturalOrder)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"turn"_s));
    for (const QString &name : { u"f10.png"_s, u"f9.png"_s, u"notes.txt"_s })
        ASSERT_TRUE(pictures::write(pictures::solid(2, 2, Qt::blue),
                                    dir.filePath(u"turn/"_s + name), "PNG"));
    const QString single = dir.filePath(u"single.bmp"_s);
    ASSERT_TRUE(pictures::write(pictures::solid(2, 2, Qt::blue), single, "BMP"));
    w.form.openAtStart({ single, dir.filePath(u"turn"_s) });
    ASSERT_EQ(w.form.List1->ListCount(), 3);
    EXPECT_EQ(w.form.List1->List(0), single);
    EXPECT_EQ(w.form.List1->List(1), dir.filePath(u"turn/f9.png"_s));
    EXPECT_EQ(w.form.List1->List(2), dir.filePath(u"turn/f10.png"_s));
}

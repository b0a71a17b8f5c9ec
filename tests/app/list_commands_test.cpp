// SPDX-License-Identifier: GPL-3.0-or-later
// Adding pictures from the desktop's dialogs, ordering the list, and the keyboard: menu
// entries, shortcuts and Enter, as a user at the keyboard meets them.

#include "files.h"
#include "window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Window : fakes::Window
{
    QStringList entries() const
    {
        QStringList all;
        for (int i = 0; i < form.List1->ListCount(); ++i)
            all.append(form.List1->List(i));
        return all;
    }
    QStringList stored() const
    {
        QStringList all;
        const int last = s.settings.values.value(u"Framolin/InputFiles/InputFilesCount"_s).toInt();
        for (int i = 0; i <= last; ++i)
            all.append(s.settings.values.value(u"Framolin/InputFiles/InputFile%1"_s.arg(i)));
        return all;
    }
    // The bar is full when its last drawable column is painted.
    bool barFull() const
    {
        const QImage &bar = form.progreso->Image();
        return !bar.isNull() && bar.pixelColor(bar.width() - 1, 0) == QColor(Qt::black);
    }
};

QStringList captions(const QMenu *menu)
{
    QStringList all;
    for (const QAction *action : menu->actions())
        all.append(action->isSeparator() ? u"-"_s : action->text());
    return all;
}

} // namespace

TEST(AddPictures, theChosenFilesGoThroughTheDropWithItsQuestionAndItsBar)
{
    Window w;
    w.form.List1->AddItem(u"/p/0.bmp"_s);
    w.form.Check1->setValue(1);
    w.s.dialogs.files = { { u"/p/b.jpg"_s, u"/p/a.gif"_s } };
    w.s.boxes.answers = { runtime::mb::kYes };
    w.form.mAnadirImagenes.action()->trigger();
    ASSERT_EQ(w.s.dialogs.filters.size(), 1);
    for (const QString &pattern : { u"*.bmp"_s, u"*.jpg"_s, u"*.jpeg"_s, u"*.gif"_s })
        EXPECT_TRUE(w.s.dialogs.filters[0].contains(pattern)) << qPrintable(pattern);
    ASSERT_EQ(w.s.boxes.shown.size(), 1u);
    EXPECT_EQ(w.s.boxes.shown[0].prompt, u"¿Desea añadir 2 archivos a la lista?"_s);
    EXPECT_EQ(w.entries(), QStringList({ u"/p/0.bmp"_s, u"/p/b.jpg"_s, u"/p/a.gif"_s }));
    EXPECT_TRUE(w.barFull());

    // No to the question, or cancelling the dialog, adds nothing.
    w.s.dialogs.files = { { u"/p/c.jpg"_s } };
    w.s.boxes.answers = { runtime::mb::kNo };
    w.form.mAnadirImagenes.action()->trigger();
    w.form.mAnadirImagenes.action()->trigger(); // the script is empty: cancelled
    EXPECT_EQ(w.form.List1->ListCount(), 3);
    EXPECT_EQ(w.s.boxes.shown.size(), 2u);
}

TEST(AddPictures, aChosenFolderGivesItsPicturesInNaturalOrder)
{
    Window w;
    QTemporaryDir dir;
    for (const QString &name : { u"v10.jpg"_s, u"v2.jpg"_s, u"V1.BMP"_s, u"notes.txt"_s })
        files::touch(dir.filePath(name));
    w.s.dialogs.folders = { dir.path() };
    w.form.mAnadirCarpeta.action()->trigger();
    EXPECT_EQ(w.entries(),
              QStringList({ dir.filePath(u"V1.BMP"_s), dir.filePath(u"v2.jpg"_s),
                            dir.filePath(u"v10.jpg"_s) }));
    EXPECT_TRUE(w.barFull());
    w.form.mAnadirCarpeta.action()->trigger(); // cancelled
    EXPECT_EQ(w.form.List1->ListCount(), 3);
    EXPECT_TRUE(w.s.boxes.shown.empty());
}

TEST(ListOrder, reversingAndDeletingChangeWhatIsStoredButNotTheBar)
{
    Window w;
    w.form.List1_OLEDragDrop(runtime::DataObject { { u"/1"_s, u"/2"_s, u"/3"_s, u"/4"_s } });
    const QImage bar = w.form.progreso->Image();
    w.form.mInvertirOrden.action()->trigger();
    EXPECT_EQ(w.entries(), QStringList({ u"/4"_s, u"/3"_s, u"/2"_s, u"/1"_s }));
    w.form.List1->setCurrentRow(1);
    QTest::keyClick(w.form.List1, Qt::Key_Delete);
    w.form.Command3_Click();
    EXPECT_EQ(w.stored(), QStringList({ u"/4"_s, u"/2"_s, u"/1"_s }));
    EXPECT_EQ(w.form.progreso->Image(), bar);
}

TEST(Menus, newEntriesOpenMontajeAndKeepTheDesignedOnesInTheirOrder)
{
    Window w;
    const QMenu *montaje = w.form.mMontaje.action()->menu();
    ASSERT_NE(montaje, nullptr);
    EXPECT_EQ(
        captions(montaje),
        QStringList({ u"Añadir imágenes..."_s, u"Añadir carpeta..."_s, u"Invertir orden"_s, u"-"_s,
                      u"Comenzar montaje"_s, u"Guardar imágen"_s, u"Guardar como..."_s,
                      u"Exportar para la web..."_s, u"Vista previa"_s }));
    EXPECT_EQ(captions(w.form.mOpciones.action()->menu()),
              QStringList({ u"Auto Redibujar"_s, u"Ajuste de los cuadros"_s,
                            u"Recortar al objeto"_s, u"Opciones de salida..."_s }));
    EXPECT_EQ(captions(w.form.mAjuste.action()->menu()),
              QStringList({ u"Estirar"_s, u"Llenar recortando"_s, u"Encajar"_s }));
}

TEST(Menus, shortcutsAreShownOnTheirEntries)
{
    Window w;
    const struct
    {
        const runtime::MenuEntry &entry;
        QKeySequence keys;
    } rows[] = {
        { w.form.mAnadirImagenes, QKeySequence(u"Ctrl+O"_s) },
        { w.form.mAnadirCarpeta, QKeySequence(u"Ctrl+Shift+O"_s) },
        { w.form.mComenzarMontaje, QKeySequence(u"F5"_s) },
        { w.form.mGuardarImagen, QKeySequence(u"Ctrl+S"_s) },
        { w.form.mGuardarComo, QKeySequence(u"Ctrl+Shift+S"_s) },
        { w.form.mSalir, QKeySequence(u"Ctrl+Q"_s) },
        { w.form.mLeerLeame, QKeySequence(u"F1"_s) },
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.entry.action()->shortcut(), row.keys) << qPrintable(row.entry.Caption());
}

TEST(Menus, theNewEntriesSwitchToEnglishWithTheRest)
{
    Window w;
    w.form.Command8_Click();
    EXPECT_EQ(w.form.mAnadirImagenes.Caption(), u"Add pictures..."_s);
    EXPECT_EQ(w.form.mAnadirCarpeta.Caption(), u"Add folder..."_s);
    EXPECT_EQ(w.form.mInvertirOrden.Caption(), u"Reverse order"_s);
    EXPECT_EQ(w.form.mGuardarComo.Caption(), u"Save as..."_s);
    EXPECT_EQ(w.form.mExportarWeb.Caption(), u"Export for the web..."_s);
    EXPECT_EQ(w.form.mAjuste.Caption(), u"Fit of the frames"_s);
    EXPECT_EQ(w.form.mLlenarRecortando.Caption(), u"Fill by cropping"_s);
    EXPECT_EQ(w.form.mRecortarObjeto.Caption(), u"Crop to the object"_s);
    EXPECT_EQ(w.form.mOpcionesSalida.Caption(), u"Output options..."_s);
}

TEST(Keyboard, shortcutsRunTheirCommandsAndCtrlQAsksFirst)
{
    Window w;
    w.form.show();
    QApplication::setActiveWindow(&w.form);
    w.form.List1->setFocus();
    w.s.dialogs.files = { { u"/p/a.jpg"_s } };
    QTest::keyClick(&w.form, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(w.s.dialogs.asked, QStringList({ u"Añadir imágenes"_s }));
    QTest::keyClick(&w.form, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.s.dialogs.asked.size(), 2);
    EXPECT_EQ(w.form.List1->ListCount(), 1);

    w.s.boxes.answers = { runtime::mb::kNo };
    QTest::keyClick(&w.form, Qt::Key_Q, Qt::ControlModifier);
    ASSERT_EQ(w.s.boxes.shown.size(), 1u);
    EXPECT_EQ(w.s.boxes.shown[0].prompt, u"¿Desea salir?"_s);
    EXPECT_FALSE(w.s.program.ended());

    w.form.List1->clear();
    QTest::keyClick(&w.form, Qt::Key_F5);
    EXPECT_TRUE(w.form.Command5->isEnabled()); // an empty list assembles at once
}

TEST(Keyboard, enterPressesTheFocusedButton)
{
    Window w;
    w.form.show();
    QApplication::setActiveWindow(&w.form);
    w.form.Command2->setFocus();
    QTest::keyClick(w.form.Command2, Qt::Key_Return);
    EXPECT_TRUE(w.form.Command5->isEnabled());
    w.form.Command9->setFocus();
    w.s.boxes.answers = { runtime::mb::kNo };
    QTest::keyClick(w.form.Command9, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(w.s.boxes.shown.size(), 1u);
    EXPECT_EQ(w.s.boxes.shown[0].title, u"Salir"_s);
}

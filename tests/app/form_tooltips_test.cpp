// SPDX-License-Identifier: GPL-3.0-or-later
// The window's tooltips: which controls carry one, in which order, with which text.

#include "window.h"

#include "wm/tooltip.h"

#include <QCoreApplication>
#include <QEnterEvent>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Window : fakes::Window
{
    // The text each tooltip shows when the mouse rests on `control`, or nothing.
    QStringList tipsShownOver(QWidget *control)
    {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(control, &enter);
        QStringList shown;
        for (const tooltips::TipEntry &entry : form.module1().TipWindows) {
            wm::ToolTipControl *tip = wm::ToolTipControl::fromWindow(entry.TipHwnd);
            if (!tip->showTimerActive())
                continue;
            tip->fireShowTimer();
            QByteArray text(wm::GetWindowTextLengthA(entry.TipHwnd) + 1, '\0');
            wm::GetWindowTextA(entry.TipHwnd, text.data(), int(text.size()));
            shown << QString::fromLatin1(text.chopped(1));
            tip->fireHideTimer();
        }
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(control, &leave);
        return shown;
    }
};

TEST(FormTooltips, loadRegistersTheFourteenTipsInTableOrder)
{
    Window w;
    app::Form1 &f = w.form;
    const std::vector<std::pair<QWidget *, QString>> table {
        { f.Command1, u"Borra los archivos de la lista.\nClear the list files."_s },
        { f.Check1, u"Preguntar antes de añadir archivos.\nAsk before add files."_s },
        { f.Text1,
          u"Teclea o arrastra un archivo para escribir la imagen.\n"
          u"Type or drag a empty file to write image."_s },
        { f.ancho,
          u"Define el ancho para redimensionar la imagen.\nSets the width to resize the image."_s },
        { f.alto,
          u"Define el alto para redimensionar la imagen.\nSets the height to resize the image."_s },
        { f.Command2, u"Inicia el proceso de montaje.\nStarts the building process."_s },
        { f.Command3,
          u"Guarda las configuraciones actuales en el registro de Windows.\n"
          u"Saves the current settings into Window's registry."_s },
        { f.Command4,
          u"Borra las configuraciones almacenadas en el registro de Windows.\n"
          u"Deletes the settings stored in Window's registry."_s },
        { f.Command6,
          u"Recupera las configuraciones almacenadas en el registro de Windows.\n"
          u"Opens the stored settings in Window's registry."_s },
        { f.Command5, u"Guarda la imágen actual.\nSaves the current image."_s },
        { f.Check2, u"Conmuta la opción Auto Redibujar.\nToggles the AutoRedraw option."_s },
        { f.Command8, u"Translate the program into English language."_s },
        { f.Command7,
          u"Muestra la información del autor y su contacto.\n"
          u"Shows the author's information and author's contact."_s },
        { f.Command9, u"Salir del programa.\nExits program."_s },
    };
    ASSERT_EQ(f.module1().TipCount, 14);
    ASSERT_EQ(f.module1().TipWindows.size(), 14u);
    for (size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(table[i].second.toStdString());
        EXPECT_EQ(w.tipsShownOver(table[i].first), QStringList { table[i].second });
        // The control of row i is watched by the tooltip window of entry i.
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(table[i].first, &enter);
        EXPECT_TRUE(
            wm::ToolTipControl::fromWindow(f.module1().TipWindows[i].TipHwnd)->showTimerActive());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(table[i].first, &leave);
    }
}

TEST(FormTooltips, theListTheLabelsAndTheDrawingAreasShowNoTip)
{
    Window w;
    app::Form1 &f = w.form;
    for (QWidget *control : std::initializer_list<QWidget *> {
             f.List1, f.List1->viewport(), f.Label1, f.Label2, f.Label3, f.Label4, f.objeto,
             f.objeto->client(), f.arr, f.progreso, f.Picture1, f.Image1 })
        EXPECT_TRUE(w.tipsShownOver(control).isEmpty()) << control->metaObject()->className();
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "window.h"

#include <QMenuBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Form1Test : public ::testing::Test, public fakes::Window
{
};

} // namespace

TEST_F(Form1Test, startsInTheDesignStateOtherCommandsRelyOn)
{
    EXPECT_EQ(form.Caption(), u"Framolin"_s);
    EXPECT_EQ(form.ancho->Text(), u"320"_s);
    EXPECT_EQ(form.alto->Text(), u"200"_s);
    EXPECT_EQ(form.Text1->Text(), QString());
    EXPECT_EQ(form.List1->ListCount(), 0);
    EXPECT_EQ(form.Check2->Value(), 1);
    EXPECT_EQ(form.Check1->Value(), 0);
    EXPECT_FALSE(form.Command5->isEnabled());
    EXPECT_TRUE(form.mGuardarImagen.action()->isEnabled());
    EXPECT_TRUE(form.buff->isHidden());
    EXPECT_TRUE(form.objeto->AutoRedraw());
    EXPECT_TRUE(form.progreso->AutoRedraw());
    EXPECT_EQ(form.objeto->Image().size(), QSize(285, 317)); // the box's drawing area
    EXPECT_TRUE(form.arr->Caption().isEmpty());
}

TEST_F(Form1Test, showsItsCaptionsWithTheirAccents)
{
    EXPECT_EQ(form.Label1->Caption(), u"Archivos de entrada:"_s);
    EXPECT_EQ(form.Label2->Caption(), u"Archivo de salida:"_s);
    EXPECT_EQ(form.Label3->Caption(), u"Redimensión:"_s);
    EXPECT_EQ(form.Label4->Caption(), u"x"_s);
    EXPECT_EQ(form.Command1->Caption(), u"Borrar"_s);
    EXPECT_EQ(form.Check1->Caption(), u"Q"_s);
    EXPECT_EQ(form.Command2->Caption(), u"Comenzar montaje"_s);
    EXPECT_EQ(form.Command3->Caption(), u"Guardar datos"_s);
    EXPECT_EQ(form.Command4->Caption(), u"Borrar datos"_s);
    EXPECT_EQ(form.Command6->Caption(), u"Recuperar datos"_s);
    EXPECT_EQ(form.Command5->Caption(), u"Guardar imágen"_s);
    EXPECT_EQ(form.Check2->Caption(), u"Auto Redibujar"_s);
    EXPECT_EQ(form.Command8->Caption(), u"English"_s);
    EXPECT_EQ(form.Command7->Caption(), u"Acerca de..."_s);
    EXPECT_EQ(form.Command9->Caption(), u"Salir"_s);
}

TEST_F(Form1Test, hasTheFiveMenusWithTheirEntriesInOrder)
{
    // The entries added to the design (left out of the tree below), and the keys given to
    // entries people reach for; the other entries have none.
    const QStringList added { u"Añadir imágenes..."_s,      u"Añadir carpeta..."_s,
                              u"Invertir orden"_s,          u"Guardar como..."_s,
                              u"Exportar para la web..."_s, u"Ajuste de los cuadros"_s,
                              u"Recortar al objeto"_s,      u"Opciones de salida..."_s };
    const QStringList withKeys {
        u"Salir"_s,          u"Añadir imágenes..."_s, u"Añadir carpeta..."_s, u"Comenzar montaje"_s,
        u"Guardar imágen"_s, u"Leer archivo léeme"_s, u"Vista previa"_s,      u"Guardar como..."_s
    };
    QStringList tree;
    const QList<QAction *> menus = form.menuBar()->actions();
    for (QAction *menu : menus) {
        QStringList entries;
        const QList<QAction *> actions = menu->menu()->actions();
        for (QAction *a : actions) {
            if (added.contains(a->text()) || (a->isSeparator() && a == form.mSep2.action()))
                continue;
            entries.append(a->isSeparator() ? u"-"_s : a->text());
            EXPECT_TRUE(a->isEnabled());
            EXPECT_FALSE(a->isChecked());
            EXPECT_EQ(a->shortcut().isEmpty(), !withKeys.contains(a->text()))
                << qPrintable(a->text());
        }
        tree.append(menu->text() + u": "_s + entries.join(u" | "_s));
    }
    EXPECT_EQ(tree,
              QStringList({
                  u"Programa: Salir"_s,
                  u"Montaje: Comenzar montaje | Guardar imágen | Vista previa"_s,
                  u"Configuración: Abrir | Guardar | Eliminar | - | English language"_s,
                  u"Opciones: Auto Redibujar"_s,
                  u"Ayuda: Leer archivo léeme | Acerca de..."_s,
              }));
}

TEST_F(Form1Test, findsEveryControlAndMenuEntryByItsDesignName)
{
    const std::vector<std::pair<const char *, QObject *>> named {
        { "Form1", &form },
        { "Picture1", form.Picture1 },
        { "Picture15", form.Picture15 },
        { "Label4", form.Label4 },
        { "List1", form.List1 },
        { "Text1", form.Text1 },
        { "ancho", form.ancho },
        { "alto", form.alto },
        { "Command1", form.Command1 },
        { "Command9", form.Command9 },
        { "Check1", form.Check1 },
        { "Check2", form.Check2 },
        { "Image9", form.Image9 },
        { "objeto", form.objeto },
        { "buff", form.buff },
        { "progreso", form.progreso },
        { "arr", form.arr },
    };
    for (const auto &[name, control] : named) {
        const QString n = QString::fromLatin1(name);
        EXPECT_EQ(n == u"Form1"_s ? &form : form.findChild<QWidget *>(n), control) << name;
    }
    for (const runtime::MenuEntry *entry : { &form.mPrograma, &form.mSep1, &form.mAcercaDe })
        EXPECT_EQ(form.findChild<QAction *>(entry->action()->objectName()), entry->action());
    EXPECT_EQ(form.mSep1.action()->objectName(), u"mSep1"_s);
    // Names are unique: a tip or caption keyed by name reaches exactly one control.
    QStringList names;
    const QList<QWidget *> widgets = form.findChildren<QWidget *>();
    for (const QWidget *w : widgets)
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"_s))
            names.append(w->objectName());
    EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size())
        << names.join(u' ').toStdString();
}

TEST_F(Form1Test, placesControlsInTwipsInsideTheirContainers)
{
    EXPECT_EQ(form.Picture1->Left(), 600.0f);
    EXPECT_EQ(form.Picture1->geometry(), QRect(40, 8, 121, 97));
    EXPECT_EQ(form.List1->parentWidget(), form.Picture1->client());
    EXPECT_EQ(form.List1->geometry(), QRect(0, 16, 117, 56));
    EXPECT_EQ(form.Command2->geometry(), QRect(0, 0, 117, 21)); // fills its row's inner area
    EXPECT_EQ(form.Picture4->client()->size(), QSize(117, 21));
    EXPECT_EQ(form.Image1->geometry(), QRect(3, 208, 32, 32));
    EXPECT_EQ(form.Picture10->height(), 4); // a groove: only the border shows
    EXPECT_EQ(form.buff->parentWidget(), form.objeto->client());
    EXPECT_EQ(form.arr->geometry(), QRect(456, 8, 5, 321));
}

TEST_F(Form1Test, opensWithTheDesignClientArea)
{
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.client()->size(), QSize(512, 609));
    EXPECT_EQ(form.ScaleHeight(), 9135.0f);
}

TEST_F(Form1Test, movesTheFocusInTabIndexOrder)
{
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    form.List1->setFocus();
    const std::vector<QWidget *> expected { form.Command1, form.Text1,
                                            form.ancho,    form.alto,
                                            form.Command2, form.Command3,
                                            form.Command4, form.objeto,
                                            form.Command5 /* disabled: skipped below */ };
    std::vector<QWidget *> seen;
    for (int i = 0; i < 8; ++i) {
        QWidget *next = form.List1->window()->focusWidget()->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus) || !next->isEnabled() || !next->isVisible())
            next = next->nextInFocusChain();
        next->setFocus();
        seen.push_back(next);
    }
    EXPECT_EQ(seen, std::vector<QWidget *>(expected.begin(), expected.begin() + 8));
}

TEST_F(Form1Test, pressingCheck1TogglesOnlyItsOwnLook)
{
    form.show();
    QTest::mouseClick(form.Check1, Qt::LeftButton);
    EXPECT_EQ(form.Check1->Value(), 1);
    QTest::mouseClick(form.Check1, Qt::LeftButton);
    EXPECT_EQ(form.Check1->Value(), 0);
    EXPECT_TRUE(s.boxes.shown.empty());
    EXPECT_EQ(form.List1->ListCount(), 0);
}

TEST_F(Form1Test, startsTheAssemblyFromTheButtonAndTheMenuAlike)
{
    form.show();
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    EXPECT_TRUE(form.Command5->isEnabled()); // an empty list assembles at once
    EXPECT_TRUE(s.boxes.shown.empty());

    fakes::Window second;
    second.form.mComenzarMontaje.action()->trigger();
    EXPECT_TRUE(second.form.Command5->isEnabled());
}

TEST_F(Form1Test, showsAnInvalidFrameSizeInAMessageBoxInsteadOfFailing)
{
    form.ancho->setText(u"ancho"_s);
    form.mComenzarMontaje.action()->trigger();
    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_EQ(s.boxes.shown[0].style, 16);
    EXPECT_FALSE(form.Command5->isEnabled());
}

TEST_F(Form1Test, closingTheWindowEndsTheProgramWithoutAQuestion)
{
    form.show();
    form.close();
    EXPECT_TRUE(s.program.ended());
    EXPECT_TRUE(s.boxes.shown.empty());
    EXPECT_TRUE(s.settings.values.isEmpty());
}

// Under the desktop's own family every caption shows whole in its control, before and after
// the switch to English (buttons keep a bevel and some air on each side).
TEST_F(Form1Test, everyCaptionShowsWholeInSpanishAndInEnglish)
{
    for (const bool english : { false, true }) {
        if (english)
            form.Command8_Click();
        for (const runtime::Label *label : form.findChildren<runtime::Label *>())
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << qPrintable(label->text());
        for (const QPushButton *button : form.findChildren<QPushButton *>()) {
            if (button == form.arr)
                continue; // the splitter has no caption
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 8)
                << qPrintable(button->text());
        }
    }
}

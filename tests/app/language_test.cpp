// SPDX-License-Identifier: GPL-3.0-or-later
#include "window.h"

#include <QSignalSpy>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using fakes::Window;

struct CaptionRow
{
    const char *object;
    std::function<QString(const app::Form1 &)> caption;
    QString spanish;
    QString english;
};

// Every caption the switch changes, in the order it changes them.
std::vector<CaptionRow> switchedCaptions()
{
    using F = const app::Form1 &;
    return {
        { "Form1", [](F f) { return f.Caption(); }, u"Framolin"_s,
          u"Framolin (English Translation by Quillmatic)"_s },
        { "Label1", [](F f) { return f.Label1->Caption(); }, u"Archivos de entrada:"_s,
          u"Input Files:"_s },
        { "Command1", [](F f) { return f.Command1->Caption(); }, u"Borrar"_s, u"Clear"_s },
        { "Label2", [](F f) { return f.Label2->Caption(); }, u"Archivo de salida:"_s,
          u"Output File:"_s },
        { "Label3", [](F f) { return f.Label3->Caption(); }, u"Redimensión:"_s, u"Resize:"_s },
        { "Command2", [](F f) { return f.Command2->Caption(); }, u"Comenzar montaje"_s,
          u"Make Now!"_s },
        { "Command3", [](F f) { return f.Command3->Caption(); }, u"Guardar datos"_s,
          u"Save Settings"_s },
        { "Command4", [](F f) { return f.Command4->Caption(); }, u"Borrar datos"_s,
          u"Clear Settings"_s },
        { "Command6", [](F f) { return f.Command6->Caption(); }, u"Recuperar datos"_s,
          u"Load Settings"_s },
        { "Command5", [](F f) { return f.Command5->Caption(); }, u"Guardar imágen"_s,
          u"Save Image"_s },
        { "Check2", [](F f) { return f.Check2->Caption(); }, u"Auto Redibujar"_s,
          u"Auto Redraw"_s },
        { "Command8", [](F f) { return f.Command8->Caption(); }, u"English"_s, QString() },
        { "Command7", [](F f) { return f.Command7->Caption(); }, u"Acerca de..."_s, u"About..."_s },
        { "Command9", [](F f) { return f.Command9->Caption(); }, u"Salir"_s, u"Exit"_s },
        { "mPrograma", [](F f) { return f.mPrograma.Caption(); }, u"Programa"_s, u"Program"_s },
        { "mSalir", [](F f) { return f.mSalir.Caption(); }, u"Salir"_s, u"Exit"_s },
        { "mMontaje", [](F f) { return f.mMontaje.Caption(); }, u"Montaje"_s, u"Making"_s },
        { "mComenzarMontaje", [](F f) { return f.mComenzarMontaje.Caption(); },
          u"Comenzar montaje"_s, u"Start Object Make"_s },
        { "mGuardarImagen", [](F f) { return f.mGuardarImagen.Caption(); }, u"Guardar imágen"_s,
          u"Save Image"_s },
        { "mConfiguracion", [](F f) { return f.mConfiguracion.Caption(); }, u"Configuración"_s,
          u"Setting"_s },
        { "mAbrir", [](F f) { return f.mAbrir.Caption(); }, u"Abrir"_s, u"Open"_s },
        { "mGuardar", [](F f) { return f.mGuardar.Caption(); }, u"Guardar"_s, u"Save"_s },
        { "mEliminar", [](F f) { return f.mEliminar.Caption(); }, u"Eliminar"_s, u"Delete"_s },
        { "mOpciones", [](F f) { return f.mOpciones.Caption(); }, u"Opciones"_s, u"Options"_s },
        { "mAutoRedibujar", [](F f) { return f.mAutoRedibujar.Caption(); }, u"Auto Redibujar"_s,
          u"AutoRedraw"_s },
        { "mAyuda", [](F f) { return f.mAyuda.Caption(); }, u"Ayuda"_s, u"Help"_s },
        { "mLeerLeame", [](F f) { return f.mLeerLeame.Caption(); }, u"Leer archivo léeme"_s,
          u"Read Readme File"_s },
        { "mAcercaDe", [](F f) { return f.mAcercaDe.Caption(); }, u"Acerca de..."_s,
          u"About..."_s },
    };
}

void expectCaptions(const app::Form1 &form, bool english)
{
    for (const CaptionRow &row : switchedCaptions())
        EXPECT_EQ(row.caption(form), english ? row.english : row.spanish) << row.object;
}

} // namespace

TEST(LanguageSwitch, setsEveryCaptionAfterOneAndAfterTwoSwitches)
{
    Window w;
    expectCaptions(w.form, false);
    EXPECT_TRUE(w.form.Command8->isEnabled());

    w.form.Command8->click();
    expectCaptions(w.form, true);
    EXPECT_FALSE(w.form.Command8->isEnabled());

    w.form.mEnglish.action()->trigger();
    expectCaptions(w.form, true);
    EXPECT_FALSE(w.form.Command8->isEnabled());
}

TEST(LanguageSwitch, changesTheTitleFirstAndTheMenusInTheirOrder)
{
    Window w;
    QStringList changes;
    QObject::connect(&w.form, &QWidget::windowTitleChanged, [&] { changes.append(u"Form1"_s); });
    const std::vector<std::pair<const char *, const runtime::MenuEntry *>> menus {
        { "mPrograma", &w.form.mPrograma },
        { "mSalir", &w.form.mSalir },
        { "mMontaje", &w.form.mMontaje },
        { "mComenzarMontaje", &w.form.mComenzarMontaje },
        { "mGuardarImagen", &w.form.mGuardarImagen },
        { "mConfiguracion", &w.form.mConfiguracion },
        { "mAbrir", &w.form.mAbrir },
        { "mGuardar", &w.form.mGuardar },
        { "mEliminar", &w.form.mEliminar },
        { "mOpciones", &w.form.mOpciones },
        { "mAutoRedibujar", &w.form.mAutoRedibujar },
        { "mAyuda", &w.form.mAyuda },
        { "mLeerLeame", &w.form.mLeerLeame },
        { "mAcercaDe", &w.form.mAcercaDe },
        { "mEnglish", &w.form.mEnglish },
        { "mSep1", &w.form.mSep1 },
    };
    for (const auto &[name, menu] : menus)
        QObject::connect(menu->action(), &QAction::changed,
                         [&changes, n = QString::fromLatin1(name)] { changes.append(n); });

    w.form.Command8_Click();

    QStringList expected { u"Form1"_s };
    for (const CaptionRow &row : switchedCaptions())
        if (row.object[0] == 'm')
            expected.append(QString::fromLatin1(row.object));
    EXPECT_EQ(changes, expected);
}

TEST(LanguageSwitch, leavesEverythingElseAlone)
{
    Window w;
    w.form.List1->AddItem(u"/fotos/a.jpg"_s);
    w.form.Text1->setText(u"/fotos/objeto.bmp"_s);
    w.form.ancho->setText(u"640"_s);
    const QString sep = w.form.mSep1.Caption();
    const QImage canvas = w.form.objeto->Image();
    const QImage bar = w.form.progreso->Image();

    w.form.Command8_Click();

    EXPECT_EQ(w.form.Label4->Caption(), u"x"_s);
    EXPECT_EQ(w.form.Check1->Caption(), u"Q"_s);
    EXPECT_EQ(w.form.mSep1.Caption(), sep);
    EXPECT_TRUE(w.form.mSep1.action()->isSeparator());
    EXPECT_EQ(w.form.mEnglish.Caption(), u"English language"_s);
    EXPECT_EQ(w.form.arr->Caption(), QString());
    EXPECT_EQ(w.form.List1->ListCount(), 1);
    EXPECT_EQ(w.form.List1->List(0), u"/fotos/a.jpg"_s);
    EXPECT_EQ(w.form.Text1->Text(), u"/fotos/objeto.bmp"_s);
    EXPECT_EQ(w.form.ancho->Text(), u"640"_s);
    EXPECT_EQ(w.form.alto->Text(), u"200"_s);
    EXPECT_EQ(w.form.objeto->Image(), canvas);
    EXPECT_EQ(w.form.progreso->Image(), bar);
    EXPECT_TRUE(w.s.settings.values.isEmpty());
    EXPECT_TRUE(w.s.boxes.shown.empty());
    // No menu entry is disabled or hidden by the switch.
    for (const auto *menu : { &w.form.mEnglish, &w.form.mGuardarImagen, &w.form.mAcercaDe })
        EXPECT_TRUE(menu->action()->isEnabled() && menu->action()->isVisible());
}

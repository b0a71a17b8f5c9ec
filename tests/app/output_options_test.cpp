// SPDX-License-Identifier: GPL-3.0-or-later
// "Opciones de salida...": the dialog sets the menu's fit and crop and every other option, and
// "Guardar datos" / "Recuperar datos" keep them in their own group.

#include "window.h"

#include "app/output_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(OutputOptions, theDialogSetsTheMenuAndGuardarDatosStoresWhatRecuperarDatosRestores)
{
    fakes::Window w;
    EXPECT_TRUE(w.form.mEstirar.action()->isChecked());
    w.form.Command8_Click(); // its texts follow the window's language
    w.form.mOpcionesSalida.action()->trigger();
    auto *dialog = w.form.findChild<app::OutputDialog *>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), u"Output options"_s);
    dialog->fit->setCurrentIndex(2);
    dialog->autoCrop->setChecked(true);
    dialog->webFormat->setCurrentIndex(2);
    dialog->quality->setValue(75);
    dialog->target->setCurrentIndex(1);
    dialog->columns->setValue(6);
    dialog->framesPerSheet->setValue(12);
    dialog->frames->setValue(24);
    dialog->reverse->setChecked(true);
    dialog->lanes->setValue(3);
    dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(w.form.mEncajar.action()->isChecked()
                && w.form.mRecortarObjeto.action()->isChecked());

    w.form.Command3_Click();
    const QMap<QString, QString> stored = w.s.settings.values;
    const std::pair<const char *, const char *> rows[] = {
        { "Fit", "contain" },       { "Crop", "auto" },      { "WebFormat", "webp" },
        { "Quality", "75" },        { "Target", "desktop" }, { "Columns", "6" },
        { "FramesPerSheet", "12" }, { "Frames", "24" },      { "Reverse", "1" },
        { "Lanes", "3" },
    };
    for (const auto &[key, value] : rows)
        EXPECT_EQ(stored.value(u"Framolin/Output/"_s + QLatin1StringView(key)),
                  QLatin1StringView(value))
            << key;
    EXPECT_EQ(stored.value(u"Framolin/ResizeValues/Width"_s), u"320"_s); // designed groups kept

    app::Form1 again(fakes::appServices(w.s)); // the next run, on the same settings
    again.Command6_Click();
    EXPECT_TRUE(again.mEncajar.action()->isChecked()
                && again.mRecortarObjeto.action()->isChecked());
    w.s.settings.values.clear();
    again.Command3_Click();
    EXPECT_EQ(w.s.settings.values, stored);
}

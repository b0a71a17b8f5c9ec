// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_dialog.h"

#include "engine/limits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace app {

namespace {

// The formats a browser shows at any sheet size the targets allow, in the combo's order.
constexpr std::array kWebFormats { engine::StripFormat::Png, engine::StripFormat::Jpeg,
                                   engine::StripFormat::Webp };
constexpr std::array kTargets { engine::Target::Mobile, engine::Target::Desktop,
                                engine::Target::None };

QSpinBox *spin(int low, int high, int value, const QString &zero)
{
    auto *box = new QSpinBox;
    box->setRange(low, high);
    box->setValue(value);
    box->setSpecialValueText(zero); // shown for `low` when it means "as many as fit"
    return box;
}

template<typename T, std::size_t N> int indexOf(const std::array<T, N> &values, T value)
{
    const auto found = std::find(values.begin(), values.end(), value);
    return found == values.end() ? 0 : int(found - values.begin());
}

} // namespace

OutputDialog::OutputDialog(const engine::OutputOptions &o, bool english, QWidget *parent)
    : QDialog(parent)
{
    // Texts in the window's language: Spanish, or English after the switch.
    const auto t = [english](const QString &es, const QString &en) { return english ? en : es; };
    setObjectName(u"OutputDialog"_s);
    setWindowTitle(t(u"Opciones de salida"_s, u"Output options"_s));

    fit = new QComboBox;
    fit->addItems({ t(u"Estirar"_s, u"Stretch"_s), t(u"Llenar recortando"_s, u"Fill by cropping"_s),
                    t(u"Encajar"_s, u"Fit whole"_s) });
    fit->setCurrentIndex(int(o.fit));
    autoCrop = new QCheckBox(t(u"Recortar al objeto"_s, u"Crop to the object"_s));
    autoCrop->setChecked(o.autoCrop);
    frames = spin(0, engine::kMaxListEntries, o.frames, t(u"todas"_s, u"all"_s));
    reverse = new QCheckBox(t(u"Orden inverso"_s, u"Reverse order"_s));
    reverse->setChecked(o.reverse);
    lanes = spin(1, engine::kMaxListEntries, o.lanes, {});
    auto *frameBox = new QGroupBox(t(u"Cuadros"_s, u"Frames"_s));
    auto *frameForm = new QFormLayout(frameBox);
    frameForm->addRow(t(u"Ajuste:"_s, u"Fit:"_s), fit);
    frameForm->addRow(QString(), autoCrop);
    frameForm->addRow(t(u"Imágenes por vuelta:"_s, u"Pictures per turn:"_s), frames);
    frameForm->addRow(QString(), reverse);
    frameForm->addRow(t(u"Vueltas (alturas):"_s, u"Lanes (heights):"_s), lanes);

    webFormat = new QComboBox;
    for (const engine::StripFormat format : kWebFormats)
        webFormat->addItem(engine::formatName(format));
    webFormat->setCurrentIndex(indexOf(kWebFormats, o.webFormat));
    quality = spin(1, engine::kMaxQuality, o.quality, {});
    target = new QComboBox;
    target->addItems({ t(u"Móvil"_s, u"Mobile"_s), t(u"Escritorio"_s, u"Desktop"_s),
                       t(u"Ninguno"_s, u"None"_s) });
    target->setCurrentIndex(indexOf(kTargets, o.target));
    const QString fitting = t(u"las que quepan"_s, u"as many as fit"_s);
    columns = spin(0, engine::kMaxColumns, o.columns, fitting);
    framesPerSheet = spin(0, engine::kMaxListEntries, o.framesPerSheet, fitting);
    auto *webBox = new QGroupBox(t(u"Exportar para la web"_s, u"Export for the web"_s));
    auto *webForm = new QFormLayout(webBox);
    webForm->addRow(t(u"Formato:"_s, u"Format:"_s), webFormat);
    webForm->addRow(t(u"Calidad (JPEG, WebP):"_s, u"Quality (JPEG, WebP):"_s), quality);
    webForm->addRow(t(u"Destino:"_s, u"Target:"_s), target);
    webForm->addRow(t(u"Columnas:"_s, u"Columns:"_s), columns);
    webForm->addRow(t(u"Cuadros por hoja:"_s, u"Frames per sheet:"_s), framesPerSheet);
    const auto lossy = [this] {
        quality->setEnabled(kWebFormats.at(std::size_t(webFormat->currentIndex()))
                            != engine::StripFormat::Png);
    };
    connect(webFormat, &QComboBox::currentIndexChanged, this, lossy);
    lossy();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frameBox);
    layout->addWidget(webBox);
    layout->addWidget(buttons);
}

engine::OutputOptions OutputDialog::options() const
{
    engine::OutputOptions o;
    o.fit = engine::Fit(fit->currentIndex());
    o.autoCrop = autoCrop->isChecked();
    o.webFormat = kWebFormats.at(std::size_t(webFormat->currentIndex()));
    o.quality = quality->value();
    o.target = kTargets.at(std::size_t(target->currentIndex()));
    o.columns = columns->value();
    o.framesPerSheet = framesPerSheet->value();
    o.frames = frames->value();
    o.reverse = reverse->isChecked();
    o.lanes = lanes->value();
    return o;
}

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Opciones de salida...": every output option in one small dialog (the fit and crop of the
// menu, the sheets of the export for the web, which pictures make the frames). It edits a copy;
// the window takes it when the dialog is accepted.

#include "engine/output_options.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace app {

class OutputDialog : public QDialog
{
    Q_OBJECT
public:
    OutputDialog(const engine::OutputOptions &options, bool english, QWidget *parent);

    engine::OutputOptions options() const;

    // The fields, by what they hold, for tests and screenshots.
    QComboBox *fit = nullptr, *webFormat = nullptr, *target = nullptr;
    QCheckBox *autoCrop = nullptr, *reverse = nullptr;
    QSpinBox *quality = nullptr, *columns = nullptr, *framesPerSheet = nullptr, *frames = nullptr,
             *lanes = nullptr;
};

} // namespace app

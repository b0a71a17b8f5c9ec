// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window offers beyond its design: menu entries to add pictures without dragging and
// to reverse the list, and keys for the commands people reach for. Built on the designed menus
// after them; the designed entries keep their places and captions.

#include "form1_design.h"
#include "language.h"

#include "runtime/controls.h"

#include "engine/fit.h"

#include <vector>

namespace app {

class Form1Additions
{
public:
    explicit Form1Additions(Form1Design &design);
    Form1Additions(const Form1Additions &) = delete;
    Form1Additions &operator=(const Form1Additions &) = delete;

    // At the top of "Montaje", then a separator before the designed entries.
    runtime::MenuEntry mAnadirImagenes, mAnadirCarpeta, mInvertirOrden, mSep2;
    // After "Guardar imágen": the output chosen in a file dialog, then saved.
    runtime::MenuEntry mGuardarComo;
    // After it: the sheets, manifest and page framolin-strip --html writes, in a chosen place.
    runtime::MenuEntry mExportarWeb;
    // In "Opciones", after the designed entry: how the pictures fit the frames (a submenu of
    // three exclusive choices, stretched by default), the crop around the object, and the
    // dialog of every output option.
    runtime::MenuEntry mAjuste, mEstirar, mLlenarRecortando, mEncajar;
    runtime::MenuEntry mRecortarObjeto, mOpcionesSalida;

    // Ticks the fit and crop entries as `fit` and `autoCrop` say.
    void showFrameOptions(engine::Fit fit, bool autoCrop);

    // Their English captions, which join the switch to English.
    std::vector<Caption> englishCaptions();
};

} // namespace app

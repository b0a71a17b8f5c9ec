// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window offers beyond its design: menu entries to add pictures without dragging and
// to reverse the list, and keys for the commands people reach for. Built on the designed menus
// after them; the designed entries keep their places and captions.

#include "form1_design.h"
#include "language.h"

#include "runtime/controls.h"

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

    // Their English captions, which join the switch to English.
    std::vector<Caption> englishCaptions();
};

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The saved working set: the file list, the output path and the frame size stored in,
// restored from and erased from the per-user settings store under "Framolin".

#include "runtime/controls.h"
#include "runtime/services.h"

namespace settings {

class SavedSettings
{
public:
    SavedSettings(runtime::ListBox &List1, runtime::TextBox &Text1, runtime::TextBox &ancho,
                  runtime::TextBox &alto, runtime::SettingsStore &store,
                  runtime::MessageBoxes &boxes);

    // "Guardar datos": stores the list, the output path and the frame size. Throws
    // RuntimeError when the store cannot be written; what was stored before is kept.
    void Command3_Click();
    // "Recuperar datos": replaces the list and the three fields with what is stored. Throws
    // RuntimeError, changing nothing, when the store cannot be read.
    void Command6_Click();
    // "Borrar datos": after a Yes, erases everything stored.
    void Command4_Click();

private:
    runtime::ListBox &List1;
    runtime::TextBox &Text1;
    runtime::TextBox &ancho;
    runtime::TextBox &alto;
    runtime::SettingsStore &m_store;
    runtime::MessageBoxes &m_boxes;
};

} // namespace settings

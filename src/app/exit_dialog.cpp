// SPDX-License-Identifier: GPL-3.0-or-later
#include "exit_dialog.h"

using namespace Qt::StringLiterals;

namespace app {

void leaveProgram(runtime::MessageBoxes &boxes, const std::function<void()> &storeSettings,
                  const std::function<void()> &end)
{
    if (boxes.MsgBox(u"¿Desea salir?"_s, runtime::mb::kYesNo, u"Salir"_s) != runtime::mb::kYes)
        return;
    if (boxes.MsgBox(u"¿Desea guardar las configuraciones actuales?"_s, runtime::mb::kYesNo,
                     u"Guardar Configuraciones"_s)
        == runtime::mb::kYes)
        storeSettings();
    end();
}

} // namespace app

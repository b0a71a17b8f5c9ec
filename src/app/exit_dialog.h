// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Leaving the program with "Salir": asks whether to leave, then whether to store the settings,
// and ends the program. Closing the window does not come here.

#include "runtime/services.h"

#include <functional>

namespace app {

// Stores the settings only on Yes then Yes. If storing fails, its error propagates and the
// program is not ended, so the user keeps the working set and can try again.
void leaveProgram(runtime::MessageBoxes &boxes, const std::function<void()> &storeSettings,
                  const std::function<void()> &end);

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform services a window is built with: real ones in main, fakes in tests.

#include "runtime/program.h"
#include "runtime/services.h"

namespace app {

struct Services
{
    runtime::Program &program;
    runtime::MessageBoxes &boxes;
    runtime::EventPump &events;
    runtime::ProgramStarter &starter;
    runtime::SettingsStore &settings;
    runtime::FileDialogs &dialogs;
};

} // namespace app

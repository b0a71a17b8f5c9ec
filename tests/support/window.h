// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole window on faked services, as the window tests build it. Header only: the tests
// that include it link the window themselves.

#include "fakes.h"

#include "app/form1.h"

namespace fakes {

// The window's services from `s`; `settings` stands in for the faked store where a test reads
// a real file.
inline app::Services appServices(Services &s, runtime::SettingsStore &settings)
{
    return { s.program, s.boxes, s.events, s.starter, settings, s.dialogs };
}
inline app::Services appServices(Services &s)
{
    return appServices(s, s.settings);
}

struct Window
{
    Services s;
    app::Form1 form { appServices(s) };
};

} // namespace fakes

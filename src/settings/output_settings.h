// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's output options in the settings store's "Output" group, beside the designed
// groups, which they leave as they are.

#include "runtime/services.h"

#include "engine/output_options.h"

namespace settings {

// Writes every option, unless they are the defaults and none was ever stored; the caller
// flushes with the rest of "Guardar datos".
void storeOutputOptions(runtime::SettingsStore &store, const engine::OutputOptions &options);

// The stored options; a key that is missing or holds what no option takes keeps its default,
// so a settings file from before these options restores the designed strip.
engine::OutputOptions restoreOutputOptions(runtime::SettingsStore &store);

} // namespace settings

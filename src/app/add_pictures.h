// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Añadir imágenes..." and "Añadir carpeta...": pictures chosen in the desktop's dialogs join
// the list exactly as if they had been dropped on it (the "Q" question, the progress bar, a
// folder standing for its pictures in natural order).

#include "last_folder.h"

#include "runtime/controls.h"
#include "runtime/services.h"

#include <functional>

namespace app {

using DropOnList = std::function<void(const runtime::DataObject &)>;

// The file dialog's filter: the picture kinds the program reads.
QString pictureFilter();

// Both dialogs open in the folder last used and remember the one chosen in.
// Asks for several picture files and drops them on the list; cancelling adds nothing.
void addPictures(runtime::FileDialogs &dialogs, LastFolder &lastFolder, const DropOnList &drop);
// Asks for a folder and drops it on the list; cancelling adds nothing.
void addFolder(runtime::FileDialogs &dialogs, LastFolder &lastFolder, const DropOnList &drop);

} // namespace app

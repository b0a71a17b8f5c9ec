// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the file dialogs open: the folder the user last chose something in, kept in the
// settings file (group "Dialogs") so that it lasts from one run to the next.

#include "runtime/services.h"

#include <QString>

namespace app {

class LastFolder
{
public:
    explicit LastFolder(runtime::SettingsStore &store) : m_store(store) { }

    // The folder last used if it still exists, otherwise the home folder.
    QString start() const;
    // `path` (a file, or a folder when `isFolder`) was chosen: its folder is the next start.
    void remember(const QString &path, bool isFolder = false);

private:
    runtime::SettingsStore &m_store;
};

} // namespace app

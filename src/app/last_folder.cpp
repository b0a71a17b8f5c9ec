// SPDX-License-Identifier: GPL-3.0-or-later
#include "last_folder.h"

#include "runtime/error.h"

#include "engine/working_set.h"

#include <QDir>
#include <QFileInfo>

namespace app {

using namespace engine::keys;

QString LastFolder::start() const
{
    QString folder;
    try {
        folder = m_store.GetSetting(kApp, kDialogs, kLastFolder);
    } catch (const runtime::RuntimeError &) {
        // An unreadable settings file is reported when the user restores or stores settings;
        // a dialog only loses its starting place.
    }
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void LastFolder::remember(const QString &path, bool isFolder)
{
    const QFileInfo info(path);
    const QString folder = isFolder ? info.absoluteFilePath() : info.absolutePath();
    try {
        m_store.SaveSetting(kApp, kDialogs, kLastFolder, folder);
        m_store.Flush();
    } catch (const runtime::RuntimeError &) {
        // As above: the choice itself has worked, and the settings' own commands say what
        // is wrong with the file.
    }
}

} // namespace app

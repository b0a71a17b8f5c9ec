// SPDX-License-Identifier: GPL-3.0-or-later
#include "add_pictures.h"

#include "engine/picture_files.h"

using namespace Qt::StringLiterals;

namespace app {

QString pictureFilter()
{
    return u"Imágenes (%1)"_s.arg(engine::pictureNameFilters().join(u' '));
}

void addPictures(runtime::FileDialogs &dialogs, LastFolder &lastFolder, const DropOnList &drop)
{
    const QStringList files
        = dialogs.GetOpenFileNames(u"Añadir imágenes"_s, pictureFilter(), lastFolder.start());
    if (files.isEmpty())
        return;
    lastFolder.remember(files.constFirst());
    drop(runtime::DataObject { files });
}

void addFolder(runtime::FileDialogs &dialogs, LastFolder &lastFolder, const DropOnList &drop)
{
    const QString folder = dialogs.GetExistingDirectory(u"Añadir carpeta"_s, lastFolder.start());
    if (folder.isEmpty())
        return;
    lastFolder.remember(folder, true);
    drop(runtime::DataObject { { folder } });
}

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#include "add_pictures.h"

#include "engine/picture_files.h"
#include "engine/video.h"

using namespace Qt::StringLiterals;

namespace app {

QString pictureFilter()
{
    // Videos too: each is asked about and joins the list as frames.
    return u"Imágenes y vídeos (%1 %2)"_s.arg(engine::pictureNameFilters().join(u' '),
                                              engine::videoNameFilters().join(u' '));
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

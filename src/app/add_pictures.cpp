// SPDX-License-Identifier: GPL-3.0-or-later
#include "add_pictures.h"

#include "engine/picture_files.h"

using namespace Qt::StringLiterals;

namespace app {

QString pictureFilter()
{
    return u"Imágenes (%1)"_s.arg(engine::pictureNameFilters().join(u' '));
}

void addPictures(runtime::FileDialogs &dialogs, const DropOnList &drop)
{
    const QStringList files = dialogs.GetOpenFileNames(u"Añadir imágenes"_s, pictureFilter());
    if (!files.isEmpty())
        drop(runtime::DataObject { files });
}

void addFolder(runtime::FileDialogs &dialogs, const DropOnList &drop)
{
    const QString folder = dialogs.GetExistingDirectory(u"Añadir carpeta"_s);
    if (!folder.isEmpty())
        drop(runtime::DataObject { { folder } });
}

} // namespace app

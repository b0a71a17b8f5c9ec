// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_files.h"

#include "natural_order.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace engine {

QStringList pictureNameFilters()
{
    return { u"*.bmp"_s, u"*.jpg"_s,  u"*.jpeg"_s, u"*.gif"_s,
             u"*.png"_s, u"*.webp"_s, u"*.tif"_s,  u"*.tiff"_s };
}

bool picturesInFolder(const QString &folder, QStringList *files, QString *error)
{
    QDir dir(folder);
    dir.setNameFilters(pictureNameFilters()); // case-insensitive by default
    // Dot-files are left out: editors and file managers leave hidden copies and thumbnails
    // there, which are no frames. Unreadable pictures are listed: refused when their turn
    // comes, never skipped; so are links to nothing, link loops, FIFOs and devices (System).
    dir.setFilter(QDir::Files | QDir::System);
    dir.setSorting(QDir::Unsorted);
    if (!dir.exists() || !dir.isReadable()) {
        *error = QCoreApplication::translate("engine", "%1: the folder cannot be read").arg(folder);
        return false;
    }
    QStringList names = dir.entryList();
    std::sort(names.begin(), names.end(), naturalLess);
    for (const QString &name : std::as_const(names))
        files->append(dir.filePath(name));
    return true;
}

} // namespace engine

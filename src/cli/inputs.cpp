#include "inputs.h"

#include "natural_order.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace cli {

bool expandInputs(const QStringList &arguments, QStringList *files, QString *error)
{
    for (const QString &argument : arguments) {
        const QFileInfo info(argument);
        if (!info.exists()) {
            *error = u"%1: no existe"_s.arg(argument);
            return false;
        }
        if (!info.isDir()) {
            files->append(argument);
            continue;
        }
        QDir dir(argument);
        dir.setNameFilters({ u"*.bmp"_s, u"*.jpg"_s, u"*.jpeg"_s, u"*.gif"_s, u"*.png"_s,
                             u"*.webp"_s, u"*.tif"_s, u"*.tiff"_s });
        // Dot-files are left out: editors and file managers leave hidden copies and thumbnails
        // there, which are no frames.
        dir.setFilter(QDir::Files | QDir::Readable);
        dir.setSorting(QDir::Unsorted);
        if (!dir.isReadable()) {
            *error = u"%1: no se puede leer la carpeta"_s.arg(argument);
            return false;
        }
        QStringList names = dir.entryList(); // name filters are case-insensitive by default
        std::sort(names.begin(), names.end(), naturalLess);
        if (names.isEmpty()) {
            *error = u"%1: la carpeta no tiene imágenes BMP, JPG, GIF, PNG, WebP o TIFF"_s.arg(
                argument);
            return false;
        }
        for (const QString &name : std::as_const(names))
            files->append(dir.filePath(name));
    }
    return true;
}

} // namespace cli

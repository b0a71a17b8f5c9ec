#include "inputs.h"

#include "engine/picture_files.h"

#include <QFileInfo>

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
        QStringList pictures;
        if (!engine::picturesInFolder(argument, &pictures, error))
            return false;
        if (pictures.isEmpty()) {
            *error = u"%1: la carpeta no tiene imágenes BMP, JPG, GIF, PNG, WebP o TIFF"_s.arg(
                argument);
            return false;
        }
        files->append(pictures);
    }
    return true;
}

} // namespace cli

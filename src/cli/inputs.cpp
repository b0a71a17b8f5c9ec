#include "inputs.h"

#include "engine/picture_files.h"

#include "engine/file_names.h"
#include "engine/sources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

// The names the listing below takes, as bytes.
bool isPictureName(const QByteArray &name)
{
    const QByteArray lower = name.toLower();
    return !name.startsWith('.')
        && (lower.endsWith(".bmp") || lower.endsWith(".jpg") || lower.endsWith(".jpeg")
            || lower.endsWith(".gif") || lower.endsWith(".png") || lower.endsWith(".webp")
            || lower.endsWith(".tif") || lower.endsWith(".tiff"));
}

// The folder's listing in bytes: a picture whose name is not UTF-8 would be missing from the
// strip (Qt lists it under a name that opens nothing), so it is refused, named.
bool checkNames(const QString &folder, QString *error)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return true; // the listing below says why
    bool ok = true;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_type == DT_DIR)
            continue;
        const QByteArray bytes(entry->d_name);
        QString name, reason;
        if (isPictureName(bytes) && !engine::fileNameFromBytes(bytes, &name, &reason)) {
            *error = u"%1: %2"_s.arg(QDir(folder).filePath(engine::escapedName(bytes)), reason);
            ok = false;
            break;
        }
    }
    ::closedir(dir);
    return ok;
}

} // namespace

bool expandInputs(const QStringList &arguments, QStringList *files, QString *error,
                  const QString &output)
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
        if (!checkNames(argument, error))
            return false;
        if (pictures.isEmpty()) {
            *error = u"%1: la carpeta no tiene imágenes BMP, JPG, GIF, PNG, WebP o TIFF"_s.arg(
                argument);
            return false;
        }
        for (const QString &path : std::as_const(pictures)) {
            // A strip written into the folder of its frames is not one of them next time.
            if (output.isEmpty() || engine::inputThatIsOutput(output, { path }).isEmpty())
                files->append(path);
        }
    }
    return true;
}

} // namespace cli

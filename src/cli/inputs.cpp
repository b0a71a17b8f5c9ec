#include "inputs.h"

#include "natural_order.h"

#include "engine/file_names.h"
#include "engine/sources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

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
        QDir dir(argument);
        dir.setNameFilters({ u"*.bmp"_s, u"*.jpg"_s, u"*.jpeg"_s, u"*.gif"_s, u"*.png"_s,
                             u"*.webp"_s, u"*.tif"_s, u"*.tiff"_s });
        // Dot-files are left out: editors and file managers leave hidden copies and thumbnails
        // there, which are no frames. Unreadable pictures are listed: refused when their turn
        // comes, never skipped.
        dir.setFilter(QDir::Files);
        dir.setSorting(QDir::Unsorted);
        if (!dir.isReadable()) {
            *error = u"%1: no se puede leer la carpeta"_s.arg(argument);
            return false;
        }
        if (!checkNames(argument, error))
            return false;
        QStringList names = dir.entryList(); // name filters are case-insensitive by default
        std::sort(names.begin(), names.end(), naturalLess);
        if (names.isEmpty()) {
            *error = u"%1: la carpeta no tiene imágenes BMP, JPG, GIF, PNG, WebP o TIFF"_s.arg(
                argument);
            return false;
        }
        for (const QString &name : std::as_const(names)) {
            // A strip written into the folder of its frames is not one of them next time.
            const QString path = dir.filePath(name);
            if (output.isEmpty() || engine::inputThatIsOutput(output, { path }).isEmpty())
                files->append(path);
        }
    }
    return true;
}

} // namespace cli

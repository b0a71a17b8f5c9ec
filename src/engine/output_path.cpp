#include "output_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace engine {

bool checkOutputPath(const QString &path, QString *reason)
{
    if (path.isEmpty()) {
        *reason = u"no se indicó ningún archivo de salida"_s;
        return false;
    }
    // stat follows a symbolic link: what matters is what the rename would replace in effect.
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            *reason = u"es una carpeta"_s;
            return false;
        }
        if (!S_ISREG(status.st_mode)) {
            *reason = u"no es un archivo normal (un dispositivo, una tubería o un socket)"_s;
            return false;
        }
        return true;
    }
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        *reason = u"la carpeta \"%1\" no existe"_s.arg(info.absolutePath());
        return false;
    }
    return true;
}

} // namespace engine

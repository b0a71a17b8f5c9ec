// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace engine {

bool checkOutputPath(const QString &path, QString *reason)
{
    if (path.isEmpty()) {
        *reason = QCoreApplication::translate("engine", "no se indicó ningún archivo de salida");
        return false;
    }
    // stat follows a symbolic link: what matters is what the rename would replace in effect.
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            *reason = QCoreApplication::translate("engine", "es una carpeta");
            return false;
        }
        if (!S_ISREG(status.st_mode)) {
            *reason = QCoreApplication::translate(
                "engine", "no es un archivo normal (un dispositivo, una tubería o un socket)");
            return false;
        }
        return true;
    }
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        *reason = QCoreApplication::translate("engine", "la carpeta \"%1\" no existe")
                      .arg(info.absolutePath());
        return false;
    }
    return true;
}

} // namespace engine

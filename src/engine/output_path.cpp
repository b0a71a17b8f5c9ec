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
        *reason = QCoreApplication::translate("engine", "no output file was given");
        return false;
    }
    // stat follows a symbolic link: what matters is what the rename would replace in effect.
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            *reason = QCoreApplication::translate("engine", "it is a folder");
            return false;
        }
        if (!S_ISREG(status.st_mode)) {
            *reason = QCoreApplication::translate(
                "engine", "not a regular file (a device, a pipe or a socket)");
            return false;
        }
        return true;
    }
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        *reason = QCoreApplication::translate("engine", "the folder \"%1\" does not exist")
                      .arg(info.absolutePath());
        return false;
    }
    return true;
}

} // namespace engine

// SPDX-License-Identifier: GPL-3.0-or-later
#include "same_file.h"

#include <QFile>

#include <sys/stat.h>

namespace engine {

bool sameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    // stat() follows links, and device plus inode also catch hard links, which no comparison
    // of names can.
    struct stat sa
    {
    };
    struct stat sb
    {
    };
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0
        || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace engine

// SPDX-License-Identifier: GPL-3.0-or-later
#include "same_file.h"

#include <QFile>
#include <QFileInfo>

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

namespace {

QString destination(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
}

} // namespace

bool sameDestination(const QString &a, const QString &b)
{
    return sameFile(a, b) || (!a.isEmpty() && !b.isEmpty() && destination(a) == destination(b));
}

} // namespace engine

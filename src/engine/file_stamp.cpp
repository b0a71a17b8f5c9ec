// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_stamp.h"

#include <QFile>

#include <sys/stat.h>

namespace engine {

FileStamp FileStamp::of(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    FileStamp stamp;
    stamp.device = static_cast<qint64>(status.st_dev);
    stamp.inode = static_cast<qint64>(status.st_ino);
    stamp.size = static_cast<qint64>(status.st_size);
    stamp.modified = qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    stamp.changed = qint64(status.st_ctim.tv_sec) * 1'000'000'000 + status.st_ctim.tv_nsec;
    return stamp;
}

} // namespace engine

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What tells one version of a file from another without reading it: replacing the file (a new
// inode) or writing to it (size, modification and change times in nanoseconds) changes it.

#include <QString>
#include <QtGlobal>

namespace engine {

struct FileStamp
{
    qint64 device = -1;
    qint64 inode = -1;
    qint64 size = -1;
    qint64 modified = -1;
    qint64 changed = -1;

    // The stamp of the file at `path` now (through a link); all -1 when it cannot be examined.
    static FileStamp of(const QString &path);
    bool valid() const { return inode >= 0; }
    bool operator==(const FileStamp &) const = default;
};

} // namespace engine

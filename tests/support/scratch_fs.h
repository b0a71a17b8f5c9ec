// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Folders that refuse writes, for the tests of failed saves. Tests run as root on CI, where
// file permissions stop nothing: there a small tmpfs is mounted instead, filled up or made
// read-only. Where neither works, available() is false and why() says why.

#include <QString>
#include <QTemporaryDir>

namespace scratch {

class SmallFs
{
public:
    // Mounts a tmpfs of `kilobytes` on a new empty folder.
    explicit SmallFs(int kilobytes = 256);
    ~SmallFs();
    SmallFs(const SmallFs &) = delete;
    SmallFs &operator=(const SmallFs &) = delete;

    bool available() const { return m_mounted; }
    const QString &why() const { return m_why; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Writes a filler file until the filesystem is full, then gives `leave` bytes back.
    bool fill(qint64 leave = 0);
    // Remounts the filesystem read-only (root) or takes write permission away (others).
    bool makeReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_why;
};

} // namespace scratch

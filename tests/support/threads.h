// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How many threads of this process carry a name: a worker left running shows here.

#include <QDir>
#include <QFile>
#include <QString>

namespace threads {

inline int named(const char *name)
{
    int count = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task) + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name)
            ++count;
    }
    return count;
}

} // namespace threads

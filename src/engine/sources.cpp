// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources.h"

#include "video.h"

#include <QCoreApplication>
#include <QFile>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

bool identify(const QString &path, struct stat *status)
{
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), status) == 0;
}

} // namespace

QString inputThatIsOutput(const QString &output, const QStringList &inputs)
{
    struct stat out = {};
    if (!identify(output, &out))
        return {};
    for (const QString &input : inputs) {
        struct stat in = {};
        if (identify(entryFile(input), &in) && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
            return input;
    }
    return {};
}

QString overwritesInput(const QString &output, const QString &input)
{
    const QString through = input == output ? QString() : u" (\"%1\")"_s.arg(input);
    return QCoreApplication::translate(
               "engine", "it is one of the input pictures%1; a source is never overwritten")
        .arg(through);
}

} // namespace engine

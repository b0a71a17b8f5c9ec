// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every fuzz target needs once: an offscreen application (image plugins, fonts) and a
// private folder for the files it writes.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace fuzz {

inline QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

inline void start()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = { name, nullptr };
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder().filePath(QStringLiteral("config"))));
    qputenv("QT_LOGGING_RULES", "qt.gui.imageio*=false");
    static QGuiApplication app(argc, argv);
}

inline bool writeFile(const QString &path, const uint8_t *data, size_t size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size);
}

} // namespace fuzz

// SPDX-License-Identifier: GPL-3.0-or-later
#include "working_set.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace engine {

std::optional<double> parseNumber(const QString &text)
{
    QString t = text.trimmed();
    t.replace(u',', u'.');
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> frameSide(const QString &text)
{
    const auto value = parseNumber(text);
    if (!value)
        return std::nullopt;
    const double side = std::nearbyint(*value); // to nearest, halves to even
    if (!(side >= 1.0 && side <= kMaxFrameSide))
        return std::nullopt;
    return static_cast<int>(side);
}

QString keys::inputFile(int index)
{
    return u"InputFile"_s + QString::number(index);
}

int restoredEntryCount(const QString &storedLastIndex)
{
    const auto value = parseNumber(storedLastIndex);
    if (!value)
        return 0;
    const double last = std::nearbyint(*value);
    if (last < 0)
        return 0;
    return static_cast<int>(std::min<double>(last + 1, kMaxListEntries));
}

QString emptyEntryMessage(int index)
{
    return QCoreApplication::translate(
               "engine",
               "Entry %1 of the list names no file: %2 is missing or empty in the saved data.")
        .arg(QString::number(index + 1), keys::inputFile(index));
}

QString settingsFilePath(const QString &app, const QString &configFolder)
{
    // The desktop's settings library puts a user's INI files here on Linux; the program's
    // earlier versions wrote there, and framolin-strip reads the same file.
    const QString folder = configFolder.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        : configFolder;
    return folder + u'/' + app + u'/' + app + u".ini"_s;
}

} // namespace engine

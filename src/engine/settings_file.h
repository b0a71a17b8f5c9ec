// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file "Guardar datos" writes: INI groups of key=value lines, read whole at once
// and replaced whole. Values the program wrote (with the quoting and escapes of the desktop's
// settings library) read back exactly; a value edited by hand reads exactly as written.

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace engine {

// The text written after "key=" for `value`: the settings library's INI escaping (quotes
// around a value holding ',', ';' or '=' or starting or ending with a blank, C escapes for
// control characters, quotes and backslashes, UTF-8 for the rest).
QByteArray encodeIniValue(const QString &value);

// The value a line's text after '=' (blanks around it removed) stands for: the value whose
// encoding is exactly that text, where there is one, and otherwise the text as written.
QString decodeIniValue(QByteArrayView text);

class SettingsFile
{
public:
    // Reads the file at `path`; no file reads as an empty one. False with the reason when the
    // path is something else than a regular file or cannot be read.
    bool read(const QString &path, QString *reason);
    // Takes `text` as the file's contents. Lines that are neither a [group] nor a key=value
    // (and ';' comments) are skipped; a later value of a key wins.
    void parse(QByteArrayView text);

    std::optional<QString> value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    // Every value of `other` set here.
    void merge(const SettingsFile &other);
    bool isEmpty() const { return m_order.isEmpty(); }
    void clear();

    // The file's text: groups in the order they first appeared, keys in the order the settings
    // library sorts them. Names a damaged file made that the library could not read back
    // (blanks, brackets, control characters) are left out.
    QByteArray toIni() const;
    // Replaces the file at `path` with toIni() as one whole, making its folder when missing;
    // until that succeeds the old file stays as it was. False with the reason on failure.
    bool write(const QString &path, QString *reason) const;

private:
    QStringList m_order;
    QHash<QString, QMap<QString, QString>> m_sections;
};

} // namespace engine

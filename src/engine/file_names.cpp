// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_names.h"

#include <QCoreApplication>
#include <QFile>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

QString hex(uint value)
{
    return u"\\x"_s + QString::number(value, 16).toUpper().rightJustified(2, u'0');
}

} // namespace

bool fileNameFromBytes(const QByteArray &bytes, QString *name, QString *reason)
{
    const QString decoded = QFile::decodeName(bytes);
    if (QFile::encodeName(decoded) != bytes) {
        *reason = QCoreApplication::translate(
            "engine", "the name is not valid UTF-8; it is not taken for another");
        return false;
    }
    *name = decoded;
    return true;
}

QString escapedName(const QByteArray &bytes)
{
    QString text;
    for (qsizetype i = 0; i < bytes.size();) {
        // The shortest piece that decodes and encodes back to itself is one whole character.
        qsizetype length = 0;
        for (qsizetype n = 1; n <= 4 && i + n <= bytes.size() && length == 0; ++n) {
            const QByteArray piece = bytes.sliced(i, n);
            if (QString::fromUtf8(piece).toUtf8() == piece)
                length = n;
        }
        if (length > 0) {
            text += QString::fromUtf8(bytes.sliced(i, length));
            i += length;
        } else {
            text += hex(uchar(bytes[i]));
            ++i;
        }
    }
    return text;
}

QString oneLine(const QString &text)
{
    QString line;
    line.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\n':
            line += u"\\n"_s;
            break;
        case u'\r':
            line += u"\\r"_s;
            break;
        case u'\t':
            line += u"\\t"_s;
            break;
        case 0x2028:
        case 0x2029:
            line += u"\\u%1"_s.arg(uint(c.unicode()), 4, 16);
            break;
        default:
            if (c.category() == QChar::Other_Control)
                line += hex(c.unicode());
            else
                line += c;
        }
    }
    return line;
}

} // namespace engine

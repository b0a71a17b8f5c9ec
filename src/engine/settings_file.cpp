// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_file.h"

#include "save_file.h"
#include "working_set.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmedBlanks(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// The text between the quotes and escapes, as the settings library reads one string. Nothing
// for text it would read otherwise (a list, a stray quote, an unknown escape).
std::optional<QString> unescape(QByteArrayView text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.sliced(1, text.size() - 2);
    QString out;
    QByteArray run; // bytes of UTF-8 text waiting to be decoded together
    auto flush = [&] {
        out += QString::fromUtf8(run);
        run.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"')
            return std::nullopt;
        if (c != '\\') {
            run += c;
            continue;
        }
        flush();
        if (++i == text.size())
            return std::nullopt;
        const char e = text[i];
        switch (e) {
        case 'a':
            out += u'\a';
            break;
        case 'b':
            out += u'\b';
            break;
        case 'f':
            out += u'\f';
            break;
        case 'n':
            out += u'\n';
            break;
        case 'r':
            out += u'\r';
            break;
        case 't':
            out += u'\t';
            break;
        case 'v':
            out += u'\v';
            break;
        case '"':
        case '\'':
        case '?':
        case '\\':
            out += QChar(char16_t(e));
            break;
        case 'x':
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7': {
            // Digits run on as long as they last, as the library reads them.
            const bool hex = e == 'x';
            const int base = hex ? 16 : 8;
            qsizetype j = hex ? i + 1 : i;
            unsigned value = 0;
            const qsizetype first = j;
            for (; j < text.size(); ++j) {
                const int digit = hexValue(text[j]);
                if (digit < 0 || digit >= base)
                    break;
                value = value * unsigned(base) + unsigned(digit);
                if (value > 0xffff)
                    return std::nullopt;
            }
            if (j == first)
                return std::nullopt;
            out += QChar(char16_t(value));
            i = j - 1;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    flush();
    return out;
}

// Names the settings library reads back as written; others come only from damaged lines.
bool isCleanName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (const QChar ch : name) {
        const char16_t c = ch.unicode();
        const bool ok = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')
            || (c >= u'0' && c <= u'9') || c == u'_' || c == u'.' || c == u'-' || c == u'%'
            || c == u'\\';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

QByteArray encodeIniValue(const QString &value)
{
    // A text holding a NUL, or starting with '@', is wrapped so it is not read as another type.
    QString text = value;
    if (text.contains(QChar(u'\0')))
        text = u"@String("_s + text + u')';
    else if (text.startsWith(u'@'))
        text.prepend(u'@');

    QByteArray out;
    out.reserve(text.size() + 2);
    bool needsQuotes = false;
    bool escapeNextIfDigit = false; // after \0 or \xN, a digit would join the number
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u';' || c == u',' || c == u'=')
            needsQuotes = true;
        if (escapeNextIfDigit && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
        case u'\0':
            out += "\\0";
            escapeNextIfDigit = true;
            break;
        case u'\a':
            out += "\\a";
            break;
        case u'\b':
            out += "\\b";
            break;
        case u'\f':
            out += "\\f";
            break;
        case u'\n':
            out += "\\n";
            break;
        case u'\r':
            out += "\\r";
            break;
        case u'\t':
            out += "\\t";
            break;
        case u'\v':
            out += "\\v";
            break;
        case u'"':
        case u'\\':
            out += '\\';
            out += char(c);
            break;
        default:
            if (c <= 0x1f) {
                out += "\\x" + QByteArray::number(c, 16);
                escapeNextIfDigit = true;
            } else if (c < 0x80) {
                out += char(c);
            } else {
                // A run of other characters at once, so surrogate pairs stay together.
                qsizetype end = i + 1;
                while (end < text.size() && text[end].unicode() >= 0x80)
                    ++end;
                out += QStringView(text).sliced(i, end - i).toUtf8();
                i = end - 1;
            }
        }
    }
    if (needsQuotes || (!out.isEmpty() && (out.front() == ' ' || out.back() == ' '))) {
        out.prepend('"');
        out.append('"');
    }
    return out;
}

QString decodeIniValue(QByteArrayView text)
{
    if (const auto unescaped = unescape(text)) {
        std::optional<QString> value;
        if (unescaped->startsWith(u"@@"_s))
            value = unescaped->mid(1);
        else if (unescaped->startsWith(u"@String("_s) && unescaped->endsWith(u')'))
            value = unescaped->sliced(8, unescaped->size() - 9);
        else if (!unescaped->startsWith(u'@'))
            value = *unescaped;
        // Only what the program itself would have written is read through the escapes.
        if (value && encodeIniValue(*value) == text)
            return *value;
    }
    return QString::fromUtf8(text);
}

bool SettingsFile::read(const QString &path, QString *reason)
{
    clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    // A FIFO or a device would block or never end; only a plain file is read.
    if (!info.isFile()) {
        *reason = QCoreApplication::translate("engine", "not a regular file");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    // The size of the file opened, not of whatever the name leads to by now; and no more than
    // the limit is read, should it grow meanwhile.
    struct stat status = {};
    const bool sized = ::fstat(file.handle(), &status) == 0;
    const bool tooLarge = sized && status.st_size > kMaxSettingsBytes;
    const QByteArray text = tooLarge ? QByteArray() : file.read(kMaxSettingsBytes + 1);
    if (tooLarge || text.size() > kMaxSettingsBytes) {
        *reason = QCoreApplication::translate(
                      "engine", "it is larger than %1 MiB, the limit of a settings file")
                      .arg(kMaxSettingsBytes / kMega);
        return false;
    }
    parse(text);
    return true;
}

void SettingsFile::parse(QByteArrayView text)
{
    clear();
    if (text.startsWith("\xef\xbb\xbf"))
        text = text.sliced(3);
    QString section = u"General"_s;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        const QByteArrayView line = trimmedBlanks(text.sliced(start, end - start));
        start = end + 1;
        if (line.isEmpty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const qsizetype close = line.lastIndexOf(']');
            const QByteArrayView name
                = close > 0 ? line.sliced(1, close - 1) : line.sliced(1); // unclosed: the rest
            section = QString::fromUtf8(name);
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QString key = QString::fromUtf8(trimmedBlanks(line.first(equals)));
        setValue(section, key, decodeIniValue(trimmedBlanks(line.sliced(equals + 1))));
    }
}

std::optional<QString> SettingsFile::value(const QString &section, const QString &key) const
{
    const auto group = m_sections.constFind(section);
    if (group == m_sections.constEnd())
        return std::nullopt;
    const auto found = group->constFind(key);
    if (found == group->constEnd())
        return std::nullopt;
    return *found;
}

void SettingsFile::setValue(const QString &section, const QString &key, const QString &value)
{
    auto group = m_sections.find(section);
    if (group == m_sections.end()) {
        m_order.append(section);
        group = m_sections.insert(section, {});
    }
    group->insert(key, value);
}

void SettingsFile::merge(const SettingsFile &other)
{
    for (const QString &section : other.m_order) {
        const QMap<QString, QString> &values = other.m_sections[section];
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            setValue(section, it.key(), it.value());
    }
}

void SettingsFile::clear()
{
    m_order.clear();
    m_sections.clear();
}

QByteArray SettingsFile::toIni() const
{
    QByteArray out;
    for (const QString &section : m_order) {
        if (!isCleanName(section))
            continue;
        QByteArray lines;
        const QMap<QString, QString> &values = m_sections[section];
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (isCleanName(it.key()))
                lines += it.key().toUtf8() + '=' + encodeIniValue(it.value()) + '\n';
        }
        if (lines.isEmpty())
            continue;
        if (!out.isEmpty())
            out += '\n';
        out += '[' + section.toUtf8() + "]\n" + lines;
    }
    return out;
}

bool SettingsFile::write(const QString &path, QString *reason) const
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        // Replacing it would turn it into one.
        *reason = QCoreApplication::translate("engine", "not a regular file");
        return false;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        *reason = QCoreApplication::translate("engine", "the folder \"%1\" could not be created")
                      .arg(info.absolutePath());
        return false;
    }
    SaveFile file(path);
    return file.open(reason) && file.write(toIni(), reason) && file.commit(reason);
}

} // namespace engine

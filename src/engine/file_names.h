// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File names as the system gives them, in bytes. Qt holds names as UTF-16 text and turns bytes
// that are not UTF-8 into U+FFFD, so such a name would be opened (or created) as another file:
// it is refused instead, never renamed or skipped.

#include <QByteArray>
#include <QString>

namespace engine {

// The name its bytes stand for, when they are valid UTF-8; otherwise false with the reason.
bool fileNameFromBytes(const QByteArray &bytes, QString *name, QString *reason);

// The bytes of a name shown as text: valid UTF-8 as it is, any other byte as \xHH.
QString escapedName(const QByteArray &bytes);

// `text` on one line: a line feed, a tab or another control character (from a file name, say)
// becomes \n, \t, \r or \xHH, the line and paragraph separators \u2028 and \u2029.
QString oneLine(const QString &text);

} // namespace engine

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame size typed in the two size fields, and the strip-size limit, as the window's
// run-time errors.

#include <QString>
#include <QtGlobal>

namespace strip {

// The frame side a field's text stands for: a number rounded to whole pixels (halves to even)
// that must lie in 1..32767. Throws RuntimeError 13 naming the field (`fieldName`) and text.
int frameSide(const QString &text, const QString &fieldName);

// Throws RuntimeError 7 giving the size asked for and the limit when a strip of `size` pixels
// would pass the strip-size limit.
void checkStripSize(qint64 width, qint64 height);

} // namespace strip

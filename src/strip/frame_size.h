#pragma once
// The frame size typed in the two size fields, and the limits a strip must keep.

#include <QSize>
#include <QString>

namespace strip {

inline constexpr int kMaxFrameSide = 32767;
// The largest strip the program builds: its 24-bit BMP rows, padded to 4 bytes, stay within
// 2 GiB, which keeps the file well inside the format's 32-bit sizes and the memory of an
// ordinary desktop.
inline constexpr qint64 kMaxStripBytes = qint64(1) << 31;

// Bytes of one BMP row of `width` 24-bit pixels, padded to 4 bytes.
constexpr qint64 bmpRowBytes(qint64 width)
{
    return (width * 3 + 3) / 4 * 4;
}

// The frame side a field's text stands for: a number rounded to whole pixels (halves to even)
// that must lie in 1..32767. Throws RuntimeError 13 naming the field (`fieldName`) and text.
int frameSide(const QString &text, const QString &fieldName);

// Throws RuntimeError 7 giving the size asked for and the limit when a strip of `size` pixels
// would pass kMaxStripBytes.
void checkStripSize(qint64 width, qint64 height);

} // namespace strip

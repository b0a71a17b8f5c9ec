// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The working set's rules, kept once for the window and framolin-strip alike: how frame sides
// and the stored entry count are read from text, the limits of pictures and strips, and the
// names under which "Guardar datos" stores the list, the output path and the frame size.

#include <QString>
#include <QtGlobal>

#include <optional>

namespace engine {

// 1024 × 1024: the mega of the MiB and megapixel figures in messages.
inline constexpr qint64 kMega = qint64(1) << 20;
// Frame sides, in pixels, run from 1 to this.
inline constexpr int kMaxFrameSide = 32767;
// A list holds at most this many entries; a larger stored count is cut to it.
inline constexpr int kMaxListEntries = 32767;
// The largest strip the program builds: its 24-bit BMP rows, padded to 4 bytes, stay within
// 2 GiB, which keeps the file well inside the format's 32-bit sizes and the memory of an
// ordinary desktop.
inline constexpr qint64 kMaxStripBytes = qint64(1) << 31;
// Most megabytes one picture's decode may allocate for its pixels; a picture needing more is
// refused.
inline constexpr int kMaxDecodeMegabytes = 128;
// Most megabytes the decodes running at the same time may hold together (pictures as decoded,
// their conversions and the frames they are stretched to): two pictures at the limit above, so
// more workers share this memory instead of multiplying it. A single decode needing more runs
// alone.
inline constexpr int kDecodeBudgetMegabytes = 256;
// Most bytes of a PNG's ancillary chunks (colour profile, EXIF and the like) handed to Qt's
// reader, which inflates a compressed profile whole as it reads the header; text chunks are
// never handed over at all, whatever their size. Real profiles and EXIF blocks are a few
// kilobytes.
inline constexpr qint64 kMaxPngMetadataBytes = qint64(1) << 20;
// Most chunks a PNG may hold before its data ends: each is walked before the picture is read,
// and encoders write image data in chunks of 8 KB or more (16,384 of them for the 128 MB of
// the largest picture decoded).
inline constexpr int kMaxPngChunks = 1 << 18;

// Bytes of one BMP row of `width` 24-bit pixels, padded to 4 bytes.
constexpr qint64 bmpRowStride(qint64 width)
{
    return (width * 3 + 3) / 4 * 4;
}

// Bytes of the pixel rows of a `width` × `rows` strip, and whether they stay within
// kMaxStripBytes.
constexpr qint64 stripBytes(qint64 width, qint64 rows)
{
    return bmpRowStride(width) * rows;
}
constexpr bool stripFits(qint64 width, qint64 rows)
{
    return width >= 0 && rows >= 0 && stripBytes(width, rows) <= kMaxStripBytes;
}

// The number a field's text stands for: blanks around it are ignored and a decimal comma is
// read as a point. Empty or non-numeric text, or a number that is not finite, gives nothing.
std::optional<double> parseNumber(const QString &text);

// The frame side a text stands for: the number rounded to whole pixels, halves to even
// ("32,5" is 32), when that lies in 1..kMaxFrameSide; nothing otherwise.
std::optional<int> frameSide(const QString &text);

// The names "Guardar datos" stores under, each section an INI group of the settings file.
namespace keys {
inline const QString kApp = QStringLiteral("Framolin");
inline const QString kInputFiles = QStringLiteral("InputFiles");
inline const QString kInputFilesCount = QStringLiteral("InputFilesCount");
inline const QString kOutputFile = QStringLiteral("OutputFile");
inline const QString kOutputFilename = QStringLiteral("OutputFilename");
inline const QString kResizeValues = QStringLiteral("ResizeValues");
inline const QString kWidth = QStringLiteral("Width");
inline const QString kHeight = QStringLiteral("Height");
// "InputFile" followed by the entry's index in decimal.
QString inputFile(int index);
} // namespace keys

// The number of list entries a stored "InputFilesCount" (the last index, read as a number and
// rounded as a frame side is) stands for: none when it is missing, not a number or negative,
// and never more than kMaxListEntries.
int restoredEntryCount(const QString &storedLastIndex);

// What both front ends say when entry `index` (from 0) of a restored list names no file,
// because its key was missing or empty in the settings file.
QString emptyEntryMessage(int index);

// The settings file of `app` ($XDG_CONFIG_HOME/<app>/<app>.ini, as the desktop's settings
// library places it), or under `configFolder` when one is given.
QString settingsFilePath(const QString &app, const QString &configFolder = {});

} // namespace engine

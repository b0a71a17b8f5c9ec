// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The working set's rules, kept once for the window and framolin-strip alike: how frame sides
// and the stored entry count are read from text, whether a strip fits its limit (limits.h),
// and the names under which "Guardar datos" stores the list, the output path and the frame size.

#include "engine/limits.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace engine {

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
// Beyond what "Guardar datos" stores: the folder the window's file dialogs open at.
inline const QString kDialogs = QStringLiteral("Dialogs");
inline const QString kLastFolder = QStringLiteral("LastFolder");
// Also stored by "Guardar datos": how frames fit and the export for the web (OutputOptions).
inline const QString kOutput = QStringLiteral("Output");
inline const QString kFit = QStringLiteral("Fit");
inline const QString kCrop = QStringLiteral("Crop");
inline const QString kWebFormat = QStringLiteral("WebFormat");
inline const QString kQuality = QStringLiteral("Quality");
inline const QString kTarget = QStringLiteral("Target");
inline const QString kColumns = QStringLiteral("Columns");
inline const QString kFramesPerSheet = QStringLiteral("FramesPerSheet");
inline const QString kFrames = QStringLiteral("Frames");
inline const QString kReverse = QStringLiteral("Reverse");
inline const QString kLanes = QStringLiteral("Lanes");
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

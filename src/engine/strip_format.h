// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file formats a strip is written in, how one is chosen, and the largest strip each can
// hold: the rules the window's "Guardar imágen" and framolin-strip share.

#include "engine/limits.h"

#include <QSize>
#include <QString>

#include <optional>

namespace engine {

enum class StripFormat { Bmp, Png, Jpeg, Webp };

// Quality of JPEG and WebP strips unless told otherwise.
inline constexpr int kDefaultQuality = 90;

// The format an output path asks for by its extension, in any case: .png, .jpg or .jpeg,
// .webp; anything else (.bmp, no extension, any other) is the window's 24-bit BMP.
StripFormat formatForPath(const QString &path);

// The format named on a command line ("bmp", "png", "jpeg" or "jpg", "webp"; any case).
std::optional<StripFormat> formatNamed(const QString &name);

// The format's name as people write it: "BMP", "PNG", "JPEG", "WebP".
QString formatName(StripFormat format);

// Empty when `format` can hold a strip of `size`; otherwise one sentence naming the format's
// limit and a format that can hold the strip.
QString formatLimitProblem(StripFormat format, QSize size);

// Whether web browsers would refuse to show a BMP of `size`.
constexpr bool tooLargeForBrowsers(QSize size)
{
    return size.width() > kMaxBrowserBmpSide || size.height() > kMaxBrowserBmpSide;
}

} // namespace engine

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Strips as lossy WebP through Qt's WebP plug-in. WebP is encoded in one piece, so the strip is
// gathered in memory first; its size limit (16,383 pixels a side) keeps that bounded.

#include "strip_writer.h"

#include <QString>

#include <memory>

namespace engine {

// libwebp's reason for failing with `code` (its VP8_ENC_ERROR_… numbers), in words.
QString webpEncoderError(int code);

// `quality` 1 to 99: 100 would make Qt's plug-in write lossless WebP.
std::unique_ptr<StripWriter> makeWebpWriter(int quality);

} // namespace engine

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Strips as lossy WebP through libwebp. WebP is encoded in one piece, so the strip's pixels are
// gathered first, straight into the encoder's own picture (no second copy of the strip), and the
// encoder writes into the save file as it goes; the format's size limit (16,383 pixels a side)
// keeps that bounded.

#include "strip_writer.h"

#include <QString>

#include <memory>

namespace engine {

// libwebp's reason for failing with `code` (its VP8_ENC_ERROR_… numbers), in words.
QString webpEncoderError(int code);

// `quality` 1 to 99: 100 is kept for lossless WebP, which strips never use.
std::unique_ptr<StripWriter> makeWebpWriter(int quality);

} // namespace engine

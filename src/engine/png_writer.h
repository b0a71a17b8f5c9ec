// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Strips as 8-bit RGB PNG, compressed as the rows arrive, in bands of rows deflated side by
// side on `threads` workers (0: one per core, up to four). The bytes are the same for any
// number of threads. No gamma or chromaticity chunks, so browsers show the exact pixels.

#include "strip_writer.h"

#include <memory>

namespace engine {

std::unique_ptr<StripWriter> makePngWriter(int threads = 0);

// Rows per compressed band in a PNG `width` pixels wide: a band's stream restarts the
// compressor, so the strip's bytes depend on this and on nothing else.
int pngBandRows(int width);

} // namespace engine

#pragma once
// Strips as 8-bit RGB PNG through libpng, compressed row by row as the bands arrive. No gamma
// or chromaticity chunks, so browsers show the exact pixels.

#include "strip_writer.h"

#include <memory>

namespace engine {

std::unique_ptr<StripWriter> makePngWriter();

} // namespace engine

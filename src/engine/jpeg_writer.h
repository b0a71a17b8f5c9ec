// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Strips as baseline JPEG through libjpeg-turbo, compressed row by row as the bands arrive.

#include "strip_writer.h"

#include <memory>

namespace engine {

// `quality` 1 to 100.
std::unique_ptr<StripWriter> makeJpegWriter(int quality);

} // namespace engine

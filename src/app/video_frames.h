// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Videos joining the list (dropped, added or named on the command line) stand for frames: the
// user is asked once how many, and each video becomes that many "#t=" moments spread over it.

#include "runtime/controls.h"
#include "runtime/services.h"

#include <optional>

namespace app {

// Frames taken from a video when the user keeps the offer.
inline constexpr int kVideoFramesOffered = 36;

// `data` with each video among its files replaced by its moments; unchanged when it holds no
// video. Nothing (add nothing) when the user cancels the question. A video whose length cannot
// be read stays as it is, so the list shows why when its frame is made.
std::optional<runtime::DataObject> withVideoFrames(const runtime::DataObject &data,
                                                   runtime::MessageBoxes &boxes, bool english);

} // namespace app

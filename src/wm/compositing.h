// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the desktop composites windows, so that a window's transparent pixels show what
// lies beneath instead of black.

#include <QColor>

namespace wm {

class PopupWindow;

bool compositing();
// The colour a popup's unpainted pixels get: see-through where the desktop composites, the
// tooltip background elsewhere.
QColor eraseColor(const PopupWindow &popup);

} // namespace wm

// SPDX-License-Identifier: GPL-3.0-or-later
#include "form_window.h"

namespace layout {

void FormWindow::Line(int flags, std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2,
                      std::int32_t color)
{
    // The window lays out its client area before the client has been told its new size (on
    // the first show it is told only once shown): its persistent image would still have the
    // old size, and the bands drawn beyond it would be lost.
    runtime::Surface &client = *m_form.client();
    if (client.Image().size() != client.size())
        client.resizeImage(client.size());
    m_form.Line(flags, x1, y1, x2, y2, static_cast<std::uint32_t>(color));
}

} // namespace layout

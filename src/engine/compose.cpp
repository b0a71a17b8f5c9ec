// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace engine {

void place(QImage &strip, const QImage &frame, QPoint at)
{
    const QRect area = QRect(at, frame.size()).intersected(strip.rect());
    if (area.isEmpty())
        return;
    if (frame.hasAlphaChannel() || strip.format() != QImage::Format_RGB888) {
        QPainter p(&strip);
        p.drawImage(area.topLeft(), frame, area.translated(-at));
        return;
    }
    // Opaque frames are copied row by row: the common case, and a strip can be millions of
    // rows high.
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB888);
    const int sx = area.left() - at.x();
    const int sy = area.top() - at.y();
    const size_t bytes = size_t(area.width()) * 3;
    for (int row = 0; row < area.height(); ++row)
        std::memcpy(strip.scanLine(area.top() + row) + size_t(area.left()) * 3,
                    rgb.constScanLine(sy + row) + size_t(sx) * 3, bytes);
}

} // namespace engine

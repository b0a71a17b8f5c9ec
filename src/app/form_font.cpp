// SPDX-License-Identifier: GPL-3.0-or-later
#include "form_font.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>

namespace app {

namespace {

bool fits(const QFont &font, const std::vector<CaptionRoom> &captions)
{
    const QFontMetrics metrics(font);
    return std::all_of(captions.begin(), captions.end(), [&](const CaptionRoom &caption) {
        return metrics.horizontalAdvance(caption.text) <= caption.room.width()
            && metrics.height() <= caption.room.height();
    });
}

} // namespace

QFont fittedFont(const QFont &font, const std::vector<CaptionRoom> &captions)
{
    QFont fitted = font;
    // A font given in pixels is measured in points from here on, so it can shrink in steps.
    if (fitted.pointSizeF() <= 0)
        fitted.setPointSizeF(QFontInfo(font).pointSizeF());
    while (!fits(fitted, captions) && fitted.pointSizeF() - 0.5 >= kSmallestPoints)
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    return fitted;
}

} // namespace app

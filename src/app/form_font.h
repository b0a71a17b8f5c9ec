// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The font of the window's controls. The design's controls were measured for a smaller
// interface font than today's desktops use (DejaVu Sans at 9 points cuts "Archivos de entrada:"
// to "Archivos de entrad"), so the desktop's own family is kept, at the largest size at which
// every caption, Spanish and English, shows whole in its control.

#include <QFont>
#include <QSize>
#include <QString>

#include <vector>

namespace app {

struct CaptionRoom
{
    QString text;
    QSize room; // pixels the control leaves for its text
};

// `font` itself when every caption fits, otherwise the same family in steps of half a point
// smaller, down to kSmallestPoints (the most legible size there is; a caption may be cut then).
QFont fittedFont(const QFont &font, const std::vector<CaptionRoom> &captions);

inline constexpr double kSmallestPoints = 6.5;

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress.h"

namespace strip {

float Progress::barWidth(double value, double max, float boxWidth)
{
    if (max == 0)
        return boxWidth;
    return float(value * double(boxWidth) / max);
}

void Progress::progress(double value, double max)
{
    progreso.Cls();
    const float w = progreso.Width();
    const float h = progreso.Height();
    progreso.Line(38, 0, 0, barWidth(value, max, w), h, 0);
}

} // namespace strip

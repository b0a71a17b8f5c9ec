// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress bar: a solid black bar growing from the left of its box, redrawn from scratch
// on every report.

#include "runtime/controls.h"

namespace strip {

class Progress
{
public:
    explicit Progress(runtime::PictureBox &box) : progreso(box) { }

    // Clears the box and fills value / max of its outer width (all of it when max is 0).
    void progress(double value, double max);

    // The bar's width in the box's units for the box width `boxWidth`.
    static float barWidth(double value, double max, float boxWidth);

private:
    runtime::PictureBox &progreso;
};

} // namespace strip

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window does beyond its design when it builds a strip or exports one for the web: how
// the frames fit, the crop found around the object, and framolin-strip's sheet choices. The
// defaults are the window's designed strip; the settings file keeps them in one group.

#include "fit.h"
#include "sheet_layout.h"
#include "strip_format.h"

#include <QString>

#include <optional>

namespace engine {

struct OutputOptions
{
    Fit fit = Fit::Stretch;
    bool autoCrop = false; // one box around the object, found for the whole turn
    // The export for the web: the sheets' format and quality, where they are shown, and how
    // the frames are laid out (0: as many as the target allows).
    StripFormat webFormat = StripFormat::Png;
    int quality = kDefaultQuality;
    Target target = Target::Mobile;
    int columns = 0;
    int framesPerSheet = 0;
    // Which pictures make the frames: this many of each lane (0: all), in the opposite order.
    int frames = 0;
    bool reverse = false;
    int lanes = 1;
};

// "stretch", "cover" or "contain", as framolin-strip's --fit takes them.
QString fitName(Fit fit);
std::optional<Fit> fitNamed(const QString &name);

} // namespace engine

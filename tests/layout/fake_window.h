// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window of any size that records what the gradient painter does with it, and that can be
// made to lack or refuse any of the painter's operations; and the controls the layout moves.

#include "layout/resize_layout.h"

#include "runtime/error.h"
#include "runtime/form.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace fakes {

struct Band
{
    int flags;
    int x1, y1, x2, y2;
    std::int32_t color;
};

inline std::int32_t rgb(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

class LayoutWindow : public layout::LayoutWindow
{
public:
    float Height() const override { return height; }
    float Width() const override { return width; }

    void setAutoRedraw(bool on) override
    {
        if (lacksAutoRedraw)
            return layout::GradientTarget::setAutoRedraw(on);
        autoRedraw = on;
    }
    double ScaleHeight() const override
    {
        return lacksScaleHeight ? layout::GradientTarget::ScaleHeight() : scaleHeight;
    }
    double ScaleWidth() const override
    {
        return lacksScaleWidth ? layout::GradientTarget::ScaleWidth() : scaleWidth;
    }
    void Line(int flags, std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2,
              std::int32_t color) override
    {
        if (lacksLine)
            return layout::GradientTarget::Line(flags, x1, y1, x2, y2, color);
        const Band band { flags, x1, y1, x2, y2, color };
        if (refuse && refuse(band))
            throw runtime::RuntimeError(5, QStringLiteral("refused"));
        bands.push_back(band);
    }

    // Outer size of the window, inner size of the drawing area.
    float height = 9135 + 765;
    float width = 7680;
    double scaleHeight = 9135;
    double scaleWidth = 7680;

    bool lacksAutoRedraw = false, lacksScaleHeight = false, lacksScaleWidth = false,
         lacksLine = false;
    std::function<bool(const Band &)> refuse;

    std::optional<bool> autoRedraw;
    std::vector<Band> bands;
};

// The canvas and the splitter at their design-time places, on a form of their own.
struct DesignCanvas
{
    DesignCanvas()
    {
        objeto->Move(2520, 120, 4335, 4815);
        objeto->client()->setImageFollowsSize(false); // as the window's canvas
        arr->Move(6840, 120, 75, 4815);
    }

    runtime::Form form;
    runtime::PictureBox *objeto = new runtime::PictureBox(form.client());
    runtime::CommandButton *arr = new runtime::CommandButton(form.client());
};

} // namespace fakes

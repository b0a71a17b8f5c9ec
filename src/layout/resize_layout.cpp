// SPDX-License-Identifier: GPL-3.0-or-later
#include "resize_layout.h"

#include "runtime/numeric.h"

#include <algorithm>

namespace layout {

namespace {
// A control cannot take a negative size; a window smaller than the margins gets empty ones.
float atLeastZero(float size)
{
    return std::max(size, 0.0f);
}

// The window as the painter sees it: no taller and no wider than the painter's 16-bit
// positions reach, so that a very tall or very wide window gets its gradient up to there
// instead of a single band or none at all.
class ReachableWindow : public GradientTarget
{
public:
    explicit ReachableWindow(LayoutWindow &window) : m_window(window) { }
    void setAutoRedraw(bool on) override { m_window.setAutoRedraw(on); }
    double ScaleHeight() const override
    {
        return std::min(m_window.ScaleHeight(), double(ResizeLayout::kLastPaintableLine));
    }
    double ScaleWidth() const override
    {
        return std::min(m_window.ScaleWidth(), double(ResizeLayout::kLastPaintableLine));
    }
    void Line(int flags, std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2,
              std::int32_t color) override
    {
        m_window.Line(flags, x1, y1, x2, y2, color);
    }

private:
    LayoutWindow &m_window;
};
} // namespace

ResizeLayout::ResizeLayout(LayoutWindow &window, runtime::PictureBox &canvas,
                           runtime::CommandButton &splitter, runtime::PictureBox &separator,
                           runtime::PictureBox &progressBar)
    : m_window(window), objeto(canvas), arr(splitter), Picture7(separator), progreso(progressBar)
{ }

void ResizeLayout::Form_Resize()
{
    // Each step reads back what the one before it set.
    objeto.setHeight(atLeastZero((m_window.Height() - 1095.0f) - 120.0f));
    arr.setHeight(objeto.Height());
    Picture7.setTop(objeto.Height() + 240.0f);
    progreso.setTop(Picture7.Top() + 120.0f);
    progreso.setWidth(atLeastZero(m_window.Width() - 300.0f));
    Picture7.setWidth(atLeastZero(m_window.Width() - 300.0f));

    ReachableWindow target(m_window);
    std::int16_t stopLine = runtime::toInt16(target.ScaleHeight());

    std::int16_t red = 103, green = 68, blue = 14, grey = 62, pitch = 97, startLine = 0,
                 modLine = 1, autoRedraw = -1, moreR = 1, moreG = 1, moreB = 1;
    DrawGradient(target, red, green, blue, grey, pitch, startLine, stopLine, modLine, autoRedraw,
                 moreR, moreG, moreB);
}

} // namespace layout

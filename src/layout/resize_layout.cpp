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

    std::int16_t stopLine
        = runtime::toInt16(std::min(double(kLastPaintableLine), m_window.ScaleHeight()));

    std::int16_t red = 103, green = 68, blue = 14, grey = 62, pitch = 97, startLine = 0,
                 modLine = 1, autoRedraw = -1, moreR = 1, moreG = 1, moreB = 1;
    DrawGradient(m_window, red, green, blue, grey, pitch, startLine, stopLine, modLine, autoRedraw,
                 moreR, moreG, moreB);
}

} // namespace layout

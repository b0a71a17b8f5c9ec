// SPDX-License-Identifier: GPL-3.0-or-later
#include "drag.h"

#include <algorithm>

namespace layout {

Drag::Drag(runtime::Form &window, runtime::PictureBox &canvas, runtime::CommandButton &splitter)
    : m_window(window), objeto(canvas), arr(splitter)
{ }

void Drag::arr_MouseDown(int, int, float X, float)
{
    m_dragActive = -1;
    m_dragOrigin = X;
    m_window.setMousePointer(kSizeWestEast);
}

void Drag::arr_MouseMove(int, int, float X, float)
{
    if (m_dragActive != -1)
        return;
    // The point of the bar that was grabbed stays under the pointer; no bounds apply.
    const float left = (arr.Left() + X) - origin();
    arr.Move(left, arr.Top());
}

void Drag::arr_MouseUp(int, int, float, float)
{
    m_dragActive = 0;
    // Released left of the canvas: the canvas cannot take a negative width, it becomes empty.
    objeto.setWidth(std::max(arr.Left() - objeto.Left(), 0.0f));
    objeto.SetFocus();
    m_window.setMousePointer(kDefaultPointer);
}

void Drag::objeto_MouseDown(int, int, float, float Y)
{
    m_dragActive = -1;
    m_dragOrigin = Y;
    m_window.setMousePointer(kSizeAll);
}

void Drag::objeto_MouseMove(int, int, float, float Y)
{
    if (m_dragActive != -1)
        return;
    // Top is in twips, Y and the origin in canvas pixels: each event moves the canvas by the
    // pointer's offset from the grab point, counted in twips.
    const float top = (objeto.Top() + Y) - origin();
    objeto.Move(objeto.Left(), top);
}

void Drag::objeto_MouseUp(int, int, float, float)
{
    m_dragActive = 0;
    m_window.setMousePointer(kDefaultPointer);
}

} // namespace layout

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout on every resize: the canvas and the splitter take the window's height, the
// separator and the progress bar follow the canvas's bottom and the window's width, and the
// background gradient is painted again.

#include "gradient.h"

#include "runtime/controls.h"

namespace layout {

// The window as the layout sees it: its outer size and a target for the gradient, in twips.
class LayoutWindow : public GradientTarget
{
public:
    // Outer size: frame, title bar and menu bar included.
    virtual float Height() const = 0;
    virtual float Width() const = 0;
};

class ResizeLayout
{
public:
    ResizeLayout(LayoutWindow &window, runtime::PictureBox &objeto, runtime::CommandButton &arr,
                 runtime::PictureBox &Picture7, runtime::PictureBox &progreso);

    // Runs on the first show and after every change of the window's size, minimising
    // included. Sizes the formulas make negative are held at 0, and a client area taller or
    // wider than 32767 twips gets the gradient up to 32767, so no window size makes it fail.
    void Form_Resize();

    // The client height and width up to which the gradient can be painted.
    static constexpr float kLastPaintableLine = 32767;

private:
    LayoutWindow &m_window;
    runtime::PictureBox &objeto;
    runtime::CommandButton &arr;
    runtime::PictureBox &Picture7;
    runtime::PictureBox &progreso;
};

} // namespace layout

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two pointer drags of the window, sharing one state: the splitter `arr` dragged sideways
// sets the canvas width on release; the canvas `objeto` dragged up and down scrolls it.

#include "runtime/controls.h"
#include "runtime/form.h"

#include <cstdint>
#include <optional>

namespace layout {

class Drag
{
public:
    Drag(runtime::Form &window, runtime::PictureBox &objeto, runtime::CommandButton &arr);

    // Any button drags. The splitter reports X, Y in twips from its corner; the canvas in
    // pixels from the corner of its drawing area, which moves it a fifteenth of the pointer's
    // way per event.
    void arr_MouseDown(int Button, int Shift, float X, float Y);
    void arr_MouseMove(int Button, int Shift, float X, float Y);
    void arr_MouseUp(int Button, int Shift, float X, float Y);
    void objeto_MouseDown(int Button, int Shift, float X, float Y);
    void objeto_MouseMove(int Button, int Shift, float X, float Y);
    void objeto_MouseUp(int Button, int Shift, float X, float Y);

    // -1 while a drag is under way, 0 otherwise.
    std::int16_t DragActive() const { return m_dragActive; }
    // The pointer coordinate grabbed by the last press; empty before the first.
    std::optional<float> DragOrigin() const { return m_dragOrigin; }

    // Pointer shapes of the window.
    static constexpr int kDefaultPointer = 0;
    static constexpr int kSizeWestEast = 9;
    static constexpr int kSizeAll = 15;

private:
    float origin() const { return m_dragOrigin.value_or(0.0f); }

    runtime::Form &m_window;
    runtime::PictureBox &objeto;
    runtime::CommandButton &arr;
    std::int16_t m_dragActive = 0;
    std::optional<float> m_dragOrigin;
};

} // namespace layout

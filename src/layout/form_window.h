// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window as the layout's window and the gradient's target: its outer size, and its
// client area's persistent drawing, in twips.

#include "resize_layout.h"

#include "runtime/form.h"

namespace layout {

class FormWindow : public LayoutWindow
{
public:
    explicit FormWindow(runtime::Form &form) : m_form(form) { }

    float Height() const override { return m_form.Height(); }
    float Width() const override { return m_form.Width(); }
    double ScaleHeight() const override { return double(m_form.ScaleHeight()); }
    double ScaleWidth() const override { return double(m_form.ScaleWidth()); }
    void setAutoRedraw(bool on) override { m_form.setAutoRedraw(on); }
    void Line(int flags, std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2,
              std::int32_t color) override;

private:
    runtime::Form &m_form;
};

} // namespace layout

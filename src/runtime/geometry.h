// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Position and size of a control in twips (15 per pixel), measured from its container's inner
// area. Values are kept as set (single precision) and applied to the widget rounded to pixels.

#include <QRect>

class QWidget;

namespace runtime {

inline constexpr float kTwipsPerPixel = 15.0f;

// Twips to whole pixels, halves to even, held within what a widget can take.
int twipsToPixels(double twips);

class Geometry
{
public:
    explicit Geometry(QWidget &widget) : m_widget(widget) { }
    virtual ~Geometry() = default;
    Geometry(const Geometry &) = delete;
    Geometry &operator=(const Geometry &) = delete;

    float Left() const { return m_left; }
    float Top() const { return m_top; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    void setLeft(float left);
    void setTop(float top);
    // A negative size is refused with RuntimeError 380, as a control cannot take it.
    void setWidth(float width);
    void setHeight(float height);
    void Move(float left, float top);
    void Move(float left, float top, float width, float height);

    // The rectangle in pixels that the twips stand for.
    QRect pixelRect() const;

protected:
    // Called after every change; picture boxes extend it to follow their inner area.
    virtual void applyGeometry();
    QWidget &widget() const { return m_widget; }

private:
    QWidget &m_widget;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
};

} // namespace runtime

// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry.h"

#include "error.h"
#include "numeric.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace runtime {

int twipsToPixels(double twips)
{
    const double px = roundHalfEven(twips / double(kTwipsPerPixel));
    if (std::isnan(px))
        return 0;
    return static_cast<int>(std::clamp(px, -double(QWIDGETSIZE_MAX), double(QWIDGETSIZE_MAX)));
}

namespace {
void checkSize(float value)
{
    if (!(value >= 0.0f))
        throw RuntimeError(err::kInvalidPropertyValue,
                           u"Valor de propiedad no válido: %1"_s.arg(double(value)));
}
} // namespace

void Geometry::setLeft(float left)
{
    m_left = left;
    applyGeometry();
}

void Geometry::setTop(float top)
{
    m_top = top;
    applyGeometry();
}

void Geometry::setWidth(float width)
{
    checkSize(width);
    m_width = width;
    applyGeometry();
}

void Geometry::setHeight(float height)
{
    checkSize(height);
    m_height = height;
    applyGeometry();
}

void Geometry::Move(float left, float top)
{
    m_left = left;
    m_top = top;
    applyGeometry();
}

void Geometry::Move(float left, float top, float width, float height)
{
    checkSize(width);
    checkSize(height);
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    applyGeometry();
}

QRect Geometry::pixelRect() const
{
    return { twipsToPixels(double(m_left)), twipsToPixels(double(m_top)),
             twipsToPixels(double(m_width)), twipsToPixels(double(m_height)) };
}

void Geometry::applyGeometry()
{
    m_widget.setGeometry(pixelRect());
}

} // namespace runtime

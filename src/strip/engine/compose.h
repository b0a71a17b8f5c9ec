#pragma once
// Placing a stretched frame into a strip image.

#include <QImage>
#include <QPoint>

namespace engine {

// Draws `frame` into `strip` with its top-left corner at `at`, clipped to the strip. Opaque
// pixels replace what was there; transparent ones leave it.
void place(QImage &strip, const QImage &frame, QPoint at);

} // namespace engine

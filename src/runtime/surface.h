// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing surface: the inner area of a picture box or of the window. It keeps a persistent
// image (AutoRedraw on: drawing goes there and is shown again after being covered) and a
// transient layer (AutoRedraw off: drawing reaches the screen only, until the next Cls or
// persistent Refresh). Coordinates are in its scale unit, twips or pixels.

#include "picture.h"

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QWidget>

namespace runtime {

enum class ScaleMode { Twips = 1, Pixels = 3 };

class Surface : public QWidget
{
    Q_OBJECT
public:
    explicit Surface(QWidget *parent = nullptr);

    ScaleMode scaleMode() const { return m_scaleMode; }
    void setScaleMode(ScaleMode mode) { m_scaleMode = mode; }
    bool AutoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool on);
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

    // Drawable size in the scale unit.
    float ScaleWidth() const;
    float ScaleHeight() const;

    // Clears the persistent image and the transient layer to the back colour.
    void Cls();
    // Line with flags 38: a box between the two corners filled with `color` (red + 256 green
    // + 65536 blue). The far edges are not included, so a box of no width covers nothing.
    void Line(int flags, float x1, float y1, float x2, float y2, std::uint32_t color);
    // The whole picture stretched into the rectangle at (x, y) of `width` x `height`.
    void PaintPicture(const Picture &picture, float x, float y, float width, float height);
    // Repaints now; with AutoRedraw on, what was drawn while it was off is dropped.
    void Refresh();

    // The persistent image.
    const QImage &Image() const { return m_image; }
    // By default the persistent image follows the inner size; a surface whose image is kept
    // apart (the strip canvas) sizes it itself, and its pixels are never cropped by the box.
    void setImageFollowsSize(bool follow);
    // Resizes the persistent image, keeping its pixels at their place; new area is back colour.
    void resizeImage(QSize size);

    // Sets the geometry, and the persistent image's size where it follows the surface.
    void place(const QRect &rect);

    // Converts from the scale unit to pixels.
    double toPixels(double v) const;
    double fromPixels(double px) const;

Q_SIGNALS:
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage &target();
    // Marks `area` for the next paint and for the next Refresh.
    void changed(const QRect &area);
    void emitMouse(QMouseEvent *event, int kind);

    ScaleMode m_scaleMode = ScaleMode::Twips;
    bool m_autoRedraw = false;
    bool m_imageFollowsSize = true;
    QColor m_backColor;
    QImage m_image;
    QImage m_transient;
    QRegion m_dirty;
};

// Mouse button and shift masks as handlers receive them.
int buttonMask(Qt::MouseButtons buttons);
int shiftMask(Qt::KeyboardModifiers modifiers);

} // namespace runtime

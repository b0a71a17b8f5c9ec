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

    // The persistent image, every row of it drawn (rows never drawn on are back colour).
    const QImage &Image() const;
    // By default the persistent image follows the inner size; a surface whose image is kept
    // apart (the strip canvas) sizes it itself, and its pixels are never cropped by the box.
    void setImageFollowsSize(bool follow);
    // Resizes the persistent image, keeping its pixels at their place; new area is back colour.
    // New rows are only coloured when first drawn on or read, so a strip canvas of millions of
    // rows costs nothing until its frames are painted.
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
    // The image to draw on, with the persistent image's rows up to `bottom` (exclusive)
    // coloured first.
    QImage &target(int bottom);
    // Gives rows [m_filledRows, bottom) of the persistent image the back colour.
    void fillRowsTo(int bottom) const;
    // Marks `area` for the next paint and for the next Refresh.
    void changed(const QRect &area);
    void emitMouse(QMouseEvent *event, int kind);

    ScaleMode m_scaleMode = ScaleMode::Twips;
    bool m_autoRedraw = false;
    bool m_imageFollowsSize = true;
    QColor m_backColor;
    // Rows from m_filledRows on hold no pixels yet; they are back colour wherever they are
    // shown or read. Both are brought up to date by const readers too.
    mutable QImage m_image;
    mutable int m_filledRows = 0;
    QImage m_transient;
    QRegion m_dirty;
};

// Mouse button and shift masks as handlers receive them.
int buttonMask(Qt::MouseButtons buttons);
int shiftMask(Qt::KeyboardModifiers modifiers);

} // namespace runtime

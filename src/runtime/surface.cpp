// SPDX-License-Identifier: GPL-3.0-or-later
#include "surface.h"

#include "geometry.h"

#include "engine/compose.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include <sys/mman.h>

namespace runtime {

namespace {

// Gives rows [from, to) of `image` the colour `color`.
void fillRows(QImage &image, int from, int to, const QColor &color)
{
    if (from >= to)
        return;
    // One row coloured by Qt, whatever the format, then copied: filling millions of
    // three-byte pixels one by one is slow.
    QImage row(image.width(), 1, image.format());
    row.fill(color);
    const auto bytes = size_t(std::min(row.bytesPerLine(), image.bytesPerLine()));
    for (int y = from; y < to; ++y)
        std::memcpy(image.scanLine(y), row.constScanLine(0), bytes);
}

struct Mapping
{
    void *address;
    size_t length;
};

// An image of `size` whose pixels are left as the system gives them. A large one (a strip
// canvas) lives in its own mapping backed by large pages where the system offers them: the
// first touch of each 4 KiB page of a canvas of hundreds of megabytes was a good part of an
// assembly's time.
QImage largeImage(QSize size, QImage::Format format)
{
    constexpr qsizetype kLarge = qsizetype(8) << 20;
    const QImage probe(1, 1, format);
    const qsizetype bytesPerLine = (qsizetype(size.width()) * probe.depth() + 31) / 32 * 4;
    const qsizetype bytes = bytesPerLine * size.height();
    if (size.isEmpty() || bytes < kLarge || bytesPerLine > std::numeric_limits<int>::max())
        return QImage(size, format);
    void *address = ::mmap(nullptr, size_t(bytes), PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (address == MAP_FAILED)
        return {};
    ::madvise(address, size_t(bytes), MADV_HUGEPAGE); // a hint: without it, normal pages
    auto *mapping = new Mapping { address, size_t(bytes) };
    const auto release = [](void *info) {
        auto *m = static_cast<Mapping *>(info);
        ::munmap(m->address, m->length);
        delete m;
    };
    QImage image(static_cast<uchar *>(address), size.width(), size.height(), bytesPerLine, format,
                 release, mapping);
    if (image.isNull()) // refused: Qt never takes the mapping over
        release(mapping);
    return image;
}

} // namespace

Surface::Surface(QWidget *parent) : QWidget(parent), m_backColor(palette().color(QPalette::Button))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void Surface::setAutoRedraw(bool on)
{
    m_autoRedraw = on;
}

void Surface::setBackColor(const QColor &color)
{
    m_backColor = color;
    changed(rect());
}

float Surface::ScaleWidth() const
{
    return static_cast<float>(fromPixels(width()));
}

float Surface::ScaleHeight() const
{
    return static_cast<float>(fromPixels(height()));
}

double Surface::toPixels(double v) const
{
    return m_scaleMode == ScaleMode::Twips ? v / double(kTwipsPerPixel) : v;
}

double Surface::fromPixels(double px) const
{
    return m_scaleMode == ScaleMode::Twips ? px * double(kTwipsPerPixel) : px;
}

QImage &Surface::target(int bottom)
{
    if (m_autoRedraw) {
        fillRowsTo(bottom);
        return m_image;
    }
    if (m_transient.size() != size()) {
        m_transient = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        m_transient.fill(Qt::transparent);
    }
    return m_transient;
}

void Surface::fillRowsTo(int bottom) const
{
    bottom = std::min(bottom, m_image.height());
    if (bottom <= m_filledRows)
        return;
    fillRows(m_image, m_filledRows, bottom, m_backColor);
    m_filledRows = bottom;
}

const QImage &Surface::Image() const
{
    fillRowsTo(m_image.height());
    return m_image;
}

void Surface::Cls()
{
    m_filledRows = 0;
    m_transient = QImage();
    changed(rect());
}

void Surface::Line(int flags, float x1, float y1, float x2, float y2, std::uint32_t color)
{
    Q_UNUSED(flags); // only filled boxes (38) are drawn by this program
    const QColor c(int(color & 0xff), int((color >> 8) & 0xff), int((color >> 16) & 0xff));
    const QRectF box = QRectF(QPointF(toPixels(double(x1)), toPixels(double(y1))),
                              QPointF(toPixels(double(x2)), toPixels(double(y2))))
                           .normalized();
    QImage &img = target(int(std::ceil(box.bottom())));
    if (img.isNull())
        return;
    QPainter p(&img);
    p.fillRect(box, c);
    p.end();
    changed(box.toAlignedRect());
}

void Surface::PaintPicture(const Picture &picture, float x, float y, float width, float height)
{
    const QRectF dest(toPixels(double(x)), toPixels(double(y)), toPixels(double(width)),
                      toPixels(double(height)));
    const QRect r = dest.toRect();
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QImage frame = picture.stretched(r.size());
    engine::place(target(r.bottom() + 1), frame, r.topLeft());
    changed(r);
}

void Surface::Refresh()
{
    if (m_autoRedraw && !m_transient.isNull()) {
        m_transient = QImage();
        m_dirty = rect();
    }
    // Only what changed since the last paint: a long strip's frames mostly land outside the
    // part of the box on screen, and those need no painting at all.
    const QRegion dirty = m_dirty.intersected(visibleRegion());
    m_dirty = QRegion();
    if (!dirty.isEmpty())
        repaint(dirty);
}

void Surface::changed(const QRect &area)
{
    m_dirty += area;
    update(area);
}

void Surface::setImageFollowsSize(bool follow)
{
    m_imageFollowsSize = follow;
}

void Surface::resizeImage(QSize size)
{
    if (size == m_image.size())
        return;
    QImage grown = largeImage(size, QImage::Format_RGB888);
    if (grown.isNull() && !size.isEmpty())
        throw std::bad_alloc();
    // A box shrunk to no width keeps no pixels.
    const int kept = grown.isNull() || m_image.isNull() ? 0 : std::min(size.height(), m_filledRows);
    fillRows(grown, 0, kept, m_backColor); // the kept rows' new columns, if any
    // Whole pixels only: the rows' padding bytes are not pixels of the old image.
    const auto bytes = size_t(std::min(size.width(), m_image.width())) * 3;
    for (int y = 0; y < kept; ++y)
        std::memcpy(grown.scanLine(y), m_image.constScanLine(y), bytes);
    m_image = std::move(grown);
    m_filledRows = kept;
    changed(rect());
}

void Surface::place(const QRect &rect)
{
    setGeometry(rect);
    if (m_imageFollowsSize)
        resizeImage(rect.size());
}

void Surface::paintEvent(QPaintEvent *event)
{
    m_dirty -= event->region();
    QPainter p(this);
    const QRect exposed = event->rect();
    p.fillRect(exposed, m_backColor);
    const QRect drawn = exposed.intersected(QRect(0, 0, m_image.width(), m_filledRows));
    if (!drawn.isEmpty())
        p.drawImage(drawn.topLeft(), m_image, drawn);
    if (!m_transient.isNull())
        p.drawImage(exposed.topLeft(), m_transient, exposed);
}

void Surface::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_imageFollowsSize)
        resizeImage(size());
}

int buttonMask(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
        | (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

void Surface::emitMouse(QMouseEvent *event, int kind)
{
    const QPointF pos = event->position();
    const int button = buttonMask(kind == 1 ? event->buttons() : event->button());
    const float x = float(fromPixels(pos.x()));
    const float y = float(fromPixels(pos.y()));
    const int shift = shiftMask(event->modifiers());
    if (kind == 0)
        Q_EMIT mouseDown(button, shift, x, y);
    else if (kind == 1)
        Q_EMIT mouseMove(button, shift, x, y);
    else
        Q_EMIT mouseUp(button, shift, x, y);
}

void Surface::mousePressEvent(QMouseEvent *event)
{
    emitMouse(event, 0);
}

void Surface::mouseMoveEvent(QMouseEvent *event)
{
    emitMouse(event, 1);
}

void Surface::mouseReleaseEvent(QMouseEvent *event)
{
    emitMouse(event, 2);
}

} // namespace runtime

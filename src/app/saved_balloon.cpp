// SPDX-License-Identifier: GPL-3.0-or-later
#include "saved_balloon.h"

#include "engine/loop_writer.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace app {

namespace {

// The help balloons' measures: the pointer's size and the body's corner.
constexpr int kPointer = 8;
constexpr int kCorner = 15;
constexpr int kPathWidth = 420; // pixels the path may take before it is elided

QPainterPath outline(QSize size)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(0, kPointer, size.width() - 1, size.height() - kPointer - 1),
                        kCorner / 2.0, kCorner / 2.0);
    QPainterPath pointer;
    pointer.moveTo(kPointer, 0);
    pointer.lineTo(kPointer, kPointer + 1);
    pointer.lineTo(2 * kPointer, kPointer + 1);
    pointer.closeSubpath();
    return body.united(pointer);
}

} // namespace

QString savedText(const strip::SavedStrip &saved, bool english, const QFontMetrics &metrics)
{
    // Thousands grouped by hand for Spanish: Qt 6.4's Spanish locale writes 1234567 as
    // "1234.567".
    QString bytes = QLocale(QLocale::English).toString(saved.bytes);
    if (!english)
        bytes.replace(u',', u'.');
    const QString path = metrics.elidedText(saved.path, Qt::ElideMiddle, kPathWidth);
    const QString format
        = saved.loop ? engine::loopFormatName(*saved.loop) : engine::formatName(saved.format);
    if (english)
        return u"Saved: %1\n%2 frames, %3 × %4 pixels, %5, %6 bytes"_s.arg(path)
            .arg(saved.frames)
            .arg(saved.size.width())
            .arg(saved.size.height())
            .arg(format, bytes);
    return u"Guardado: %1\n%2 cuadros, %3 × %4 píxeles, %5, %6 bytes"_s.arg(path)
        .arg(saved.frames)
        .arg(saved.size.width())
        .arg(saved.size.height())
        .arg(format, bytes);
}

SavedBalloon::SavedBalloon(QWidget *owner) : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setObjectName(u"savedBalloon"_s);
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_hide.setSingleShot(true);
    connect(&m_hide, &QTimer::timeout, this, &QWidget::hide);
}

void SavedBalloon::showAt(QWidget &anchor, const QString &text)
{
    m_text = text;
    const QSize textSize = fontMetrics().size(0, text);
    resize(textSize + QSize(2 * kPointer + 2, 3 * kPointer + 2));
    // Shaped by a mask rather than a translucent background, which needs a compositor.
    setMask(QRegion(outline(size()).toFillPolygon().toPolygon()));
    move(anchor.mapToGlobal(QPoint(anchor.width() / 2 - kPointer, anchor.height())));
    show();
    raise();
    update();
    m_hide.start(kShowMs);
}

void SavedBalloon::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(outline(size()), palette().color(QPalette::ToolTipBase));
    p.setPen(QPen(Qt::darkGray, 1));
    p.drawPath(outline(size()));
    // The engraved text of the help balloons: a light copy one pixel below and right.
    const QRect area = rect().adjusted(kPointer, 2 * kPointer, -kPointer, -kPointer);
    p.setPen(palette().color(QPalette::Light));
    p.drawText(area.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, m_text);
    p.setPen(palette().color(QPalette::ToolTipText));
    p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, m_text);
}

void SavedBalloon::mousePressEvent(QMouseEvent *)
{
    hide(); // a click puts it away early, as a help balloon goes
}

} // namespace app

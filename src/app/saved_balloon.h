// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Says what a save wrote: a balloon shaped and coloured like the controls' help balloons,
// pointing at a control for a few seconds. Its own popup rather than the tooltip control,
// which only ever shows for the control under a resting mouse.

#include "strip/saver.h"

#include <QTimer>
#include <QWidget>

namespace app {

// "Guardado: <path elided in the middle>" then frames, pixel size, format and bytes.
QString savedText(const strip::SavedStrip &saved, bool english, const QFontMetrics &metrics);

class SavedBalloon : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kShowMs = 5000;

    explicit SavedBalloon(QWidget *owner);
    // Shows `text` below `anchor`, the pointer at its middle, and hides it after kShowMs.
    void showAt(QWidget &anchor, const QString &text);
    QString text() const { return m_text; }
    const QTimer &hideTimer() const { return m_hide; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_text;
    QTimer m_hide;
};

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include "geometry.h"

#include <QEvent>
#include <QMenuBar>

namespace runtime {

Form::Form(QWidget *parent) : QMainWindow(parent), m_client(new Surface(this))
{
    setCentralWidget(m_client);
}

float Form::Width() const
{
    return float(frameGeometry().width()) * kTwipsPerPixel;
}

float Form::Height() const
{
    return float(frameGeometry().height()) * kTwipsPerPixel;
}

void Form::setClientSize(float width, float height)
{
    const int menu = menuBar()->isVisible() || !isVisible() ? menuBar()->sizeHint().height() : 0;
    resize(twipsToPixels(double(width)), twipsToPixels(double(height)) + menu);
}

void Form::setMousePointer(int shape)
{
    m_mousePointer = shape;
    switch (shape) {
    case 9:
        setCursor(Qt::SizeHorCursor);
        break;
    case 15:
        setCursor(Qt::SizeAllCursor);
        break;
    default:
        unsetCursor();
        break;
    }
}

void Form::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Q_EMIT Resize();
}

void Form::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Minimising changes no widget size, but the window's size has changed for its handler.
    if (event->type() == QEvent::WindowStateChange)
        Q_EMIT Resize();
}

} // namespace runtime

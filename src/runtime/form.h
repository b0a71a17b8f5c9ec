// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A form: a resizable top-level window whose client area (below the menu bar) is a drawing
// surface and the container of the form's controls. Sizes are in twips; Width and Height are
// the outer size, frame, title bar and menu bar included.

#include "surface.h"

#include <QMainWindow>

namespace runtime {

class Form : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form(QWidget *parent = nullptr);

    Surface *client() const { return m_client; }

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // Outer size in twips.
    float Width() const;
    float Height() const;
    float ScaleWidth() const { return m_client->ScaleWidth(); }
    float ScaleHeight() const { return m_client->ScaleHeight(); }
    // Sizes the window so that its client area is `width` x `height` twips.
    void setClientSize(float width, float height);

    bool AutoRedraw() const { return m_client->AutoRedraw(); }
    void setAutoRedraw(bool on) { m_client->setAutoRedraw(on); }
    void Line(int flags, float x1, float y1, float x2, float y2, std::uint32_t color)
    {
        m_client->Line(flags, x1, y1, x2, y2, color);
    }

    // 0 default arrow, 9 west-east arrow, 15 four-way arrow.
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int shape);

Q_SIGNALS:
    // Raised when the window is first shown and after every change of its size.
    void Resize();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Surface *m_client;
    int m_mousePointer = 0;
};

} // namespace runtime

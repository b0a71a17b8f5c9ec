// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform's tooltip control ("tooltips_class32"): a popup that watches the mouse over
// its registered control windows by itself, shows near the mouse once it rests, hides on
// leaving, on a click and after a while, and hands out the shown tool's text as its window
// text. Every drawing goes through the window's procedure as WM_PAINT.

#include "window.h"

#include <QByteArray>
#include <QPointer>
#include <QTimer>

#include <vector>

namespace wm {

class ToolTipControl : public PopupWindow
{
    Q_OBJECT
public:
    ToolTipControl(QWidget *owner, LONG style);

    // Makes CreateWindowExA build this control for "tooltips_class32", replacing any other
    // factory of that class. Call it before creating tooltip windows.
    static void registerClass();
    // The class's factory for CreateWindowExA.
    static HWND create(QWidget *owner, LONG style);
    // The control behind a tooltip window, or null.
    static ToolTipControl *fromWindow(HWND hwnd);

    // The control's own procedure: tool registration, window text, background and painting.
    LRESULT windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    static constexpr int kInitialDelay = 500;
    static constexpr int kAutoPopDelay = 5000;
    // The timers fire on their own; tests fire them at once instead of waiting.
    void fireShowTimer();
    void fireHideTimer();
    bool showTimerActive() const { return m_showTimer.isActive(); }
    bool tipShown() const { return isVisible(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Tool
    {
        QPointer<QWidget> widget;
        QByteArray text; // the control's own copy, ANSI
    };

    void showTip();
    void hideTip();
    int toolIndex(const QObject *widget) const;

    std::vector<Tool> m_tools;
    int m_hovered = -1;
    QByteArray m_windowText;
    QTimer m_showTimer;
    QTimer m_hideTimer;
};

} // namespace wm

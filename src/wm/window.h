// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows of the window-message layer: handles for widgets, a replaceable procedure per
// window through which every message and every request for text or paint passes, synchronous
// send and queued post, placement, showing and the style word.

#include "types.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <functional>

namespace wm {

// A top-level popup owned by another widget that never takes the focus. Its pixels are a
// persistent image that the window's procedure paints between BeginPaint and EndPaint.
class PopupWindow : public QWidget
{
    Q_OBJECT
public:
    // Registers the window with `proc` as its procedure and `style` as its style word.
    PopupWindow(QWidget *owner, WNDPROC proc, LONG style);
    ~PopupWindow() override;

    HWND handle() const { return m_handle; }
    const QImage &image() const { return m_image; }
    QImage &image() { return m_image; }
    // Whether the pixels outside what the procedure paints are see-through.
    bool translucent() const { return m_translucent; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    HWND m_handle = 0;
    bool m_translucent = false;
    QImage m_image;
};

// The handle of a control's window; the first request registers it with a procedure that
// answers every message with 0.
HWND WindowFromWidget(QWidget *widget);
QWidget *widgetFromWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
// Destroys a window made by CreateWindowExA; a control's window stays with its widget.
bool DestroyWindow(HWND hwnd);

// Creates a window of a class registered with registerWindowClass. Position and size
// CW_USEDEFAULT leave them to the class. Returns 0 for an unknown class or a missing owner.
HWND CreateWindowExA(LONG exStyle, const char *className, const char *windowName, LONG style,
                     std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                     HWND parent, std::intptr_t menu, HINSTANCE instance, void *param);
using WindowFactory = std::function<HWND(QWidget *owner, LONG style)>;
// Makes `factory` create the windows of `className` from now on, replacing any earlier one.
void registerWindowClass(const QString &className, WindowFactory factory);
HINSTANCE GetModuleHandleA(const char *name);

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcA(const WNDPROC &proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Runs the window's present procedure at once; 0 for a window that does not exist.
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Queues the message for the window's procedure and returns at once; the event loop delivers
// it. False for a window that does not exist.
bool PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// How many posted messages `msg` wait for the window.
std::size_t pendingMessages(HWND hwnd, UINT msg);

// GWL_WNDPROC: installs `proc`, returns the one it replaces.
WNDPROC SetWindowLongA(HWND hwnd, int index, WNDPROC proc);
// GWL_STYLE: sets the style word, sending WM_STYLECHANGING and WM_STYLECHANGED through the
// procedure; returns the previous style.
LONG SetWindowLongA(HWND hwnd, int index, LONG value);
LONG GetWindowLongA(HWND hwnd, int index);

int GetWindowTextLengthA(HWND hwnd);
int GetWindowTextA(HWND hwnd, char *buffer, int maxCount);

bool GetWindowRect(HWND hwnd, RECT *rect);
// Client area: the window without its thin border (WS_BORDER), left and top 0.
bool GetClientRect(HWND hwnd, RECT *rect);
// Places and sizes the window in screen pixels. A window that actually moved or changed size
// is repainted only when `repaint` is set.
bool MoveWindow(HWND hwnd, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                bool repaint);
// SW_SHOWNA shows without activating, SW_HIDE hides; a window that appears is repainted.
bool ShowWindow(HWND hwnd, int command);
bool IsWindowVisible(HWND hwnd);
// Marks the whole window for repainting: one WM_PAINT is queued until BeginPaint.
bool InvalidateRect(HWND hwnd, const RECT *rect, bool erase);
// Sends the pending WM_PAINT at once, if any.
bool UpdateWindow(HWND hwnd);

// The cursor's hot spot in screen pixels, from QCursor unless a source was set (tests).
bool GetCursorPos(POINT *point);
void setCursorPosSource(std::function<QPoint()> source);

namespace detail {
PopupWindow *popup(HWND hwnd);
QPoint clientOrigin(HWND hwnd);
void validate(HWND hwnd);
} // namespace detail

} // namespace wm

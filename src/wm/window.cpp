// SPDX-License-Identifier: GPL-3.0-or-later
#include "window.h"

#include "compositing.h"
#include "gdi.h"

#include <QCoreApplication>
#include <QCursor>
#include <QPainter>

#include <deque>
#include <map>

namespace wm {

namespace {

struct WindowData
{
    QWidget *widget = nullptr; // the entry goes when the widget does
    PopupWindow *popup = nullptr; // set for windows whose pixels this layer keeps
    WNDPROC proc;
    LONG style = 0;
    RECT rect;
    bool invalid = false;
};

struct Posted
{
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// The window manager's state: like the platform's own tables, one per process.
struct Registry
{
    std::map<HWND, WindowData> windows;
    std::map<const QWidget *, HWND> byWidget;
    HWND next = 0x10010;
    std::deque<Posted> queue;
    std::map<QString, WindowFactory> classes;
    std::function<QPoint()> cursor;
};

Registry &registry()
{
    static Registry r;
    return r;
}

WindowData *findWindow(HWND hwnd)
{
    auto &windows = registry().windows;
    const auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : &it->second;
}

HWND add(QWidget *widget, WNDPROC proc, LONG style)
{
    Registry &r = registry();
    const HWND hwnd = r.next;
    r.next += 4;
    r.windows[hwnd] = WindowData { widget, nullptr, std::move(proc), style, {}, false };
    r.byWidget[widget] = hwnd;
    return hwnd;
}

void remove(HWND hwnd)
{
    Registry &r = registry();
    const auto it = r.windows.find(hwnd);
    if (it == r.windows.end())
        return;
    std::erase_if(r.byWidget, [hwnd](const auto &entry) { return entry.second == hwnd; });
    r.windows.erase(it);
}

void deliverPosted()
{
    Registry &r = registry();
    if (r.queue.empty())
        return;
    const Posted m = r.queue.front();
    r.queue.pop_front();
    SendMessageA(m.hwnd, m.msg, m.wParam, m.lParam);
}

// A window marked for repainting gets one WM_PAINT once the event loop is idle for it, unless
// a paint has validated it meanwhile.
void schedulePaint(HWND hwnd)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [hwnd] {
            WindowData *w = findWindow(hwnd);
            if (!w || !w->invalid)
                return;
            SendMessageA(hwnd, WM_PAINT, 0, 0);
            if ((w = findWindow(hwnd)))
                w->invalid = false; // a procedure that does not paint leaves it be
        },
        Qt::QueuedConnection);
}

} // namespace

PopupWindow::PopupWindow(QWidget *owner, WNDPROC proc, LONG style)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // Where the desktop composites, what the procedure leaves unpainted lets the desktop show
    // through; elsewhere an alpha channel would only show as black.
    m_translucent = compositing();
    if (m_translucent)
        setAttribute(Qt::WA_TranslucentBackground);
    m_handle = add(this, std::move(proc), style | WS_POPUP);
    if (WindowData *entry = findWindow(m_handle))
        entry->popup = this;
}

PopupWindow::~PopupWindow()
{
    remove(m_handle);
}

void PopupWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_image);
    if (GetWindowLongA(m_handle, GWL_STYLE) & WS_BORDER) {
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, width() - 1, height() - 1);
    }
}

HWND WindowFromWidget(QWidget *widget)
{
    if (!widget)
        return 0;
    Registry &r = registry();
    if (const auto it = r.byWidget.find(widget); it != r.byWidget.end())
        return it->second;
    const HWND hwnd = add(widget, DefWindowProcA, 0);
    QObject::connect(widget, &QObject::destroyed, [hwnd] { remove(hwnd); });
    return hwnd;
}

QWidget *widgetFromWindow(HWND hwnd)
{
    const WindowData *w = findWindow(hwnd);
    return w ? w->widget : nullptr;
}

bool IsWindow(HWND hwnd)
{
    return findWindow(hwnd) != nullptr;
}

bool DestroyWindow(HWND hwnd)
{
    PopupWindow *popup = detail::popup(hwnd);
    delete popup;
    return popup != nullptr;
}

void registerWindowClass(const QString &className, WindowFactory factory)
{
    registry().classes[className] = std::move(factory);
}

HWND CreateWindowExA(LONG, const char *className, const char *, LONG style, std::int32_t x,
                     std::int32_t y, std::int32_t width, std::int32_t height, HWND parent,
                     std::intptr_t, HINSTANCE, void *)
{
    QWidget *owner = widgetFromWindow(parent);
    if (!owner || !className)
        return 0;
    const auto &classes = registry().classes;
    const auto it = classes.find(QString::fromLatin1(className));
    if (it == classes.end())
        return 0;
    const HWND hwnd = it->second(owner, style);
    if (hwnd && x != CW_USEDEFAULT && width != CW_USEDEFAULT)
        MoveWindow(hwnd, x, y, width, height, false);
    return hwnd;
}

HINSTANCE GetModuleHandleA(const char *)
{
    return 0x400000;
}

LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

LRESULT CallWindowProcA(const WNDPROC &proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const WindowData *w = findWindow(hwnd);
    if (!w)
        return 0;
    // A copy: the procedure may replace itself while it runs.
    const WNDPROC proc = w->proc;
    return CallWindowProcA(proc, hwnd, msg, wParam, lParam);
}

bool PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!findWindow(hwnd))
        return false;
    registry().queue.push_back({ hwnd, msg, wParam, lParam });
    QMetaObject::invokeMethod(QCoreApplication::instance(), deliverPosted, Qt::QueuedConnection);
    return true;
}

std::size_t pendingMessages(HWND hwnd, UINT msg)
{
    const auto &queue = registry().queue;
    return std::size_t(std::count_if(queue.begin(), queue.end(), [&](const Posted &m) {
        return m.hwnd == hwnd && m.msg == msg;
    }));
}

WNDPROC SetWindowLongA(HWND hwnd, int index, WNDPROC proc)
{
    WindowData *w = findWindow(hwnd);
    if (!w || index != GWL_WNDPROC)
        return {};
    std::swap(w->proc, proc);
    return proc;
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value)
{
    WindowData *w = findWindow(hwnd);
    if (!w || index != GWL_STYLE)
        return 0;
    STYLESTRUCT change { w->style, value };
    SendMessageA(hwnd, WM_STYLECHANGING, WPARAM(GWL_STYLE), reinterpret_cast<LPARAM>(&change));
    if (!(w = findWindow(hwnd)))
        return 0;
    w->style = change.styleNew;
    SendMessageA(hwnd, WM_STYLECHANGED, WPARAM(GWL_STYLE), reinterpret_cast<LPARAM>(&change));
    if ((w = findWindow(hwnd)) && w->popup)
        w->popup->update();
    return change.styleOld;
}

LONG GetWindowLongA(HWND hwnd, int index)
{
    const WindowData *w = findWindow(hwnd);
    return w && index == GWL_STYLE ? w->style : 0;
}

int GetWindowTextLengthA(HWND hwnd)
{
    return int(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

int GetWindowTextA(HWND hwnd, char *buffer, int maxCount)
{
    if (!buffer || maxCount <= 0)
        return 0;
    buffer[0] = '\0';
    return int(SendMessageA(hwnd, WM_GETTEXT, WPARAM(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

bool GetWindowRect(HWND hwnd, RECT *rect)
{
    const WindowData *w = findWindow(hwnd);
    QWidget *widget = w ? w->widget : nullptr;
    if (!widget || !rect)
        return false;
    if (w->popup) {
        *rect = w->rect;
    } else {
        const QRect g(widget->mapToGlobal(QPoint(0, 0)), widget->size());
        *rect = { g.left(), g.top(), g.left() + g.width(), g.top() + g.height() };
    }
    return true;
}

bool GetClientRect(HWND hwnd, RECT *rect)
{
    RECT outer;
    if (!rect || !GetWindowRect(hwnd, &outer))
        return false;
    const int border = (GetWindowLongA(hwnd, GWL_STYLE) & WS_BORDER) ? 1 : 0;
    rect->left = rect->top = 0;
    rect->right = std::max(0, outer.right - outer.left - 2 * border);
    rect->bottom = std::max(0, outer.bottom - outer.top - 2 * border);
    return true;
}

bool MoveWindow(HWND hwnd, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                bool repaint)
{
    WindowData *w = findWindow(hwnd);
    if (!w || !w->popup)
        return false;
    width = std::max(0, width);
    height = std::max(0, height);
    const RECT old = w->rect;
    const bool moved = old.left != x || old.top != y;
    const bool resized = old.right - old.left != width || old.bottom - old.top != height;
    w->rect = { x, y, x + width, y + height };
    PopupWindow *popup = w->popup;
    if (resized) {
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(eraseColor(*popup));
        popup->image() = image;
    }
    popup->setGeometry(x, y, width, height);
    if (moved)
        SendMessageA(hwnd, WM_MOVE, 0, LPARAM((y & 0xFFFF) << 16 | (x & 0xFFFF)));
    if (resized)
        SendMessageA(hwnd, WM_SIZE, 0, LPARAM((height & 0xFFFF) << 16 | (width & 0xFFFF)));
    if ((moved || resized) && repaint)
        InvalidateRect(hwnd, nullptr, true);
    return true;
}

bool ShowWindow(HWND hwnd, int command)
{
    WindowData *w = findWindow(hwnd);
    if (!w || !w->popup)
        return false;
    PopupWindow *popup = w->popup;
    const bool wasVisible = popup->isVisible();
    if (command == SW_HIDE) {
        if (wasVisible) {
            SendMessageA(hwnd, WM_SHOWWINDOW, 0, 0);
            popup->hide();
        }
    } else if (!wasVisible) {
        SendMessageA(hwnd, WM_SHOWWINDOW, 1, 0);
        popup->show();
        InvalidateRect(hwnd, nullptr, true);
    }
    return wasVisible;
}

bool IsWindowVisible(HWND hwnd)
{
    const WindowData *w = findWindow(hwnd);
    QWidget *widget = w ? w->widget : nullptr;
    return widget && widget->isVisible();
}

bool InvalidateRect(HWND hwnd, const RECT *, bool)
{
    WindowData *w = findWindow(hwnd);
    if (!w || !w->popup)
        return false;
    if (!w->invalid) {
        w->invalid = true;
        schedulePaint(hwnd);
    }
    return true;
}

bool UpdateWindow(HWND hwnd)
{
    WindowData *w = findWindow(hwnd);
    if (!w)
        return false;
    if (w->invalid) {
        SendMessageA(hwnd, WM_PAINT, 0, 0);
        if ((w = findWindow(hwnd)))
            w->invalid = false;
    }
    return true;
}

bool GetCursorPos(POINT *point)
{
    if (!point)
        return false;
    const auto &source = registry().cursor;
    const QPoint p = source ? source() : QCursor::pos();
    *point = { p.x(), p.y() };
    return true;
}

void setCursorPosSource(std::function<QPoint()> source)
{
    registry().cursor = std::move(source);
}

namespace detail {

PopupWindow *popup(HWND hwnd)
{
    const WindowData *w = findWindow(hwnd);
    return w ? w->popup : nullptr;
}

QPoint clientOrigin(HWND hwnd)
{
    const int border = (GetWindowLongA(hwnd, GWL_STYLE) & WS_BORDER) ? 1 : 0;
    return { border, border };
}

void validate(HWND hwnd)
{
    if (WindowData *w = findWindow(hwnd))
        w->invalid = false;
}

} // namespace detail

} // namespace wm

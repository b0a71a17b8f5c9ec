// SPDX-License-Identifier: GPL-3.0-or-later
#include "tooltip.h"

#include "compositing.h"
#include "gdi.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>

#include <cstring>

using namespace Qt::StringLiterals;

namespace wm {

namespace {
// The tooltip's own look, used only while nobody replaces its painting.
constexpr int kMarginX = 3;
constexpr int kMarginY = 1;
} // namespace

ToolTipControl::ToolTipControl(QWidget *owner, LONG style)
    : PopupWindow(
        owner,
        [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
            return windowProc(hwnd, msg, wParam, lParam);
        },
        style | WS_BORDER)
{
    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(kInitialDelay);
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(kAutoPopDelay);
    connect(&m_showTimer, &QTimer::timeout, this, &ToolTipControl::showTip);
    connect(&m_hideTimer, &QTimer::timeout, this, &ToolTipControl::hideTip);
}

void ToolTipControl::registerClass()
{
    registerWindowClass(u"tooltips_class32"_s, create);
}

HWND ToolTipControl::create(QWidget *owner, LONG style)
{
    return (new ToolTipControl(owner, style))->handle();
}

ToolTipControl *ToolTipControl::fromWindow(HWND hwnd)
{
    return qobject_cast<ToolTipControl *>(widgetFromWindow(hwnd));
}

LRESULT ToolTipControl::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case TTM_ADDTOOLA: {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): the message carries the tool's address
        const auto *info = reinterpret_cast<const TOOLINFOA *>(lParam);
        if (!info || !(info->uFlags & TTF_IDISHWND))
            return 0;
        QWidget *widget = widgetFromWindow(HWND(info->uId));
        if (!widget)
            return 0;
        // The caller's text buffer may be gone once this returns.
        m_tools.push_back({ widget, QByteArray(info->lpszText ? info->lpszText : "") });
        widget->installEventFilter(this);
        // Hover events arrive without mouse tracking and also while the window is inactive.
        widget->setAttribute(Qt::WA_Hover);
        return 1;
    }
    case WM_GETTEXTLENGTH:
        return LRESULT(m_windowText.size());
    case WM_GETTEXT: {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): the message carries the buffer's address
        auto *buffer = reinterpret_cast<char *>(lParam);
        const auto max = qsizetype(wParam);
        if (!buffer || max <= 0)
            return 0;
        const qsizetype n = std::min(max - 1, m_windowText.size());
        std::memcpy(buffer, m_windowText.constData(), size_t(n));
        buffer[n] = '\0';
        return LRESULT(n);
    }
    case WM_ERASEBKGND:
        image().fill(eraseColor(*this));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(hwnd, &paint);
        RECT client;
        GetClientRect(hwnd, &client);
        const HRGN all = CreateRectRgn(client.left, client.top, client.right, client.bottom);
        FillRgn(dc, all, GetSysColorBrush(COLOR_INFOBK));
        DeleteObject(all);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        RECT text { kMarginX, kMarginY, client.right, client.bottom };
        DrawTextA(dc, m_windowText.constData(), int(m_windowText.size()), &text, DT_NOCLIP);
        EndPaint(hwnd, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

int ToolTipControl::toolIndex(const QObject *widget) const
{
    for (size_t i = 0; i < m_tools.size(); ++i)
        if (m_tools[i].widget == widget)
            return int(i);
    return -1;
}

bool ToolTipControl::eventFilter(QObject *watched, QEvent *event)
{
    const int index = toolIndex(watched);
    if (index < 0)
        return false;
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::HoverEnter:
        m_hovered = index;
        if (!tipShown() && !m_showTimer.isActive())
            m_showTimer.start();
        break;
    case QEvent::HoverMove:
    case QEvent::MouseMove:
        // The tip comes once the mouse rests: every move starts the wait afresh.
        m_hovered = index;
        if (!tipShown())
            m_showTimer.start();
        break;
    case QEvent::Leave:
    case QEvent::HoverLeave:
    case QEvent::Hide:
        if (m_hovered == index) {
            m_hovered = -1;
            hideTip();
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        hideTip();
        break;
    default:
        break;
    }
    return false;
}

void ToolTipControl::fireShowTimer()
{
    m_showTimer.stop();
    showTip();
}

void ToolTipControl::fireHideTimer()
{
    m_hideTimer.stop();
    hideTip();
}

void ToolTipControl::showTip()
{
    if (m_hovered < 0 || !m_tools[size_t(m_hovered)].widget)
        return;
    m_windowText = m_tools[size_t(m_hovered)].text;
    const HWND hwnd = handle();
    // The control's own size and place; a replaced procedure may choose others when it paints.
    POINT cursor;
    GetCursorPos(&cursor);
    const QFontMetrics metrics(QApplication::font());
    int width = 0;
    const QStringList lines = QString::fromLatin1(m_windowText).split(u'\n');
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const int height = int(lines.size()) * metrics.height();
    MoveWindow(hwnd, cursor.x, cursor.y + 20, width + 2 * kMarginX + 2, height + 2 * kMarginY + 2,
               false);
    ShowWindow(hwnd, SW_SHOWNA);
    InvalidateRect(hwnd, nullptr, true);
    UpdateWindow(hwnd);
    m_hideTimer.start();
}

void ToolTipControl::hideTip()
{
    m_showTimer.stop();
    m_hideTimer.stop();
    ShowWindow(handle(), SW_HIDE);
}

} // namespace wm

// SPDX-License-Identifier: GPL-3.0-or-later
#include "module1.h"

#include "wm/gdi.h"
#include "wm/tooltip.h"
#include "wm/window.h"

#include <QWidget>

#include <algorithm>

namespace tooltips {

namespace {
// The balloon's pointer: its tip lies this far right of the window's left edge, and the body
// starts this far below the window's top.
constexpr int kPointer = 8;
constexpr int kCellHeight = 13;
// The window text is read with a 16-bit count.
constexpr int kMaxText = 32766;
} // namespace

Module1::Module1()
{
    wm::ToolTipControl::registerClass();
}

Module1::~Module1()
{
    for (const TipEntry &entry : TipWindows)
        wm::DestroyWindow(entry.TipHwnd);
}

void Module1::CreateBalloonTip(QWidget &control, const QString &text, QWidget &form)
{
    const wm::HWND owner = wm::WindowFromWidget(&form);
    const wm::HINSTANCE instance = wm::GetModuleHandleA(nullptr);
    std::int32_t creationData = 0;
    const wm::HWND tip = wm::CreateWindowExA(
        0, "tooltips_class32", "", wm::TTS_ALWAYSTIP, wm::CW_USEDEFAULT, wm::CW_USEDEFAULT,
        wm::CW_USEDEFAULT, wm::CW_USEDEFAULT, owner, 0, instance, &creationData);

    {
        // The ANSI copy lives only for the call: the tooltip keeps its own.
        const QByteArray ansi = text.toLatin1();
        wm::TOOLINFOA info;
        info.cbSize = 40;
        info.uFlags = wm::TTF_IDISHWND | wm::TTF_SUBCLASS;
        info.hwnd = wm::WindowFromWidget(&control);
        info.uId = std::uintptr_t(wm::WindowFromWidget(&control));
        info.lpszText = ansi.constData();
        wm::SendMessageA(tip, wm::TTM_ADDTOOLA, 0, reinterpret_cast<wm::LPARAM>(&info));
    }

    // The entry is complete before the window can see another message.
    TipWindows.resize(size_t(TipCount) + 1);
    TipWindows[size_t(TipCount)].PrevProc = wm::SetWindowLongA(
        tip, wm::GWL_WNDPROC,
        wm::WNDPROC([this](wm::HWND hwnd, wm::UINT msg, wm::WPARAM wParam, wm::LPARAM lParam) {
            return BalloonProc(hwnd, msg, wParam, lParam);
        }));
    TipWindows[size_t(TipCount)].TipHwnd = tip;
    ++TipCount;

    // The balloon draws its own outline.
    wm::SetWindowLongA(tip, wm::GWL_STYLE, wm::GetWindowLongA(tip, wm::GWL_STYLE) & ~wm::WS_BORDER);
}

wm::LRESULT Module1::BalloonProc(wm::HWND hwnd, wm::UINT msg, wm::WPARAM wParam, wm::LPARAM lParam)
{
    if (msg == wm::WM_PAINT)
        return paint(hwnd);
    if (msg == wm::WM_PRINT) {
        // Drawing into someone else's context is left to a paint of our own.
        wm::PostMessageA(hwnd, wm::WM_PAINT, 0, 0);
        return 1;
    }
    for (std::int32_t i = 0; i < TipCount; ++i) {
        // A copy: the procedure may re-enter this one, which never changes the table.
        const TipEntry entry = TipWindows[size_t(i)];
        if (entry.TipHwnd == hwnd)
            return wm::CallWindowProcA(entry.PrevProc, hwnd, msg, wParam, lParam);
    }
    return 0;
}

wm::LRESULT Module1::paint(wm::HWND hwnd)
{
    // Follow the mouse: the pointer's tip comes to rest 6 pixels right of and 20 below it.
    wm::RECT rect;
    wm::POINT cursor;
    wm::GetWindowRect(hwnd, &rect);
    wm::GetCursorPos(&cursor);
    const std::int32_t width = rect.right - rect.left;
    const std::int32_t height = rect.bottom - rect.top;
    rect.left = cursor.x - kPointer + 6;
    rect.top = cursor.y + 20;
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    wm::MoveWindow(hwnd, rect.left, rect.top, width, height, false);

    const int n = std::min(wm::GetWindowTextLengthA(hwnd), kMaxText) + 1;
    QByteArray buffer(n, '\0');
    const int copied = wm::GetWindowTextA(hwnd, buffer.data(), n);
    const QByteArray text = buffer.left(std::clamp(copied, 0, n - 1));

    wm::PAINTSTRUCT paint;
    const wm::HDC dc = wm::BeginPaint(hwnd, &paint);

    wm::LOGFONTA description;
    description.lfHeight = kCellHeight;
    description.lfWeight = 400;
    constexpr char kFace[7] = { 'T', 'a', 'h', 'o', 'm', 'a', '\0' };
    std::copy_n(kFace, std::min<size_t>(sizeof kFace, sizeof description.lfFaceName),
                description.lfFaceName);
    const wm::HFONT font = wm::CreateFontIndirectA(&description);
    const wm::HGDIOBJ previousFont = wm::SelectObject(dc, font);

    wm::DrawTextA(dc, text.constData(), int(text.size()), &rect,
                  wm::DT_CALCRECT | wm::DT_NOCLIP | wm::DT_VCENTER);
    rect.right += 2 * kPointer;
    rect.bottom += 3 * kPointer;
    wm::ShowWindow(hwnd, wm::SW_SHOWNA);
    wm::MoveWindow(hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, true);
    wm::SetBkMode(dc, wm::TRANSPARENT);
    PaintBalloon(hwnd, dc, text);

    wm::SelectObject(dc, previousFont);
    wm::DeleteObject(font);
    wm::EndPaint(hwnd, &paint);
    return 0;
}

void Module1::PaintBalloon(wm::HWND window, wm::HDC dc, const QByteArray &text)
{
    wm::RECT rect;
    wm::GetClientRect(window, &rect);

    const wm::POINT tip { rect.left + kPointer, rect.top };
    const wm::POINT corner { tip.x, tip.y + kPointer };
    const wm::POINT pointer[3] = { tip, corner, { corner.x + kPointer, corner.y } };

    const wm::HRGN outline = wm::CreateRectRgn(0, 0, 0, 0);
    const wm::HRGN body
        = wm::CreateRoundRectRgn(rect.left, rect.top + kPointer, rect.right, rect.bottom, 15, 15);
    const wm::HRGN arrow = wm::CreatePolygonRgn(pointer, 3, wm::ALTERNATE);
    wm::CombineRgn(outline, body, arrow, wm::RGN_OR);
    wm::FillRgn(dc, outline, wm::GetSysColorBrush(wm::COLOR_INFOBK));
    wm::FrameRgn(dc, outline, wm::GetStockObject(wm::DKGRAY_BRUSH), 1, 1);
    wm::DeleteObject(outline);
    wm::DeleteObject(body);
    wm::DeleteObject(arrow);

    rect.top += 2 * kPointer;
    rect.bottom -= kPointer;
    rect.left += kPointer;
    rect.right -= kPointer;
    // A light copy one pixel below and right of the text gives it an engraved look.
    DrawBalloonText(dc, text, rect, wm::COLOR_3DLIGHT);
    rect.left -= 1;
    rect.top -= 1;
    DrawBalloonText(dc, text, rect, wm::COLOR_INFOTEXT);
}

void Module1::DrawBalloonText(wm::HDC dc, const QByteArray &text, wm::RECT rect, int colorIndex)
{
    wm::SetTextColor(dc, wm::GetSysColor(colorIndex));
    wm::DrawTextA(dc, text.constData(), int(text.size()), &rect, wm::DT_NOCLIP | wm::DT_VCENTER);
}

} // namespace tooltips

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values, records and message numbers of the window-message layer, under the platform's
// own names so that code written against it reads like the calls it stands for.

#include <QtGlobal>

#include <cstdint>
#include <functional>

namespace wm {

using HWND = std::int32_t;
using HGDIOBJ = std::int32_t;
using HDC = HGDIOBJ;
using HFONT = HGDIOBJ;
using HRGN = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HINSTANCE = std::int32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using COLORREF = std::uint32_t;
// Wide enough to carry a pointer, as record-passing messages need.
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
// A window procedure; empty is the null procedure, which answers everything with 0.
using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

struct RECT
{
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct POINT
{
    std::int32_t x = 0, y = 0;
};

struct PAINTSTRUCT
{
    HDC hdc = 0;
    bool fErase = false;
    RECT rcPaint;
};

struct TOOLINFOA
{
    std::uint32_t cbSize = 0;
    std::uint32_t uFlags = 0;
    HWND hwnd = 0;
    std::uintptr_t uId = 0;
    RECT rect;
    HINSTANCE hinst = 0;
    const char *lpszText = nullptr;
};

struct LOGFONTA
{
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
};
static_assert(sizeof(LOGFONTA) == 60);

struct STYLESTRUCT
{
    LONG styleOld = 0;
    LONG styleNew = 0;
};

// Messages.
constexpr UINT WM_MOVE = 3;
constexpr UINT WM_SIZE = 5;
constexpr UINT WM_GETTEXT = 13;
constexpr UINT WM_GETTEXTLENGTH = 14;
constexpr UINT WM_PAINT = 15;
constexpr UINT WM_ERASEBKGND = 20;
constexpr UINT WM_SHOWWINDOW = 24;
constexpr UINT WM_STYLECHANGING = 124;
constexpr UINT WM_STYLECHANGED = 125;
constexpr UINT WM_PRINT = 791;
constexpr UINT TTM_ADDTOOLA = 1028;

// Window longs and styles.
constexpr int GWL_WNDPROC = -4;
constexpr int GWL_STYLE = -16;
constexpr LONG WS_BORDER = 0x00800000;
constexpr LONG WS_POPUP = LONG(0x80000000u);
constexpr LONG TTS_ALWAYSTIP = 1;
constexpr std::int32_t CW_USEDEFAULT = std::int32_t(0x80000000u);
constexpr std::uint32_t TTF_IDISHWND = 1;
constexpr std::uint32_t TTF_SUBCLASS = 16;

// Showing.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNA = 8;

// Drawing.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr UINT DT_VCENTER = 4;
constexpr UINT DT_NOCLIP = 256;
constexpr UINT DT_CALCRECT = 1024;
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;
constexpr int RGN_OR = 2;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int DKGRAY_BRUSH = 3;
constexpr int SYSTEM_FONT = 13;

} // namespace wm

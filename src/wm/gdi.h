// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Painting of the window-message layer: device contexts over a popup's persistent image,
// fonts, text drawing and measuring, regions, brushes and the desktop colours, all drawn with
// QPainter.

#include "types.h"

#include <QColor>

#include <cstddef>
#include <functional>

namespace wm {

constexpr int OBJ_FONT = 6;

// Opens the painting of a popup: validates it, lets its procedure erase the background
// (WM_ERASEBKGND) and puts a fresh device context, holding the system font, into `paint`.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT *paint);
// Closes the painting: releases the device context and puts the image on screen.
bool EndPaint(HWND hwnd, const PAINTSTRUCT *paint);

// A font whose character cell is lfHeight pixels (positive) or whose em is -lfHeight pixels
// (negative). The face is asked for by name and left to the platform's font matching.
HFONT CreateFontIndirectA(const LOGFONTA *description);
// Selects a font into a device context; returns the font selected before (0 for others).
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, int type);
// Releases a font, region or brush; stock objects stay.
bool DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);

COLORREF SetTextColor(HDC dc, COLORREF color);
int SetBkMode(HDC dc, int mode);
// Lines are split at line feeds only and start at the rectangle's left edge, one cell height
// apart. DT_CALCRECT draws nothing and sets right and bottom to the size of the text.
// Returns the height of the text.
int DrawTextA(HDC dc, const char *text, int count, RECT *rect, UINT format);

HRGN CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
HRGN CreateRoundRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom, std::int32_t ellipseWidth, std::int32_t ellipseHeight);
HRGN CreatePolygonRgn(const POINT *points, int count, int fillMode);
// RGN_OR only; returns 1 for an empty result, 2 or 3 otherwise, 0 on failure.
int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode);
bool FillRgn(HDC dc, HRGN region, HBRUSH brush);
// Paints the pixels of the region that lie within `width` columns or `height` rows of its
// outside.
bool FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height);

// Desktop colours: tooltip background and text and the 3D light from the Qt palette.
COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);

constexpr COLORREF RGB(int r, int g, int b)
{
    return COLORREF(r & 0xFF) | COLORREF(g & 0xFF) << 8 | COLORREF(b & 0xFF) << 16;
}
QColor toQColor(COLORREF color);

// For tests: GDI objects alive besides the stock ones, and a look at every device context
// just before EndPaint releases it.
std::size_t gdiObjectCount();
void setEndPaintHook(std::function<void(HWND, HDC)> hook);

} // namespace wm

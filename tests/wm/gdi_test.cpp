// SPDX-License-Identifier: GPL-3.0-or-later
// Painting of the window-message layer: fonts and text measuring, regions, desktop colours.

#include "wm/gdi.h"
#include "wm/window.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A borderless popup of the given size, painted by whatever the test does between
// BeginPaint and EndPaint.
struct Canvas
{
    Canvas(int width, int height)
        : window(
            &owner, [](wm::HWND, wm::UINT, wm::WPARAM, wm::LPARAM) { return 0; }, 0)
    {
        wm::MoveWindow(window.handle(), 0, 0, width, height, false);
        window.image().fill(Qt::white);
        dc = wm::BeginPaint(window.handle(), &paint);
    }
    ~Canvas() { wm::EndPaint(window.handle(), &paint); }
    QColor at(int x, int y) const { return window.image().pixelColor(x, y); }

    QWidget owner;
    wm::PopupWindow window;
    wm::PAINTSTRUCT paint;
    wm::HDC dc = 0;
};

wm::HFONT balloonFont()
{
    wm::LOGFONTA description;
    description.lfHeight = 13;
    description.lfWeight = 400;
    std::strcpy(description.lfFaceName, "Tahoma");
    return wm::CreateFontIndirectA(&description);
}

wm::RECT measure(wm::HDC dc, const char *text)
{
    wm::RECT rect { 10, 20, 10, 20 };
    wm::DrawTextA(dc, text, int(std::strlen(text)), &rect, wm::DT_CALCRECT | wm::DT_NOCLIP);
    return rect;
}

TEST(Fonts, aPositiveHeightIsTheCellHeightOfEveryLine)
{
    Canvas canvas(10, 10);
    const wm::HFONT font = balloonFont();
    const wm::HGDIOBJ previous = wm::SelectObject(canvas.dc, font);
    EXPECT_NE(previous, 0);
    EXPECT_EQ(wm::GetCurrentObject(canvas.dc, wm::OBJ_FONT), font);

    const wm::RECT one = measure(canvas.dc, "Hola");
    EXPECT_EQ(one.left, 10);
    EXPECT_EQ(one.top, 20);
    EXPECT_EQ(one.bottom, 33);
    EXPECT_GT(one.right, 10);

    // Lines break at line feeds only, and the widest line sets the width.
    const wm::RECT two = measure(canvas.dc, "Hola\nHola Hola");
    EXPECT_EQ(two.bottom, 20 + 2 * 13);
    EXPECT_EQ(two.right, measure(canvas.dc, "Hola Hola").right);
    EXPECT_EQ(measure(canvas.dc, "Hola Hola\nHola").right, two.right);

    const wm::RECT none = measure(canvas.dc, "");
    EXPECT_EQ(none.right, 10);
    EXPECT_EQ(none.bottom, 20);

    EXPECT_EQ(wm::SelectObject(canvas.dc, previous), font);
    EXPECT_TRUE(wm::DeleteObject(font));
}

TEST(Fonts, textIsDrawnFromTheRectanglesTopLeftWithoutClipping)
{
    Canvas canvas(60, 40);
    const wm::HFONT font = balloonFont();
    wm::SelectObject(canvas.dc, font);
    wm::SetBkMode(canvas.dc, wm::TRANSPARENT);
    wm::SetTextColor(canvas.dc, wm::RGB(0, 0, 0));
    wm::RECT rect { 5, 5, 6, 6 }; // far too small: nothing may be cut off
    wm::DrawTextA(canvas.dc, "MM\nMM", 5, &rect, wm::DT_NOCLIP | wm::DT_VCENTER);
    int inkLeft = 60, inkTop = 40, inkBottom = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            if (canvas.at(x, y) != Qt::white) {
                inkLeft = std::min(inkLeft, x);
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
    EXPECT_GE(inkLeft, 5);
    EXPECT_LE(inkLeft, 7);
    EXPECT_GE(inkTop, 5);
    EXPECT_GT(inkBottom, 5 + 13); // the second line is drawn one cell lower
    EXPECT_LT(inkBottom, 5 + 2 * 13);
    wm::DeleteObject(font);
}

TEST(Regions, fillPaintsTheInsideAndFramePaintsItsOneWideEdge)
{
    Canvas canvas(30, 30);
    const wm::HRGN left = wm::CreateRectRgn(2, 2, 12, 12);
    const wm::HRGN right = wm::CreateRectRgn(8, 8, 20, 20);
    const wm::HRGN both = wm::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(wm::CombineRgn(both, left, right, wm::RGN_OR), 3);
    EXPECT_TRUE(wm::FillRgn(canvas.dc, both, wm::GetSysColorBrush(wm::COLOR_INFOBK)));
    EXPECT_TRUE(wm::FrameRgn(canvas.dc, both, wm::GetStockObject(wm::DKGRAY_BRUSH), 1, 1));

    const QColor dark(64, 64, 64);
    const QColor inside = QGuiApplication::palette().color(QPalette::ToolTipBase);
    EXPECT_EQ(canvas.at(2, 5), dark);
    EXPECT_EQ(canvas.at(11, 5), dark);
    EXPECT_EQ(canvas.at(5, 11), dark);
    EXPECT_EQ(canvas.at(19, 15), dark);
    EXPECT_EQ(canvas.at(15, 19), dark);
    EXPECT_EQ(canvas.at(5, 5), inside);
    EXPECT_EQ(canvas.at(10, 10), inside); // where the two overlap there is no edge
    EXPECT_EQ(canvas.at(15, 15), inside);
    EXPECT_EQ(canvas.at(1, 5), Qt::white);
    EXPECT_EQ(canvas.at(20, 15), Qt::white);
    EXPECT_EQ(canvas.at(15, 5), Qt::white);
    for (const wm::HRGN region : { left, right, both })
        EXPECT_TRUE(wm::DeleteObject(region));
}

TEST(Regions, roundedCornersAndTrianglesCoverOnlyTheirShape)
{
    Canvas canvas(40, 40);
    const wm::HRGN round = wm::CreateRoundRectRgn(0, 10, 40, 40, 15, 15);
    const wm::POINT points[3] = { { 8, 0 }, { 8, 8 }, { 16, 8 } };
    const wm::HRGN triangle = wm::CreatePolygonRgn(points, 3, wm::ALTERNATE);
    wm::FillRgn(canvas.dc, round, wm::GetStockObject(wm::DKGRAY_BRUSH));
    wm::FillRgn(canvas.dc, triangle, wm::GetStockObject(wm::DKGRAY_BRUSH));
    const QColor dark(64, 64, 64);
    EXPECT_EQ(canvas.at(0, 10), Qt::white); // rounded off
    EXPECT_EQ(canvas.at(39, 39), Qt::white);
    EXPECT_EQ(canvas.at(0, 25), dark);
    EXPECT_EQ(canvas.at(20, 10), dark);
    EXPECT_EQ(canvas.at(9, 6), dark);
    EXPECT_EQ(canvas.at(14, 2), Qt::white); // above the triangle's slope
    EXPECT_EQ(canvas.at(7, 4), Qt::white);
    wm::DeleteObject(round);
    wm::DeleteObject(triangle);
}

TEST(SystemColours, followTheQtPaletteAndStockObjectsStay)
{
    const QPalette saved = QGuiApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::ToolTipBase, QColor(1, 2, 3));
    palette.setColor(QPalette::ToolTipText, QColor(4, 5, 6));
    palette.setColor(QPalette::Light, QColor(7, 8, 9));
    QGuiApplication::setPalette(palette);
    EXPECT_EQ(wm::GetSysColor(wm::COLOR_INFOBK), wm::RGB(1, 2, 3));
    EXPECT_EQ(wm::GetSysColor(wm::COLOR_INFOTEXT), 4u + 256 * 5 + 65536 * 6);
    EXPECT_EQ(wm::GetSysColor(wm::COLOR_3DLIGHT), wm::RGB(7, 8, 9));
    QGuiApplication::setPalette(saved);

    const std::size_t objects = wm::gdiObjectCount();
    EXPECT_FALSE(wm::DeleteObject(wm::GetStockObject(wm::DKGRAY_BRUSH)));
    EXPECT_FALSE(wm::DeleteObject(wm::GetSysColorBrush(wm::COLOR_INFOBK)));
    EXPECT_EQ(wm::GetSysColorBrush(wm::COLOR_INFOBK), wm::GetSysColorBrush(wm::COLOR_INFOBK));
    EXPECT_EQ(wm::gdiObjectCount(), objects);
}

} // namespace

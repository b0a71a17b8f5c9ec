// SPDX-License-Identifier: GPL-3.0-or-later
#include "gdi.h"

#include "window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QRegion>

#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <variant>

namespace wm {

namespace {

struct Font
{
    QFont font;
    int cellHeight = 0;
};

struct Region
{
    QRegion region;
};

struct Brush
{
    std::optional<int> sysColor; // follows the desktop colour at the time of use
    COLORREF color = 0;
};

struct DeviceContext
{
    HWND hwnd = 0;
    HFONT font = 0;
    COLORREF textColor = 0;
    int bkMode = OPAQUE;
    COLORREF bkColor = RGB(255, 255, 255);
};

using GdiObject = std::variant<Font, Region, Brush, DeviceContext>;

struct Gdi
{
    std::map<HGDIOBJ, GdiObject> objects;
    std::set<HGDIOBJ> stock;
    std::map<int, HGDIOBJ> stockByIndex;
    std::map<int, HBRUSH> sysBrushes;
    HGDIOBJ next = 0x20010;
    std::function<void(HWND, HDC)> endPaintHook;
};

Gdi &gdi()
{
    static Gdi g;
    return g;
}

HGDIOBJ add(GdiObject object)
{
    Gdi &g = gdi();
    const HGDIOBJ handle = g.next;
    g.next += 4;
    g.objects.emplace(handle, std::move(object));
    return handle;
}

template<typename T> T *get(HGDIOBJ handle)
{
    auto &objects = gdi().objects;
    const auto it = objects.find(handle);
    return it == objects.end() ? nullptr : std::get_if<T>(&it->second);
}

HGDIOBJ addStock(GdiObject object)
{
    const HGDIOBJ handle = add(std::move(object));
    gdi().stock.insert(handle);
    return handle;
}

Font makeFont(const LOGFONTA &lf)
{
    Font result;
    QFont &font = result.font;
    font.setFamily(QString::fromLatin1(lf.lfFaceName, qsizetype(strnlen(lf.lfFaceName, 32))));
    font.setWeight(QFont::Weight(std::clamp(lf.lfWeight == 0 ? 400 : lf.lfWeight, 100, 900)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    if (lf.lfHeight > 0) {
        // The cell height is what was asked for: the largest face whose ascent and descent
        // fit in it.
        result.cellHeight = lf.lfHeight;
        for (int px = lf.lfHeight; px >= 1; --px) {
            font.setPixelSize(px);
            const QFontMetrics metrics(font);
            if (metrics.ascent() + metrics.descent() <= lf.lfHeight)
                break;
        }
    } else {
        font.setPixelSize(lf.lfHeight < 0 ? -lf.lfHeight : 12);
        const QFontMetrics metrics(font);
        result.cellHeight = metrics.ascent() + metrics.descent();
    }
    return result;
}

const Font &fontOf(const DeviceContext &dc)
{
    if (const Font *font = get<Font>(dc.font))
        return *font;
    return *get<Font>(GetStockObject(SYSTEM_FONT));
}

// Runs `draw` with a painter on the context's window image, origin at the client area.
template<typename Draw> bool paintOn(HDC hdc, Draw draw)
{
    DeviceContext *dc = get<DeviceContext>(hdc);
    PopupWindow *popup = dc ? detail::popup(dc->hwnd) : nullptr;
    if (!popup || popup->image().isNull())
        return false;
    QPainter painter(&popup->image());
    painter.translate(detail::clientOrigin(dc->hwnd));
    draw(painter, *dc);
    return true;
}

QColor brushColor(const Brush &brush)
{
    return toQColor(brush.sysColor ? GetSysColor(*brush.sysColor) : brush.color);
}

int regionType(const QRegion &region)
{
    return region.isEmpty() ? 1 : region.rectCount() == 1 ? 2 : 3;
}

} // namespace

QColor toQColor(COLORREF color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT *paint)
{
    if (!paint || !detail::popup(hwnd))
        return 0;
    detail::validate(hwnd);
    const HDC hdc = add(DeviceContext { hwnd, GetStockObject(SYSTEM_FONT) });
    paint->hdc = hdc;
    GetClientRect(hwnd, &paint->rcPaint);
    paint->fErase = SendMessageA(hwnd, WM_ERASEBKGND, WPARAM(hdc), 0) == 0;
    return hdc;
}

bool EndPaint(HWND hwnd, const PAINTSTRUCT *paint)
{
    if (!paint || !get<DeviceContext>(paint->hdc))
        return false;
    if (const auto &hook = gdi().endPaintHook)
        hook(hwnd, paint->hdc);
    gdi().objects.erase(paint->hdc);
    if (PopupWindow *popup = detail::popup(hwnd))
        popup->update();
    return true;
}

HFONT CreateFontIndirectA(const LOGFONTA *description)
{
    return description ? add(makeFont(*description)) : 0;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object)
{
    DeviceContext *dc = get<DeviceContext>(hdc);
    if (!dc || !get<Font>(object))
        return 0;
    return std::exchange(dc->font, object);
}

HGDIOBJ GetCurrentObject(HDC hdc, int type)
{
    const DeviceContext *dc = get<DeviceContext>(hdc);
    return dc && type == OBJ_FONT ? dc->font : 0;
}

bool DeleteObject(HGDIOBJ object)
{
    Gdi &g = gdi();
    if (g.stock.contains(object) || get<DeviceContext>(object))
        return false;
    return g.objects.erase(object) > 0;
}

HGDIOBJ GetStockObject(int index)
{
    Gdi &g = gdi();
    if (const auto it = g.stockByIndex.find(index); it != g.stockByIndex.end())
        return it->second;
    HGDIOBJ handle = 0;
    if (index == DKGRAY_BRUSH) {
        handle = addStock(Brush { std::nullopt, RGB(64, 64, 64) });
    } else if (index == SYSTEM_FONT) {
        handle
            = addStock(Font { QApplication::font(), QFontMetrics(QApplication::font()).height() });
    }
    if (handle)
        g.stockByIndex[index] = handle;
    return handle;
}

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    DeviceContext *dc = get<DeviceContext>(hdc);
    return dc ? std::exchange(dc->textColor, color) : 0;
}

int SetBkMode(HDC hdc, int mode)
{
    DeviceContext *dc = get<DeviceContext>(hdc);
    return dc ? std::exchange(dc->bkMode, mode) : 0;
}

int DrawTextA(HDC hdc, const char *text, int count, RECT *rect, UINT format)
{
    const DeviceContext *dc = get<DeviceContext>(hdc);
    if (!dc || !rect || !text)
        return 0;
    const qsizetype length = count < 0 ? qsizetype(std::strlen(text)) : count;
    const QString all = QString::fromLatin1(text, length);
    const QStringList lines = all.isEmpty() ? QStringList() : all.split(u'\n');
    const Font &font = fontOf(*dc);
    const QFontMetrics metrics(font.font);
    const int height = int(lines.size()) * font.cellHeight;
    if (format & DT_CALCRECT) {
        int width = 0;
        for (const QString &line : lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        rect->right = rect->left + width;
        rect->bottom = rect->top + height;
        return height;
    }
    const RECT r = *rect;
    paintOn(hdc, [&](QPainter &painter, const DeviceContext &context) {
        if (!(format & DT_NOCLIP))
            painter.setClipRect(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)));
        painter.setFont(font.font);
        // Whatever the face's own ascent, the cell keeps the descent at its bottom.
        const int baseline = font.cellHeight - metrics.descent();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const int top = r.top + int(i) * font.cellHeight;
            if (context.bkMode == OPAQUE)
                painter.fillRect(
                    QRect(r.left, top, metrics.horizontalAdvance(lines[i]), font.cellHeight),
                    toQColor(context.bkColor));
            painter.setPen(toQColor(context.textColor));
            painter.drawText(r.left, top + baseline, lines[i]);
        }
    });
    return height;
}

HRGN CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    const QRect rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized();
    return add(Region { right > left && bottom > top ? QRegion(rect) : QRegion() });
}

HRGN CreateRoundRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom, std::int32_t ellipseWidth, std::int32_t ellipseHeight)
{
    const int width = right - left, height = bottom - top;
    if (width <= 0 || height <= 0)
        return add(Region {});
    // Rasterised without smoothing: a pixel belongs to the region when its centre lies in
    // the shape.
    QImage mask(width, height, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, width, height), ellipseWidth / 2.0, ellipseHeight / 2.0);
        painter.fillPath(path, Qt::black);
    }
    QRegion region;
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        int x = 0;
        while (x < width) {
            while (x < width && qAlpha(line[x]) == 0)
                ++x;
            const int start = x;
            while (x < width && qAlpha(line[x]) != 0)
                ++x;
            if (x > start)
                region += QRect(left + start, top + y, x - start, 1);
        }
    }
    return add(Region { region });
}

HRGN CreatePolygonRgn(const POINT *points, int count, int fillMode)
{
    QPolygon polygon;
    for (int i = 0; points && i < count; ++i)
        polygon << QPoint(points[i].x, points[i].y);
    return add(
        Region { QRegion(polygon, fillMode == ALTERNATE ? Qt::OddEvenFill : Qt::WindingFill) });
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode)
{
    Region *target = get<Region>(destination);
    const Region *a = get<Region>(source1);
    const Region *b = get<Region>(source2);
    if (!target || !a || !b || mode != RGN_OR)
        return 0;
    target->region = a->region.united(b->region);
    return regionType(target->region);
}

bool FillRgn(HDC hdc, HRGN region, HBRUSH brush)
{
    const Region *r = get<Region>(region);
    const Brush *b = get<Brush>(brush);
    if (!r || !b)
        return false;
    return paintOn(hdc, [&](QPainter &painter, const DeviceContext &) {
        const QColor color = brushColor(*b);
        for (const QRect &rect : r->region)
            painter.fillRect(rect, color);
    });
}

bool FrameRgn(HDC hdc, HRGN region, HBRUSH brush, int width, int height)
{
    const Region *r = get<Region>(region);
    const Brush *b = get<Brush>(brush);
    if (!r || !b)
        return false;
    const QRegion &inside = r->region;
    const QRegion core = inside.intersected(inside.translated(width, 0))
                             .intersected(inside.translated(-width, 0))
                             .intersected(inside.translated(0, height))
                             .intersected(inside.translated(0, -height));
    const QRegion frame = inside.subtracted(core);
    return paintOn(hdc, [&](QPainter &painter, const DeviceContext &) {
        const QColor color = brushColor(*b);
        for (const QRect &rect : frame)
            painter.fillRect(rect, color);
    });
}

COLORREF GetSysColor(int index)
{
    const QPalette palette = QGuiApplication::palette();
    QColor color;
    switch (index) {
    case COLOR_INFOBK:
        color = palette.color(QPalette::ToolTipBase);
        break;
    case COLOR_INFOTEXT:
        color = palette.color(QPalette::ToolTipText);
        break;
    case COLOR_3DLIGHT:
        color = palette.color(QPalette::Light);
        break;
    default:
        return 0;
    }
    return RGB(color.red(), color.green(), color.blue());
}

HBRUSH GetSysColorBrush(int index)
{
    Gdi &g = gdi();
    if (const auto it = g.sysBrushes.find(index); it != g.sysBrushes.end())
        return it->second;
    const HBRUSH brush = addStock(Brush { index, 0 });
    g.sysBrushes[index] = brush;
    return brush;
}

std::size_t gdiObjectCount()
{
    const Gdi &g = gdi();
    return g.objects.size() - g.stock.size();
}

void setEndPaintHook(std::function<void(HWND, HDC)> hook)
{
    gdi().endPaintHook = std::move(hook);
}

} // namespace wm

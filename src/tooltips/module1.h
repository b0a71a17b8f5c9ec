// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The balloon tooltips: one platform tooltip window per control, its painting replaced by
// BalloonProc with a balloon drawn at the mouse and sized to the tip text.

#include "wm/types.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

class QWidget;

namespace tooltips {

struct TipEntry
{
    wm::HWND TipHwnd = 0;
    wm::WNDPROC PrevProc;
};

class Module1
{
public:
    // Makes sure the platform's tooltip class is registered.
    Module1();
    // The tooltip windows go first: their procedure is this object's.
    ~Module1();
    Module1(const Module1 &) = delete;
    Module1 &operator=(const Module1 &) = delete;

    // Gives `control` a tooltip owned by `form` showing `text`, painted as a balloon.
    void CreateBalloonTip(QWidget &control, const QString &text, QWidget &form);
    // The procedure of every tooltip window: paints on WM_PAINT, turns WM_PRINT into a queued
    // paint, and hands everything else to the window's previous procedure.
    wm::LRESULT BalloonProc(wm::HWND hwnd, wm::UINT msg, wm::WPARAM wParam, wm::LPARAM lParam);

    // Draws the balloon and its text into the client area of `window`.
    static void PaintBalloon(wm::HWND window, wm::HDC dc, const QByteArray &text);
    static void DrawBalloonText(wm::HDC dc, const QByteArray &text, wm::RECT rect, int colorIndex);

    // One entry per tooltip window, in the order of creation; never changed or removed.
    std::vector<TipEntry> TipWindows;
    std::int32_t TipCount = 0;

private:
    wm::LRESULT paint(wm::HWND hwnd);
};

} // namespace tooltips

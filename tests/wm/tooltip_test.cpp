// SPDX-License-Identifier: GPL-3.0-or-later
// The tooltip control: registration, hover timing driven without waiting, window text and
// painting through whatever procedure is installed.

#include "wm/gdi.h"
#include "wm/tooltip.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Fixture
{
    Fixture()
    {
        wm::setCursorPosSource([] { return QPoint(100, 200); });
        wm::ToolTipControl::registerClass();
        tip = wm::CreateWindowExA(0, "tooltips_class32", "", wm::TTS_ALWAYSTIP, wm::CW_USEDEFAULT,
                                  wm::CW_USEDEFAULT, wm::CW_USEDEFAULT, wm::CW_USEDEFAULT,
                                  wm::WindowFromWidget(&form), 0, 0, nullptr);
        control = new QWidget(&form);
        other = new QWidget(&form);
    }
    ~Fixture() { wm::setCursorPosSource({}); }

    void addTool(QByteArray text)
    {
        wm::TOOLINFOA info;
        info.cbSize = 40;
        info.uFlags = wm::TTF_IDISHWND | wm::TTF_SUBCLASS;
        info.hwnd = wm::WindowFromWidget(control);
        info.uId = std::uintptr_t(info.hwnd);
        info.lpszText = text.constData();
        wm::SendMessageA(tip, wm::TTM_ADDTOOLA, 0, reinterpret_cast<wm::LPARAM>(&info));
        text.fill('x'); // the caller's buffer changes: the tooltip keeps its own copy
    }
    void enter(QWidget *widget)
    {
        QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(102, 202));
        QCoreApplication::sendEvent(widget, &event);
    }
    QByteArray windowText()
    {
        QByteArray buffer(wm::GetWindowTextLengthA(tip) + 1, '\0');
        const int n = wm::GetWindowTextA(tip, buffer.data(), int(buffer.size()));
        return buffer.left(n);
    }
    wm::ToolTipControl *control_() { return wm::ToolTipControl::fromWindow(tip); }

    QWidget form;
    QWidget *control = nullptr;
    QWidget *other = nullptr;
    wm::HWND tip = 0;
};

TEST(ToolTipControl, showsTheToolsOwnCopyOfItsTextOnceTheMouseRestsOnIt)
{
    Fixture f;
    f.addTool("Uno\nOne");
    wm::ToolTipControl *tip = f.control_();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(f.windowText(), QByteArray());

    f.enter(f.other);
    EXPECT_FALSE(tip->showTimerActive());
    f.enter(f.control);
    EXPECT_TRUE(tip->showTimerActive());
    EXPECT_FALSE(tip->tipShown());
    tip->fireShowTimer();
    EXPECT_TRUE(tip->tipShown());
    EXPECT_EQ(f.windowText(), QByteArray("Uno\nOne"));
    wm::RECT rect;
    wm::GetWindowRect(f.tip, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 220);
}

TEST(ToolTipControl, hidesOnLeavingOnAClickAndAfterAWhile)
{
    Fixture f;
    f.addTool("Uno");
    wm::ToolTipControl *tip = f.control_();

    f.enter(f.control);
    tip->fireShowTimer();
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(f.control, &leave);
    EXPECT_FALSE(tip->tipShown());

    f.enter(f.control);
    tip->fireShowTimer();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(102, 202), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(f.control, &press);
    EXPECT_FALSE(tip->tipShown());
    EXPECT_FALSE(tip->showTimerActive());

    f.enter(f.control);
    tip->fireShowTimer();
    tip->fireHideTimer();
    EXPECT_FALSE(tip->tipShown());
}

TEST(ToolTipControl, itsDrawingGoesThroughTheInstalledProcedure)
{
    Fixture f;
    f.addTool("Uno");
    std::vector<wm::UINT> seen;
    wm::WNDPROC own;
    own = wm::SetWindowLongA(
        f.tip, wm::GWL_WNDPROC,
        wm::WNDPROC([&](wm::HWND hwnd, wm::UINT msg, wm::WPARAM wParam, wm::LPARAM lParam) {
            seen.push_back(msg);
            return msg == wm::WM_PAINT ? 0 : wm::CallWindowProcA(own, hwnd, msg, wParam, lParam);
        }));
    f.enter(f.control);
    f.control_()->fireShowTimer();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), wm::WM_PAINT), 1);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), wm::WM_SHOWWINDOW), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), wm::WM_PAINT), 1);
}

TEST(ToolTipControl, paintsItselfInTheTooltipColoursWhileNotReplaced)
{
    Fixture f;
    f.addTool("Uno");
    f.enter(f.control);
    f.control_()->fireShowTimer();
    const QImage &image = f.control_()->image();
    ASSERT_FALSE(image.isNull());
    const wm::COLORREF background = wm::GetSysColor(wm::COLOR_INFOBK);
    EXPECT_EQ(image.pixelColor(image.width() - 2, image.height() - 2), wm::toQColor(background));
}

} // namespace

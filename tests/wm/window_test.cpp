// SPDX-License-Identifier: GPL-3.0-or-later
// The window-message layer: procedures, send and post, style notifications, placement and
// repaint requests, window text.

#include "wm/gdi.h"
#include "wm/tooltip.h"
#include "wm/window.h"

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Message
{
    wm::HWND hwnd;
    wm::UINT msg;
    wm::WPARAM wParam;
};

// A popup whose procedure records every message and answers with `answer`.
struct RecordedWindow
{
    explicit RecordedWindow(wm::LRESULT answer = 7)
        : window(std::make_unique<wm::PopupWindow>(
            &owner,
            [this, answer](wm::HWND hwnd, wm::UINT msg, wm::WPARAM wParam, wm::LPARAM) {
                seen.push_back({ hwnd, msg, wParam });
                return answer;
            },
            wm::WS_BORDER))
    { }
    int count(wm::UINT msg) const
    {
        return int(std::count_if(seen.begin(), seen.end(),
                                 [msg](const Message &m) { return m.msg == msg; }));
    }
    wm::HWND hwnd() const { return window->handle(); }

    QWidget owner;
    std::vector<Message> seen;
    std::unique_ptr<wm::PopupWindow> window;
};

TEST(WindowProcedure, sendRunsTheInstalledProcedureAndReplacingItHandsBackThePrevious)
{
    RecordedWindow w(7);
    EXPECT_EQ(wm::SendMessageA(w.hwnd(), 1234, 5, 0), 7);
    ASSERT_EQ(w.seen.size(), 1u);
    EXPECT_EQ(w.seen[0].msg, 1234u);

    const wm::WNDPROC previous = wm::SetWindowLongA(
        w.hwnd(), wm::GWL_WNDPROC,
        wm::WNDPROC([](wm::HWND, wm::UINT, wm::WPARAM, wm::LPARAM) { return 42; }));
    EXPECT_EQ(wm::SendMessageA(w.hwnd(), 1234, 0, 0), 42);
    EXPECT_EQ(w.seen.size(), 1u);
    EXPECT_EQ(wm::CallWindowProcA(previous, w.hwnd(), 99, 0, 0), 7);
    EXPECT_EQ(w.seen.back().msg, 99u);
    EXPECT_EQ(wm::CallWindowProcA(wm::WNDPROC(), w.hwnd(), 99, 0, 0), 0);
}

TEST(WindowProcedure, messagesToAWindowThatIsGoneAnswerZero)
{
    wm::HWND hwnd = 0;
    {
        RecordedWindow w;
        hwnd = w.hwnd();
        EXPECT_TRUE(wm::IsWindow(hwnd));
    }
    EXPECT_FALSE(wm::IsWindow(hwnd));
    EXPECT_EQ(wm::SendMessageA(hwnd, 1234, 0, 0), 0);
    EXPECT_FALSE(wm::PostMessageA(hwnd, 1234, 0, 0));
}

TEST(WindowProcedure, postWaitsForTheEventLoop)
{
    RecordedWindow w;
    EXPECT_TRUE(wm::PostMessageA(w.hwnd(), wm::WM_PAINT, 0, 0));
    EXPECT_TRUE(wm::PostMessageA(w.hwnd(), 1234, 0, 0));
    EXPECT_EQ(wm::pendingMessages(w.hwnd(), wm::WM_PAINT), 1u);
    EXPECT_TRUE(w.seen.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(wm::pendingMessages(w.hwnd(), wm::WM_PAINT), 0u);
    ASSERT_EQ(w.seen.size(), 2u);
    EXPECT_EQ(w.seen[0].msg, wm::WM_PAINT);
    EXPECT_EQ(w.seen[1].msg, 1234u);
}

TEST(WindowStyle, changeIsAnnouncedThroughTheProcedureAndTheBorderLeavesTheClientArea)
{
    RecordedWindow w;
    wm::MoveWindow(w.hwnd(), 10, 20, 100, 50, false);
    const wm::LONG style = wm::GetWindowLongA(w.hwnd(), wm::GWL_STYLE);
    ASSERT_TRUE(style & wm::WS_BORDER);
    wm::RECT client;
    wm::GetClientRect(w.hwnd(), &client);
    EXPECT_EQ(client.right, 98);
    EXPECT_EQ(client.bottom, 48);

    w.seen.clear();
    EXPECT_EQ(wm::SetWindowLongA(w.hwnd(), wm::GWL_STYLE, style & ~wm::WS_BORDER), style);
    ASSERT_EQ(w.seen.size(), 2u);
    EXPECT_EQ(w.seen[0].msg, wm::WM_STYLECHANGING);
    EXPECT_EQ(w.seen[1].msg, wm::WM_STYLECHANGED);
    EXPECT_EQ(w.seen[1].wParam, wm::WPARAM(wm::GWL_STYLE));
    EXPECT_EQ(wm::GetWindowLongA(w.hwnd(), wm::GWL_STYLE), style & ~wm::WS_BORDER);
    wm::GetClientRect(w.hwnd(), &client);
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.right, 100);
    EXPECT_EQ(client.bottom, 50);
}

TEST(WindowPlacement, aMoveAsksForARepaintOnlyWhenFlaggedAndSomethingChanged)
{
    RecordedWindow w;
    wm::MoveWindow(w.hwnd(), 10, 20, 100, 50, false);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.count(wm::WM_PAINT), 0);

    wm::MoveWindow(w.hwnd(), 10, 20, 100, 50, true);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.count(wm::WM_PAINT), 0);

    wm::MoveWindow(w.hwnd(), 30, 20, 120, 50, true);
    wm::MoveWindow(w.hwnd(), 31, 20, 120, 50, true);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.count(wm::WM_PAINT), 1);

    wm::RECT rect;
    wm::GetWindowRect(w.hwnd(), &rect);
    EXPECT_EQ(rect.left, 31);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 151);
    EXPECT_EQ(rect.bottom, 70);
    EXPECT_EQ(w.window->image().size(), QSize(120, 50));
}

TEST(WindowPlacement, showingWithoutActivationRepaintsOnceAndHidingDoesNot)
{
    RecordedWindow w;
    wm::MoveWindow(w.hwnd(), 0, 0, 20, 20, false);
    wm::ShowWindow(w.hwnd(), wm::SW_SHOWNA);
    EXPECT_TRUE(wm::IsWindowVisible(w.hwnd()));
    EXPECT_FALSE(w.window->isActiveWindow());
    EXPECT_EQ(w.count(wm::WM_SHOWWINDOW), 1);
    wm::UpdateWindow(w.hwnd());
    EXPECT_EQ(w.count(wm::WM_PAINT), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.count(wm::WM_PAINT), 1);
    wm::ShowWindow(w.hwnd(), wm::SW_HIDE);
    QCoreApplication::processEvents();
    EXPECT_FALSE(wm::IsWindowVisible(w.hwnd()));
    EXPECT_EQ(w.count(wm::WM_PAINT), 1);
}

TEST(WindowText, isAskedOfTheProcedureAndCutToTheBuffer)
{
    QWidget owner;
    const QByteArray text = "Hola\nHello";
    wm::PopupWindow window(
        &owner,
        [&](wm::HWND, wm::UINT msg, wm::WPARAM wParam, wm::LPARAM lParam) -> wm::LRESULT {
            if (msg == wm::WM_GETTEXTLENGTH)
                return text.size();
            if (msg == wm::WM_GETTEXT) {
                const auto n = std::min(qsizetype(wParam) - 1, text.size());
                std::copy_n(text.constData(), n, reinterpret_cast<char *>(lParam));
                reinterpret_cast<char *>(lParam)[n] = '\0';
                return n;
            }
            return 0;
        },
        0);
    EXPECT_EQ(wm::GetWindowTextLengthA(window.handle()), 10);
    char buffer[16];
    EXPECT_EQ(wm::GetWindowTextA(window.handle(), buffer, 5), 4);
    EXPECT_STREQ(buffer, "Hola");
    EXPECT_EQ(wm::GetWindowTextA(window.handle(), buffer, 16), 10);
    EXPECT_STREQ(buffer, "Hola\nHello");
}

TEST(WindowHandles, aControlGetsOneHandleForItsLifetime)
{
    wm::HWND hwnd = 0;
    {
        QWidget control;
        hwnd = wm::WindowFromWidget(&control);
        EXPECT_NE(hwnd, 0);
        EXPECT_EQ(wm::WindowFromWidget(&control), hwnd);
        EXPECT_EQ(wm::widgetFromWindow(hwnd), &control);
        EXPECT_EQ(wm::SendMessageA(hwnd, wm::WM_GETTEXTLENGTH, 0, 0), 0);
    }
    EXPECT_FALSE(wm::IsWindow(hwnd));
}

TEST(WindowCreation, unknownClassesAndMissingOwnersMakeNoWindow)
{
    wm::ToolTipControl::registerClass();
    QWidget owner;
    const wm::HWND ownerHwnd = wm::WindowFromWidget(&owner);
    EXPECT_EQ(
        wm::CreateWindowExA(0, "no_such_class", "", 0, 0, 0, 10, 10, ownerHwnd, 0, 0, nullptr), 0);
    EXPECT_EQ(wm::CreateWindowExA(0, "tooltips_class32", "", 0, 0, 0, 10, 10, 0, 0, 0, nullptr), 0);
    const wm::HWND tip = wm::CreateWindowExA(
        0, "tooltips_class32", "", wm::TTS_ALWAYSTIP, wm::CW_USEDEFAULT, wm::CW_USEDEFAULT,
        wm::CW_USEDEFAULT, wm::CW_USEDEFAULT, ownerHwnd, 0, 0, nullptr);
    EXPECT_TRUE(wm::IsWindow(tip));
    EXPECT_FALSE(wm::IsWindowVisible(tip));
    EXPECT_EQ(wm::GetWindowLongA(tip, wm::GWL_STYLE),
              wm::TTS_ALWAYSTIP | wm::WS_POPUP | wm::WS_BORDER);
}

} // namespace

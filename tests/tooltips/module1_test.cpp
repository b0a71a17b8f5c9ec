// SPDX-License-Identifier: GPL-3.0-or-later
// Balloon tooltips: the dispatch of BalloonProc, the registration of a tip, and the balloon a
// paint makes (place, size, pixels).

#include "expected_picture.h"
#include "tooltips/module1.h"
#include "wm/gdi.h"
#include "wm/tooltip.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using tooltips::Module1;
using tooltips::TipEntry;

// A procedure that records the messages it is given and answers `answer`.
struct Recorder
{
    wm::WNDPROC proc(wm::LRESULT answer)
    {
        return [this, answer](wm::HWND hwnd, wm::UINT msg, wm::WPARAM, wm::LPARAM) {
            seen.push_back({ hwnd, msg });
            return answer;
        };
    }
    std::vector<std::pair<wm::HWND, wm::UINT>> seen;
};

TEST(BalloonProcDispatch, anEmptyTableAnswersZero)
{
    Module1 module;
    for (const wm::UINT msg : { 0u, 13u, 14u, 124u, 1028u })
        EXPECT_EQ(module.BalloonProc(0x1234, msg, 0, 0), 0);
}

TEST(BalloonProcDispatch, anUnknownWindowAnswersZeroAndReachesNoProcedure)
{
    Module1 module;
    Recorder recorder;
    module.TipWindows = { { 0x100, recorder.proc(5) }, { 0x104, recorder.proc(6) } };
    module.TipCount = 2;
    EXPECT_EQ(module.BalloonProc(0x108, wm::WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_TRUE(recorder.seen.empty());
    EXPECT_EQ(module.BalloonProc(0x104, wm::WM_GETTEXTLENGTH, 0, 0), 6);
}

TEST(BalloonProcDispatch, theLowerIndexWinsWhenAHandleIsListedTwice)
{
    Module1 module;
    Recorder first, second;
    module.TipWindows = { { 0x200, first.proc(11) }, { 0x200, second.proc(22) } };
    module.TipCount = 2;
    EXPECT_EQ(module.BalloonProc(0x200, 1234, 0, 0), 11);
    EXPECT_EQ(first.seen.size(), 1u);
    EXPECT_TRUE(second.seen.empty());
}

TEST(BalloonProcDispatch, printLeavesExactlyOneQueuedPaintAndIsForwardedNowhere)
{
    QWidget owner;
    Recorder own;
    // Owned by `owner`: the module ends the windows of its table with it.
    auto &window = *new wm::PopupWindow(&owner, own.proc(9), 0);
    Module1 module;
    module.TipWindows = { { window.handle(), own.proc(9) } };
    module.TipCount = 1;
    wm::SetWindowLongA(window.handle(), wm::GWL_WNDPROC,
                       wm::WNDPROC([&](wm::HWND h, wm::UINT m, wm::WPARAM w, wm::LPARAM l) {
                           return module.BalloonProc(h, m, w, l);
                       }));

    EXPECT_EQ(module.BalloonProc(window.handle(), wm::WM_PRINT, 0x77, 0), 1);
    EXPECT_EQ(wm::pendingMessages(window.handle(), wm::WM_PAINT), 1u);
    EXPECT_TRUE(own.seen.empty());
    QCoreApplication::processEvents(); // the queued paint runs the balloon painting
    EXPECT_EQ(wm::pendingMessages(window.handle(), wm::WM_PAINT), 0u);
    EXPECT_TRUE(std::none_of(own.seen.begin(), own.seen.end(),
                             [](const auto &m) { return m.second == wm::WM_PAINT; }));
    EXPECT_TRUE(window.isVisible());
}

// Stands in for the platform's tooltip class so the messages reaching the control's own
// procedure can be seen.
struct RecordingTooltipClass
{
    RecordingTooltipClass(Module1 &module)
    {
        wm::registerWindowClass(
            u"tooltips_class32"_s, [this, &module](QWidget *owner, wm::LONG style) {
                auto *window = new wm::PopupWindow(
                    owner,
                    [this, &module](wm::HWND hwnd, wm::UINT msg, wm::WPARAM, wm::LPARAM) {
                        seen.push_back({ msg, module.TipCount });
                        (void)hwnd;
                        return msg == wm::TTM_ADDTOOLA ? 1 : 0;
                    },
                    style | wm::WS_BORDER);
                return window->handle();
            });
    }
    ~RecordingTooltipClass()
    {
        wm::registerWindowClass(u"tooltips_class32"_s, wm::ToolTipControl::create);
    }
    struct Seen
    {
        wm::UINT msg;
        std::int32_t tipCount; // the table's size when the message arrived
    };
    std::vector<Seen> seen;
};

TEST(CreateBalloonTip, registersBeforeSubclassingAndForwardsTheStyleChange)
{
    QWidget form;
    QWidget *control = new QWidget(&form);
    Module1 module;
    RecordingTooltipClass tooltipClass(module);
    module.CreateBalloonTip(*control, u"Uno\nOne"_s, form);

    ASSERT_EQ(tooltipClass.seen.size(), 3u);
    EXPECT_EQ(tooltipClass.seen[0].msg, wm::TTM_ADDTOOLA);
    EXPECT_EQ(tooltipClass.seen[0].tipCount, 0);
    // The style notifications come after the entry is complete: through BalloonProc.
    EXPECT_EQ(tooltipClass.seen[1].msg, wm::WM_STYLECHANGING);
    EXPECT_EQ(tooltipClass.seen[1].tipCount, 1);
    EXPECT_EQ(tooltipClass.seen[2].msg, wm::WM_STYLECHANGED);

    ASSERT_EQ(module.TipCount, 1);
    ASSERT_EQ(module.TipWindows.size(), 1u);
    const wm::HWND tip = module.TipWindows[0].TipHwnd;
    EXPECT_TRUE(wm::IsWindow(tip));
    EXPECT_EQ(wm::widgetFromWindow(tip)->parentWidget(), &form);
    EXPECT_FALSE(wm::GetWindowLongA(tip, wm::GWL_STYLE) & wm::WS_BORDER);
    EXPECT_TRUE(wm::GetWindowLongA(tip, wm::GWL_STYLE) & wm::TTS_ALWAYSTIP);
    // Forwarded messages reach the previous procedure with their answer.
    EXPECT_EQ(wm::SendMessageA(tip, wm::TTM_ADDTOOLA, 0, 0), 1);
}

TEST(CreateBalloonTip, theTableGrowsInCallOrder)
{
    QWidget form;
    Module1 module;
    std::vector<QWidget *> controls;
    for (int i = 0; i < 3; ++i) {
        controls.push_back(new QWidget(&form));
        module.CreateBalloonTip(*controls.back(), QString::number(i), form);
    }
    ASSERT_EQ(module.TipCount, 3);
    for (int i = 0; i < 3; ++i) {
        const wm::HWND tip = module.TipWindows[size_t(i)].TipHwnd;
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(controls[size_t(i)], &enter);
        wm::ToolTipControl::fromWindow(tip)->fireShowTimer();
        char text[8] = {};
        wm::GetWindowTextA(tip, text, 8);
        EXPECT_EQ(QByteArray(text), QByteArray::number(i));
    }
}

TEST(CreateBalloonTip, makesThePlatformTooltipWhateverWasRegisteredBefore)
{
    // A class left behind by someone else must not swallow the module's tips.
    wm::registerWindowClass(u"tooltips_class32"_s, [](QWidget *, wm::LONG) { return wm::HWND(0); });
    QWidget form;
    QWidget *control = new QWidget(&form);
    Module1 module;
    module.CreateBalloonTip(*control, u"Uno"_s, form);
    ASSERT_EQ(module.TipCount, 1);
    EXPECT_NE(wm::ToolTipControl::fromWindow(module.TipWindows[0].TipHwnd), nullptr);
}

// One form with one control and its balloon, shown with the mouse at a chosen place.
struct Balloon
{
    explicit Balloon(const QString &text, QPoint cursorAt = { 100, 200 }) : cursor(cursorAt)
    {
        wm::setCursorPosSource([this] { return cursor; });
        control = new QWidget(&form);
        module.CreateBalloonTip(*control, text, form);
        tip = module.TipWindows[0].TipHwnd;
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(control, &enter);
        wm::ToolTipControl::fromWindow(tip)->fireShowTimer();
        QCoreApplication::processEvents();
    }
    ~Balloon() { wm::setCursorPosSource({}); }
    QRect rect() const
    {
        wm::RECT r;
        wm::GetWindowRect(tip, &r);
        return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
    }
    QImage image() const { return wm::ToolTipControl::fromWindow(tip)->image(); }
    void repaint()
    {
        wm::setCursorPosSource([this] { return cursor; });
        wm::SendMessageA(tip, wm::WM_PAINT, 0, 0);
        QCoreApplication::processEvents();
    }

    QPoint cursor;
    QWidget form;
    QWidget *control = nullptr;
    Module1 module;
    wm::HWND tip = 0;
};

TEST(BalloonGeometry, sizeFollowsTheTextAndPlaceFollowsTheCursor)
{
    const QString spanish = u"Define el alto para redimensionar la imagen."_s;
    const QString english = u"Sets the height."_s;
    Balloon two(spanish + u'\n' + english);
    Balloon first(spanish);
    Balloon second(english);
    EXPECT_EQ(two.rect().height(), 2 * 13 + 24);
    EXPECT_EQ(first.rect().height(), 13 + 24);
    EXPECT_EQ(two.rect().width(), std::max(first.rect().width(), second.rect().width()));
    EXPECT_GT(first.rect().width(), second.rect().width());
    EXPECT_GT(second.rect().width(), 16 + 50);

    EXPECT_EQ(two.rect().topLeft(), QPoint(98, 220));
    EXPECT_TRUE(wm::IsWindowVisible(two.tip));
    two.cursor = QPoint(300, 400);
    two.repaint();
    EXPECT_EQ(two.rect().topLeft(), QPoint(298, 420));
    EXPECT_EQ(two.rect().height(), 50);
}

TEST(BalloonGeometry, anEmptyTextGivesTheBareBalloonWithoutText)
{
    Balloon empty { QString() };
    EXPECT_EQ(empty.rect().size(), QSize(16, 24));
    const QImage image = empty.image();
    const QColor background = wm::toQColor(wm::GetSysColor(wm::COLOR_INFOBK));
    const QColor text = wm::toQColor(wm::GetSysColor(wm::COLOR_INFOTEXT));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            EXPECT_NE(image.pixelColor(x, y), text) << x << "," << y;
    EXPECT_EQ(image.pixelColor(5, 16), background);
}

const QColor kDark(64, 64, 64);

// The pixels inside the outline that differ from the balloon's background.
QRegion ink(const QImage &image, const QColor &background)
{
    QRegion region;
    for (int y = 9; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (image.pixelColor(x, y) != background && image.pixelColor(x, y) != kDark)
                region += QRect(x, y, 1, 1);
    return region;
}

struct PaletteScope
{
    PaletteScope() : saved(QGuiApplication::palette()) { }
    ~PaletteScope() { QGuiApplication::setPalette(saved); }
    void set(const QColor &base, const QColor &text, const QColor &light)
    {
        QPalette palette = saved;
        palette.setColor(QPalette::ToolTipBase, base);
        palette.setColor(QPalette::ToolTipText, text);
        palette.setColor(QPalette::Light, light);
        QGuiApplication::setPalette(palette);
    }
    QPalette saved;
};

TEST(BalloonPixels, outlinedInDarkGreyWithTheTextOverItsLightCopy)
{
    PaletteScope palette;
    const QColor base(255, 255, 225), text(200, 0, 0), light(0, 160, 0);
    Balloon balloon(u"Hola mundo\nHello world"_s);
    const int w = balloon.rect().width(), h = balloon.rect().height();

    palette.set(base, text, light);
    balloon.repaint();
    const QImage both = balloon.image();
    const QColor dark = kDark;
    EXPECT_EQ(both.pixelColor(0, h / 2), dark);
    EXPECT_EQ(both.pixelColor(w - 1, h / 2), dark);
    EXPECT_EQ(both.pixelColor(w / 2, h - 1), dark);
    EXPECT_EQ(both.pixelColor(w / 2, 8), dark);
    EXPECT_EQ(both.pixelColor(8, 3), dark); // the pointer's vertical edge
    EXPECT_EQ(both.pixelColor(10, 3), dark); // and its slope
    EXPECT_EQ(both.pixelColor(9, 5), base);
    EXPECT_EQ(both.pixelColor(10, 8), base); // the pointer opens into the body
    EXPECT_EQ(both.pixelColor(w / 2, 11), base);
    // Outside the outline: not painted by the balloon; the tooltip background without a
    // compositing desktop.
    EXPECT_EQ(both.pixelColor(0, 0), base);
    EXPECT_EQ(both.pixelColor(w - 1, 2), base);
    EXPECT_EQ(both.pixelColor(0, h - 1), base);

    // Each pass alone: the text pass hidden in the background, then the light one.
    palette.set(base, text, base);
    balloon.repaint();
    const QRegion textInk = ink(balloon.image(), base);
    palette.set(base, base, text); // the same colour, so that faint edges blend alike
    balloon.repaint();
    const QRegion lightInk = ink(balloon.image(), base);
    ASSERT_FALSE(textInk.isEmpty());
    // The copy is the text moved by (1, 1), except where the text is drawn over it.
    const QRegion copy = textInk.translated(1, 1);
    EXPECT_TRUE(lightInk.subtracted(copy).isEmpty());
    EXPECT_TRUE(copy.subtracted(lightInk).subtracted(textInk).isEmpty());
    EXPECT_EQ(lightInk.boundingRect().bottomRight(), copy.boundingRect().bottomRight());
    EXPECT_GE(textInk.boundingRect().left(), 7);
    EXPECT_GE(textInk.boundingRect().top(), 15);
    EXPECT_LE(textInk.boundingRect().bottom(), 15 + 2 * 13);
    EXPECT_LE(textInk.boundingRect().right(), w - 8);
    // Where the light copy is not covered, it shows; the text shows in its own colour.
    bool textColourSeen = false, lightColourSeen = false;
    for (const QRect &r : textInk)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                textColourSeen |= both.pixelColor(x, y) == text;
    for (const QRect &r : lightInk.subtracted(textInk))
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                lightColourSeen |= both.pixelColor(x, y) == light;
    EXPECT_TRUE(textColourSeen);
    EXPECT_TRUE(lightColourSeen);
}

TEST(BalloonPixels, aTwoLineBalloonLooksAsExpected)
{
    PaletteScope palette;
    palette.set(QColor(255, 255, 225), QColor(0, 0, 0), QColor(255, 255, 255));
    Balloon balloon(u"Define el ancho.\nSets the width."_s);
    // Room for a font's anti-aliasing to differ slightly; the outline and the layout may not.
    EXPECT_TRUE(expected::matchesPicture(
        balloon.image(), QStringLiteral(FRAMOLIN_EXPECTED_DIR "/two_line_balloon.png"),
        { .channel = 24, .pixels = 12 }));
}

TEST(BalloonPixels, aPaintLeavesThePreviousFontSelectedAndReleasesWhatItMade)
{
    Balloon balloon(u"Uno\nOne"_s);
    std::vector<wm::HGDIOBJ> fontsAtEnd;
    wm::setEndPaintHook([&](wm::HWND, wm::HDC dc) {
        fontsAtEnd.push_back(wm::GetCurrentObject(dc, wm::OBJ_FONT));
    });
    const std::size_t objects = wm::gdiObjectCount();
    balloon.repaint();
    wm::setEndPaintHook({});
    ASSERT_EQ(fontsAtEnd.size(), 1u);
    EXPECT_EQ(fontsAtEnd[0], wm::GetStockObject(wm::SYSTEM_FONT));
    EXPECT_EQ(wm::gdiObjectCount(), objects);
}

} // namespace

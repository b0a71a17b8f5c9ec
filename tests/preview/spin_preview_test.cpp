// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/spin_preview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using preview::SpinPreview;
using preview::StripView;
using namespace Qt::StringLiterals;

namespace {

constexpr QSize kFrame(40, 30);

QColor frameColor(int i)
{
    return QColor::fromRgb(20 * i, 255 - 20 * i, (37 * i) % 256);
}

// A one-column strip whose frame i is one flat colour, with a marker pixel in its corner so
// that a slice off by a row is caught too.
QImage strip(int frames)
{
    QImage image(kFrame.width(), kFrame.height() * frames, QImage::Format_RGB888);
    for (int i = 0; i < frames; ++i) {
        for (int y = 0; y < kFrame.height(); ++y)
            for (int x = 0; x < kFrame.width(); ++x)
                image.setPixelColor(x, i * kFrame.height() + y, frameColor(i));
        image.setPixelColor(0, i * kFrame.height(), Qt::white);
    }
    return image;
}

struct Fixture
{
    explicit Fixture(int frames) : image(strip(frames)), view { &image, kFrame, frames }
    {
        preview.resize(400, 300);
    }
    QImage image;
    StripView view;
    SpinPreview preview { [this] { return view; } };

    QWidget *frameWidget() { return preview.focusProxy(); }
    QImage slice(int i) const { return image.copy(QRect(QPoint(0, i * kFrame.height()), kFrame)); }
    void key(Qt::Key k)
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(&preview, &press);
    }
    void drag(int dx)
    {
        QWidget *w = frameWidget();
        const QPointF start(100, 50), end(100.0 + dx, 50);
        QMouseEvent down(QEvent::MouseButtonPress, start, w->mapToGlobal(start), Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
        QMouseEvent move(QEvent::MouseMove, end, w->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QMouseEvent up(QEvent::MouseButtonRelease, end, w->mapToGlobal(end), Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &down);
        QApplication::sendEvent(w, &move);
        QApplication::sendEvent(w, &up);
    }
    void wheel(int delta)
    {
        QWidget *w = frameWidget();
        QWheelEvent event(QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &event);
    }
};

struct Turn
{
    const char *name;
    std::function<void(Fixture &)> act;
    int expected;
};

} // namespace

TEST(SpinPreview, dragsKeysAndWheelShowTheStripsOwnSlicesAndWrapAtBothEnds)
{
    const Turn turns[] = {
        { "two right arrows", [](Fixture &f) { f.key(Qt::Key_Right), f.key(Qt::Key_Right); }, 2 },
        { "down arrow", [](Fixture &f) { f.key(Qt::Key_Down); }, 1 },
        { "left arrow from the first wraps", [](Fixture &f) { f.key(Qt::Key_Left); }, 4 },
        { "end, then right wraps", [](Fixture &f) { f.key(Qt::Key_End), f.key(Qt::Key_Right); },
          0 },
        { "drag right three steps", [](Fixture &f) { f.drag(3 * SpinPreview::kPixelsPerFrame); },
          3 },
        { "drag short of a step", [](Fixture &f) { f.drag(SpinPreview::kPixelsPerFrame - 1); }, 0 },
        { "drag left one step wraps", [](Fixture &f) { f.drag(-SpinPreview::kPixelsPerFrame); },
          4 },
        { "drag right a whole turn and one",
          [](Fixture &f) { f.drag(6 * SpinPreview::kPixelsPerFrame); }, 1 },
        { "wheel towards the user", [](Fixture &f) { f.wheel(-120); }, 1 },
        { "wheel away wraps", [](Fixture &f) { f.wheel(120); }, 4 },
        { "two half notches make a step", [](Fixture &f) { f.wheel(-60), f.wheel(-60); }, 1 },
    };
    for (const Turn &turn : turns) {
        SCOPED_TRACE(turn.name);
        Fixture f(5);
        turn.act(f);
        EXPECT_EQ(f.preview.currentFrame(), turn.expected);
        EXPECT_EQ(f.preview.currentFrameImage(), f.slice(turn.expected));
        EXPECT_EQ(f.preview.statusText(), u"%1 / 5"_s.arg(turn.expected + 1));
    }
}

TEST(SpinPreview, paintsTheFrameItShowsAtAWholeZoom)
{
    Fixture f(4);
    f.preview.setCurrentFrame(2);
    f.preview.resize(kFrame.width() * 5, kFrame.height() * 6);
    const QImage shown = f.frameWidget()->grab().toImage();
    const QRect at = f.preview.shownRect();
    ASSERT_EQ(at.width() % kFrame.width(), 0) << "a whole zoom";
    const int zoom = at.width() / kFrame.width();
    ASSERT_GE(zoom, 2);
    EXPECT_EQ(at.size(), kFrame * zoom);
    EXPECT_EQ(shown.pixelColor(at.center()), frameColor(2));
    // The marker covers the frame's top-left zoom × zoom pixels.
    EXPECT_EQ(shown.pixelColor(at.topLeft() + QPoint(zoom - 1, zoom - 1)), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(at.topLeft() + QPoint(zoom, zoom)), frameColor(2));
}

TEST(SpinPreview, playingAdvancesAndStopsOnADrag)
{
    Fixture f(3);
    f.preview.setFramesPerSecond(60);
    f.preview.setPlaying(true);
    ASSERT_TRUE(f.preview.playing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.preview.currentFrame() == 2; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.preview.currentFrame() == 0; }, 5000));
    f.drag(SpinPreview::kPixelsPerFrame);
    EXPECT_FALSE(f.preview.playing());
}

TEST(SpinPreview, followsAStripAsItIsPaintedAndSaysWhenThereIsNone)
{
    Fixture f(0);
    EXPECT_EQ(f.preview.frameCount(), 0);
    EXPECT_TRUE(f.preview.currentFrameImage().isNull());
    EXPECT_TRUE(f.preview.statusText().startsWith(u"Todavía no hay tira"_s));
    f.preview.setPlaying(true);
    EXPECT_FALSE(f.preview.playing()) << "nothing to turn";

    // An assembly paints frame after frame into a strip sized for all of them.
    const QImage full = strip(3);
    f.image = QImage(full.size(), full.format());
    f.image.fill(Qt::black);
    for (int painted = 1; painted <= 3; ++painted) {
        const QRect rows(QPoint(0, (painted - 1) * kFrame.height()), kFrame);
        for (int y = rows.top(); y <= rows.bottom(); ++y)
            std::memcpy(f.image.scanLine(y), full.constScanLine(y),
                        std::size_t(full.bytesPerLine()));
        f.view = StripView { &f.image, kFrame, painted };
        f.preview.stripChanged();
        f.preview.setCurrentFrame(painted - 1);
        EXPECT_EQ(f.preview.frameCount(), painted);
        EXPECT_EQ(f.preview.currentFrameImage(), f.slice(painted - 1));
    }
    f.key(Qt::Key_Right);
    EXPECT_EQ(f.preview.currentFrame(), 0);

    // A new run with fewer frames keeps the shown index inside them.
    f.preview.setCurrentFrame(2);
    f.view.frames = 2;
    f.preview.stripChanged();
    EXPECT_LT(f.preview.currentFrame(), 2);

    f.preview.switchToEnglish();
    f.view.frames = 0;
    f.preview.stripChanged();
    EXPECT_TRUE(f.preview.statusText().startsWith(u"No strip yet"_s));
    EXPECT_EQ(f.preview.windowTitle(), u"Preview"_s);
}

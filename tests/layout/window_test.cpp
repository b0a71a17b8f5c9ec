// SPDX-License-Identifier: GPL-3.0-or-later
// The layout as the real window runs it: its own resize and pointer events, its gradient on
// screen, and the strip that neither may crop.

#include "expected_picture.h"
#include "pictures.h"
#include "window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QColor &color, std::ostream *os)
{
    *os << "rgb(" << color.red() << ", " << color.green() << ", " << color.blue() << ")";
}

namespace {

struct Window : fakes::Window
{
    Window()
    {
        form.show();
        QCoreApplication::processEvents();
    }
    void resize(int widthPx, int heightPx)
    {
        form.resize(widthPx, heightPx);
        QCoreApplication::processEvents();
    }
};

QColor rgb(int r, int g, int b)
{
    return QColor(r, g, b);
}

void send(QWidget *widget, QEvent::Type type, QPointF pos, Qt::MouseButton button,
          Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST(WindowLayout, laysOutAndPaintsTheGradientWhenFirstShown)
{
    Window w;
    EXPECT_EQ(w.form.objeto->Height(), w.form.Height() - 1215);
    EXPECT_EQ(w.form.arr->Height(), w.form.objeto->Height());
    EXPECT_EQ(w.form.progreso->Width(), w.form.Width() - 300);
    EXPECT_TRUE(w.form.AutoRedraw());

    const QImage &image = w.form.client()->Image();
    ASSERT_EQ(image.size(), w.form.client()->size());
    EXPECT_EQ(image.pixelColor(0, 0), rgb(103, 68, 14));
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), rgb(62, 62, 62));
    EXPECT_TRUE(w.s.boxes.shown.empty());
}

TEST(WindowLayout, paintsTheDesignSizedWindowsGradientBandByBand)
{
    Window w;
    EXPECT_TRUE(expected::matchesPicture(
        w.form.client()->Image(), QStringLiteral(FRAMOLIN_EXPECTED_DIR "/design_gradient.png")));
}

TEST(WindowLayout, showsTheGradientAroundTheControlsAndTheirOwnBackgroundInside)
{
    Window w;
    const QImage shot = w.form.client()->grab().toImage();
    // Left of the column of boxes, and between two of them.
    EXPECT_EQ(shot.pixelColor(5, 2), rgb(103, 68, 14));
    const QColor between = shot.pixelColor(100, 108); // 1620 twips: between Picture1 and 2
    EXPECT_NE(between, w.form.Picture1->client()->BackColor());
    EXPECT_GT(between.red(), between.blue());
    // Inside a box, right of its label, and inside the canvas: their own background.
    const QPoint inBox = w.form.Picture1->client()->mapTo(w.form.client(), QPoint(115, 5));
    EXPECT_EQ(shot.pixelColor(inBox), w.form.Picture1->client()->BackColor());
    const QPoint inCanvas = w.form.objeto->client()->mapTo(w.form.client(), QPoint(100, 100));
    EXPECT_EQ(shot.pixelColor(inCanvas), w.form.objeto->client()->BackColor());
}

TEST(WindowLayout, followsEveryResizeOfTheWindow)
{
    Window w;
    w.resize(900, 1000);
    EXPECT_EQ(w.form.objeto->Height(), w.form.Height() - 1215);
    EXPECT_EQ(w.form.Picture7->Width(), w.form.Width() - 300);
    const QImage &image = w.form.client()->Image();
    ASSERT_EQ(image.size(), w.form.client()->size());
    EXPECT_EQ(image.pixelColor(899, 0), rgb(103, 68, 14));
    EXPECT_EQ(image.pixelColor(899, image.height() - 1), rgb(62, 62, 62));

    // Too small for the margins, and minimised: nothing fails.
    w.resize(10, 10);
    EXPECT_EQ(w.form.objeto->Height(), 0);
    EXPECT_EQ(w.form.progreso->Width(), 0);
    w.form.showMinimized();
    QCoreApplication::processEvents();
    w.form.showNormal();
    QCoreApplication::processEvents();
    // Taller than the gradient's 16-bit reach: the bands stop, the layout is still done.
    w.resize(600, 2400);
    EXPECT_EQ(w.form.objeto->Height(), w.form.Height() - 1215);
    EXPECT_EQ(w.form.client()->Image().pixelColor(0, 32767 / 15 - 10), rgb(62, 62, 62));
    EXPECT_TRUE(w.s.boxes.shown.empty());
}

TEST(WindowLayout, aWindowWiderThanSixteenBitsReachGetsTheGradientAcrossUpToThere)
{
    Window w;
    w.resize(900, 700);
    w.resize(2600, 700); // a maximised window on a 2560-pixel monitor, and more
    const QImage &image = w.form.client()->Image();
    ASSERT_EQ(image.width(), 2600);
    const int lastBand = image.height() - 1;
    for (const int x : { 0, 899, 1500, 32767 / 15 - 1 }) {
        EXPECT_EQ(image.pixelColor(x, 0), rgb(103, 68, 14)) << x;
        EXPECT_EQ(image.pixelColor(x, lastBand), rgb(62, 62, 62)) << x;
    }
    // Beyond the painter's reach the plain background stays, as below a very tall window.
    EXPECT_EQ(image.pixelColor(2599, 0), w.form.client()->BackColor());
    EXPECT_TRUE(w.s.boxes.shown.empty());
}

class WindowDrags : public testing::TestWithParam<Qt::MouseButton>
{
};

TEST_P(WindowDrags, followThePointerWithAnyButton)
{
    const Qt::MouseButton button = GetParam();
    Window w;
    // The splitter: grabbed 2 pixels (30 twips) from its edge, moved 20 pixels right.
    send(w.form.arr, QEvent::MouseButtonPress, { 2, 100 }, button, button);
    EXPECT_EQ(w.form.MousePointer(), 9);
    send(w.form.arr, QEvent::MouseMove, { 22, 100 }, Qt::NoButton, button);
    EXPECT_EQ(w.form.arr->Left(), 6840 + 300);
    send(w.form.arr, QEvent::MouseButtonRelease, { 2, 100 }, button, Qt::NoButton);
    EXPECT_EQ(w.form.objeto->Width(), 6840 + 300 - 2520);
    EXPECT_EQ(w.form.MousePointer(), 0);
    EXPECT_EQ(w.form.focusWidget(), w.form.objeto);

    // The canvas: its pointer positions are pixels of its drawing area.
    QWidget *canvas = w.form.objeto->client();
    send(canvas, QEvent::MouseButtonPress, { 50, 100 }, button, button);
    EXPECT_EQ(w.form.MousePointer(), 15);
    send(canvas, QEvent::MouseMove, { 50, 130 }, Qt::NoButton, button);
    EXPECT_EQ(w.form.objeto->Top(), 120 + 30);
    send(canvas, QEvent::MouseButtonRelease, { 50, 130 }, button, Qt::NoButton);
    EXPECT_EQ(w.form.MousePointer(), 0);
    EXPECT_EQ(w.form.drag().DragActive(), 0);
    EXPECT_TRUE(w.s.boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(, WindowDrags,
                         testing::Values(Qt::LeftButton, Qt::RightButton, Qt::MiddleButton));

TEST(WindowLayout, neverCropsTheAssembledStrip)
{
    QTemporaryDir dir;
    const QString red = dir.filePath(QStringLiteral("red.bmp"));
    const QString blue = dir.filePath(QStringLiteral("blue.bmp"));
    ASSERT_TRUE(pictures::write(pictures::solid(40, 30, Qt::red), red, "BMP"));
    ASSERT_TRUE(pictures::write(pictures::solid(40, 30, Qt::blue), blue, "BMP"));

    Window w;
    w.form.List1->AddItem(red);
    w.form.List1->AddItem(blue);
    w.form.List1->AddItem(red);
    w.form.ancho->setText(QStringLiteral("500"));
    w.form.alto->setText(QStringLiteral("400"));
    w.form.Command2_Click();
    ASSERT_TRUE(w.s.boxes.shown.empty());
    const QImage strip = w.form.objeto->Image().copy();
    ASSERT_EQ(strip.size(), QSize(500, 1200));
    EXPECT_EQ(w.form.objeto->Height(), 1200 * 15);

    // The resize sets the box's height back from the window; the splitter narrows it.
    w.resize(300, 200);
    EXPECT_EQ(w.form.objeto->Height(), w.form.Height() - 1215);
    send(w.form.arr, QEvent::MouseButtonPress, { 2, 10 }, Qt::LeftButton, Qt::LeftButton);
    send(w.form.arr, QEvent::MouseMove, { -200, 10 }, Qt::NoButton, Qt::LeftButton);
    send(w.form.arr, QEvent::MouseButtonRelease, { -200, 10 }, Qt::LeftButton, Qt::NoButton);
    EXPECT_LT(w.form.objeto->Width(), 3000);
    QWidget *canvas = w.form.objeto->client();
    send(canvas, QEvent::MouseButtonPress, { 5, 5 }, Qt::LeftButton, Qt::LeftButton);
    send(canvas, QEvent::MouseMove, { 5, -300 }, Qt::NoButton, Qt::LeftButton);
    send(canvas, QEvent::MouseButtonRelease, { 5, -300 }, Qt::LeftButton, Qt::NoButton);
    w.resize(1200, 900);

    EXPECT_EQ(w.form.objeto->Image(), strip);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "assembly_controls.h"
#include "bmp_variants.h"
#include "fakes.h"
#include "pictures.h"

#include "runtime/form.h"
#include "strip/assembly.h"

#include <QMouseEvent>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Notes the yield during which each mouse event reached the canvas.
class MouseLog : public QObject
{
public:
    explicit MouseLog(const fakes::EventPump &events) : m_events(events) { }
    std::vector<std::pair<QEvent::Type, int>> seen;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove
            || event->type() == QEvent::MouseButtonRelease)
            seen.emplace_back(event->type(), m_events.calls);
        return false;
    }

private:
    const fakes::EventPump &m_events;
};

void postMouse(QWidget *target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QCoreApplication::postEvent(target,
                                new QMouseEvent(type, at, target->mapToGlobal(at), Qt::LeftButton,
                                                buttons, Qt::NoModifier));
}

} // namespace

TEST(AssemblyScale, tenThousandFramesCompleteWhileAResizeAndADragLandBetweenFrames)
{
    constexpr int kFrames = 10'000;
    QTemporaryDir dir;
    const QString red = dir.filePath(u"r.bmp"_s);
    const QString blue = dir.filePath(u"b.bmp"_s);
    ASSERT_TRUE(pictures::writeBytes(red, pictures::bmp(pictures::solid(8, 2, Qt::red), {})));
    ASSERT_TRUE(pictures::writeBytes(blue, pictures::bmp(pictures::solid(8, 2, Qt::blue), {})));

    fakes::Services s;
    AssemblyControls c(u"8"_s, u"2"_s);
    auto &[form, List1, ancho, alto, objeto, buff, Command5] = c;
    for (int i = 0; i < kFrames; ++i)
        List1->AddItem(i % 2 ? blue : red);
    int reports = 0;
    strip::Assembly assembly { *List1, *ancho,    *alto,    *objeto,
                               *buff,  *Command5, s.events, [&](double, double) { ++reports; } };
    form.resize(800, 600);
    form.show();
    QCoreApplication::processEvents();

    // The window is resized during the 3000th yield, and the canvas dragged during the 6000th.
    std::vector<int> resizedAt;
    QObject::connect(&form, &runtime::Form::Resize, [&] { resizedAt.push_back(s.events.calls); });
    MouseLog mouse(s.events);
    objeto->client()->installEventFilter(&mouse);
    s.events.actions[3000] = [&] { form.resize(640, 480); };
    s.events.actions[6000] = [&] {
        QWidget *canvas = objeto->client();
        postMouse(canvas, QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton);
        postMouse(canvas, QEvent::MouseMove, QPoint(30, 40), Qt::LeftButton);
        postMouse(canvas, QEvent::MouseButtonRelease, QPoint(30, 40), Qt::NoButton);
    };
    s.program.run([&] { assembly.Command2_Click(); });

    EXPECT_TRUE(s.boxes.shown.empty());
    EXPECT_EQ(s.events.calls, kFrames);
    EXPECT_EQ(reports, kFrames);
    EXPECT_TRUE(Command5->isEnabled());
    ASSERT_EQ(objeto->Image().size(), QSize(8, 2 * kFrames));
    for (const int frame : { 0, 2999, 3000, 6001, kFrames - 1 })
        EXPECT_EQ(QColor(objeto->Image().pixel(4, 2 * frame + 1)),
                  QColor(frame % 2 ? Qt::blue : Qt::red))
            << frame;
    ASSERT_FALSE(resizedAt.empty());
    EXPECT_EQ(resizedAt.front(), 3000);
    EXPECT_EQ(form.size(), QSize(640, 480));
    ASSERT_EQ(mouse.seen.size(), 3u);
    for (const auto &[type, call] : mouse.seen)
        EXPECT_EQ(call, 6000) << type;
}

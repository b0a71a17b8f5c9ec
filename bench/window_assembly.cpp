// SPDX-License-Identifier: GPL-3.0-or-later
// The window's assembly run offscreen, as a user would run it: the list filled, "Comenzar
// montaje" with its per-frame repaint and yield, then the strip saved as "Guardar imágen" does.
// Prints the longest pause between two yields to the event loop, from the click to the end of
// the run (how long the window froze), and the time from the click to the saved file, which
// leaves out starting the program and opening the window.
// Usage: window_assembly WIDTH HEIGHT OUT.bmp FILE...

#include "form1.h"

#include "engine/bmp.h"
#include "engine/strip_writer.h"
#include "runtime/error.h"
#include "runtime/program.h"
#include "runtime/qtservices.h"

#include <QApplication>
#include <QElapsedTimer>

#include <malloc.h>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// The window's own yield, timing the longest stretch spent away from the event loop.
class TimedPump : public runtime::EventPump
{
public:
    explicit TimedPump(runtime::EventPump &pump) : m_pump(pump) { }
    // The click: the window is busy from here until its first yield.
    void start() { m_clock.start(); }
    void DoEvents() override
    {
        lap();
        m_pump.DoEvents();
        m_clock.start();
    }
    void lap() { longest = std::max(longest, m_clock.nsecsElapsed()); }
    qint64 longest = 0;

private:
    runtime::EventPump &m_pump;
    QElapsedTimer m_clock;
};

} // namespace

int main(int argc, char *argv[])
{
    // Each frame allocates the same few picture buffers again; kept on the heap instead of
    // being mapped and unmapped each time, they cost no page faults.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: window_assembly WIDTH HEIGHT OUT.bmp FILE...\n");
        return 2;
    }
    runtime::QtMessageBoxes boxes;
    runtime::Program program(boxes);
    runtime::QtEventPump pump(program);
    TimedPump events(pump);
    runtime::DesktopStarter starter;
    runtime::IniSettingsStore settings;
    runtime::QtFileDialogs dialogs;
    app::Form1 form(app::Services { program, boxes, events, starter, settings, dialogs });
    form.show();
    for (qsizetype i = 4; i < args.size(); ++i)
        form.List1->AddItem(args[i]);
    form.ancho->setText(args[1]);
    form.alto->setText(args[2]);
    QElapsedTimer clicked;
    clicked.start();
    events.start();
    try {
        form.Command2_Click();
    } catch (const runtime::RuntimeError &error) {
        std::fprintf(stderr, "window_assembly: %s\n", qUtf8Printable(error.description()));
        return 1;
    }
    events.lap(); // the last frame up to the end of the run
    QString reason;
    if (!engine::saveStrip(form.objeto->Image(), args[3], engine::StripFormat::Bmp, &reason)) {
        std::fprintf(stderr, "window_assembly: %s\n", qUtf8Printable(reason));
        return 1;
    }
    std::printf("longest pause between yields: %.1f ms\n", double(events.longest) / 1e6);
    std::printf("from the click to the saved file: %.3f s\n", double(clicked.nsecsElapsed()) / 1e9);
    return 0;
}

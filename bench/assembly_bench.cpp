// SPDX-License-Identifier: GPL-3.0-or-later
// Assembles a long strip in the window's canvas (offscreen) and reports the time, the longest
// pause between two yields to the event loop and the peak memory against the strip's own size.
// Usage: framolin_bench_assembly [FRAMES [WIDTH HEIGHT]]   (10000, 320 x 200 by default)

#include "corpus.h"

#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/program.h"
#include "strip/assembly.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

double peakRssMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

class PrintedBoxes : public runtime::MessageBoxes
{
public:
    int MsgBox(const QString &prompt, int, const QString &) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(prompt));
        failed = true;
        return runtime::mb::kOk;
    }
    bool failed = false;
};

// Yields as the window does, timing the longest stretch spent away from the event loop.
class TimedPump : public runtime::EventPump
{
public:
    void DoEvents() override
    {
        if (m_clock.isValid())
            longest = std::max(longest, m_clock.nsecsElapsed());
        QCoreApplication::processEvents();
        m_clock.start();
    }
    qint64 longest = 0;

private:
    QElapsedTimer m_clock;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int frames = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10'000;
    const int width = argc > 3 ? QString::fromLocal8Bit(argv[2]).toInt() : 320;
    const int height = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 200;

    QTemporaryDir dir;
    const QStringList corpus = bench::makeCorpus(dir.path(), 100);
    if (corpus.isEmpty())
        return 2;

    PrintedBoxes boxes;
    runtime::Program program(boxes);
    TimedPump events;
    runtime::Form form;
    auto *List1 = new runtime::ListBox(form.client());
    auto *ancho = new runtime::TextBox(form.client());
    auto *alto = new runtime::TextBox(form.client());
    auto *objeto = new runtime::PictureBox(form.client());
    auto *buff = new runtime::PictureBox(objeto->client());
    auto *Command5 = new runtime::CommandButton(form.client());
    ancho->setText(QString::number(width));
    alto->setText(QString::number(height));
    objeto->Move(2520, 120, 4335, 4815);
    objeto->client()->setScaleMode(runtime::ScaleMode::Pixels);
    objeto->setAutoRedraw(true);
    strip::Assembly::prepareCanvas(*objeto);
    buff->hide();
    for (int i = 0; i < frames; ++i)
        List1->AddItem(corpus[i % corpus.size()]);
    strip::Assembly assembly(*List1, *ancho, *alto, *objeto, *buff, *Command5, events,
                             [](double, double) {});
    form.show();
    QCoreApplication::processEvents();

    const double before = peakRssMegabytes();
    QElapsedTimer clock;
    clock.start();
    program.run([&] { assembly.Command2_Click(); });
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const double peak = peakRssMegabytes();
    const double strip = double(objeto->Image().sizeInBytes()) / (1024.0 * 1024.0);

    std::printf("frames %d of %d x %d: strip %d x %d, %.1f MB\n", frames, width, height,
                objeto->Image().width(), objeto->Image().height(), strip);
    std::printf("time %.2f s (%.3f ms a frame), longest pause between yields %.1f ms\n", seconds,
                seconds * 1000.0 / frames, double(events.longest) / 1e6);
    std::printf("peak RSS %.1f MB (%.1f MB before the run): %.2f x the strip\n", peak, before,
                (peak - before) / strip);
    return boxes.failed ? 1 : 0;
}

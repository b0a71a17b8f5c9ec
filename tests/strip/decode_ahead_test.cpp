// SPDX-License-Identifier: GPL-3.0-or-later
// The assembly decodes the next frames on worker threads: whatever the user does between
// frames, the strip, the canvas height, the progress and the messages are those of painting
// each frame from its file on its turn; and no worker outlives a run, however it ends.

#include "assembly_controls.h"
#include "fakes.h"
#include "pictures.h"
#include "threads.h"

#include "engine/pool.h"
#include "strip/assembly.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace Qt::StringLiterals;

namespace {

using pictures::pattern;

// One run of the assembly on its own controls and its own copy of the pictures.
struct Window
{
    explicit Window(int decodeThreads)
    {
        const std::vector<std::pair<QSize, const char *>> kinds {
            { { 400, 300 }, "JPG" }, { { 33, 17 }, "BMP" }, { { 50, 60 }, "GIF" },
            { { 20, 20 }, "JPG" },   { { 64, 48 }, "JPG" }, { { 90, 10 }, "BMP" },
        };
        for (int k = 0; k < 12; ++k) {
            const auto &[size, format] = kinds[size_t(k) % kinds.size()];
            files.append(
                dir.filePath(u"p%1.%2"_s.arg(k).arg(QString::fromLatin1(format).toLower())));
            EXPECT_TRUE(pictures::write(pattern(size.width(), size.height(), k), files.back(),
                                        format, k == 2 ? QColor(0, 0, 0) : QColor()));
        }
        for (const QString &file : files)
            c.List1->AddItem(file);
        assembly.setDecodeThreads(decodeThreads);
    }

    void run(const std::map<int, std::function<void(Window &)>> &actions)
    {
        for (const auto &[yield, action] : actions)
            s.events.actions[yield] = [this, act = action] {
                // The change meets the frames ahead decoded, as on a machine with time to spare.
                assembly.waitForDecodesAhead();
                act(*this);
            };
        s.program.run([this] { assembly.Command2_Click(); });
    }

    // Writes a new picture aside and renames it over `path`, as tools save.
    void replace(const QString &path, const QImage &image)
    {
        const QString aside = dir.filePath(u"aside.bmp"_s);
        ASSERT_TRUE(pictures::write(image, aside, "BMP"));
        ASSERT_TRUE(QFile::remove(path) && QDir().rename(aside, path));
    }

    QTemporaryDir dir;
    QStringList files;
    fakes::Services s;
    AssemblyControls c { u"32"_s, u"20"_s };
    std::vector<std::pair<double, double>> reports;
    strip::Assembly assembly { *c.List1, *c.ancho,
                               *c.alto,  *c.objeto,
                               *c.buff,  *c.Command5,
                               s.events, [this](double v, double m) { reports.emplace_back(v, m); } };
};

struct Scenario
{
    const char *name;
    std::map<int, std::function<void(Window &)>> actions; // by yield, from 1
};

void expectSameRun(const Scenario &scenario)
{
    Window alone(0);
    Window threaded(2);
    alone.run(scenario.actions);
    threaded.run(scenario.actions);
    SCOPED_TRACE(scenario.name);
    EXPECT_EQ(threaded.c.objeto->Image(), alone.c.objeto->Image());
    EXPECT_EQ(threaded.c.objeto->Height(), alone.c.objeto->Height());
    EXPECT_EQ(threaded.c.Command5->isEnabled(), alone.c.Command5->isEnabled());
    EXPECT_EQ(threaded.reports, alone.reports);
    EXPECT_EQ(threaded.s.events.calls, alone.s.events.calls);
    ASSERT_EQ(threaded.s.boxes.shown.size(), alone.s.boxes.shown.size());
    for (std::size_t k = 0; k < alone.s.boxes.shown.size(); ++k)
        EXPECT_EQ(QString(threaded.s.boxes.shown[k].prompt).replace(threaded.dir.path(), u"D"_s),
                  QString(alone.s.boxes.shown[k].prompt).replace(alone.dir.path(), u"D"_s));
    EXPECT_EQ(threads::named(engine::WorkerPool::kThreadName), 0);
}

void removeAt(Window &r, int row)
{
    delete r.c.List1->takeItem(row);
}

} // namespace

TEST(DecodeAhead, paintsTheSameStripAsOneThreadWhateverLandsBetweenFrames)
{
    const std::vector<Scenario> scenarios {
        { "nothing", {} },
        { "size edits",
          { { 3, [](Window &r) { r.c.alto->setText(u"13"_s); } },
            { 6, [](Window &r) { r.c.ancho->setText(u"25"_s); } } } },
        { "a drop", { { 2, [](Window &r) { r.c.List1->AddItem(r.files[0]); } } } },
        { "a removal of the next entry", { { 3, [](Window &r) { removeAt(r, 2); } } } },
        { "a removal further on", { { 3, [](Window &r) { removeAt(r, 4); } } } },
        { "a reorder ahead",
          { { 3,
              [](Window &r) {
                  QListWidgetItem *item = r.c.List1->takeItem(6);
                  r.c.List1->insertItem(3, item);
              } } } },
        { "Borrar", { { 4, [](Window &r) { r.c.List1->Clear(); } } } },
        { "Borrar and other files dropped",
          { { 4,
              [](Window &r) {
                  r.c.List1->Clear();
                  for (qsizetype k = r.files.size() - 1; k >= 0; --k)
                      r.c.List1->AddItem(r.files[k]);
              } } } },
        { "the next file replaced",
          { { 3, [](Window &r) { r.replace(r.files[2], pattern(70, 20, 98)); } } } },
        { "the next file turned into text",
          { { 3,
              [](Window &r) { ASSERT_TRUE(pictures::writeBytes(r.files[2], "no picture")); } } } },
        { "a file replaced further on",
          { { 3, [](Window &r) { r.replace(r.files[5], pattern(70, 20, 99)); } } } },
        { "a file further on turned into text",
          { { 3,
              [](Window &r) { ASSERT_TRUE(pictures::writeBytes(r.files[6], "no picture")); } } } },
        { "all of them",
          { { 2, [](Window &r) { r.c.alto->setText(u"9"_s); } },
            { 3, [](Window &r) { r.c.List1->AddItem(r.files[1]); } },
            { 4, [](Window &r) { removeAt(r, 6); } },
            { 5, [](Window &r) { r.replace(r.files[8], pattern(15, 25, 77)); } },
            { 6,
              [](Window &r) {
                  r.c.List1->Clear();
                  for (const QString &file : r.files)
                      r.c.List1->AddItem(file);
              } },
            { 8, [](Window &r) { r.c.ancho->setText(u"40"_s); } } } },
    };
    for (const Scenario &scenario : scenarios)
        expectSameRun(scenario);
}

TEST(DecodeAhead, endingTheProgramWithDecodesUnderWayStopsQuietlyAndLeavesNoThread)
{
    QTemporaryDir dir;
    const QString big = dir.filePath(u"big.jpg"_s);
    ASSERT_TRUE(pictures::write(pattern(2400, 1800, 3), big, "JPG"));
    fakes::Services s;
    AssemblyControls c(u"320"_s, u"200"_s);
    for (int i = 0; i < 100; ++i)
        c.List1->AddItem(big);
    int reports = 0;
    strip::Assembly assembly { *c.List1, *c.ancho,    *c.alto,  *c.objeto,
                               *c.buff,  *c.Command5, s.events, [&](double, double) { ++reports; } };
    s.events.actions[3] = [&] {
        EXPECT_EQ(threads::named(engine::WorkerPool::kThreadName),
                  engine::WorkerPool::defaultThreads());
        s.program.End();
    };
    s.program.run([&] { assembly.Command2_Click(); });
    EXPECT_EQ(reports, 2);
    EXPECT_TRUE(s.boxes.shown.empty());
    EXPECT_FALSE(c.Command5->isEnabled());
    EXPECT_EQ(threads::named(engine::WorkerPool::kThreadName), 0);
}

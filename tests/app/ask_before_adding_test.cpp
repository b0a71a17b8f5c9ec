// SPDX-License-Identifier: GPL-3.0-or-later
#include "window.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using fakes::Window;

const runtime::DataObject kThreeFiles { { u"/p/1.bmp"_s, u"/p/2.jpg"_s, u"/p/3.gif"_s } };

} // namespace

TEST(AskBeforeAdding, unpressedDropsAddWithoutAQuestion)
{
    Window w;
    w.form.List1_OLEDragDrop(kThreeFiles);
    EXPECT_TRUE(w.s.boxes.shown.empty());
    EXPECT_EQ(w.form.List1->ListCount(), 3);
}

TEST(AskBeforeAdding, pressedAsksNamingTheCountAndAddsOnYes)
{
    Window w;
    w.form.Check1->click();
    ASSERT_EQ(w.form.Check1->Value(), 1);
    w.s.boxes.answers = { runtime::mb::kYes };
    w.form.List1_OLEDragDrop(kThreeFiles);
    ASSERT_EQ(w.s.boxes.shown.size(), 1u);
    EXPECT_EQ(w.s.boxes.shown[0].style, runtime::mb::kYesNo);
    EXPECT_EQ(w.s.boxes.shown[0].prompt, u"¿Desea añadir 3 archivos a la lista?"_s);
    EXPECT_EQ(w.form.List1->ListCount(), 3);
    EXPECT_EQ(w.form.List1->List(2), u"/p/3.gif"_s);

    w.form.List1_OLEDragDrop(runtime::DataObject { { u"/p/4.bmp"_s } });
    EXPECT_EQ(w.s.boxes.shown.back().prompt, u"¿Desea añadir 1 archivo a la lista?"_s);
}

TEST(AskBeforeAdding, pressedAndNoAddsNothingAndLeavesTheBar)
{
    Window w;
    w.form.Check1->setValue(1);
    w.form.List1->AddItem(u"/p/0.bmp"_s);
    const QImage bar = w.form.progreso->Image();
    w.s.boxes.answers = { runtime::mb::kNo };
    w.form.List1_OLEDragDrop(kThreeFiles);
    EXPECT_EQ(w.form.List1->ListCount(), 1);
    EXPECT_EQ(w.form.progreso->Image(), bar);
    EXPECT_EQ(w.s.events.calls, 0);
}

TEST(AskBeforeAdding, aDropWithoutFilesAsksNothing)
{
    Window w;
    w.form.Check1->setValue(1);
    w.form.List1_OLEDragDrop(runtime::DataObject {});
    EXPECT_TRUE(w.s.boxes.shown.empty());
    EXPECT_EQ(w.form.List1->ListCount(), 0);
}

TEST(AskBeforeAdding, videosAskOnceHowManyFramesAndJoinAsTheirMoments)
{
    if (QStandardPaths::findExecutable(u"ffmpeg"_s).isEmpty())
        GTEST_SKIP() << "needs the ffmpeg command";
    QTemporaryDir dir;
    const QString clip = dir.filePath(u"turn.mp4"_s);
    ASSERT_EQ(QProcess::execute(u"ffmpeg"_s,
                                { u"-loglevel"_s, u"error"_s, u"-f"_s, u"lavfi"_s, u"-i"_s,
                                  u"testsrc2=size=64x48:rate=10:duration=2"_s, clip }),
              0);
    Window w;
    w.s.boxes.numbers = { 4, -1 };
    w.form.List1_OLEDragDrop(runtime::DataObject { { clip, u"/p/1.bmp"_s } });
    ASSERT_EQ(w.s.boxes.shown.size(), 1u);
    EXPECT_EQ(w.s.boxes.shown[0].prompt, u"¿Cuántos cuadros tomar del vídeo?"_s);
    QStringList listed;
    for (int i = 0; i < w.form.List1->ListCount(); ++i)
        listed.append(w.form.List1->List(i));
    EXPECT_EQ(listed,
              (QStringList { clip + u"#t=0"_s, clip + u"#t=0.5"_s, clip + u"#t=1"_s,
                             clip + u"#t=1.5"_s, u"/p/1.bmp"_s }));
    // Cancelled, in English: nothing joins.
    w.form.mEnglish_Click();
    w.form.List1_OLEDragDrop(runtime::DataObject { { clip } });
    EXPECT_EQ(w.s.boxes.shown.back().prompt, u"How many frames to take from the video?"_s);
    EXPECT_EQ(w.form.List1->ListCount(), 5);
}

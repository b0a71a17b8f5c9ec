// SPDX-License-Identifier: GPL-3.0-or-later
#include "window.h"

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

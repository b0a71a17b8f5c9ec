// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_window.h"

#include "layout/drag.h"

#include <gtest/gtest.h>

namespace {

constexpr int kLeft = 1;

struct Window : fakes::DesignCanvas
{
    Window()
    {
        objeto->setFocusPolicy(Qt::StrongFocus);
        objeto->client()->setScaleMode(runtime::ScaleMode::Pixels);
    }

    layout::Drag drag { form, *objeto, *arr };
};

} // namespace

TEST(SplitterDrag, setsTheCanvasWidthToTheBarOnReleaseWithoutMoving)
{
    Window w;
    w.drag.arr_MouseDown(kLeft, 0, 30, 200);
    EXPECT_EQ(w.drag.DragActive(), -1);
    EXPECT_EQ(w.drag.DragOrigin(), 30.0f);
    EXPECT_EQ(w.form.MousePointer(), 9);
    w.drag.arr_MouseUp(kLeft, 0, 30, 200);

    EXPECT_EQ(w.objeto->Width(), 4320); // 6840 - 2520
    EXPECT_EQ(w.arr->Left(), 6840);
    EXPECT_EQ(w.drag.DragActive(), 0);
    EXPECT_EQ(w.form.MousePointer(), 0);
    EXPECT_EQ(w.form.focusWidget(), w.objeto);
}

TEST(SplitterDrag, keepsTheGrabbedPointOfTheBarUnderThePointer)
{
    Window w;
    w.drag.arr_MouseDown(kLeft, 0, 30, 200);
    w.drag.arr_MouseMove(kLeft, 0, 330, 260);
    EXPECT_EQ(w.arr->Left(), 7140);
    EXPECT_EQ(w.arr->Top(), 120);
    // The bar now stands 300 further right: the pointer is 30 inside it again.
    w.drag.arr_MouseMove(kLeft, 0, 30, 260);
    EXPECT_EQ(w.arr->Left(), 7140);
    w.drag.arr_MouseMove(kLeft, 0, -270, 260);
    EXPECT_EQ(w.arr->Left(), 6840);
    w.drag.arr_MouseMove(kLeft, 0, 330, 260);
    w.drag.arr_MouseUp(kLeft, 0, 30, 260);
    EXPECT_EQ(w.objeto->Width(), 7140 - 2520);
    EXPECT_EQ(w.objeto->Height(), 4815);
}

TEST(SplitterDrag, leavesTheCanvasNoWidthWhenReleasedLeftOfIt)
{
    Window w;
    w.drag.arr_MouseDown(kLeft, 0, 30, 200);
    w.drag.arr_MouseMove(kLeft, 0, 30 - 5000, 200);
    EXPECT_EQ(w.arr->Left(), 1840);
    ASSERT_NO_THROW(w.drag.arr_MouseUp(kLeft, 0, 0, 200));
    EXPECT_EQ(w.objeto->Width(), 0);
    EXPECT_EQ(w.form.MousePointer(), 0);
    EXPECT_EQ(w.drag.DragActive(), 0);
}

TEST(CanvasDrag, movesTheCanvasByThePointerOffsetCountedInTwips)
{
    Window w;
    w.drag.objeto_MouseDown(kLeft, 0, 40, 100);
    EXPECT_EQ(w.drag.DragOrigin(), 100.0f);
    EXPECT_EQ(w.form.MousePointer(), 15);
    w.drag.objeto_MouseMove(kLeft, 0, 40, 130);
    EXPECT_EQ(w.objeto->Top(), 150); // 30 twips: 2 pixels
    EXPECT_EQ(w.objeto->Left(), 2520);
    // The pointer is still 28 pixels below the grab point on the moved canvas: it moves again.
    w.drag.objeto_MouseMove(kLeft, 0, 40, 128);
    EXPECT_EQ(w.objeto->Top(), 178);
    w.drag.objeto_MouseMove(kLeft, 0, 40, 40);
    EXPECT_EQ(w.objeto->Top(), 118);
    w.drag.objeto_MouseUp(kLeft, 0, 40, 40);
    EXPECT_EQ(w.objeto->Top(), 118); // the canvas stays where it was moved
    EXPECT_EQ(w.form.MousePointer(), 0);
    EXPECT_EQ(w.drag.DragActive(), 0);
    EXPECT_EQ(w.objeto->Width(), 4335); // only the splitter sets the width
}

TEST(Drags, changeNothingOnMovesWithNoDragUnderWay)
{
    Window w;
    w.drag.arr_MouseMove(0, 0, 500, 500);
    w.drag.objeto_MouseMove(0, 0, 500, 500);
    // After a finished drag as well.
    w.drag.objeto_MouseDown(kLeft, 0, 0, 10);
    w.drag.objeto_MouseUp(kLeft, 0, 0, 10);
    w.drag.arr_MouseMove(0, 0, 500, 500);
    w.drag.objeto_MouseMove(0, 0, 500, 500);

    EXPECT_EQ(w.arr->Left(), 6840);
    EXPECT_EQ(w.arr->Top(), 120);
    EXPECT_EQ(w.objeto->Left(), 2520);
    EXPECT_EQ(w.objeto->Top(), 120);
    EXPECT_EQ(w.form.MousePointer(), 0);
    EXPECT_FALSE(w.drag.DragOrigin() == std::nullopt);
}

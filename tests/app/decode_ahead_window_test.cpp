// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the window while the assembly decodes ahead ends the run at once: no frame is
// decoded once the window is gone, and no worker thread is left.

#include "pictures.h"
#include "threads.h"
#include "window.h"

#include "engine/pool.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DecodeAhead, closingTheWindowMidRunEndsItWithNoFrameDecodedAfterAndNoThreadLeft)
{
    QTemporaryDir dir;
    const QString big = dir.filePath(u"big.jpg"_s);
    ASSERT_TRUE(pictures::write(pictures::solid(2400, 1800, Qt::darkCyan), big, "JPG"));
    fakes::Services s;
    {
        app::Form1 form { fakes::appServices(s) };
        form.show();
        for (int i = 0; i < 100; ++i)
            form.List1->AddItem(big);
        form.ancho->setText(u"320"_s);
        form.alto->setText(u"200"_s);
        s.events.actions[2] = [&] { form.close(); };
        s.program.run([&] { form.Command2_Click(); });
        EXPECT_TRUE(s.program.ended());
        EXPECT_FALSE(form.assembly().running());
        EXPECT_EQ(threads::named(engine::WorkerPool::kThreadName), 0);
    }
    EXPECT_TRUE(s.boxes.shown.empty());
}

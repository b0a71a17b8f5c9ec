// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"
#include "window.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using fakes::Window;

TEST(PreviewWindow, followsTheAssemblyFrameByFrameAndReadsTheCanvasOnly)
{
    QTemporaryDir dir;
    const QColor colours[] = { Qt::red, Qt::green, Qt::blue };
    Window w;
    for (int i = 0; i < 3; ++i) {
        const QString path = dir.filePath(u"f%1.bmp"_s.arg(i));
        ASSERT_TRUE(pictures::write(pictures::solid(8, 6, colours[i]), path, "BMP"));
        w.form.List1->AddItem(path);
    }
    w.form.ancho->setText(u"16"_s);
    w.form.alto->setText(u"10"_s);

    w.form.mVistaPrevia.action()->trigger();
    preview::SpinPreview *spin = w.form.spinPreview();
    ASSERT_NE(spin, nullptr);
    EXPECT_FALSE(spin->isModal());
    EXPECT_EQ(spin->frameCount(), 0);
    EXPECT_TRUE(spin->statusText().startsWith(u"Todavía no hay tira"_s));

    // Between frames (each DoEvents), the preview already holds the frames painted so far.
    std::vector<int> seen;
    for (int call = 1; call <= 3; ++call)
        w.s.events.actions[call] = [&] { seen.push_back(spin->frameCount()); };
    w.form.Command2_Click();
    EXPECT_EQ(seen, (std::vector<int> { 0, 1, 2 }));
    ASSERT_EQ(spin->frameCount(), 3);

    // The files are gone: the preview shows what the canvas holds, frame by frame.
    dir.remove();
    for (int i = 0; i < 3; ++i) {
        spin->setCurrentFrame(i + 3); // wraps
        const QImage frame = spin->currentFrameImage();
        ASSERT_EQ(frame.size(), QSize(16, 10));
        EXPECT_EQ(frame.pixelColor(8, 5), colours[i]) << i;
        EXPECT_EQ(frame, w.form.objeto->client()->Image().copy(0, 10 * i, 16, 10));
    }

    // The menu again brings the same window forward; the language switch reaches it.
    w.form.mVistaPrevia.action()->trigger();
    EXPECT_EQ(w.form.spinPreview(), spin);
    w.form.Command8_Click();
    EXPECT_EQ(spin->windowTitle(), u"Preview"_s);
    EXPECT_EQ(w.form.mVistaPrevia.Caption(), u"Preview"_s);
}

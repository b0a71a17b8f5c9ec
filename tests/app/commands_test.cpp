// SPDX-License-Identifier: GPL-3.0-or-later
#include "window.h"

#include "app/about.h"
#include "app/exit_dialog.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using runtime::mb::kNo;
using runtime::mb::kYes;

namespace {

using fakes::Window;

QStringList promptsShown(const fakes::MessageBoxes &boxes)
{
    QStringList prompts;
    for (const auto &box : boxes.shown)
        prompts.append(box.prompt);
    return prompts;
}

} // namespace

TEST(MenuRouting, eachEntryRunsItsControlsHandler)
{
    {
        Window w;
        w.form.mAcercaDe.action()->trigger();
        ASSERT_EQ(w.s.boxes.shown.size(), 1u);
        EXPECT_EQ(w.s.boxes.shown[0].prompt, app::aboutPrompt());
        EXPECT_EQ(w.s.boxes.shown[0].title, u"Acerca de..."_s);
    }
    {
        Window w;
        w.s.boxes.answers = { kNo };
        w.form.mSalir.action()->trigger();
        EXPECT_EQ(promptsShown(w.s.boxes), QStringList { u"¿Desea salir?"_s });
    }
    {
        Window w;
        w.form.mEnglish.action()->trigger();
        EXPECT_EQ(w.form.Command1->Caption(), u"Clear"_s);
    }
    {
        Window w;
        w.form.mLeerLeame.action()->trigger();
        EXPECT_EQ(w.s.starter.started, QStringList { u"framolin.txt"_s });
        EXPECT_EQ(w.s.starter.styles, std::vector<int> { 3 });
    }
    {
        Window w; // an assembly of the empty list still enables "Guardar imágen"
        w.form.mComenzarMontaje.action()->trigger();
        EXPECT_TRUE(w.form.Command5->isEnabled());
    }
}

TEST(MenuRouting, englishLanguageRunsTheSwitchAlsoAfterItDisabledTheButton)
{
    Window w;
    w.form.Command8->click();
    ASSERT_FALSE(w.form.Command8->isEnabled());
    w.form.Command1->setCaption(u"Borrar"_s);
    w.form.mEnglish.action()->trigger();
    EXPECT_EQ(w.form.Command1->Caption(), u"Clear"_s);
}

TEST(AutoRedibujar, menuReappliesTheCheckBoxWithoutTogglingIt)
{
    Window w;
    ASSERT_EQ(w.form.Check2->Value(), 1);
    w.form.objeto->setAutoRedraw(false);
    w.form.mAutoRedibujar.action()->trigger();
    EXPECT_EQ(w.form.Check2->Value(), 1);
    EXPECT_TRUE(w.form.objeto->AutoRedraw());

    w.form.Check2->setValue(0);
    w.form.mAutoRedibujar.action()->trigger();
    EXPECT_EQ(w.form.Check2->Value(), 0);
    EXPECT_FALSE(w.form.objeto->AutoRedraw());
}

TEST(AutoRedibujar, clickingTheCheckBoxTogglesItAndTheCanvasPersistence)
{
    Window w;
    w.form.Check2->click();
    EXPECT_EQ(w.form.Check2->Value(), 0);
    EXPECT_FALSE(w.form.objeto->AutoRedraw());
    w.form.Check2->click();
    EXPECT_EQ(w.form.Check2->Value(), 1);
    EXPECT_TRUE(w.form.objeto->AutoRedraw());
    EXPECT_TRUE(w.s.boxes.shown.empty());
}

TEST(AboutBox, showsFourteenLinesWithTheInformationIcon)
{
    Window w;
    w.form.Command7->click();
    ASSERT_EQ(w.s.boxes.shown.size(), 1u);
    EXPECT_EQ(w.s.boxes.shown[0].style, runtime::mb::kInformation);
    EXPECT_EQ(w.s.boxes.shown[0].title, u"Acerca de..."_s);
    const QString prompt = w.s.boxes.shown[0].prompt;
    EXPECT_FALSE(prompt.contains(u'\r'));
    const QStringList lines = prompt.split(u'\n');
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0], u"Framolin"_s);
    EXPECT_EQ(lines[1], QString());
    EXPECT_TRUE(lines[2].contains(u"Framolin"_s) && lines[2].contains(u"2026"_s))
        << lines[2].toStdString();
    EXPECT_EQ(lines[3], QString());
    EXPECT_EQ(lines[4], u"E-Mail:"_s);
    EXPECT_TRUE(lines[5].contains(u'@')) << lines[5].toStdString();
    EXPECT_EQ(lines[6], QString());
    EXPECT_EQ(lines[7], u"WebPage:"_s);
    EXPECT_TRUE(lines[8].startsWith(u"https://"_s)) << lines[8].toStdString();
    EXPECT_EQ(lines[9], QString());
    EXPECT_EQ(lines[10], QString(13, u'_'));
    EXPECT_EQ(lines[11], QString());
    EXPECT_EQ(lines[12], u"Descarge el Orbivista"_s);
    EXPECT_EQ(lines[13], u"para comprobar sus resultados..."_s);
}

struct ExitCase
{
    const char *name;
    std::deque<int> answers;
    int boxes;
    int stores;
    bool ended;
};

void PrintTo(const ExitCase &c, std::ostream *os)
{
    *os << c.name;
}

class LeavingTheProgram : public ::testing::TestWithParam<ExitCase>
{
};

TEST_P(LeavingTheProgram, storesOnlyOnYesThenYesAndEndsAfterStoring)
{
    const ExitCase &c = GetParam();
    fakes::MessageBoxes boxes;
    boxes.answers = c.answers;
    QStringList calls;
    app::leaveProgram(
        boxes, [&] { calls.append(u"store"_s); }, [&] { calls.append(u"end"_s); });

    ASSERT_EQ(int(boxes.shown.size()), c.boxes);
    EXPECT_EQ(boxes.shown[0].prompt, u"¿Desea salir?"_s);
    EXPECT_EQ(boxes.shown[0].style, runtime::mb::kYesNo);
    EXPECT_EQ(boxes.shown[0].title, u"Salir"_s);
    if (c.boxes == 2) {
        EXPECT_EQ(boxes.shown[1].prompt, u"¿Desea guardar las configuraciones actuales?"_s);
        EXPECT_EQ(boxes.shown[1].style, runtime::mb::kYesNo);
        EXPECT_EQ(boxes.shown[1].title, u"Guardar Configuraciones"_s);
    }
    QStringList expected;
    if (c.stores)
        expected.append(u"store"_s);
    if (c.ended)
        expected.append(u"end"_s);
    EXPECT_EQ(calls, expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, LeavingTheProgram,
                         ::testing::Values(ExitCase { "No", { kNo }, 1, 0, false },
                                           ExitCase { "YesNo", { kYes, kNo }, 2, 0, true },
                                           ExitCase { "YesYes", { kYes, kYes }, 2, 1, true }),
                         [](const auto &row) { return std::string(row.param.name); });

TEST(LeavingTheProgram, aFailedStoreKeepsTheProgramRunning)
{
    fakes::MessageBoxes boxes;
    boxes.answers = { kYes, kYes };
    bool ended = false;
    EXPECT_THROW(
        app::leaveProgram(
            boxes, [] { throw runtime::RuntimeError(75, u"disk full"_s); }, [&] { ended = true; }),
        runtime::RuntimeError);
    EXPECT_FALSE(ended);
}

TEST(LeavingTheProgram, exitButtonEndsOnlyAfterYes)
{
    Window w;
    w.s.boxes.answers = { kNo };
    w.form.Command9->click();
    EXPECT_FALSE(w.s.program.ended());
    EXPECT_EQ(w.s.boxes.shown.size(), 1u);

    w.s.boxes.answers = { kYes, kNo };
    w.form.Command9->click();
    EXPECT_TRUE(w.s.program.ended());
    EXPECT_TRUE(w.s.settings.values.isEmpty());
}

TEST(LeavingTheProgram, endStopsADropThatIsYielding)
{
    Window w;
    w.s.boxes.answers = { kYes, kNo };
    w.s.events.actions[2] = [&] { w.form.Command9_Click(); };
    const runtime::DataObject drop { { u"/p/1.bmp"_s, u"/p/2.bmp"_s, u"/p/3.bmp"_s } };
    w.s.program.run([&] { w.form.List1_OLEDragDrop(drop); });
    EXPECT_TRUE(w.s.program.ended());
    EXPECT_EQ(w.form.List1->ListCount(), 1);
    EXPECT_EQ(w.s.boxes.shown.size(), 2u); // the two questions, no error box
    bool ran = false;
    w.s.program.run([&] { ran = true; });
    EXPECT_FALSE(ran);
}

TEST(Dialogs, keepTheirSpanishTextsAfterTheLanguageSwitch)
{
    Window w;
    w.form.Command8_Click();
    w.s.starter.failWith = runtime::err::kFileNotFound;
    w.s.boxes.answers = { kYes, kNo };
    w.form.Command7_Click();
    w.form.mLeerLeame_Click();
    w.form.Command9_Click();
    ASSERT_EQ(w.s.boxes.shown.size(), 4u);
    EXPECT_EQ(w.s.boxes.shown[0].prompt, app::aboutPrompt());
    EXPECT_EQ(w.s.boxes.shown[0].title, u"Acerca de..."_s);
    EXPECT_EQ(w.s.boxes.shown[1].title, u"Error"_s);
    EXPECT_TRUE(w.s.boxes.shown[1].prompt.startsWith(u"El archivo Framolin.txt"_s));
    EXPECT_EQ(w.s.boxes.shown[2].prompt, u"¿Desea salir?"_s);
    EXPECT_EQ(w.s.boxes.shown[2].title, u"Salir"_s);
    EXPECT_EQ(w.s.boxes.shown[3].title, u"Guardar Configuraciones"_s);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "files.h"

#include "runtime/form.h"
#include "strip/input_list.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class InputListTest : public ::testing::Test
{
protected:
    QStringList entries() const
    {
        QStringList list;
        for (int i = 0; i < List1->ListCount(); ++i)
            list.append(List1->List(i));
        return list;
    }
    void dropOnList(const QStringList &files)
    {
        s.program.run([&] { input.List1_OLEDragDrop(runtime::DataObject { files }); });
    }
    void dropOnOutput(const QStringList &files)
    {
        s.program.run([&] { input.Text1_OLEDragDrop(runtime::DataObject { files }); });
    }

    fakes::Services s;
    runtime::Form form;
    runtime::ListBox *List1 = new runtime::ListBox(form.client());
    runtime::TextBox *Text1 = new runtime::TextBox(form.client());
    runtime::CheckBox *Check1 = new runtime::CheckBox(form.client());
    std::vector<std::pair<double, double>> reports;
    strip::InputList input { *List1,   *Text1,
                             *Check1,  s.boxes,
                             s.events, [this](double v, double m) { reports.emplace_back(v, m); } };
};

} // namespace

TEST_F(InputListTest, dropOnListAppendsInDropOrderKeepingDuplicates)
{
    dropOnList({ u"/p/b.jpg"_s, u"/p/a.jpg"_s });
    dropOnList({ u"/p/b.jpg"_s });
    EXPECT_EQ(entries(), QStringList({ u"/p/b.jpg"_s, u"/p/a.jpg"_s, u"/p/b.jpg"_s }));
}

TEST_F(InputListTest, dropOnListYieldsAndReportsProgressPerFile)
{
    dropOnList({ u"1"_s, u"2"_s, u"3"_s, u"4"_s });
    EXPECT_EQ(s.events.calls, 4);
    EXPECT_EQ(reports,
              (std::vector<std::pair<double, double>> { { 1, 4 }, { 2, 4 }, { 3, 4 }, { 4, 4 } }));
}

TEST_F(InputListTest, anotherCommandCanRunBetweenTheFilesOfALargeDrop)
{
    s.events.actions[2] = [this] { input.Command1_Click(); };
    dropOnList({ u"1"_s, u"2"_s, u"3"_s });
    EXPECT_EQ(entries(), QStringList({ u"2"_s, u"3"_s }));
}

TEST_F(InputListTest, dropOnOutputFieldTakesTheOneFileReplacingTypedText)
{
    Text1->setText(u"typed.bmp"_s);
    dropOnOutput({ u"/out/objeto.bmp"_s });
    EXPECT_EQ(Text1->Text(), u"/out/objeto.bmp"_s);
    EXPECT_TRUE(s.boxes.shown.empty());
}

TEST_F(InputListTest, dropOnOutputFieldRefusesSeveralFiles)
{
    Text1->setText(u"kept.bmp"_s);
    dropOnOutput({ u"/a.bmp"_s, u"/b.bmp"_s });
    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_EQ(s.boxes.shown[0].prompt, u"No se pueden crear más de un archivo de salida"_s);
    EXPECT_EQ(s.boxes.shown[0].style, 16);
    EXPECT_EQ(s.boxes.shown[0].title, u"Error"_s);
    EXPECT_EQ(Text1->Text(), u"kept.bmp"_s);
}

TEST_F(InputListTest, dropOnOutputFieldWithoutFilesIsIgnored)
{
    Text1->setText(u"kept.bmp"_s);
    dropOnOutput({});
    EXPECT_EQ(Text1->Text(), u"kept.bmp"_s);
    EXPECT_TRUE(s.boxes.shown.empty());
}

TEST_F(InputListTest, clearingEmptiesOnlyTheList)
{
    dropOnList({ u"1"_s, u"2"_s });
    Text1->setText(u"out.bmp"_s);
    input.Command1_Click();
    EXPECT_EQ(List1->ListCount(), 0);
    EXPECT_EQ(Text1->Text(), u"out.bmp"_s);
}

TEST_F(InputListTest, aDroppedFolderStandsForItsPicturesInNaturalOrderThroughTheQuestion)
{
    QTemporaryDir dir;
    for (const QString &name : { u"v10.jpg"_s, u"v9.GIF"_s, u"v1.bmp"_s, u"read.me"_s })
        files::touch(dir.filePath(name));
    Check1->setValue(1);
    s.boxes.answers = { runtime::mb::kYes };
    dropOnList({ u"/before.jpg"_s, dir.path() });
    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_EQ(s.boxes.shown[0].prompt, u"¿Desea añadir 4 archivos a la lista?"_s);
    EXPECT_EQ(entries(),
              QStringList({ u"/before.jpg"_s, dir.filePath(u"v1.bmp"_s), dir.filePath(u"v9.GIF"_s),
                            dir.filePath(u"v10.jpg"_s) }));
    EXPECT_EQ(reports.back(), std::make_pair(4.0, 4.0));
}

TEST_F(InputListTest, aFolderWithoutPicturesAddsNothingAndIsNamed)
{
    QTemporaryDir dir;
    dropOnList({ dir.path(), u"/a.jpg"_s });
    EXPECT_EQ(entries(), QStringList({ u"/a.jpg"_s }));
    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_EQ(s.boxes.shown[0].style, runtime::mb::kInformation);
    EXPECT_TRUE(s.boxes.shown[0].prompt.contains(dir.path()));
}

TEST_F(InputListTest, anUnreadableFolderIsNamedBeforeAnythingIsAdded)
{
    QTemporaryDir dir;
    files::touch(dir.filePath(u"v1.jpg"_s));
    const QString locked = dir.filePath(u"locked"_s);
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"locked"_s));
    QFile::setPermissions(locked, QFileDevice::Permissions {});
    if (QDir(locked).isReadable())
        GTEST_SKIP() << "permission bits do not stop this user";
    dropOnList({ dir.filePath(u"v1.jpg"_s), locked });
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(List1->ListCount(), 0);
    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_TRUE(s.boxes.shown[0].prompt.startsWith(u"No se puede leer la carpeta \""_s + locked))
        << qPrintable(s.boxes.shown[0].prompt);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Storing, restoring and erasing the working set, on an in-memory store and through the
// window's buttons and menu entries.

#include "window.h"

#include "settings/saved_settings.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kPrefix = u"Framolin/"_s;

class SavedSettingsTest : public ::testing::Test
{
protected:
    void setWorkingSet(const QStringList &files, const QString &output, const QString &width,
                       const QString &height)
    {
        form.List1->Clear();
        for (const QString &file : files)
            form.List1->AddItem(file);
        form.Text1->setText(output);
        form.ancho->setText(width);
        form.alto->setText(height);
    }
    QStringList listed() const
    {
        QStringList entries;
        for (int i = 0; i < form.List1->ListCount(); ++i)
            entries.append(form.List1->List(i));
        return entries;
    }
    QString stored(const QString &sectionAndKey) const
    {
        return s.settings.values.value(kPrefix + sectionAndKey, u"<missing>"_s);
    }

    fakes::Services s;
    app::Form1 form { fakes::appServices(s) };
};

} // namespace

TEST_F(SavedSettingsTest, storesTheExactTextsUnderTheirKeys)
{
    setWorkingSet({ u"/fotos/a.bmp"_s, u"/fotos/b.jpg"_s, u"/fotos/c.gif"_s }, u"/out/obj.bmp"_s,
                  u" 320"_s, u"2OO"_s);
    form.Command3->click();
    EXPECT_TRUE(s.boxes.shown.empty());
    EXPECT_EQ(s.settings.values.size(), 7);
    EXPECT_EQ(stored(u"InputFiles/InputFile0"_s), u"/fotos/a.bmp"_s);
    EXPECT_EQ(stored(u"InputFiles/InputFile1"_s), u"/fotos/b.jpg"_s);
    EXPECT_EQ(stored(u"InputFiles/InputFile2"_s), u"/fotos/c.gif"_s);
    EXPECT_EQ(stored(u"InputFiles/InputFilesCount"_s), u"2"_s);
    EXPECT_EQ(stored(u"OutputFile/OutputFilename"_s), u"/out/obj.bmp"_s);
    EXPECT_EQ(stored(u"ResizeValues/Width"_s), u" 320"_s); // as typed, not as a number
    EXPECT_EQ(stored(u"ResizeValues/Height"_s), u"2OO"_s);
}

TEST_F(SavedSettingsTest, emptyListStoresMinusOneAndRestoresEmpty)
{
    setWorkingSet({}, u"o.bmp"_s, u"64"_s, u"48"_s);
    form.mGuardar.action()->trigger();
    EXPECT_EQ(stored(u"InputFiles/InputFilesCount"_s), u"-1"_s);

    setWorkingSet({ u"x"_s }, u"changed"_s, u"1"_s, u"2"_s);
    form.mAbrir.action()->trigger();
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(form.Text1->Text(), u"o.bmp"_s);
    EXPECT_EQ(form.ancho->Text(), u"64"_s);
    EXPECT_EQ(form.alto->Text(), u"48"_s);
}

TEST_F(SavedSettingsTest, staleKeysOfALongerListAreNotRestored)
{
    setWorkingSet({ u"a"_s, u"b"_s, u"c"_s }, u"o"_s, u"320"_s, u"200"_s);
    form.Command3_Click();
    setWorkingSet({ u"only"_s }, u"o"_s, u"320"_s, u"200"_s);
    form.Command3_Click();
    EXPECT_EQ(stored(u"InputFiles/InputFile2"_s), u"c"_s); // left in the store, harmless
    form.Command6->click();
    EXPECT_EQ(listed(), QStringList { u"only"_s });
}

TEST_F(SavedSettingsTest, restoringTwiceGivesTheSameList)
{
    setWorkingSet({ u"a b.bmp"_s, u"ñandú.jpg"_s }, u"o"_s, u"320"_s, u"200"_s);
    form.Command3_Click();
    form.Command6_Click();
    form.Command6_Click();
    EXPECT_EQ(listed(), (QStringList { u"a b.bmp"_s, u"ñandú.jpg"_s }));
}

TEST_F(SavedSettingsTest, restoringWhatWasNeverStoredEmptiesEverything)
{
    setWorkingSet({ u"a"_s }, u"o"_s, u"320"_s, u"200"_s);
    form.Command6_Click();
    EXPECT_TRUE(s.boxes.shown.empty());
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(form.Text1->Text(), QString());
    EXPECT_EQ(form.ancho->Text(), QString());
    EXPECT_EQ(form.alto->Text(), QString());
}

TEST_F(SavedSettingsTest, missingEntryBelowTheCountRestoresAnEmptyLine)
{
    s.settings.values[kPrefix + u"InputFiles/InputFilesCount"_s] = u"2"_s;
    s.settings.values[kPrefix + u"InputFiles/InputFile0"_s] = u"first"_s;
    s.settings.values[kPrefix + u"InputFiles/InputFile2"_s] = u"third"_s;
    form.Command6_Click();
    EXPECT_EQ(listed(), (QStringList { u"first"_s, QString(), u"third"_s }));
}

TEST_F(SavedSettingsTest, countBeyondTheListLimitIsCappedThere)
{
    s.settings.values[kPrefix + u"InputFiles/InputFilesCount"_s] = u"40000"_s;
    form.Command6_Click();
    EXPECT_TRUE(s.boxes.shown.empty());
    EXPECT_EQ(form.List1->ListCount(), runtime::ListBox::kMaxEntries);
}

TEST_F(SavedSettingsTest, eraseAsksFirstAndNoKeepsTheStore)
{
    setWorkingSet({ u"a"_s }, u"o"_s, u"320"_s, u"200"_s);
    form.Command3_Click();
    const auto before = s.settings.values;
    s.settings.values[u"Other/keep/me"_s] = u"x"_s;

    s.boxes.answers.push_back(runtime::mb::kNo);
    form.Command4->click();
    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_EQ(s.boxes.shown[0].prompt,
              u"¿Está seguro de que desea borrar las configuraciones guardadas?"_s);
    EXPECT_EQ(s.boxes.shown[0].style, runtime::mb::kYesNo);
    EXPECT_EQ(s.boxes.shown[0].title, u"Borrar configuraciones"_s);
    EXPECT_EQ(s.settings.values.size(), before.size() + 1);

    s.boxes.answers.push_back(runtime::mb::kYes);
    form.mEliminar.action()->trigger();
    EXPECT_EQ(s.boxes.shown.size(), 2u);
    EXPECT_EQ(s.settings.values.keys(), QStringList { u"Other/keep/me"_s });
}

TEST_F(SavedSettingsTest, storingAndRestoringLeaveTheCanvasAndSaveButtonAlone)
{
    const QImage canvas = form.objeto->Image();
    form.Command3_Click();
    form.Command6_Click();
    s.boxes.answers.push_back(runtime::mb::kYes);
    form.Command4_Click();
    EXPECT_EQ(form.objeto->Image(), canvas);
    EXPECT_FALSE(form.Command5->isEnabled());
}

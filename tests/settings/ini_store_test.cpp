// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file itself: where it lives, that every text comes back exactly from the file,
// erasing, damaged files, and writes that fail keeping the old file whole.

#include "files.h"
#include "scratch_fs.h"
#include "window.h"

#include "engine/working_set.h"

#include "runtime/error.h"
#include "runtime/qtservices.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using files::readAll;
using files::writeAll;

using namespace Qt::StringLiterals;

namespace {

// Every test keeps its settings in a folder of its own; each uses its own application name
// too, as QSettings caches what it read of a file by the file's name for the whole process.
class IniStore : public ::testing::Test
{
protected:
    static void useBase(const QString &base) { runtime::IniSettingsStore::setConfigFolder(base); }
    void SetUp() override { useBase(home.path()); }
    void TearDown() override { useBase({}); }
    static QString appName()
    {
        return u"Framolin"_s
            + QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    QTemporaryDir home;
    runtime::IniSettingsStore store;
};

int errorNumber(const std::function<void()> &action, QString *description = nullptr)
{
    try {
        action();
    } catch (const runtime::RuntimeError &e) {
        if (description)
            *description = e.description();
        return e.number();
    }
    return 0;
}

} // namespace

TEST_F(IniStore, keepsOneIniGroupPerSectionInTheApplicationsFile)
{
    const QString app = appName();
    store.SaveSetting(app, u"InputFiles"_s, u"InputFile0"_s, u"/a.bmp"_s);
    store.SaveSetting(app, u"InputFiles"_s, u"InputFilesCount"_s, u"0"_s);
    store.SaveSetting(app, u"ResizeValues"_s, u"Width"_s, u"320"_s);
    store.Flush();

    const QString file = runtime::IniSettingsStore::fileName(app);
    EXPECT_EQ(file, QDir(home.path()).filePath(app + u'/' + app + u".ini"_s));
    const QString text = QString::fromUtf8(readAll(file));
    EXPECT_TRUE(text.contains(u"[InputFiles]\nInputFile0=/a.bmp\nInputFilesCount=0\n"_s))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"[ResizeValues]\nWidth=320\n"_s)) << text.toStdString();
    EXPECT_EQ(store.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), QString());
}

TEST_F(IniStore, everyTextComesBackExactlyFromTheFile)
{
    const QStringList texts = {
        u"/home/ana/Imágenes/año 2024/ñandú.jpg"_s,
        u"  leading and trailing spaces  "_s,
        u"line\nbreak"_s,
        u"carriage\r\nreturn\rlone"_s,
        u"tab\there"_s,
        u"\"quoted\" and 'single'"_s,
        u"back\\slash\\"_s,
        u"semi;colon = equals # hash"_s,
        u"comma, separated,list"_s,
        u"@Variant(junk)"_s,
        u"@@at"_s,
        u"[not a section]"_s,
        u"control \x01\x1f chars"_s,
        u"文字 😀 ✓"_s,
        QString(),
    };
    const QString app = appName();
    for (int i = 0; i < texts.size(); ++i)
        store.SaveSetting(app, u"InputFiles"_s, u"InputFile%1"_s.arg(i), texts[i]);
    store.Flush();

    // Read through a second file with the same bytes, which QSettings has to parse afresh.
    const QString copy = app + u"Copy"_s;
    writeAll(runtime::IniSettingsStore::fileName(copy),
             readAll(runtime::IniSettingsStore::fileName(app)));
    runtime::IniSettingsStore reader;
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(reader.GetSetting(copy, u"InputFiles"_s, u"InputFile%1"_s.arg(i)), texts[i])
            << "text " << i;
}

TEST_F(IniStore, deleteRemovesEveryGroupAndErasingNothingIsSilent)
{
    const QString app = appName();
    const QString file = runtime::IniSettingsStore::fileName(app);
    EXPECT_EQ(errorNumber([&] { store.DeleteSetting(app); }), 0);
    EXPECT_FALSE(QFileInfo::exists(file)); // nothing made just to be empty

    store.SaveSetting(app, u"InputFiles"_s, u"InputFilesCount"_s, u"-1"_s);
    store.SaveSetting(app, u"OutputFile"_s, u"OutputFilename"_s, u"o"_s);
    store.SaveSetting(app, u"ResizeValues"_s, u"Height"_s, u"200"_s);
    store.Flush();
    store.DeleteSetting(app);
    EXPECT_EQ(store.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), QString());
    EXPECT_FALSE(readAll(file).contains('['));
    EXPECT_EQ(QSettings(file, QSettings::IniFormat).allKeys(), QStringList());
    EXPECT_EQ(errorNumber([&] { store.DeleteSetting(app); }), 0);
}

TEST_F(IniStore, damagedOrHandEditedFileIsReadAsFarAsItCan)
{
    const QString app = appName();
    QByteArray junk;
    for (int i = 0; i < 2000; ++i) {
        const char c = char((i * 7919) % 256);
        junk.append(c == '"' ? '?' : c); // an open quote would run on to the end of the file
    }
    writeAll(runtime::IniSettingsStore::fileName(app),
             "[InputFiles\n" // unclosed section
             "no equals sign here\n"
             "InputFilesCount = 1\n"
             "InputFile0=/fotos/uno, dos.jpg\n" // unquoted comma: a list to QSettings
             "InputFile1=@Variant(\\0\\0\\0\\x7f\\xff)\n"
             "[OutputFile]\n"
             "OutputFilename=/out/obj.bmp\n"
             "[ResizeValues]\n"
             "Width=320\n"
                 + junk + "\n[ResizeValues]\nHeight=200\n");

    EXPECT_EQ(store.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), u"/out/obj.bmp"_s);
    EXPECT_EQ(store.GetSetting(app, u"ResizeValues"_s, u"Height"_s), u"200"_s);
    // Whatever the damaged lines read as, reading them is safe and gives text.
    for (const QString &key : { u"InputFilesCount"_s, u"InputFile0"_s, u"InputFile1"_s })
        (void)store.GetSetting(app, u"InputFiles"_s, key);
    (void)store.GetSetting(app, u"ResizeValues"_s, u"Width"_s);

    // A store over the damaged file writes a clean one.
    store.SaveSetting(app, u"OutputFile"_s, u"OutputFilename"_s, u"/new.bmp"_s);
    store.Flush();
    const QString copy = app + u"Copy"_s;
    writeAll(runtime::IniSettingsStore::fileName(copy),
             readAll(runtime::IniSettingsStore::fileName(app)));
    EXPECT_EQ(store.GetSetting(copy, u"OutputFile"_s, u"OutputFilename"_s), u"/new.bmp"_s);
}

TEST_F(IniStore, storeOverADamagedFileWritesACleanOne)
{
    const QString app = appName();
    const QString file = runtime::IniSettingsStore::fileName(app);
    writeAll(file, "[OutputFile]\nOutputFilename=old\n[broken\nWidth=1\n");
    // The store reads the damaged file first; its read error is no write error.
    store.SaveSetting(app, u"ResizeValues"_s, u"Width"_s, u"320"_s);
    EXPECT_EQ(errorNumber([&] { store.Flush(); }), 0);
    EXPECT_EQ(QSettings(file, QSettings::IniFormat).status(), QSettings::NoError);
    EXPECT_EQ(store.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), u"old"_s);
    EXPECT_EQ(store.GetSetting(app, u"ResizeValues"_s, u"Width"_s), u"320"_s);
}

TEST_F(IniStore, handEditedListWithUnquotedCommasComesBackJoined)
{
    const QString app = appName();
    writeAll(runtime::IniSettingsStore::fileName(app),
             "[InputFiles]\nInputFile0=/fotos/uno, dos.jpg\n");
    EXPECT_EQ(store.GetSetting(app, u"InputFiles"_s, u"InputFile0"_s), u"/fotos/uno, dos.jpg"_s);
}

TEST_F(IniStore, folderThatCannotBeMadeIsReported)
{
    const QString plain = home.filePath(u"plain"_s);
    writeAll(plain, "a file where the settings folder should go");
    useBase(plain);
    const QString app = appName();
    store.SaveSetting(app, u"OutputFile"_s, u"OutputFilename"_s, u"o"_s);
    QString description;
    EXPECT_EQ(errorNumber([&] { store.Flush(); }, &description), runtime::err::kFileAccess);
    EXPECT_TRUE(description.contains(runtime::IniSettingsStore::fileName(app)))
        << description.toStdString();
    EXPECT_EQ(readAll(plain), "a file where the settings folder should go");
}

TEST_F(IniStore, writeThatFailsKeepsTheOldFileWhole)
{
    for (const bool full : { false, true }) {
        scratch::SmallFs fs(64);
        if (!fs.available())
            GTEST_SKIP() << "no folder that refuses writes: " << fs.why().toStdString();
        useBase(fs.path());
        const QString app = appName() + (full ? u"Full"_s : u"ReadOnly"_s);
        const QString file = runtime::IniSettingsStore::fileName(app);
        if (full) {
            store.SaveSetting(app, u"OutputFile"_s, u"OutputFilename"_s, u"old"_s);
            store.Flush();
        } else {
            // A damaged file, read first by the store that then fails to write: its read
            // error must not hide the write error.
            writeAll(file, "[OutputFile]\nOutputFilename=old\n[broken\n");
        }
        const QByteArray old = readAll(file);
        ASSERT_TRUE(full ? fs.fill() : fs.makeReadOnly());

        for (int i = 0; i < 200; ++i)
            store.SaveSetting(app, u"InputFiles"_s, u"InputFile%1"_s.arg(i), QString(300, u'x'));
        store.SaveSetting(app, u"OutputFile"_s, u"OutputFilename"_s, u"new"_s);
        QString description;
        EXPECT_EQ(errorNumber([&] { store.Flush(); }, &description), runtime::err::kFileAccess)
            << (full ? "full" : "read-only");
        EXPECT_TRUE(description.contains(file)) << description.toStdString();
        EXPECT_EQ(readAll(file), old);
        const QStringList left = QDir(QFileInfo(file).absolutePath())
                                     .entryList(QDir::Files | QDir::Hidden | QDir::System);
        EXPECT_EQ(left, QStringList { app + u".ini"_s }) << "nothing left beside the file";

        if (!full) {
            EXPECT_EQ(errorNumber([&] { store.DeleteSetting(app); }), runtime::err::kFileAccess);
        }
        EXPECT_EQ(readAll(file), old);
    }
}

TEST_F(IniStore, failedStoreOrEraseLeavesWhatIsReadBackEqualToTheFile)
{
    scratch::SmallFs fs(64);
    if (!fs.available())
        GTEST_SKIP() << "no folder that refuses writes: " << fs.why().toStdString();
    useBase(fs.path());
    const QString app = appName();
    store.SaveSetting(app, u"OutputFile"_s, u"OutputFilename"_s, u"old"_s);
    store.Flush();
    ASSERT_TRUE(fs.fill());

    store.SaveSetting(app, u"OutputFile"_s, u"OutputFilename"_s, QString(40000, u'n'));
    store.SaveSetting(app, u"ResizeValues"_s, u"Width"_s, u"unsaved"_s);
    EXPECT_EQ(errorNumber([&] { store.Flush(); }), runtime::err::kFileAccess);
    EXPECT_EQ(store.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), u"old"_s);
    EXPECT_EQ(store.GetSetting(app, u"ResizeValues"_s, u"Width"_s), QString());

    // Room again: the next store writes what it was given, not what failed before.
    ASSERT_TRUE(QFile::remove(fs.filePath(u".filler"_s)));
    store.SaveSetting(app, u"ResizeValues"_s, u"Height"_s, u"200"_s);
    store.Flush();
    runtime::IniSettingsStore fresh;
    EXPECT_EQ(fresh.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), u"old"_s);
    EXPECT_EQ(fresh.GetSetting(app, u"ResizeValues"_s, u"Width"_s), QString());
    EXPECT_EQ(fresh.GetSetting(app, u"ResizeValues"_s, u"Height"_s), u"200"_s);

    // An erase that cannot be written leaves everything readable as it is in the file.
    ASSERT_TRUE(fs.makeReadOnly());
    EXPECT_EQ(errorNumber([&] { store.DeleteSetting(app); }), runtime::err::kFileAccess);
    EXPECT_EQ(store.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), u"old"_s);
    EXPECT_EQ(store.GetSetting(app, u"ResizeValues"_s, u"Height"_s), u"200"_s);
}

TEST_F(IniStore, handEditedValuesComeBackAsWrittenAndOwnValuesAsStored)
{
    const QString app = appName();
    writeAll(runtime::IniSettingsStore::fileName(app),
             "[InputFiles]\n"
             "InputFile0=/home/user/x,y.bmp\n"
             "InputFile1=\"/home/user/quoted,by the program.bmp\"\n"
             "[OutputFile]\n"
             "OutputFilename=/home/user/a;b.bmp\n"
             "[ResizeValues]\n"
             "Width=1,5\n");
    EXPECT_EQ(store.GetSetting(app, u"InputFiles"_s, u"InputFile0"_s), u"/home/user/x,y.bmp"_s);
    EXPECT_EQ(store.GetSetting(app, u"InputFiles"_s, u"InputFile1"_s),
              u"/home/user/quoted,by the program.bmp"_s);
    EXPECT_EQ(store.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), u"/home/user/a;b.bmp"_s);
    EXPECT_EQ(store.GetSetting(app, u"ResizeValues"_s, u"Width"_s), u"1,5"_s);

    // Stored again beside a new value, they keep reading the same.
    store.SaveSetting(app, u"ResizeValues"_s, u"Height"_s, u"2,5"_s);
    store.Flush();
    runtime::IniSettingsStore fresh;
    EXPECT_EQ(fresh.GetSetting(app, u"InputFiles"_s, u"InputFile0"_s), u"/home/user/x,y.bmp"_s);
    EXPECT_EQ(fresh.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), u"/home/user/a;b.bmp"_s);
    EXPECT_EQ(fresh.GetSetting(app, u"ResizeValues"_s, u"Width"_s), u"1,5"_s);
    EXPECT_EQ(fresh.GetSetting(app, u"ResizeValues"_s, u"Height"_s), u"2,5"_s);
}

TEST_F(IniStore, aFileChangedByAnotherProgramIsReadAgain)
{
    const QString app = appName();
    const QString file = runtime::IniSettingsStore::fileName(app);
    writeAll(file, "[OutputFile]\nOutputFilename=first\n");
    EXPECT_EQ(store.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), u"first"_s);
    {
        runtime::IniSettingsStore other; // another window storing
        other.SaveSetting(app, u"OutputFile"_s, u"OutputFilename"_s, u"other"_s);
    }
    EXPECT_EQ(store.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), u"other"_s);
    writeAll(file, "[OutputFile]\nOutputFilename=edited by hand\n");
    EXPECT_EQ(store.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), u"edited by hand"_s);
    QFile::remove(file);
    EXPECT_EQ(store.GetSetting(app, u"OutputFile"_s, u"OutputFilename"_s), QString());
}

TEST_F(IniStore, aFileOverTheSizeLimitIsRefusedNamedAndTheWindowKeepsItsList)
{
    const QString file = runtime::IniSettingsStore::fileName(engine::keys::kApp);
    writeAll(file, "[OutputFile]\nOutputFilename=old\n");
    ASSERT_TRUE(QFile::resize(file, engine::kMaxSettingsBytes + 1)); // sparse: no disk taken
    fakes::Services s;
    app::Form1 form(app::Services { s.program, s.boxes, s.events, s.starter, store, s.dialogs });
    form.List1->AddItem(u"/fotos/kept.jpg"_s);
    for (const auto click : { &app::Form1::Command6_Click, &app::Form1::Command3_Click }) {
        QString description;
        EXPECT_EQ(errorNumber([&] { (form.*click)(); }, &description), runtime::err::kFileAccess);
        EXPECT_TRUE(description.contains(file) && description.contains(u"16 MiB"_s))
            << qPrintable(description);
        EXPECT_EQ(form.List1->ListCount(), 1);
        EXPECT_EQ(QFileInfo(file).size(), engine::kMaxSettingsBytes + 1);
    }
}

TEST_F(IniStore, theWindowRestoresTheLargestListWhole)
{
    const QString app = engine::keys::kApp;
    QByteArray text = "[InputFiles]\n";
    for (int i = 0; i < engine::kMaxListEntries; ++i)
        text += "InputFile" + QByteArray::number(i) + "=/fotos/cuadro" + QByteArray::number(i)
            + ".jpg\n";
    text += "InputFilesCount=" + QByteArray::number(engine::kMaxListEntries - 1) + "\n";
    writeAll(runtime::IniSettingsStore::fileName(app), text);

    fakes::Services s;
    app::Form1 form(fakes::appServices(s, store));
    form.Command6_Click(); // one read of the file, not one per entry
    ASSERT_EQ(form.List1->ListCount(), engine::kMaxListEntries);
    EXPECT_EQ(form.List1->List(0), u"/fotos/cuadro0.jpg"_s);
    EXPECT_EQ(form.List1->List(32766), u"/fotos/cuadro32766.jpg"_s);
}

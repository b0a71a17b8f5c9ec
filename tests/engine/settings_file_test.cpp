// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: files the desktop's settings library wrote read back exactly, what we
// write reads back the same through that library, and hand-edited lines read as written.

#include "engine/settings_file.h"

#include "files.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QStringList awkwardTexts()
{
    QStringList texts = {
        u"/home/ana/Imágenes/año 2024/ñandú.jpg"_s,
        u"  leading and trailing spaces  "_s,
        u" "_s,
        u"line\nbreak"_s,
        u"carriage\r\nreturn\rlone"_s,
        u"tab\there"_s,
        u"\"quoted\" and 'single'"_s,
        u"back\\slash\\"_s,
        u"\\"_s,
        u"semi;colon = equals # hash"_s,
        u"comma, separated,list"_s,
        u"/home/user/x,y.bmp"_s,
        u"a=b"_s,
        u"@Variant(junk)"_s,
        u"@@at"_s,
        u"@"_s,
        u"@String(x)"_s,
        u"[not a section]"_s,
        u";not a comment"_s,
        u"control \x01\x1f chars\x01"_s + u"ab\x1f"_s + u"9"_s,
        u"文字 😀 ✓ \u00a0"_s,
        u"del\x7f"_s,
        u"%U00e9 %41"_s,
        QString(),
        u"nul"_s + QChar(u'\0') + u"7x"_s + QChar(u'\0'),
        u"\\x41 \\0 \\n"_s,
        u"?'"_s,
    };
    // Any text at all, from a seeded generator so a failure repeats.
    QRandomGenerator random(20261208);
    const char16_t alphabet[] = u"ab9F ,;=\"'\\@\t\n\r\x01\x1f\x7f\u00e9\u4e2d\0";
    for (int i = 0; i < 300; ++i) {
        QString text;
        const int length = random.bounded(12);
        for (int j = 0; j < length; ++j)
            text += QChar(alphabet[random.bounded(int(std::size(alphabet)) - 1)]);
        texts.append(text);
    }
    return texts;
}

using files::readAll;

} // namespace

TEST(SettingsFile, whatTheSettingsLibraryWroteReadsBackExactly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Framolin.ini"_s);
    const QStringList texts = awkwardTexts();
    {
        QSettings settings(path, QSettings::IniFormat);
        for (qsizetype i = 0; i < texts.size(); ++i)
            settings.setValue(u"InputFiles/InputFile%1"_s.arg(i), texts[i]);
        settings.setValue(u"ResizeValues/Width"_s, u"320"_s);
    }
    engine::SettingsFile file;
    QString reason;
    ASSERT_TRUE(file.read(path, &reason)) << qPrintable(reason);
    for (qsizetype i = 0; i < texts.size(); ++i)
        EXPECT_EQ(file.value(u"InputFiles"_s, u"InputFile%1"_s.arg(i)), texts[i])
            << "text " << i << ": " << texts[i].toStdString();
    EXPECT_EQ(file.value(u"ResizeValues"_s, u"Width"_s), u"320"_s);
    EXPECT_EQ(file.value(u"ResizeValues"_s, u"Height"_s), std::nullopt);
    // Written again, the file keeps the library's very bytes.
    EXPECT_EQ(file.toIni(), readAll(path));
}

TEST(SettingsFile, whatWeWriteTheSettingsLibraryReadsBackExactly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"sub/Framolin.ini"_s);
    const QStringList texts = awkwardTexts();
    engine::SettingsFile file;
    for (qsizetype i = 0; i < texts.size(); ++i)
        file.setValue(u"InputFiles"_s, u"InputFile%1"_s.arg(i), texts[i]);
    QString reason;
    ASSERT_TRUE(file.write(path, &reason)) << qPrintable(reason); // makes the folder
    const QSettings settings(path, QSettings::IniFormat);
    EXPECT_EQ(settings.status(), QSettings::NoError);
    for (qsizetype i = 0; i < texts.size(); ++i)
        EXPECT_EQ(settings.value(u"InputFiles/InputFile%1"_s.arg(i)).toString(), texts[i])
            << "text " << i << ": " << texts[i].toStdString();
}

TEST(SettingsFile, handEditedValuesReadExactlyAsWrittenOnTheirLine)
{
    struct Row
    {
        QByteArray line;
        QString value;
    };
    const Row rows[] {
        { "InputFile0=/home/user/x,y.bmp", u"/home/user/x,y.bmp"_s },
        { "InputFile0=/home/user/a;b.bmp", u"/home/user/a;b.bmp"_s },
        { "InputFile0=1,5", u"1,5"_s },
        { "InputFile0 = /fotos/uno, dos.jpg ", u"/fotos/uno, dos.jpg"_s },
        { "InputFile0=C:\\fotos\\d.bmp", u"C:\\fotos\\d.bmp"_s }, // \d is no escape
        { "InputFile0=\"/tmp/a b.bmp\"", u"\"/tmp/a b.bmp\""_s }, // quotes not needed
        { "InputFile0=a\"b", u"a\"b"_s },
        { "InputFile0=@home/x.bmp", u"@home/x.bmp"_s },
        { "InputFile0=x = y", u"x = y"_s },
        { "InputFile0=trailing\\", u"trailing\\"_s },
        { "InputFile0=\\x", u"\\x"_s },
        { "InputFile0=", QString() },
        // As the program writes them: through their quotes and escapes.
        { "InputFile0=\"/home/user/x,y.bmp\"", u"/home/user/x,y.bmp"_s },
        { "InputFile0=back\\\\slash", u"back\\slash"_s },
        { "InputFile0=\"  padded  \"", u"  padded  "_s },
        { "InputFile0=@@at", u"@at"_s },
    };
    for (const Row &row : rows) {
        engine::SettingsFile file;
        file.parse("[InputFiles]\n" + row.line + "\n");
        EXPECT_EQ(file.value(u"InputFiles"_s, u"InputFile0"_s), row.value)
            << row.line.toStdString();
    }
}

TEST(SettingsFile, damagedLinesAreSkippedAndTheRestIsRead)
{
    engine::SettingsFile file;
    file.parse("\xef\xbb\xbf; a comment\r\n"
               "[InputFiles]\r\n"
               "InputFilesCount=3\r\n"
               "no equals sign here\n"
               "InputFile0=first\r"
               "InputFile0=second\n" // the later one wins
               "[broken\n"
               "Width=1\n"
               "[ResizeValues]\n"
               "Height=200\n"
               "[InputFiles]\n"
               "InputFile1=again\n"
               "#hash=1\n"
               "key with space=1\n");
    EXPECT_EQ(file.value(u"InputFiles"_s, u"InputFilesCount"_s), u"3"_s);
    EXPECT_EQ(file.value(u"InputFiles"_s, u"InputFile0"_s), u"second"_s);
    EXPECT_EQ(file.value(u"InputFiles"_s, u"InputFile1"_s), u"again"_s);
    EXPECT_EQ(file.value(u"ResizeValues"_s, u"Height"_s), u"200"_s);
    EXPECT_EQ(file.value(u"ResizeValues"_s, u"Width"_s), std::nullopt);
    EXPECT_EQ(file.value(u"broken"_s, u"Width"_s), u"1"_s);
    // Written back, names the settings library could not read are left out.
    EXPECT_EQ(file.toIni(),
              "[InputFiles]\nInputFile0=second\nInputFile1=again\nInputFilesCount=3\n\n"
              "[broken]\nWidth=1\n\n"
              "[ResizeValues]\nHeight=200\n");
}

TEST(SettingsFile, aPathThatIsNoRegularFileIsNeitherReadNorReplaced)
{
    QTemporaryDir dir;
    engine::SettingsFile file;
    QString reason;
    EXPECT_TRUE(file.read(dir.filePath(u"missing.ini"_s), &reason)); // nothing stored
    EXPECT_TRUE(file.isEmpty());
    EXPECT_FALSE(file.read(dir.path(), &reason));
    EXPECT_FALSE(file.read(u"/dev/null"_s, &reason));
    file.setValue(u"OutputFile"_s, u"OutputFilename"_s, u"x"_s);
    EXPECT_FALSE(file.write(dir.path(), &reason));
    EXPECT_FALSE(reason.isEmpty());
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Natural order of frame names, the pictures a folder stands for, and whether two paths are
// one file.

#include "files.h"

#include "engine/natural_order.h"
#include "engine/picture_files.h"
#include "engine/same_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using files::touch;

TEST(NaturalOrder, numbersCompareByValueWhateverTheirLength)
{
    QStringList names { u"frame10.jpg"_s,
                        u"frame2.jpg"_s,
                        u"Frame1.jpg"_s,
                        u"frame02.jpg"_s,
                        u"frame.jpg"_s,
                        u"a99999999999999999999.bmp"_s,
                        u"a100000000000000000000.bmp"_s,
                        u"frame2b.jpg"_s };
    std::sort(names.begin(), names.end(), engine::naturalLess);
    const QStringList expected { u"a99999999999999999999.bmp"_s,
                                 u"a100000000000000000000.bmp"_s,
                                 u"frame.jpg"_s,
                                 u"Frame1.jpg"_s,
                                 u"frame2.jpg"_s,
                                 u"frame02.jpg"_s,
                                 u"frame2b.jpg"_s,
                                 u"frame10.jpg"_s };
    EXPECT_EQ(names, expected);
}

TEST(NaturalOrder, isAStrictOrder)
{
    const QStringList names { u"x1"_s, u"x01"_s, u"X1"_s, u"x1a"_s, u"x"_s, u"1"_s, u""_s };
    for (const QString &a : names) {
        EXPECT_FALSE(engine::naturalLess(a, a)) << qPrintable(a);
        for (const QString &b : names)
            if (a != b) {
                EXPECT_NE(engine::naturalLess(a, b), engine::naturalLess(b, a))
                    << qPrintable(a) << " " << qPrintable(b);
            }
    }
}

// std::sort needs a strict weak ordering, or its behaviour is undefined: checked on random
// names mixing ASCII, full-width and Arabic-Indic digits, letters of both cases and accents.
TEST(NaturalOrder, isAStrictWeakOrderingOnRandomNamesWithDigitsOfEveryScript)
{
    const QString alphabet = u"0129０１２٣aAbé.É_"_s;
    std::mt19937 random(17);
    QStringList names;
    for (int n = 0; n < 150; ++n) {
        QString name;
        for (int length = int(random() % 7); length > 0; --length)
            name.append(alphabet[qsizetype(random() % quint32(alphabet.size()))]);
        names.append(name);
    }
    int faults = 0;
    for (const QString &a : names) {
        if (engine::naturalLess(a, a))
            ++faults;
        for (const QString &b : names) {
            // Total: two different names are never equivalent.
            if (a != b && engine::naturalLess(a, b) == engine::naturalLess(b, a))
                ++faults;
            if (!engine::naturalLess(a, b))
                continue;
            for (const QString &c : names)
                if (engine::naturalLess(b, c) && !engine::naturalLess(a, c) && faults++ < 5)
                    ADD_FAILURE() << "not transitive: " << qPrintable(a) << " < " << qPrintable(b)
                                  << " < " << qPrintable(c);
        }
    }
    EXPECT_EQ(faults, 0);
}

TEST(NaturalOrder, digitsOfEveryScriptCompareByValue)
{
    QStringList names { u"f１０.jpg"_s, u"f2.jpg"_s, u"f１.jpg"_s, u"f3.jpg"_s, u"f02.jpg"_s };
    std::sort(names.begin(), names.end(), engine::naturalLess);
    EXPECT_EQ(
        names,
        (QStringList { u"f１.jpg"_s, u"f2.jpg"_s, u"f02.jpg"_s, u"f3.jpg"_s, u"f１０.jpg"_s }));
}

TEST(PicturesInFolder, onlyVisiblePictureFilesInNaturalOrderWhateverTheCaseOfTheirExtension)
{
    QTemporaryDir dir;
    for (const QString &name :
         { u"f10.jpg"_s, u"f2.GIF"_s, u"f1.bmp"_s, u"notes.txt"_s, u"f3.jpeg"_s, u"f11.png.txt"_s,
           u".f0.Jpg"_s, u"f5.PNG"_s, u"f6.webp"_s, u"f7.tif"_s, u"f8.tiff"_s })
        touch(dir.filePath(name));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"f4.jpg"_s)); // a folder is not a frame
    QStringList files;
    QString error;
    ASSERT_TRUE(engine::picturesInFolder(dir.path(), &files, &error));
    QStringList expected;
    for (const QString &name : { u"f1.bmp"_s, u"f2.GIF"_s, u"f3.jpeg"_s, u"f5.PNG"_s, u"f6.webp"_s,
                                 u"f7.tif"_s, u"f8.tiff"_s, u"f10.jpg"_s })
        expected.append(dir.filePath(name));
    EXPECT_EQ(files, expected);
}

TEST(PicturesInFolder, aMissingFolderIsNamedAndAnEmptyOneIsNoError)
{
    QTemporaryDir dir;
    QStringList files;
    QString error;
    EXPECT_TRUE(engine::picturesInFolder(dir.path(), &files, &error));
    EXPECT_TRUE(files.isEmpty());
    EXPECT_FALSE(engine::picturesInFolder(dir.filePath(u"nope"_s), &files, &error));
    EXPECT_TRUE(error.startsWith(dir.filePath(u"nope"_s) + u": "_s)) << qPrintable(error);
}

TEST(SameFile, pathsLeadingToOneFileThroughLinksAndDotsAreTheSame)
{
    QTemporaryDir dir;
    const QString photo = dir.filePath(u"photo.jpg"_s);
    touch(photo);
    touch(dir.filePath(u"other.jpg"_s));
    ASSERT_TRUE(QFile::link(photo, dir.filePath(u"symlink.jpg"_s)));
    ASSERT_EQ(::link(QFile::encodeName(photo).constData(),
                     QFile::encodeName(dir.filePath(u"hardlink.jpg"_s)).constData()),
              0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"sub"_s));
    const struct
    {
        QString other;
        bool same;
    } rows[] = {
        { photo, true },
        { dir.filePath(u"symlink.jpg"_s), true },
        { dir.filePath(u"hardlink.jpg"_s), true },
        { dir.filePath(u"sub/../photo.jpg"_s), true },
        { dir.filePath(u"other.jpg"_s), false },
        { dir.filePath(u"missing.jpg"_s), false },
        { QString(), false },
    };
    for (const auto &row : rows) {
        EXPECT_EQ(engine::sameFile(photo, row.other), row.same) << qPrintable(row.other);
        EXPECT_EQ(engine::sameFile(row.other, photo), row.same) << qPrintable(row.other);
    }
    EXPECT_FALSE(engine::sameFile(dir.filePath(u"missing.jpg"_s), dir.filePath(u"missing.jpg"_s)));
}

} // namespace

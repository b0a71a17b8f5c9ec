// SPDX-License-Identifier: GPL-3.0-or-later
// The working set's rules as both front ends apply them: frame sides, the stored entry count,
// the strip-size limit and where the settings file lives.

#include "engine/working_set.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace Qt::StringLiterals;

TEST(WorkingSet, textToNumberReadsWhatAUserTypes)
{
    EXPECT_EQ(engine::parseNumber(u" 320 "_s), 320.0);
    EXPECT_EQ(engine::parseNumber(u"12,5"_s), 12.5);
    EXPECT_EQ(engine::parseNumber(u"1e3"_s), 1000.0);
    EXPECT_FALSE(engine::parseNumber(QString()));
    EXPECT_FALSE(engine::parseNumber(u"abc"_s));
    EXPECT_FALSE(engine::parseNumber(u"12px"_s));
    EXPECT_FALSE(engine::parseNumber(u"inf"_s));
}

TEST(WorkingSet, frameSidesAreNumbersRoundedHalvesToEvenWithinOneTo32767)
{
    struct Row
    {
        QString text;
        std::optional<int> side;
    };
    const Row rows[] {
        { u"320"_s, 320 },     { u" 200 "_s, 200 },     { u"32,5"_s, 32 },    { u"33,5"_s, 34 },
        { u"2.5"_s, 2 },       { u"0,6"_s, 1 },         { u"0,5"_s, {} },     { u"1e3"_s, 1000 },
        { u"32767"_s, 32767 }, { u"32767,4"_s, 32767 }, { u"32767.5"_s, {} }, { u""_s, {} },
        { u"  "_s, {} },       { u"abc"_s, {} },        { u"12px"_s, {} },    { u"-5"_s, {} },
        { u"inf"_s, {} },      { u"nan"_s, {} },        { u"1,2,3"_s, {} },
    };
    for (const Row &row : rows)
        EXPECT_EQ(engine::frameSide(row.text), row.side) << qPrintable(row.text);
}

TEST(WorkingSet, stripLimitCountsPaddedBmpRows)
{
    EXPECT_EQ(engine::bmpRowStride(1), 4);
    EXPECT_EQ(engine::bmpRowStride(4), 12);
    EXPECT_EQ(engine::bmpRowStride(5), 16);
    EXPECT_EQ(engine::bmpRowStride(320), 960);
    // 320-pixel rows take 960 bytes: 2,236,962 of them fit in 2 GiB, one more does not.
    EXPECT_TRUE(engine::stripFits(320, 2'236'962));
    EXPECT_FALSE(engine::stripFits(320, 2'236'963));
    EXPECT_TRUE(engine::stripFits(1, qint64(1) << 29)); // 4-byte rows
    EXPECT_FALSE(engine::stripFits(1, (qint64(1) << 29) + 1));
    EXPECT_FALSE(engine::stripFits(32767, 32767 * qint64(32767)));
    EXPECT_FALSE(engine::stripFits(-1, 10));
}

TEST(WorkingSet, settingsFileIsTheApplicationsIniInItsFolder)
{
    EXPECT_EQ(engine::settingsFilePath(u"Framolin"_s, u"/conf"_s),
              u"/conf/Framolin/Framolin.ini"_s);
    EXPECT_TRUE(engine::settingsFilePath(u"Framolin"_s).endsWith(u"/Framolin/Framolin.ini"_s));
    EXPECT_EQ(engine::keys::inputFile(0), u"InputFile0"_s);
    EXPECT_EQ(engine::keys::inputFile(32766), u"InputFile32766"_s);
}

TEST(WorkingSet, emptyEntryIsNamedByItsPlaceAndItsKey)
{
    const QString message = engine::emptyEntryMessage(2);
    EXPECT_TRUE(message.contains(u"entrada 3"_s)) << qPrintable(message);
    EXPECT_TRUE(message.contains(u"InputFile2"_s)) << qPrintable(message);
}

struct CountCase
{
    const char16_t *stored;
    int entries;
};

void PrintTo(const CountCase &c, std::ostream *os)
{
    *os << QString::fromUtf16(c.stored).toStdString();
}

class RestoredEntryCount : public ::testing::TestWithParam<CountCase>
{
};

TEST_P(RestoredEntryCount, readsTheStoredLastIndexSoundly)
{
    const CountCase c = GetParam();
    EXPECT_EQ(engine::restoredEntryCount(QString::fromUtf16(c.stored)), c.entries);
}

INSTANTIATE_TEST_SUITE_P(
    StoredTexts, RestoredEntryCount,
    ::testing::Values(CountCase { u"-1", 0 }, CountCase { u"0", 1 }, CountCase { u"2", 3 },
                      CountCase { u"", 0 }, CountCase { u"dos", 0 }, CountCase { u"-7", 0 },
                      CountCase { u" 4 ", 5 }, CountCase { u"32766", 32767 },
                      CountCase { u"32767", 32767 }, CountCase { u"1e12", 32767 },
                      CountCase { u"nan", 0 }, CountCase { u"inf", 0 }, CountCase { u"1.0", 2 },
                      CountCase { u"1,0", 2 }, CountCase { u"1,5", 3 },
                      CountCase { u"2147483647", 32767 }, CountCase { u"-0,4", 1 }));

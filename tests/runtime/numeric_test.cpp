// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/error.h"
#include "runtime/numeric.h"

#include <gtest/gtest.h>

#include <limits>

using namespace runtime;
using namespace Qt::StringLiterals;

namespace {

int errorNumber(const std::function<void()> &f)
{
    try {
        f();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(Rounding, halvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(14.5), 14.0);
    EXPECT_EQ(roundHalfEven(15.5), 16.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768);
}

TEST(SixteenBitArithmetic, reportsOverflowAndDivisionByZero)
{
    EXPECT_EQ(errorNumber([] { toInt16(32767.5); }), err::kOverflow);
    EXPECT_EQ(errorNumber([] { toInt16(std::numeric_limits<double>::infinity()); }),
              err::kOverflow);
    EXPECT_EQ(errorNumber([] { toInt16(std::numeric_limits<double>::quiet_NaN()); }),
              err::kOverflow);
    EXPECT_EQ(errorNumber([] { add16(32767, 1); }), err::kOverflow);
    EXPECT_EQ(errorNumber([] { sub16(-32768, 1); }), err::kOverflow);
    EXPECT_EQ(errorNumber([] { mul16(-41, 800); }), err::kOverflow);
    EXPECT_EQ(errorNumber([] { idiv16(5, 0); }), err::kDivisionByZero);
    EXPECT_EQ(errorNumber([] { idiv16(-32768, -1); }), err::kOverflow);
    EXPECT_EQ(mul16(-41, 97), -3977);
    EXPECT_EQ(idiv16(-7, 2), -3); // truncates towards zero
    EXPECT_EQ(toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(errorNumber([] { toInt32(2147483647.5); }), err::kOverflow);
}

TEST(TextToNumber, readsWhatAUserTypes)
{
    EXPECT_EQ(toDouble(u" 320 "_s), 320.0);
    EXPECT_EQ(toDouble(u"12,5"_s), 12.5);
    EXPECT_EQ(errorNumber([] { toDouble(u"x"_s); }), err::kTypeMismatch);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"

#include "runtime/error.h"
#include "runtime/program.h"

#include <gtest/gtest.h>

using namespace runtime;
using namespace Qt::StringLiterals;

TEST(EventDispatch, showsAnEscapingRuntimeErrorAndGoesOn)
{
    fakes::Services s;
    s.program.run([] { throw RuntimeError(53, u"No se encontró el archivo \"x\""_s); });
    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_EQ(s.boxes.shown[0].style, mb::kCritical);
    EXPECT_TRUE(s.boxes.shown[0].prompt.contains(u"53"_s));
    EXPECT_TRUE(s.boxes.shown[0].prompt.contains(u"\"x\""_s));
    // The reason comes first; the number follows for reports.
    EXPECT_TRUE(s.boxes.shown[0].prompt.startsWith(u"No se encontró el archivo \"x\"\n"_s))
        << qPrintable(s.boxes.shown[0].prompt);
    bool ran = false;
    s.program.run([&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST(EventDispatch, runsNoHandlerAfterEndAndUnwindsAYieldingOne)
{
    fakes::Services s;
    int statementsAfterYield = 0;
    s.events.actions[2] = [&] { s.program.End(); };
    s.program.run([&] {
        for (int i = 0; i < 5; ++i) {
            s.events.DoEvents();
            ++statementsAfterYield;
        }
    });
    EXPECT_EQ(statementsAfterYield, 1);
    EXPECT_TRUE(s.boxes.shown.empty());
    bool ran = false;
    s.program.run([&] { ran = true; });
    EXPECT_FALSE(ran);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Compares a picture with a committed expected PNG. On a mismatch the actual picture and a map
// of the differing pixels are written under the build folder and their paths are printed, so a
// failure can be looked at rather than guessed from a count.
// With FRAMOLIN_UPDATE_PICTURES=1 in the environment, the actual picture replaces the expected
// one instead (review the change with git before committing it).

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace expected {

// How far a picture may stray: a pixel differs when one of its channels (alpha included) is
// more than `channel` away; the picture matches while at most `pixels` pixels differ.
struct Tolerance
{
    int channel = 0;
    int pixels = 0;
};

// Where failed comparisons leave their pictures: `<build>/picture-failures`.
QString failuresFolder();

// `actual` against the PNG at `expectedPath`, within `tolerance`. A size difference or a missing
// or unreadable expected file never matches.
testing::AssertionResult matchesPicture(const QImage &actual, const QString &expectedPath,
                                        Tolerance tolerance = {});

} // namespace expected

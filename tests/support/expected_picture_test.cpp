// SPDX-License-Identifier: GPL-3.0-or-later
// The picture comparison itself: what passes, what fails, and what a failure leaves to look at.

#include "expected_picture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

using namespace Qt::StringLiterals;

namespace {

QImage checker()
{
    QImage image(6, 4, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(200, 30, 30) : qRgb(10, 90, 250));
    return image;
}

// `image` with the first `count` pixels of row 1 moved by `by` in green.
QImage nudged(QImage image, int count, int by)
{
    for (int x = 0; x < count; ++x) {
        const QRgb p = image.pixel(x, 1);
        image.setPixel(x, 1, qRgb(qRed(p), qGreen(p) + by, qBlue(p)));
    }
    return image;
}

// The path after "<label>" in a failure message.
QString pathAfter(const std::string &message, const std::string &label)
{
    const auto start = message.find(label);
    if (start == std::string::npos)
        return {};
    const auto from = start + label.size();
    return QString::fromStdString(message.substr(from, message.find('\n', from) - from));
}

class ExpectedPicture : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(checker().save(expectedPath, "PNG"));
        qunsetenv("FRAMOLIN_UPDATE_PICTURES");
    }
    void TearDown() override { qunsetenv("FRAMOLIN_UPDATE_PICTURES"); }

    QTemporaryDir m_dir;
    QString expectedPath = m_dir.filePath(u"checker.png"_s);
};

struct ToleranceCase
{
    int nudgedPixels, by;
    expected::Tolerance tolerance;
    bool matches;
};

class ExpectedPictureTolerance : public ExpectedPicture,
                                 public testing::WithParamInterface<ToleranceCase>
{
};

TEST_P(ExpectedPictureTolerance, countsPixelsBeyondTheChannelTolerance)
{
    const ToleranceCase c = GetParam();
    EXPECT_EQ(bool(expected::matchesPicture(nudged(checker(), c.nudgedPixels, c.by), expectedPath,
                                            c.tolerance)),
              c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExpectedPictureTolerance,
    testing::Values(ToleranceCase { 0, 0, {}, true }, // identical
                    ToleranceCase { 1, 1, {}, false }, // exact: one step is too many
                    ToleranceCase { 3, 4, { 4, 0 }, true }, // within the channel tolerance
                    ToleranceCase { 3, 5, { 4, 0 }, false }, // one past it
                    ToleranceCase { 3, 5, { 4, 3 }, true }, // but few enough pixels
                    ToleranceCase { 4, 5, { 4, 3 }, false }, // one pixel too many
                    ToleranceCase { 2, -20, { 19, 2 }, true })); // darker counts alike

TEST_F(ExpectedPicture, aDifferentSizeNeverMatches)
{
    const auto result
        = expected::matchesPicture(checker().copy(0, 0, 6, 3), expectedPath, { 255, 1000 });
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("6 x 3, the expected one 6 x 4"),
              std::string::npos)
        << result.message();
}

TEST_F(ExpectedPicture, transparencyCounts)
{
    QImage clear = checker().convertToFormat(QImage::Format_ARGB32);
    clear.setPixel(0, 0, qRgba(10, 90, 250, 0));
    EXPECT_FALSE(expected::matchesPicture(clear, expectedPath));
}

TEST_F(ExpectedPicture, aFailureWritesTheActualPictureAndTheDifferencesWhereItSays)
{
    const QImage actual = nudged(checker(), 2, 60);
    const auto result = expected::matchesPicture(actual, expectedPath);
    ASSERT_FALSE(result);
    const std::string message = result.message();
    EXPECT_NE(message.find("2 pixels differ by more than 0"), std::string::npos) << message;
    EXPECT_NE(message.find("the first at (0, 1), the worst by 60"), std::string::npos) << message;

    const QString actualPath = pathAfter(message, "actual:   ");
    EXPECT_TRUE(actualPath.startsWith(expected::failuresFolder())) << message;
    EXPECT_EQ(QImage(actualPath).convertToFormat(QImage::Format_RGB32), actual);

    const QImage diff(pathAfter(message, "differing pixels (red): "));
    ASSERT_EQ(diff.size(), actual.size()) << message;
    EXPECT_EQ(diff.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_NE(diff.pixel(2, 1), qRgb(255, 0, 0));
    EXPECT_EQ(QImage(expectedPath), checker().convertToFormat(QImage(expectedPath).format()))
        << "a failure must leave the expected picture alone";
}

TEST_F(ExpectedPicture, aMissingExpectedPictureFailsAndStillWritesTheActualOne)
{
    const QString missing = m_dir.filePath(u"none/missing.png"_s);
    const auto result = expected::matchesPicture(checker(), missing);
    ASSERT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("no readable expected picture"),
              std::string::npos);
    EXPECT_FALSE(QImage(pathAfter(result.message(), "actual:   ")).isNull()) << result.message();
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(ExpectedPicture, updatingRewritesOnlyAPictureThatDiffers)
{
    qputenv("FRAMOLIN_UPDATE_PICTURES", "1");
    const QString fresh = m_dir.filePath(u"new/fresh.png"_s);
    EXPECT_TRUE(expected::matchesPicture(checker(), fresh));
    EXPECT_EQ(QImage(fresh).convertToFormat(QImage::Format_RGB32), checker());

    const QImage changed = nudged(checker(), 6, 9);
    EXPECT_TRUE(expected::matchesPicture(changed, expectedPath));
    qunsetenv("FRAMOLIN_UPDATE_PICTURES");
    EXPECT_TRUE(expected::matchesPicture(changed, expectedPath));

    // A match within tolerance keeps the committed file byte for byte.
    QFile file(expectedPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    qputenv("FRAMOLIN_UPDATE_PICTURES", "1");
    EXPECT_TRUE(expected::matchesPicture(nudged(changed, 1, 1), expectedPath, { 1, 0 }));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

} // namespace

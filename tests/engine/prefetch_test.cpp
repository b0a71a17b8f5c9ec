// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding ahead on worker threads: a frame decoded ahead is handed out only for the file,
// version and size it was decoded from, and is then the very frame decoding on the spot gives;
// nothing runs once the pool or the prefetch is gone.

#include "engine/decode.h"
#include "engine/pool.h"
#include "engine/prefetch.h"

#include "pictures.h"
#include "threads.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <latch>

using namespace Qt::StringLiterals;

namespace {

using pictures::pattern;

class PrefetchTest : public ::testing::Test
{
public:
    QString picture(const QString &name, const QImage &image, const char *format)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(pictures::write(image, path, format));
        return path;
    }
    // Puts a new file in place of `path` the way tools save: written aside, renamed over it.
    void replace(const QString &path, const QImage &image)
    {
        const QString aside = m_dir.filePath(u"aside.bmp"_s);
        ASSERT_TRUE(pictures::write(image, aside, "BMP"));
        ASSERT_TRUE(QDir().rename(aside, path)
                    || (QFile::remove(path) && QDir().rename(aside, path)));
    }
    static QImage decoded(const QString &path, QSize frame)
    {
        QString reason;
        return engine::decodeFrame(path, frame, &reason);
    }

    QTemporaryDir m_dir;
    const QSize m_frame { 40, 30 };
};

} // namespace

TEST(WorkerPool, runsJobsInOrderAndDropsThoseNotStartedWhenClearedOrDestroyed)
{
    std::vector<int> ran;
    std::latch started(1);
    std::latch release(1);
    {
        engine::WorkerPool pool(1);
        EXPECT_EQ(threads::named(engine::WorkerPool::kThreadName), 1);
        pool.post([&] {
            started.count_down();
            release.wait();
            ran.push_back(0);
        });
        for (int i = 1; i < 5; ++i)
            pool.post([&ran, i] { ran.push_back(i); });
        started.wait();
        pool.clear(); // 1 to 4 never run
        for (int i = 10; i < 10'000; ++i)
            pool.post([&ran, i] { ran.push_back(i); });
        release.count_down();
    } // returns without waiting for the jobs still queued
    ASSERT_FALSE(ran.empty());
    EXPECT_EQ(ran[0], 0);
    for (std::size_t k = 1; k < ran.size(); ++k)
        EXPECT_EQ(ran[k], int(k) + 9);
    EXPECT_EQ(threads::named(engine::WorkerPool::kThreadName), 0);
}

TEST_F(PrefetchTest, handsOutTheFrameDecodingOnTheSpotGivesForEveryKind)
{
    const std::vector<QString> paths {
        picture(u"a.jpg"_s, pattern(400, 300, 1), "JPG"),
        picture(u"b.bmp"_s, pattern(33, 17, 2), "BMP"),
        picture(u"c.gif"_s, pattern(50, 60, 3), "GIF"),
        picture(u"d.jpg"_s, pattern(20, 20, 4), "JPG"),
    };
    engine::FramePrefetch ahead(2, qint64(1) << 20);
    for (int i = 0; i < int(paths.size()); ++i)
        ahead.plan(i, paths[size_t(i)], m_frame);
    ahead.waitIdle();
    for (int i = 0; i < int(paths.size()); ++i) {
        const QImage frame = ahead.take(i, paths[size_t(i)], m_frame);
        ASSERT_FALSE(frame.isNull()) << i;
        EXPECT_EQ(frame, decoded(paths[size_t(i)], m_frame)) << i;
        EXPECT_EQ(frame.format(), decoded(paths[size_t(i)], m_frame).format()) << i;
    }
}

TEST_F(PrefetchTest, refusesAFrameDecodedForAnotherFileVersionOrSize)
{
    struct Row
    {
        const char *change;
        std::function<void(PrefetchTest &, const QString &)> apply;
        QString askedPath; // empty: the planned path
        QSize askedFrame; // invalid: the planned frame
    };
    const std::vector<Row> rows {
        { "frame size edited", {}, {}, QSize(41, 30) },
        { "another file at that position", {}, u"other"_s, {} },
        { "file replaced",
          [](PrefetchTest &t, const QString &p) { t.replace(p, pattern(60, 50, 9)); },
          {},
          {} },
        { "file rewritten in place",
          [](PrefetchTest &, const QString &p) {
              QFile f(p);
              ASSERT_TRUE(f.open(QIODevice::Append));
              f.write("more bytes");
          },
          {},
          {} },
        { "file removed", [](PrefetchTest &, const QString &p) { QFile::remove(p); }, {}, {} },
    };
    for (const Row &row : rows) {
        const QString path = picture(u"p.bmp"_s, pattern(60, 50, 5), "BMP");
        const QString other = picture(u"q.bmp"_s, pattern(60, 50, 6), "BMP");
        engine::FramePrefetch ahead(1, qint64(1) << 20);
        ahead.plan(0, path, m_frame);
        ahead.waitIdle();
        if (row.apply)
            row.apply(*this, path);
        const QString asked = row.askedPath.isEmpty() ? path : other;
        const QSize frame = row.askedFrame.isValid() ? row.askedFrame : m_frame;
        EXPECT_TRUE(ahead.take(0, asked, frame).isNull()) << row.change;
    }
}

TEST_F(PrefetchTest, keepsAFailureForItsTurnAndForgetsPositionsPassedOrDropped)
{
    const QString good = picture(u"g.bmp"_s, pattern(60, 50, 7), "BMP");
    const QString bad = m_dir.filePath(u"bad.jpg"_s);
    ASSERT_TRUE(pictures::writeBytes(bad, "not a picture at all"));
    engine::FramePrefetch ahead(2, qint64(1) << 20);
    for (int i = 0; i < 6; ++i)
        ahead.plan(i, i == 1 ? bad : good, m_frame);
    ahead.waitIdle();
    EXPECT_TRUE(ahead.take(1, bad, m_frame).isNull()); // the caller decodes and reports it
    EXPECT_TRUE(ahead.take(0, good, m_frame).isNull()); // passed when 1 was taken
    ahead.forgetFrom(4);
    EXPECT_FALSE(ahead.take(3, good, m_frame).isNull());
    EXPECT_TRUE(ahead.take(4, good, m_frame).isNull());
}

TEST_F(PrefetchTest, plansNothingAheadBeyondItsBudgetOrWithoutWorkers)
{
    EXPECT_EQ(engine::FramePrefetch(2, qint64(1) << 30).ahead(QSize(320, 200)), 6);
    EXPECT_EQ(engine::FramePrefetch(2, 3 * 320 * 200 * 4).ahead(QSize(320, 200)), 3);
    EXPECT_EQ(engine::FramePrefetch(2, 320 * 200 * 4 - 1).ahead(QSize(320, 200)), 0);
    EXPECT_EQ(engine::FramePrefetch(0, qint64(1) << 30).ahead(QSize(320, 200)), 0);
    const QString path = picture(u"g.bmp"_s, pattern(60, 50, 7), "BMP");
    engine::FramePrefetch none(0, qint64(1) << 30);
    none.plan(0, path, m_frame);
    EXPECT_TRUE(none.take(0, path, m_frame).isNull());
}

TEST_F(PrefetchTest, destroyedWithDecodesPlannedAndRunningLeavesNoThread)
{
    const QString big = picture(u"big.jpg"_s, pattern(2400, 1800, 8), "JPG");
    {
        engine::FramePrefetch ahead(2, qint64(1) << 30);
        for (int i = 0; i < 200; ++i)
            ahead.plan(i, big, QSize(1200, 900));
        EXPECT_EQ(threads::named(engine::WorkerPool::kThreadName), 2);
    } // must not take 200 decodes: the pending ones are dropped
    EXPECT_EQ(threads::named(engine::WorkerPool::kThreadName), 0);
}

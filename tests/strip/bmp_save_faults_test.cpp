// SPDX-License-Identifier: GPL-3.0-or-later
#include "files.h"
#include "pictures.h"
#include "scratch_fs.h"

#include "engine/bmp.h"
#include "engine/strip_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using files::readAll;

// A folder holding an earlier strip and an unrelated file, whose bytes every failed save must
// leave exactly as they were.
class BmpSaveFaults : public ::testing::Test
{
protected:
    void fill(const QString &folder)
    {
        m_folder = folder;
        ASSERT_TRUE(engine::saveStrip(pictures::solid(20, 10, Qt::red), strip(),
                                      engine::StripFormat::Bmp, &m_reason));
        ASSERT_TRUE(pictures::writeBytes(QDir(folder).filePath(u"notes.txt"_s), "keep me"));
        m_before = snapshot();
    }
    QString strip() const { return QDir(m_folder).filePath(u"strip.bmp"_s); }
    std::map<QString, QByteArray> snapshot() const
    {
        std::map<QString, QByteArray> files;
        for (const QString &name : QDir(m_folder).entryList(QDir::Files | QDir::Hidden))
            files[name] = readAll(QDir(m_folder).filePath(name));
        return files;
    }
    void expectUntouched() const
    {
        const auto now = snapshot();
        EXPECT_EQ(now.size(), m_before.size()) << "files were added or removed";
        for (const auto &[name, bytes] : m_before) {
            const auto it = now.find(name);
            ASSERT_NE(it, now.end()) << qPrintable(name);
            EXPECT_TRUE(it->second == bytes) << qPrintable(name) << " changed";
        }
    }

    QTemporaryDir m_dir;
    QString m_folder;
    QString m_reason;
    std::map<QString, QByteArray> m_before;
};

} // namespace

TEST_F(BmpSaveFaults, aFullFilesystemFailsTheSaveAndKeepsTheEarlierStripWhole)
{
    scratch::SmallFs small(256);
    if (!small.available())
        GTEST_SKIP() << qPrintable(small.why());
    fill(small.path());
    // 400 x 400 x 3 bytes: more than the whole filesystem holds.
    EXPECT_FALSE(engine::saveStrip(pictures::solid(400, 400, Qt::blue), strip(),
                                   engine::StripFormat::Bmp, &m_reason));
    EXPECT_FALSE(m_reason.isEmpty());
    expectUntouched();
    // Band by band, as a strip written frame by frame.
    engine::BmpWriter writer;
    bool ok = writer.open(strip(), QSize(400, 400), &m_reason);
    for (int top = 0; ok && top < 400; top += 50)
        ok = writer.writeRows(top, pictures::solid(400, 50, Qt::green), &m_reason);
    EXPECT_FALSE(ok && writer.commit(&m_reason));
    writer.cancel();
    expectUntouched();
}

TEST_F(BmpSaveFaults, aReadOnlyFolderFailsTheSaveNamingTheReason)
{
    scratch::SmallFs disk(1024);
    if (!disk.available())
        GTEST_SKIP() << qPrintable(disk.why());
    fill(disk.path());
    // Root writes through permission bits, so the folder is made read-only by remounting.
    ASSERT_TRUE(disk.makeReadOnly()) << std::generic_category().message(errno);
    EXPECT_FALSE(engine::saveStrip(pictures::solid(8, 8, Qt::blue), strip(),
                                   engine::StripFormat::Bmp, &m_reason));
    EXPECT_FALSE(m_reason.isEmpty());
    expectUntouched();
}

TEST_F(BmpSaveFaults, aFolderOrAMissingFolderAsThePathFailsAndChangesNothing)
{
    fill(m_dir.path());
    const QString sub = m_dir.filePath(u"frames.bmp"_s);
    ASSERT_TRUE(QDir().mkdir(sub));
    m_before = snapshot();
    for (const QString &path : { sub, m_dir.filePath(u"missing/strip.bmp"_s), QString() }) {
        m_reason.clear();
        EXPECT_FALSE(engine::saveStrip(pictures::solid(8, 8, Qt::blue), path,
                                       engine::StripFormat::Bmp, &m_reason))
            << qPrintable(path);
        EXPECT_FALSE(m_reason.isEmpty());
        expectUntouched();
    }
    EXPECT_TRUE(QFileInfo(sub).isDir());
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(u"missing"_s)));
}

TEST_F(BmpSaveFaults, aSaveKilledMidwayLeavesTheEarlierStripUnderItsName)
{
    fill(m_dir.path());
    const QByteArray before = readAll(strip());
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A 4000 x 20000 strip (240 MB) written band by band; the parent kills us once the
        // first band is in.
        ::close(ready[0]);
        engine::BmpWriter writer;
        QString reason;
        if (!writer.open(strip(), QSize(4000, 20000), &reason))
            ::_exit(2);
        const QImage band = pictures::solid(4000, 100, Qt::blue);
        for (int top = 0; top < 20000; top += 100) {
            if (!writer.writeRows(top, band, &reason))
                ::_exit(3);
            if (top == 0 && ::write(ready[1], "x", 1) != 1)
                ::_exit(4);
        }
        ::_exit(writer.commit(&reason) ? 0 : 5);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool started = ::read(ready[0], &byte, 1) == 1;
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(ready[0]);
    ASSERT_TRUE(started) << "the child never started writing";
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the save finished before it could be killed";
    EXPECT_TRUE(readAll(strip()) == before);
    EXPECT_EQ(readAll(QDir(m_folder).filePath(u"notes.txt"_s)), QByteArray("keep me"));
}

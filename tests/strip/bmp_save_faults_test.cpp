// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include "engine/bmp.h"
#include "engine/strip_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
            files[name] = contents(QDir(m_folder).filePath(name));
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

// A tmpfs mounted for one test, with the given options; unmounted when the test ends.
class Mount
{
public:
    Mount(const QString &where, const char *options, unsigned long flags = 0)
        : m_where(QFile::encodeName(where))
    {
        m_mounted = ::mount("tmpfs", m_where.constData(), "tmpfs", flags, options) == 0;
    }
    ~Mount()
    {
        if (m_mounted)
            ::umount2(m_where.constData(), MNT_DETACH);
    }
    Mount(const Mount &) = delete;
    Mount &operator=(const Mount &) = delete;
    bool mounted() const { return m_mounted; }
    bool remount(unsigned long flags)
    {
        return ::mount("tmpfs", m_where.constData(), "tmpfs", MS_REMOUNT | flags, nullptr) == 0;
    }

private:
    QByteArray m_where;
    bool m_mounted = false;
};

} // namespace

TEST_F(BmpSaveFaults, aFullFilesystemFailsTheSaveAndKeepsTheEarlierStripWhole)
{
    const QString folder = m_dir.filePath(u"small"_s);
    ASSERT_TRUE(QDir().mkdir(folder));
    Mount small(folder, "size=256k");
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << strerror(errno);
    fill(folder);
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
    const QString folder = m_dir.filePath(u"readonly"_s);
    ASSERT_TRUE(QDir().mkdir(folder));
    Mount disk(folder, "size=1m");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root): " << strerror(errno);
    fill(folder);
    // Root writes through permission bits, so the folder is made read-only by remounting.
    ASSERT_TRUE(disk.remount(MS_RDONLY)) << strerror(errno);
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
    const QByteArray before = contents(strip());
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
    EXPECT_TRUE(contents(strip()) == before);
    EXPECT_EQ(contents(QDir(m_folder).filePath(u"notes.txt"_s)), QByteArray("keep me"));
}

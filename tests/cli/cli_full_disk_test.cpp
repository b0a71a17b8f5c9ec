// SPDX-License-Identifier: GPL-3.0-or-later
// Every file framolin-strip and the window write, on a disk with little room left: the new file
// whole or the old one as it was, never a part, and the system's reason when it fails.

#include "run_cli.h"

#include "files.h"
#include "pictures.h"
#include "scratch_fs.h"

#include "engine/settings_file.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

TEST(FullDisk, everyFileIsWholeOrLeftAsItWasWithTheSystemsReason)
{
    QTemporaryDir dir;
    pictures::Folder frames(dir.path());
    QImage noise(96, 192, QImage::Format_RGB32); // which no format compresses much
    quint32 seed = 1;
    for (int p = 0; p < 96 * 192; ++p)
        noise.setPixel(p % 96, p / 96, (seed = seed * 1664525u + 1013904223u) >> 8);
    frames.add(u"noise.bmp"_s, noise, "BMP");
    const QString strip = dir.filePath(u"strip.png"_s); // the page's, on a roomy disk
    // Written at `path`, or false with the message; the page when `page`.
    const auto write = [&](const QString &path, bool page, QString *message) {
        if (path.endsWith(u".ini"_s)) {
            engine::SettingsFile settings;
            for (int i = 0; i < 300; ++i)
                settings.setValue(u"InputFiles"_s, u"InputFile%1"_s.arg(i), QString(90, u'x'));
            return settings.write(path, message);
        }
        const QStringList to
            = page ? QStringList { strip, u"--html"_s, path } : QStringList { path };
        const clitest::Result result = clitest::runCli(
            QStringList { u"-q"_s, u"-s"_s, u"96x192"_s, u"-o"_s } + to + frames.paths(),
            cli::Language::English, u"/none"_s);
        *message = result.err;
        return result.status == 0;
    };
    const QString noRoom = QString::fromLocal8Bit(std::strerror(ENOSPC));
    for (const QString &name : { u"s.bmp"_s, u"s.png"_s, u"s.jpg"_s, u"s.webp"_s, u"s.gif"_s,
                                 u"s.mp4"_s, u"page.html"_s, u"Framolin.ini"_s }) {
        scratch::SmallFs fs(256);
        if (!fs.available())
            GTEST_SKIP() << "no small filesystem to fill: " << fs.why().toStdString();
        const QString path = fs.filePath(name);
        const bool page = name.endsWith(u".html"_s);
        QString message;
        ASSERT_TRUE(write(path, page, &message)) << qPrintable(message);
        const QByteArray whole = files::readAll(path);
        for (qint64 room = 0; room < whole.size() + 8192; room += 4096) {
            SCOPED_TRACE(u"%1 with %2 bytes free"_s.arg(name).arg(room).toStdString());
            files::writeAll(path, "the old file");
            files::writeAll(strip, "the old strip");
            ASSERT_TRUE(fs.fill(room));
            const bool written = write(path, page, &message);
            EXPECT_EQ(files::readAll(path), written ? whole : QByteArray("the old file"));
            if (!written) {
                EXPECT_EQ(files::readAll(strip), "the old strip");
                EXPECT_TRUE(message.contains(noRoom)) << qPrintable(message);
            }
            // A page brings the viewer's module beside it, written by the first run.
            const QStringList left = page
                ? QStringList { u".filler"_s, u"framolin-spin.js"_s, name }
                : QStringList { u".filler"_s, name };
            EXPECT_EQ(QDir(fs.path()).entryList(QDir::Files | QDir::Hidden), left);
            ASSERT_TRUE(QFile::remove(fs.filePath(u".filler"_s)));
        }
    }
}

} // namespace

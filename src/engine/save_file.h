// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way every file of the program is written (strips in any format, the web page, the
// settings): under a temporary name beside it, renamed over the old file only once every byte
// is down, so a failure leaves the old file whole and says the system's reason.

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

#include <memory>
#include <vector>

namespace engine {

class SaveFile
{
public:
    explicit SaveFile(const QString &path);
    // An uncommitted file is dropped; the old one stays.
    ~SaveFile();
    SaveFile(const SaveFile &) = delete;
    SaveFile &operator=(const SaveFile &) = delete;

    // Starts the new file once checkOutputPath() allows the path. False with the reason.
    bool open(QString *reason);
    // Writes all of `bytes`. False with the system's reason ("No space left on device").
    bool write(QByteArrayView bytes, QString *reason);
    // Sets the new file's length; what no write covers reads as zeros.
    bool resize(qint64 size, QString *reason);
    // The new file's descriptor, for writes at given places from several threads (pwrite).
    int handle() const { return m_file.handle(); }
    bool isOpen() const { return m_file.isOpen(); }
    // Puts the new file under its name after checking the path again, since it may have been
    // replaced by a device meanwhile. False with the reason, and nothing left behind.
    bool commit(QString *reason);
    void cancel();
    // The bytes written so far, before the commit too.
    qint64 size() const { return m_file.size(); }
    QString path() const { return m_file.fileName(); }

    // Why the last operation on `file` failed, in the system's words where it has some.
    static QString failure(const QFileDevice &file);

private:
    QSaveFile m_file;
};

// Files written whole and put under their names together once every one of them is written,
// so a run of several files that fails halfway leaves every earlier file as it was.
class SaveGroup
{
public:
    // Keeps `file`, written in full, until commit(); dropped with the group otherwise.
    void hold(std::unique_ptr<SaveFile> file) { m_files.push_back(std::move(file)); }
    // Keeps every file `other` holds, after those held already.
    void hold(SaveGroup &&other)
    {
        for (std::unique_ptr<SaveFile> &file : other.m_files)
            m_files.push_back(std::move(file));
        other.m_files.clear();
    }
    const std::vector<std::unique_ptr<SaveFile>> &files() const { return m_files; }
    // Commits every file held, in order. False with the path and the reason of the first
    // that fails; the files after it are dropped.
    bool commit(QString *path, QString *reason);

private:
    std::vector<std::unique_ptr<SaveFile>> m_files;
};

} // namespace engine

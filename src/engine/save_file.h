// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way every file of the program is written (strips in any format, the web page, the
// settings): under a temporary name beside it, renamed over the old file only once every byte
// is down, so a failure leaves the old file whole and says the system's reason.

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

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

    // Why the last operation on `file` failed, in the system's words where it has some.
    static QString failure(const QFileDevice &file);

private:
    QSaveFile m_file;
};

} // namespace engine

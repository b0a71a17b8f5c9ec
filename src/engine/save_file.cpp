// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_file.h"

#include "output_path.h"

#include <QCoreApplication>

namespace engine {

SaveFile::SaveFile(const QString &path) : m_file(path) { }

SaveFile::~SaveFile()
{
    cancel();
}

bool SaveFile::open(QString *reason)
{
    if (!checkOutputPath(m_file.fileName(), reason))
        return false;
    // Unbuffered: a buffered QSaveFile loses the error of its last flush, and commit() then
    // puts a short file in place of the old one. This way each write fails with its reason.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *reason = failure(m_file);
        return false;
    }
    return true;
}

bool SaveFile::write(QByteArrayView bytes, QString *reason)
{
    // A disk filling up takes part of a write without an error; only the next write is
    // refused, with the reason. So the rest is written again until it is refused.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = m_file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            *reason = failure(m_file);
            cancel();
            return false;
        }
        done += qsizetype(written);
    }
    return true;
}

bool SaveFile::resize(qint64 size, QString *reason)
{
    if (m_file.resize(size))
        return true;
    *reason = failure(m_file);
    cancel();
    return false;
}

bool SaveFile::commit(QString *reason)
{
    if (!m_file.isOpen()) {
        *reason = QCoreApplication::translate("engine", "the file is not open");
        return false;
    }
    if (!checkOutputPath(m_file.fileName(), reason)) {
        cancel();
        return false;
    }
    if (m_file.commit())
        return true;
    *reason = failure(m_file);
    return false;
}

void SaveFile::cancel()
{
    if (m_file.isOpen()) {
        m_file.cancelWriting();
        m_file.commit(); // with writing cancelled, drops the temporary file
    }
}

bool SaveGroup::commit(QString *path, QString *reason)
{
    for (const std::unique_ptr<SaveFile> &file : m_files) {
        if (!file->commit(reason)) {
            *path = file->path();
            m_files.clear();
            return false;
        }
    }
    m_files.clear();
    return true;
}

QString SaveFile::failure(const QFileDevice &file)
{
    const QString reason = file.error() == QFileDevice::NoError ? QString() : file.errorString();
    return reason.isEmpty() ? QCoreApplication::translate("engine", "write error") : reason;
}

} // namespace engine

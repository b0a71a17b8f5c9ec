// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame_files.h"

#include "compose.h"
#include "decode.h"
#include "output_path.h"
#include "pool.h"
#include "save_file.h"
#include "strip_writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace engine {

namespace {

// `frame` as the strip shows it: transparent pixels over the strip's back colour.
QImage opaque(const QImage &frame)
{
    if (!frame.hasAlphaChannel())
        return frame;
    QImage flat(frame.size(), QImage::Format_RGB888);
    if (flat.isNull())
        return flat;
    flat.fill(QColor::fromRgb(kStripBackColor));
    place(flat, frame, QPoint(0, 0));
    return flat;
}

// A new file at `to` holding the bytes of the file at `from`, not yet under its name.
std::unique_ptr<SaveFile> copyOf(const QString &from, const QString &to, QString *reason)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        *reason = SaveFile::failure(in);
        return nullptr;
    }
    auto out = std::make_unique<SaveFile>(to);
    if (!out->open(reason))
        return nullptr;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(chunk.data(), chunk.size());
        if (n < 0) {
            *reason = SaveFile::failure(in);
            return nullptr;
        }
        if (n == 0)
            return out;
        if (!out->write(QByteArrayView(chunk.constData(), n), reason))
            return nullptr;
    }
}

QString zipFailure(zip_t *archive)
{
    return QString::fromUtf8(zip_strerror(archive));
}

// The archive of `files` at `at`, each under `folder`/. Compressed pictures are stored as they
// are: deflating them again only costs time.
bool writeZip(const QString &at, const QString &folder, const QStringList &files, bool deflate,
              QString *reason)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(at).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        *reason = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        return false;
    }
    for (const QString &file : files) {
        zip_source_t *source = zip_source_file(archive, QFile::encodeName(file).constData(), 0, 0);
        const QByteArray name = (folder + u'/' + QFileInfo(file).fileName()).toUtf8();
        const zip_int64_t index
            = source ? zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0
            || (!deflate
                && zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0) != 0)) {
            if (source && index < 0)
                zip_source_free(source);
            *reason = zipFailure(archive);
            zip_discard(archive);
            return false;
        }
    }
    if (zip_close(archive) != 0) {
        *reason = zipFailure(archive);
        zip_discard(archive);
        return false;
    }
    return true;
}

} // namespace

QString frameFileName(int index, int count, const QString &suffix)
{
    const int width = std::max(4, int(QString::number(count).size()));
    return u"%1.%2"_s.arg(index + 1, width, 10, QChar(u'0')).arg(suffix);
}

QString formatSuffix(StripFormat format)
{
    return format == StripFormat::Jpeg ? u"jpg"_s : formatName(format).toLower();
}

FrameFolder::~FrameFolder()
{
    m_stage.reset(); // and every file not moved out of it
    if (m_made && !m_committed)
        QDir().rmdir(m_folder);
}

bool FrameFolder::open(QString *reason)
{
    const QFileInfo info(m_folder);
    if (!info.exists()) {
        if (!QDir().mkdir(m_folder)) {
            *reason = QFileInfo::exists(info.absolutePath())
                ? QCoreApplication::translate("engine", "the folder could not be made")
                : QCoreApplication::translate("engine", "the folder it goes in does not exist");
            return false;
        }
        m_made = true;
    } else if (!info.isDir()) {
        *reason = QCoreApplication::translate("engine", "it is not a folder");
        return false;
    }
    m_stage = std::make_unique<QTemporaryDir>(QDir(m_folder).filePath(u".framolin-XXXXXX"_s));
    if (!m_stage->isValid()) {
        *reason = m_stage->errorString();
        return false;
    }
    return true;
}

QString FrameFolder::stagedPath(const QString &name) const
{
    return m_stage->filePath(name);
}

bool FrameFolder::commit(QString *path, QString *reason)
{
    const QDir folder(m_folder);
    const QStringList names = QDir(m_stage->path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        *path = folder.filePath(name);
        if (!checkOutputPath(*path, reason))
            return false;
        if (std::rename(QFile::encodeName(stagedPath(name)).constData(),
                        QFile::encodeName(*path).constData())
            != 0) {
            *reason = systemErrorText(errno);
            return false;
        }
    }
    m_committed = true;
    return true;
}

bool writeFrameFiles(const FrameFiles &set, int jobs, FrameFolder *folder, SaveGroup *group,
                     QString *error)
{
    if (!folder->open(error)) {
        *error = u"%1: %2"_s.arg(folder->path(), *error);
        return false;
    }
    // Each name is checked before any work, as it is again when the file is put in place.
    QStringList staged;
    for (const QString &name : set.names) {
        const QString path = QDir(folder->path()).filePath(name);
        if (!checkOutputPath(path, error)) {
            *error = u"%1: %2"_s.arg(path, *error);
            return false;
        }
        staged.append(folder->stagedPath(name));
    }
    const auto write = [&](int i, QString *reason) {
        QString why;
        const QImage frame = opaque(decodeFrame(set.sources.at(i), set.size, &why, set.fit));
        if (frame.isNull()) {
            *reason = u"%1: %2"_s.arg(set.sources.at(i), why);
            return false;
        }
        if (!saveStrip(frame, staged.at(i), set.format, &why, set.quality)) {
            *reason = u"%1: %2"_s.arg(QDir(folder->path()).filePath(set.names.at(i)), why);
            return false;
        }
        return true;
    };
    if (!runJobs(int(set.sources.size()), std::max(jobs, 1), write, error))
        return false;
    if (set.zip.isEmpty())
        return true;
    // The archive is made beside the frames it reads, then copied to its place.
    QString reason;
    const QString archive = folder->stagedPath(u".archive.zip"_s);
    const QString under = QFileInfo(QDir::cleanPath(folder->path())).fileName();
    std::unique_ptr<SaveFile> zip;
    if (!writeZip(archive, under, staged, set.format == StripFormat::Bmp, &reason)
        || !(zip = copyOf(archive, set.zip, &reason))) {
        *error = u"%1: %2"_s.arg(set.zip, reason);
        return false;
    }
    QFile::remove(archive);
    group->hold(std::move(zip));
    return true;
}

bool writeFrameFile(const FrameFiles &set, const QString &path, SaveGroup *group, QString *error)
{
    QString why;
    const QImage frame = opaque(decodeFrame(set.sources.at(0), set.size, &why, set.fit));
    if (frame.isNull()) {
        *error = u"%1: %2"_s.arg(set.sources.at(0), why);
        return false;
    }
    const std::unique_ptr<StripWriter> writer = makeStripWriter(set.format, set.quality);
    writer->holdCommitIn(group);
    if (!writer->open(path, frame.size(), &why) || !writer->writeRows(0, frame, &why)
        || !writer->commit(&why)) {
        *error = u"%1: %2"_s.arg(path, why);
        return false;
    }
    return true;
}

} // namespace engine

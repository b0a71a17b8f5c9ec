// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputs.h"

#include "language.h"

#include "engine/file_names.h"
#include "engine/limits.h"
#include "engine/natural_order.h"
#include "engine/picture_files.h"
#include "engine/video.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QSet>

#include <algorithm>

#include <dirent.h>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

// The names the listing below takes, as bytes.
bool isPictureName(const QByteArray &name)
{
    const QByteArray lower = name.toLower();
    return !name.startsWith('.')
        && (lower.endsWith(".bmp") || lower.endsWith(".jpg") || lower.endsWith(".jpeg")
            || lower.endsWith(".gif") || lower.endsWith(".png") || lower.endsWith(".webp")
            || lower.endsWith(".tif") || lower.endsWith(".tiff"));
}

// The folder's listing in bytes: a picture whose name is not UTF-8 would be missing from the
// strip (Qt lists it under a name that opens nothing), so it is refused, named.
bool checkNames(const QString &folder, QString *error)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return true; // the listing below says why
    bool ok = true;
    // The stream is this call's own: readdir is unsafe only on a stream shared by threads.
    while (const dirent *entry = ::readdir(dir)) { // NOLINT(concurrency-mt-unsafe)
        if (entry->d_type == DT_DIR)
            continue;
        const QByteArray bytes(entry->d_name);
        QString name, reason;
        if (isPictureName(bytes) && !engine::fileNameFromBytes(bytes, &name, &reason)) {
            *error = u"%1: %2"_s.arg(QDir(folder).filePath(engine::escapedName(bytes)), reason);
            ok = false;
            break;
        }
    }
    ::closedir(dir);
    return ok;
}

// The entries of `folder` that are not among `taken`, each with the reason, in natural order.
QList<LeftOut> entriesLeftOut(const QString &folder, const QStringList &taken)
{
    const QSet<QString> frames(taken.cbegin(), taken.cend());
    QDir dir(folder);
    dir.setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    dir.setSorting(QDir::Unsorted);
    QList<LeftOut> others;
    const QFileInfoList entries = dir.entryInfoList();
    for (const QFileInfo &entry : entries) {
        const QString path = dir.filePath(entry.fileName());
        if (frames.contains(path))
            continue;
        const bool pictureName = QDir::match(engine::pictureNameFilters(), entry.fileName());
        QString reason;
        if (entry.fileName().startsWith(u'.'))
            reason = Text::tr("a hidden file");
        else if (!pictureName)
            reason = Text::tr("not named as a picture");
        else if (entry.isDir())
            reason = Text::tr("a folder");
        else if (!entry.isFile())
            reason = Text::tr("not a plain file");
        else
            reason = Text::tr("added while the folder was read");
        others.append({ path, reason });
    }
    std::sort(others.begin(), others.end(), [](const LeftOut &a, const LeftOut &b) {
        return engine::naturalLess(a.path, b.path);
    });
    return others;
}

} // namespace

bool expandInputs(const QStringList &arguments, QStringList *files, QString *error,
                  QList<LeftOut> *leftOut)
{
    for (const QString &argument : arguments) {
        const QFileInfo info(engine::entryFile(argument));
        if (!info.exists()) {
            *error = Text::tr("%1: does not exist").arg(argument);
            return false;
        }
        if (!info.isDir()) {
            files->append(argument);
            continue;
        }
        QStringList pictures;
        if (!engine::picturesInFolder(argument, &pictures, error))
            return false;
        if (!checkNames(argument, error))
            return false;
        if (pictures.isEmpty()) {
            *error = Text::tr("%1: the folder has no BMP, JPG, GIF, PNG, WebP or TIFF pictures")
                         .arg(argument);
            return false;
        }
        files->append(pictures);
        if (leftOut)
            leftOut->append(entriesLeftOut(argument, pictures));
    }
    return true;
}

bool turnSeconds(const QString &text, std::optional<Turn> *turn, QString *error)
{
    const QStringList ends = text.split(u".."_s);
    bool startOk = false, endOk = false;
    const double start = ends.size() == 2 ? ends.at(0).toDouble(&startOk) : 0;
    const double end = ends.size() == 2 ? ends.at(1).toDouble(&endOk) : 0;
    if (!startOk || !endOk || !(start >= 0) || !(end > start) || end > engine::kMaxVideoSeconds) {
        *error = Text::tr("--turn: \"%1\" is not START..END in seconds, START before END, for "
                          "example 1.5..9")
                     .arg(text);
        return false;
    }
    *turn = Turn { start, end };
    return true;
}

bool expandVideos(QStringList *files, int frames, const std::optional<Turn> &turn, QString *error,
                  int *fault)
{
    QStringList expanded;
    bool any = false;
    for (const QString &file : std::as_const(*files)) {
        const engine::EntryTarget target = engine::entryTarget(file);
        // A moment given as an entry is a picture already.
        if (!target.video || target.file != file) {
            expanded.append(file);
            continue;
        }
        any = true;
        engine::VideoInfo info;
        QString reason;
        if (!engine::probeVideo(file, &info, &reason)) {
            *error = u"%1: %2"_s.arg(file, reason);
            *fault = 1;
            return false;
        }
        const Turn span = turn.value_or(Turn { 0, info.seconds });
        if (span.end > info.seconds) {
            *error = Text::tr("%1: the video lasts %2 s, shorter than the turn to %3 s")
                         .arg(file)
                         .arg(info.seconds)
                         .arg(span.end);
            *fault = 1;
            return false;
        }
        for (int i = 0; i < frames; ++i)
            expanded.append(
                engine::momentEntry(file, span.start + i * (span.end - span.start) / frames));
    }
    if (turn && !any) {
        *error = Text::tr("--turn is for videos, and no video was given");
        *fault = 2;
        return false;
    }
    *files = expanded;
    return any;
}

} // namespace cli

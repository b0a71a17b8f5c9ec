// SPDX-License-Identifier: GPL-3.0-or-later
#include "extra_outputs.h"

#include "builder.h"
#include "language.h"

#include "engine/same_file.h"
#include "engine/sources.h"
#include "engine/working_set.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

// `name` in the folder of `output`, written as sheetPath() writes its names.
QString beside(const QString &output, const QString &name)
{
    const QFileInfo info(output);
    return info.path() == u"."_s && !output.startsWith(u"./"_s) ? name : info.dir().filePath(name);
}

// The folder `folder` stands for, links followed where it exists.
QString placeOfFolder(const QString &folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QStringList numbered(const QString &folder, int count, const QString &suffix)
{
    QStringList paths;
    paths.reserve(count);
    for (int i = 0; i < count; ++i)
        paths.append(QDir(folder).filePath(engine::frameFileName(i, count, suffix)));
    return paths;
}

int rounded(qint64 a, qint64 b, qint64 c) // a × b / c to the nearest, at least 1
{
    return int(std::max<qint64>((2 * a * b + c) / (2 * c), 1));
}

struct FrameFolderAsked
{
    QString path;
    QString suffix;
};

QList<FrameFolderAsked> frameFolders(const Job &job)
{
    QList<FrameFolderAsked> folders;
    if (!job.framesDir.isEmpty())
        folders.append({ job.framesDir, engine::formatSuffix(job.format) });
    if (job.zoom.isValid())
        folders.append({ zoomFolder(job.output), u"jpg"_s });
    return folders;
}

} // namespace

QString posterPath(const QString &output)
{
    return beside(output, QFileInfo(output).completeBaseName() + u"-poster.jpg"_s);
}

QString zoomFolder(const QString &output)
{
    return beside(output, QFileInfo(output).completeBaseName() + u"-zoom"_s);
}

QString doubledPath(const QString &sheet)
{
    const QFileInfo info(sheet);
    return beside(sheet,
                  info.suffix().isEmpty()
                      ? info.fileName() + u"@2x"_s
                      : u"%1@2x.%2"_s.arg(info.completeBaseName(), info.suffix()));
}

QString zipPath(const QString &folder)
{
    return QDir::cleanPath(folder) + u".zip"_s;
}

QSize posterSize(QSize frame)
{
    const int side = std::max(frame.width(), frame.height());
    if (side <= engine::kMaxPosterSide)
        return frame;
    return { rounded(frame.width(), engine::kMaxPosterSide, side),
             rounded(frame.height(), engine::kMaxPosterSide, side) };
}

QSize zoomSize(QSize zoom, QSize frame)
{
    if (zoom.width() == 0)
        return { rounded(zoom.height(), frame.width(), frame.height()), zoom.height() };
    if (zoom.height() == 0)
        return { zoom.width(), rounded(zoom.width(), frame.height(), frame.width()) };
    return zoom;
}

bool extrasCanBeWritten(const Job &job, QString *error)
{
    const QList<FrameFolderAsked> folders = frameFolders(job);
    if (!job.poster && job.sheets2x.isEmpty() && folders.isEmpty())
        return true;
    if (job.output == u"-"_s) {
        *error = Text::tr("--poster, --frames-dir, --scale and --zoom need the strip in a file, "
                          "not on standard output");
        return false;
    }
    const QSize zoom = job.zoom, frame = job.frame;
    if (zoom.isValid()) {
        // Larger frames are what a zoom is for; a smaller one is the sheets' business.
        if (zoom.width() < frame.width() || zoom.height() < frame.height() || zoom == frame) {
            *error = Text::tr("--zoom: %1 × %2 is not larger than the frame (%3 × %4)")
                         .arg(zoom.width())
                         .arg(zoom.height())
                         .arg(frame.width())
                         .arg(frame.height());
            return false;
        }
        QString problem = engine::formatLimitProblem(engine::StripFormat::Jpeg, zoom);
        if (problem.isEmpty() && !engine::stripFits(zoom.width(), zoom.height()))
            problem = Text::tr("a strip of %1 × %2 pixels is over the limit of %3 MiB")
                          .arg(QString::number(zoom.width()), QString::number(zoom.height()),
                               QString::number(engine::kMaxStripBytes / engine::kMega));
        if (!problem.isEmpty()) {
            *error = u"--zoom: "_s + problem;
            return false;
        }
    }
    QStringList singles = job.sheet2xPaths;
    if (job.poster)
        singles.append(posterPath(job.output));
    if (!job.framesDir.isEmpty())
        singles.append(zipPath(job.framesDir));
    const int count = int(job.files.size());
    QStringList written = singles;
    for (const FrameFolderAsked &folder : folders)
        written += numbered(folder.path, count, folder.suffix);
    for (const QString &path : std::as_const(written)) {
        if (const QString input = engine::inputThatIsOutput(path, job.files); !input.isEmpty()) {
            *error = u"%1: %2"_s.arg(path, engine::overwritesInput(path, input));
            return false;
        }
    }
    QStringList others = job.sheetPaths;
    for (const QString &file : { job.html, job.manifest }) {
        if (!file.isEmpty())
            others.append(file);
    }
    for (const QString &single : std::as_const(singles)) {
        for (const QString &other : std::as_const(others)) {
            if (engine::sameDestination(single, other)) {
                *error = Text::tr("%1 would be written over %2").arg(single, other);
                return false;
            }
        }
        others.append(single);
    }
    QStringList places;
    for (const FrameFolderAsked &folder : folders) {
        const QFileInfo info(folder.path);
        if (info.exists() && !info.isDir()) {
            *error = Text::tr("%1: not a folder").arg(folder.path);
            return false;
        }
        // Frames written among the pictures would be taken for pictures by the next run.
        const QString place = placeOfFolder(folder.path);
        for (const QString &input : job.files) {
            const QFileInfo picture(input);
            if (picture.canonicalPath() == place
                || QDir::cleanPath(picture.absolutePath()) == place) {
                *error = Text::tr("%1 holds the input picture %2: write the frames to another "
                                  "folder")
                             .arg(folder.path, input);
                return false;
            }
        }
        // No other file of the run may be one of the numbered frames.
        QSet<QString> names;
        for (int i = 0; i < count; ++i)
            names.insert(engine::frameFileName(i, count, folder.suffix));
        for (const QString &other : std::as_const(others)) {
            if (names.contains(QFileInfo(other).fileName())
                && placeOfFolder(QFileInfo(other).absolutePath()) == place) {
                *error = Text::tr("%1 would be written over %2").arg(folder.path, other);
                return false;
            }
        }
        if (places.contains(place)) {
            *error = Text::tr("%1 would be written over %2").arg(folder.path, folders[0].path);
            return false;
        }
        places.append(place);
    }
    return true;
}

bool ExtraOutputs::write(QString *error)
{
    const Job &job = m_job;
    StripOutput output { {}, job.format, job.quality, 1, job.fit };
    output.group = &m_group;
    for (qsizetype i = 0; i < job.sheets2x.size(); ++i) {
        const engine::Sheet &sheet = job.sheets2x.at(i);
        output.path = job.sheet2xPaths.at(i);
        output.columns = sheet.columns;
        // Decoded from the pictures at twice the size, never enlarged from the frames.
        if (!buildStrip(job.files.mid(sheet.firstFrame, sheet.frameCount), job.frame * 2, output,
                        job.jobs, {}, error))
            return false;
        m_bytes2x.append(m_group.files().back()->size());
    }
    engine::FrameFiles set { job.files, job.frame, job.fit, job.format, job.quality, {}, {} };
    const int count = int(job.files.size());
    if (job.poster) {
        m_poster = posterSize(job.frame);
        set.size = m_poster;
        set.format = engine::StripFormat::Jpeg;
        if (!engine::writeFrameFile(set, posterPath(job.output), &m_group, error))
            return false;
    }
    for (const FrameFolderAsked &folder : frameFolders(job)) {
        const bool zoom = folder.path != job.framesDir;
        set.size = zoom ? job.zoom : job.frame;
        set.format = zoom ? engine::StripFormat::Jpeg : job.format;
        set.names.clear();
        for (int i = 0; i < count; ++i)
            set.names.append(engine::frameFileName(i, count, folder.suffix));
        set.zip = zoom ? QString() : zipPath(folder.path);
        std::unique_ptr<engine::FrameFolder> &made = zoom ? m_zoom : m_frames;
        made = std::make_unique<engine::FrameFolder>(folder.path);
        if (!engine::writeFrameFiles(set, job.jobs, made.get(), &m_group, error))
            return false;
    }
    return true;
}

void ExtraOutputs::describe(engine::Manifest *manifest) const
{
    const Job &job = m_job;
    const int count = int(job.files.size());
    for (qsizetype i = 0; i < m_bytes2x.size(); ++i)
        manifest->sheets2x.append({ job.sheet2xPaths.at(i), job.sheets2x.at(i), m_bytes2x.at(i) });
    if (job.poster) {
        manifest->poster = posterPath(job.output);
        manifest->posterSize = m_poster;
    }
    if (m_frames) {
        manifest->frameFiles = numbered(job.framesDir, count, engine::formatSuffix(job.format));
        manifest->framesZip = zipPath(job.framesDir);
    }
    if (m_zoom) {
        manifest->zoom = job.zoom;
        manifest->zoomFiles = numbered(zoomFolder(job.output), count, u"jpg"_s);
    }
}

bool ExtraOutputs::commit(QString *path, QString *reason)
{
    if (!m_group.commit(path, reason))
        return false;
    for (engine::FrameFolder *folder : { m_frames.get(), m_zoom.get() }) {
        if (folder && !folder->commit(path, reason))
            return false;
    }
    return true;
}

} // namespace cli

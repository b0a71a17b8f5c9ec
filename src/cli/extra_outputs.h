// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a run writes beside the sheets when asked: a poster, every frame as its own file (and
// their archive), the sheets at twice the frame size and larger zoom frames. Each is decoded
// from the original pictures at its own size, written after the sheets, and put in place with
// them only once everything is written.

#include "options.h"

#include "engine/frame_files.h"
#include "engine/manifest.h"
#include "engine/save_file.h"

#include <QList>
#include <QSize>
#include <QString>

#include <memory>

namespace cli {

// Beside the strip NAME.EXT: the poster NAME-poster.jpg and the zoom folder NAME-zoom.
QString posterPath(const QString &output);
QString zoomFolder(const QString &output);
// Sheet NAME.EXT at twice the size: NAME@2x.EXT.
QString doubledPath(const QString &sheet);
// The archive of the folder DIR: DIR.zip beside it.
QString zipPath(const QString &folder);
// The poster's size: the frame's, scaled down to fit engine::kMaxPosterSide, aspect kept.
QSize posterSize(QSize frame);
// `zoom` with a side of 0 taken from the aspect of `frame`.
QSize zoomSize(QSize zoom, QSize frame);

// Refuses, before anything is written, what these outputs cannot be: to standard output, a
// zoom no larger than the frame, a name that is an input or another output of the run, a folder
// that holds an input. False with one line.
bool extrasCanBeWritten(const Job &job, QString *error);

class ExtraOutputs
{
public:
    explicit ExtraOutputs(const Job &job) : m_job(job) { }

    // Writes whatever `job` asks for, decoding on `jobs` threads. False with one line.
    bool write(QString *error);
    // Adds what was written to `manifest`.
    void describe(engine::Manifest *manifest) const;
    // Puts every file in place. False with the path and the reason.
    bool commit(QString *path, QString *reason);

private:
    const Job &m_job;
    std::unique_ptr<engine::FrameFolder> m_frames, m_zoom;
    engine::SaveGroup m_group;
    QList<qint64> m_bytes2x;
    QSize m_poster;
};

} // namespace cli

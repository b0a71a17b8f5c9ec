// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Frames of videos as pictures: an entry "clip.mp4#t=1.25" (a media-fragment moment, in
// seconds) or a plain video path (its first frame) decodes to the frame shown at that moment,
// turned upright by the video's rotation, as decodeFrame does for pictures. Widget free.

#include "fit.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace engine {

// What an entry names: a file, and the moment of it when the file is a video.
struct EntryTarget
{
    QString file;
    bool video = false;
    double seconds = 0;
};

// The names taken as videos, as file-dialog patterns: *.mp4 *.mov *.m4v *.webm *.mkv *.avi.
QStringList videoNameFilters();

// True for the names taken as videos, any case.
bool isVideoName(const QString &path);

// The file an entry reads and its moment. A file that exists under the whole name is that
// file, "#t=" and all; otherwise a "#t=SECONDS" suffix on a video's name is split off.
EntryTarget entryTarget(const QString &entry);

// The file an entry reads (the entry without its moment).
inline QString entryFile(const QString &entry)
{
    return entryTarget(entry).file;
}

// The entry for `seconds` into `video`, to the microsecond.
QString momentEntry(const QString &video, double seconds);

struct VideoInfo
{
    QSize stored; // as coded
    QSize upright; // as shown, turned by the rotation
    int rotation = 0; // clockwise quarter turns applied to show it: 0, 90, 180 or 270
    double seconds = 0; // the duration
    double frameRate = 0; // the average, 0 when unknown
    qint64 frames = 0; // the claimed or estimated count
};

// The video's header checked against the limits, nothing decoded. False with the reason.
bool probeVideo(const QString &file, VideoInfo *info, QString *reason);

// The frame that `ffmpeg -ss SECONDS -i file -frames:v 1` gives: the first whose timestamp is at
// or after the moment, upright, fitted to `frame` as `options` say. Readers stay open between
// calls, so the moments of one video asked in order decode forward instead of seeking each time.
QImage decodeVideoFrame(const QString &file, double seconds, QSize frame, QString *reason,
                        const FrameOptions &options = {});

} // namespace engine

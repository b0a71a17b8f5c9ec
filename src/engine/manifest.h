// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manifest: a versioned JSON description of a set of sheets that web viewers read (the
// frame size, the frames and lanes, the direction and speed, and where each frame is), with
// every file named relative to the manifest, as a URL.

#include "engine/sheet_layout.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace engine {

// Raised only when a reader of an older manifest would read this one wrongly.
inline constexpr int kManifestVersion = 1;

struct ManifestSheet
{
    QString path; // where the sheet is written
    Sheet sheet;
    qint64 bytes = 0;
};

// A loop of the same frames written beside the sheets, for places that run no script.
struct ManifestLoop
{
    QString path;
    QString format; // "gif", "mp4", "webm", "webp"
    int fps = 12;
    QSize size; // of its pictures
    qint64 bytes = 0;
};

struct Manifest
{
    QSize frame;
    int frames = 0; // of all lanes
    int lanes = 1;
    bool reverse = false;
    int framesPerSecond = 12;
    StripFormat format = StripFormat::Png;
    Target target = Target::None;
    QList<ManifestSheet> sheets;
    // Written only when set: the set's name for the viewer's label; the first frame as a small
    // JPEG; the sheets at twice the frame size; each frame as its own file and their archive;
    // the frames at a larger size.
    QString title;
    QString poster;
    QSize posterSize;
    QList<ManifestSheet> sheets2x;
    QStringList frameFiles;
    QString framesZip;
    QSize zoom;
    QStringList zoomFiles;
    std::optional<ManifestLoop> loop;
};

// `path` as a URL relative to the folder of `from`, each segment percent-encoded (but '@') so
// that spaces, '#', '?' and non-ASCII names survive.
QString relativeUrl(const QString &path, const QString &from);

// `manifest` as JSON for a file at `at`: sheet files relative to it.
QJsonObject manifestJson(const Manifest &manifest, const QString &at);
// The manifest file's bytes, indented for people to read.
QByteArray manifestBytes(const Manifest &manifest, const QString &at);

} // namespace engine

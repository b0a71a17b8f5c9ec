// SPDX-License-Identifier: GPL-3.0-or-later
#include "manifest.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace engine {

QString relativeUrl(const QString &path, const QString &from)
{
    const QDir dir = QFileInfo(from).absoluteDir();
    const QString relative = dir.relativeFilePath(QFileInfo(path).absoluteFilePath());
    QStringList segments = relative.split(u'/');
    // '@' is left as it is: a path may hold it, and "NAME@2x.webp" reads as people wrote it.
    for (QString &segment : segments)
        segment = QString::fromLatin1(QUrl::toPercentEncoding(segment, "@"));
    return segments.join(u'/');
}

namespace {

QJsonArray sheetsJson(const QList<ManifestSheet> &list, const QString &at)
{
    QJsonArray sheets;
    for (const ManifestSheet &entry : list) {
        sheets.append(QJsonObject {
            { u"file"_s, relativeUrl(entry.path, at) },
            { u"columns"_s, entry.sheet.columns },
            { u"rows"_s, entry.sheet.rows },
            { u"firstFrame"_s, entry.sheet.firstFrame },
            { u"frameCount"_s, entry.sheet.frameCount },
            { u"width"_s, entry.sheet.pixels.width() },
            { u"height"_s, entry.sheet.pixels.height() },
            { u"bytes"_s, entry.bytes },
        });
    }
    return sheets;
}

QJsonArray urls(const QStringList &paths, const QString &at)
{
    QJsonArray list;
    for (const QString &path : paths)
        list.append(relativeUrl(path, at));
    return list;
}

} // namespace

QJsonObject manifestJson(const Manifest &manifest, const QString &at)
{
    QJsonObject json {
        { u"version"_s, kManifestVersion },
        { u"frameWidth"_s, manifest.frame.width() },
        { u"frameHeight"_s, manifest.frame.height() },
        { u"frames"_s, manifest.frames },
        { u"lanes"_s, manifest.lanes },
        { u"framesPerLane"_s, manifest.frames / std::max(manifest.lanes, 1) },
        { u"direction"_s, manifest.reverse ? u"reverse"_s : u"forward"_s },
        { u"fps"_s, manifest.framesPerSecond },
        { u"format"_s, formatName(manifest.format).toLower() },
        { u"target"_s, targetName(manifest.target) },
        { u"sheets"_s, sheetsJson(manifest.sheets, at) },
    };
    if (!manifest.title.isEmpty())
        json.insert(u"title"_s, manifest.title);
    if (!manifest.poster.isEmpty())
        json.insert(u"poster"_s,
                    QJsonObject { { u"file"_s, relativeUrl(manifest.poster, at) },
                                  { u"width"_s, manifest.posterSize.width() },
                                  { u"height"_s, manifest.posterSize.height() } });
    if (!manifest.sheets2x.isEmpty())
        json.insert(u"sheets2x"_s, sheetsJson(manifest.sheets2x, at));
    if (!manifest.frameFiles.isEmpty()) {
        QJsonObject files { { u"files"_s, urls(manifest.frameFiles, at) } };
        if (!manifest.framesZip.isEmpty())
            files.insert(u"zip"_s, relativeUrl(manifest.framesZip, at));
        json.insert(u"frameFiles"_s, files);
    }
    if (!manifest.zoomFiles.isEmpty())
        json.insert(u"zoom"_s,
                    QJsonObject { { u"width"_s, manifest.zoom.width() },
                                  { u"height"_s, manifest.zoom.height() },
                                  { u"files"_s, urls(manifest.zoomFiles, at) } });
    if (const std::optional<ManifestLoop> &loop = manifest.loop)
        json.insert(u"loop"_s,
                    QJsonObject { { u"file"_s, relativeUrl(loop->path, at) },
                                  { u"format"_s, loop->format },
                                  { u"fps"_s, loop->fps },
                                  { u"frames"_s, manifest.frames },
                                  { u"width"_s, loop->size.width() },
                                  { u"height"_s, loop->size.height() },
                                  { u"bytes"_s, loop->bytes } });
    return json;
}

QByteArray manifestBytes(const Manifest &manifest, const QString &at)
{
    return QJsonDocument(manifestJson(manifest, at)).toJson(QJsonDocument::Indented);
}

} // namespace engine

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
    for (QString &segment : segments)
        segment = QString::fromLatin1(QUrl::toPercentEncoding(segment));
    return segments.join(u'/');
}

QJsonObject manifestJson(const Manifest &manifest, const QString &at)
{
    QJsonArray sheets;
    for (const ManifestSheet &entry : manifest.sheets) {
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
    return QJsonObject {
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
        { u"sheets"_s, sheets },
    };
}

QByteArray manifestBytes(const Manifest &manifest, const QString &at)
{
    return QJsonDocument(manifestJson(manifest, at)).toJson(QJsonDocument::Indented);
}

} // namespace engine

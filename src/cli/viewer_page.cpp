// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer_page.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

QString pageTemplate()
{
    QFile file(u":/cli/viewer_page.html"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {}; // built in; only a broken build lacks it
    return QString::fromUtf8(file.readAll());
}

// The strip's address as the page sees it: relative to the page's folder, each path segment
// percent-encoded so that spaces, '#', '?' and non-ASCII names survive.
QString relativeUrl(const QString &stripPath, const QString &pagePath)
{
    const QDir pageDir = QFileInfo(pagePath).absoluteDir();
    const QString relative = pageDir.relativeFilePath(QFileInfo(stripPath).absoluteFilePath());
    QStringList segments = relative.split(u'/');
    for (QString &segment : segments)
        segment = QString::fromLatin1(QUrl::toPercentEncoding(segment));
    return segments.join(u'/');
}

} // namespace

QByteArray viewerPageHtml(const ViewerPage &page, const QString &pagePath)
{
    const QJsonObject config {
        { u"strip"_s, relativeUrl(page.stripPath, pagePath) },
        { u"frames"_s, page.frames },
        { u"width"_s, page.frame.width() },
        { u"height"_s, page.frame.height() },
        { u"columns"_s, page.columns },
        { u"fps"_s, page.framesPerSecond },
        { u"autoplay"_s, page.autoplay },
    };
    // "</script>" must not appear inside the script, whatever the file is called.
    QString json = QString::fromUtf8(QJsonDocument(config).toJson(QJsonDocument::Compact));
    json.replace(u'<', u"\\u003c"_s);
    // In one pass, so a value that holds a placeholder's name is never replaced in turn.
    const QHash<QString, QString> values {
        { u"@TITLE@"_s, QFileInfo(page.stripPath).fileName().toHtmlEscaped() },
        { u"@CONFIG@"_s, json },
    };
    static const QRegularExpression placeholder(u"@TITLE@|@CONFIG@"_s);
    const QString text = pageTemplate();
    QString html;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &match : placeholder.globalMatch(text)) {
        html += QStringView(text).sliced(done, match.capturedStart() - done);
        html += values.value(match.captured());
        done = match.capturedEnd();
    }
    html += QStringView(text).sliced(done);
    return html.toUtf8();
}

} // namespace cli

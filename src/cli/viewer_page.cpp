// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer_page.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

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

} // namespace

QByteArray viewerPageHtml(const ViewerPage &page, const QString &pagePath)
{
    // The manifest's own data, its files relative to the page: read in place, since a page
    // opened from disk may not fetch a file beside it.
    QJsonObject config = engine::manifestJson(page.manifest, pagePath);
    config.insert(u"autoplay"_s, page.autoplay);
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

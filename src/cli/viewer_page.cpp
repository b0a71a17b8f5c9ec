// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer_page.h"

#include "language.h"

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

QByteArray resource(const QString &name)
{
    QFile file(u":/cli/"_s + name);
    if (!file.open(QIODevice::ReadOnly))
        return {}; // built in; only a broken build lacks it
    return file.readAll();
}

// What the viewer is called for people who cannot see it: the set's title, else the manifest's
// name.
QString viewName(const ViewerPage &page, const QJsonObject &json)
{
    const QString title = json.value(u"title"_s).toString();
    return Text::tr("360° view of %1")
        .arg(title.isEmpty() ? QFileInfo(page.manifestPath).completeBaseName() : title);
}

// The element with the poster shown where scripts do not run; `inner` goes inside it first.
// Paths in the manifest are resolved against `manifestUrl`, the manifest seen from the page.
// The wheel turns it only on a page of its own, where there is nothing else to scroll.
QString element(const ViewerPage &page, const QString &manifestUrl, const QString &inner,
                bool wheel)
{
    const QJsonObject json = engine::manifestJson(page.manifest, page.manifestPath);
    QString html = u"<framolin-spin src=\"%1\"%2%3>"_s.arg(
        manifestUrl.toHtmlEscaped(), page.autoplay ? u" autoplay"_s : QString(),
        wheel ? u" wheel"_s : QString());
    html += inner;
    const QJsonObject poster = json.value(u"poster"_s).toObject();
    if (!poster.isEmpty()) {
        const QString src
            = QUrl(manifestUrl).resolved(QUrl(poster.value(u"file"_s).toString())).toString();
        html += u"<noscript><img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"%4\"></noscript>"_s
                    .arg(src.toHtmlEscaped())
                    .arg(poster.value(u"width"_s).toInt())
                    .arg(poster.value(u"height"_s).toInt())
                    .arg(viewName(page, json).toHtmlEscaped());
    }
    return html + u"</framolin-spin>"_s;
}

} // namespace

QByteArray viewerPageHtml(const ViewerPage &page, const QString &pagePath)
{
    // The manifest inline, exactly as its file holds it, since a page opened from disk may not
    // fetch a file beside it. "</script>" must not appear inside a script, whatever the files
    // are called.
    const QJsonObject json = engine::manifestJson(page.manifest, page.manifestPath);
    QString config = QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact));
    config.replace(u'<', u"\\u003c"_s);
    QString module = QString::fromUtf8(resource(viewerModuleName()));
    module.replace(u"</script"_s, u"<\\/script"_s);
    const QString inlined = u"\n<script type=\"application/json\">%1</script>\n"_s.arg(config);
    // In one pass, so a value that holds a placeholder's name is never replaced in turn.
    const QHash<QString, QString> values {
        { u"@TITLE@"_s, QFileInfo(page.stripPath).fileName().toHtmlEscaped() },
        { u"@LANG@"_s, page.lang },
        { u"@MODULE@"_s, module },
        { u"@ELEMENT@"_s,
          element(page, engine::relativeUrl(page.manifestPath, pagePath), inlined, true) },
    };
    static const QRegularExpression placeholder(u"@TITLE@|@LANG@|@MODULE@|@ELEMENT@"_s);
    const QString text = QString::fromUtf8(resource(u"viewer_page.html"_s));
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

QString viewerModuleName()
{
    return u"framolin-spin.js"_s;
}

QByteArray viewerModule()
{
    return resource(viewerModuleName());
}

QString embedSnippet(const ViewerPage &page)
{
    const QString manifest = engine::relativeUrl(page.manifestPath, page.manifestPath);
    return u"<script type=\"module\" src=\"%1\"></script>\n"_s.arg(viewerModuleName())
        + element(page, manifest, {}, false) + u'\n';
}

} // namespace cli

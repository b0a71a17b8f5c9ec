// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The web side of a set of sheets: the page that shows it as a 360° view (one HTML file holding
// the viewer element and the manifest's data, loading each sheet by its path, so the page works
// opened from disk as well as from a web server), the viewer module framolin-spin.js that shops'
// own pages load, and the snippet that puts the element in such a page.

#include "engine/manifest.h"

#include <QByteArray>
#include <QString>

namespace cli {

struct ViewerPage
{
    QString stripPath; // the output asked for, which names the page
    QString manifestPath; // where the manifest is written; its files are relative to it
    engine::Manifest manifest; // the sheets and how to play them
    bool autoplay = true;
    QString lang = QStringLiteral("en"); // the page's language, which the viewer speaks
};

// The page's bytes for a page written at `pagePath`.
QByteArray viewerPageHtml(const ViewerPage &page, const QString &pagePath);

// The file name of the viewer module, and its bytes.
QString viewerModuleName();
QByteArray viewerModule();

// The HTML to paste into a page to show `page`'s set: the module's script tag and the element
// (with the poster for browsers without JavaScript), every file named relative to the
// manifest's folder, which is where the module is written too.
QString embedSnippet(const ViewerPage &page);

} // namespace cli

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The web page that shows a strip as a 360° view: one self-contained HTML file (no scripts,
// fonts or anything else from the network) that holds the manifest's data and loads each sheet
// by its path relative to the page, so both can be copied to a web server or opened from disk
// together.

#include "engine/manifest.h"

#include <QByteArray>
#include <QSize>
#include <QString>

namespace cli {

struct ViewerPage
{
    QString stripPath; // the output asked for, which names the page
    engine::Manifest manifest; // the sheets and how to play them
    bool autoplay = true;
};

// The page's bytes for a page written at `pagePath`.
QByteArray viewerPageHtml(const ViewerPage &page, const QString &pagePath);

} // namespace cli

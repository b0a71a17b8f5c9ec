// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The web page that shows a strip as a 360° view: one self-contained HTML file (no scripts,
// fonts or anything else from the network) that loads the strip by its path relative to the
// page, so both can be copied to a web server or opened from disk together.

#include <QByteArray>
#include <QSize>
#include <QString>

namespace cli {

struct ViewerPage
{
    QString stripPath; // where the strip is written
    int frames = 0;
    QSize frame;
    int columns = 1;
    int framesPerSecond = 12;
    bool autoplay = true;
};

// The page's bytes for a page written at `pagePath`.
QByteArray viewerPageHtml(const ViewerPage &page, const QString &pagePath);


} // namespace cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons.h"

#include <QPainter>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

namespace app {

QPixmap renderIcon(const QString &name, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(u":/icons/%1.svg"_s.arg(name));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace app

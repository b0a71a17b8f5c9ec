// SPDX-License-Identifier: GPL-3.0-or-later
#include "about.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace app {

QString aboutPrompt()
{
    const QStringList lines {
        u"Framolin"_s,
        QString(),
        u"© 2026 Los desarrolladores de Framolin"_s,
        QString(),
        u"E-Mail:"_s,
        u"framolin@users.noreply.github.com"_s,
        QString(),
        u"WebPage:"_s,
        u"https://github.com/framolin/framolin"_s,
        QString(),
        u"_____________"_s,
        QString(),
        u"Descarge el Orbivista"_s,
        u"para comprobar sus resultados..."_s,
    };
    return lines.join(u'\n');
}

QString aboutTitle()
{
    return u"Acerca de..."_s;
}

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts.h"

#include <QCoreApplication>

#include <cstring>

using namespace Qt::StringLiterals;

namespace engine {

SpanishTexts::SpanishTexts()
{
    // The catalogue is built in, so it only fails to load in a broken build.
    m_installed = m_translator.load(u"framolin-engine_es"_s, u":/i18n"_s)
        && QCoreApplication::installTranslator(&m_translator);
}

SpanishTexts::~SpanishTexts()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}

SourceTexts::SourceTexts()
{
    m_installed = QCoreApplication::installTranslator(this);
}

SourceTexts::~SourceTexts()
{
    if (m_installed)
        QCoreApplication::removeTranslator(this);
}

QString SourceTexts::translate(const char *context, const char *sourceText, const char *, int) const
{
    // A non-null text ends the search through the catalogues installed earlier.
    if (context && std::strcmp(context, "engine") == 0)
        return QString::fromUtf8(sourceText);
    return {};
}

} // namespace engine

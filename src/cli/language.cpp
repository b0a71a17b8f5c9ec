// SPDX-License-Identifier: GPL-3.0-or-later
#include "language.h"

#include <QLibraryInfo>

using namespace Qt::StringLiterals;

namespace cli {

Language messageLanguage(const QProcessEnvironment &environment)
{
    // LANGUAGE is a priority list; entries we have no texts for are passed over.
    const QStringList wanted = environment.value(u"LANGUAGE"_s).split(u':', Qt::SkipEmptyParts);
    for (const QString &entry : wanted) {
        if (entry.startsWith(u"es"_s))
            return Language::Spanish;
        if (entry.startsWith(u"en"_s))
            return Language::English;
    }
    for (const QString &name : { u"LC_ALL"_s, u"LC_MESSAGES"_s, u"LANG"_s }) {
        const QString value = environment.value(name);
        if (!value.isEmpty())
            return value.startsWith(u"es"_s) ? Language::Spanish : Language::English;
    }
    return Language::English;
}

Translation::Translation(Language language)
{
    auto install = [this](const QString &name, const QString &folder) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(name, folder) && QCoreApplication::installTranslator(translator.get()))
            m_installed.push_back(std::move(translator));
    };
    if (language == Language::Spanish) {
        install(u"qtbase_es"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        install(u"framolin-strip_es"_s, u":/i18n"_s);
        m_engine.emplace<engine::SpanishTexts>();
    } else {
        m_engine.emplace<engine::SourceTexts>();
    }
}

Translation::~Translation()
{
    for (const auto &translator : m_installed)
        QCoreApplication::removeTranslator(translator.get());
}

} // namespace cli

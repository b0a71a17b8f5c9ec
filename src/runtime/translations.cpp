// SPDX-License-Identifier: GPL-3.0-or-later
#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace runtime {

QLocale qtTextsLocale(const QLocale &system)
{
    if (system.language() == QLocale::C)
        return QLocale(QLocale::Spanish, QLocale::Spain);
    return system;
}

QTranslator *installQtTranslations(const QLocale &system)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    // "qt" bundles qtbase with the other modules' texts; qtbase alone is enough for the
    // buttons and dialogs this program shows.
    if (!translator->load(qtTextsLocale(system), u"qtbase"_s, u"_"_s,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace runtime

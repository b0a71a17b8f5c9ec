// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own texts (the standard buttons of message boxes, the file dialogs) in the user's
// language, from the translations Qt installs.

#include <QLocale>

class QTranslator;

namespace runtime {

// The language of Qt's own texts: the user's, or Spanish when the locale names no language
// (C or POSIX), since the window's own texts are Spanish.
QLocale qtTextsLocale(const QLocale &system);

// Installs Qt's translations for qtTextsLocale(system) in the running application. Returns the
// translator (owned by the application), or null when Qt has none for that language, in which
// case Qt's texts stay English.
QTranslator *installQtTranslations(const QLocale &system);

} // namespace runtime

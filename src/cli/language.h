// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language framolin-strip speaks: English unless the locale asks for Spanish. Its own
// texts and the engine's reasons are written in English and translated into Spanish.

#include "engine/texts.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QTranslator>

#include <memory>
#include <variant>
#include <vector>

namespace cli {

// The translation context of framolin-strip's own texts.
class Text
{
    Q_DECLARE_TR_FUNCTIONS(Text)
};

enum class Language { English, Spanish };

// The language the locale asks for, looked up as gettext does: the first of LANGUAGE's
// entries that is English or Spanish, else the first set of LC_ALL, LC_MESSAGES and LANG.
Language messageLanguage(const QProcessEnvironment &environment);

// Installs the catalogues of `language` in the application while it lives: ours, and for
// Spanish Qt's own (so the command-line parser's messages are Spanish too, when Debian's Qt
// translations are installed).
class Translation
{
public:
    explicit Translation(Language language);
    ~Translation();
    Translation(const Translation &) = delete;
    Translation &operator=(const Translation &) = delete;

private:
    std::vector<std::unique_ptr<QTranslator>> m_installed;
    // The engine's reasons in Spanish, or as written whatever catalogue a host installed.
    std::variant<std::monostate, engine::SpanishTexts, engine::SourceTexts> m_engine;
};

} // namespace cli

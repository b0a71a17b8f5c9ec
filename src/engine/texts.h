// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language of the engine's reasons (translation context "engine"). They are written in
// English; the window, whose boxes are Spanish whatever its captions, and framolin-strip in a
// Spanish locale show them through the Spanish catalogue built into the engine.

#include <QTranslator>

namespace engine {

// Installs the Spanish catalogue of the engine's reasons in the application while it lives.
class SpanishTexts
{
public:
    SpanishTexts();
    ~SpanishTexts();
    SpanishTexts(const SpanishTexts &) = delete;
    SpanishTexts &operator=(const SpanishTexts &) = delete;

private:
    QTranslator m_translator;
    bool m_installed = false;
};

// While it lives, the engine's reasons read as written (English), whatever catalogue of them
// was installed before.
class SourceTexts final : public QTranslator
{
public:
    SourceTexts();
    ~SourceTexts() override;
    SourceTexts(const SourceTexts &) = delete;
    SourceTexts &operator=(const SourceTexts &) = delete;

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override;
    bool isEmpty() const override { return false; }

private:
    bool m_installed = false;
};

} // namespace engine

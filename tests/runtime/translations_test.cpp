// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's standard buttons in the user's language, Spanish when the locale names none.

#include "runtime/translations.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Buttons
{
    QString yes, no;
};

Buttons yesNoTexts()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return { box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text() };
}

} // namespace

TEST(QtTranslations, standardButtonsSpeakTheLocalesLanguageAndSpanishWhereItNamesNone)
{
    const struct
    {
        QString locale;
        QString yes, no;
    } rows[] = {
        { u"es_ES"_s, u"&Sí"_s, u"&No"_s },   { u"es_AR"_s, u"&Sí"_s, u"&No"_s },
        { u"C"_s, u"&Sí"_s, u"&No"_s },       { u"en_US"_s, u"&Yes"_s, u"&No"_s },
        { u"de_DE"_s, u"&Ja"_s, u"&Nein"_s },
    };
    for (const auto &row : rows) {
        QTranslator *translator = runtime::installQtTranslations(QLocale(row.locale));
        const Buttons buttons = yesNoTexts();
        EXPECT_EQ(buttons.yes, row.yes) << qPrintable(row.locale);
        EXPECT_EQ(buttons.no, row.no) << qPrintable(row.locale);
        if (translator)
            QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// Run once per LANG by CTest, with the expected Yes button in FRAMOLIN_EXPECTED_YES: the
// locale as the program itself reads it from the environment.
TEST(QtTranslations, theEnvironmentsLocaleChoosesTheButtons)
{
    const QString expected = qEnvironmentVariable("FRAMOLIN_EXPECTED_YES");
    if (expected.isEmpty())
        GTEST_SKIP() << "run by CTest with LANG set";
    runtime::installQtTranslations(QLocale::system());
    EXPECT_EQ(yesNoTexts().yes, expected) << qPrintable(QLocale::system().name());
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Test main for tests that need a QApplication: widgets are drawn offscreen unless the test
// run asks for another platform, settings never reach the user's real files, and the engine's
// reasons read in Spanish, as in the window.

#include "engine/texts.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    // As the window shows them: the engine's reasons in Spanish.
    const engine::SpanishTexts engineTexts;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs framolin-strip in this process, as the tests of its behaviour call it.

#include "run.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace clitest {

struct Result
{
    int status;
    QString err; // what the run wrote on standard error
    QByteArray out; // and on standard output
};

// Most cases check the Spanish wording, so Spanish is the default; `settings` is the file that
// --from-settings reads.
Result runCli(QStringList arguments, cli::Language language = cli::Language::Spanish,
              const QString &settings = {});
// Arguments as the bytes a shell hands over, for names that are not valid UTF-8.
Result runCliBytes(QList<QByteArray> arguments, cli::Language language = cli::Language::Spanish);

// Everything written to `file` since it was opened; closes it.
QByteArray readBack(std::FILE *file);

} // namespace clitest

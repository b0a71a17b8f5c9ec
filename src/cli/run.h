#pragma once
// framolin-strip as a function: arguments in, exit status out, so tests run it in-process.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace cli {

struct Environment
{
    QString settingsPath; // the INI file that "Guardar datos" writes
    int cores = 1;
    std::FILE *out = stdout;
    std::FILE *err = stderr;
    bool errIsTerminal = false; // draw the progress bar
};

// 0 when the strip was written (or help or the version was shown), 1 when a picture or the
// output failed, 2 for a bad command line; every failure as one line on `err`.
int run(const QStringList &arguments, const Environment &env);

// run() on the command line's own bytes. An argument that is not valid UTF-8 could only be
// taken as another name: it is refused, named with its bytes escaped, with status 1.
int run(const QList<QByteArray> &arguments, const Environment &env);

} // namespace cli

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// framolin-strip as a function: arguments in, exit status out, so tests run it in-process.

#include "language.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>

namespace cli {

struct Environment
{
    QString settingsPath; // the INI file that "Guardar datos" writes
    int cores = 1;
    std::FILE *out = stdout;
    std::FILE *err = stderr;
    bool errIsTerminal = false; // draw the progress bar
    Language language = Language::English;
    bool outIsTerminal = false; // a strip is never written to a terminal
    std::function<int()> errColumns; // the terminal's width, for the progress bar
    // Without the bar: told of every frame written, counting those of earlier sheets, on the
    // thread that runs the job.
    std::function<void(int written, int total)> progress;
};

// 0 when the strip was written (or help or the version was shown), 1 when a picture or the
// output failed, 2 for a bad command line; every failure as one line on `err`, in
// `env.language`. A success is summed up in one line on `err` unless --quiet.
int run(const QStringList &arguments, const Environment &env);

// The success line: frames, frame size, layout, output, format, pixel size and file size,
// and how many files the folders left out.
struct Summary
{
    int frames = 0;
    QSize frame;
    int columns = 1;
    QString output; // "-" for standard output
    QString format; // "PNG", "BMP", ...
    QSize pixels; // the strip's size
    qint64 fileBytes = 0;
    qsizetype leftOut = 0;
};
QString summaryLine(const Summary &summary, Language language);

// run() for a program that hosts the job on a thread of its own: the host has installed the
// catalogues of `env.language` (a Translation made on its main thread) and keeps the picture
// libraries' prints as it likes, since neither may be changed from a worker thread.
int runInHost(const QStringList &arguments, const Environment &env);

// run() on the command line's own bytes. An argument that is not valid UTF-8 could only be
// taken as another name: it is refused, named with its bytes escaped, with status 1.
int run(const QList<QByteArray> &arguments, const Environment &env);

} // namespace cli

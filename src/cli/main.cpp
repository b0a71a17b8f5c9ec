// SPDX-License-Identifier: GPL-3.0-or-later
// framolin-strip: builds a strip file from the command line, the same as the window saves.

#include "progress_bar.h"
#include "run.h"

#include "engine/working_set.h"

#include <QCoreApplication>
#include <QProcessEnvironment>

#include <csignal>
#include <thread>

#include <cstdio>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    // Every frame allocates the same few picture buffers again; kept on the heap instead of
    // being mapped and unmapped each time, they cost no page faults (a tenth of the run).
    // Set before any thread starts, so mallopt's lack of thread safety cannot matter.
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // NOLINT(concurrency-mt-unsafe)
    mallopt(M_TRIM_THRESHOLD, 64 << 20); // NOLINT(concurrency-mt-unsafe)
    // A reader that stops early (`| head`) would kill the program with the strip spooled in a
    // temporary file left behind; ignored, the write fails with EPIPE and the run ends as any
    // failed output does, status 1, cleaning up.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication application(argc, argv); // image format plug-ins are found through it
    QCoreApplication::setOrganizationName(u"Framolin"_s);
    QCoreApplication::setApplicationName(u"Framolin"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(FRAMOLIN_VERSION));

    cli::Environment env;
    env.settingsPath = engine::settingsFilePath(engine::keys::kApp);
    env.cores = int(std::thread::hardware_concurrency());
    // The program's own lines go to a copy of standard error, so that the libraries' prints to
    // the descriptor itself can be kept off it (cli::LibraryMessagesSilenced).
    const int errFd = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (std::FILE *err = errFd >= 0 ? ::fdopen(errFd, "w") : nullptr) {
        std::setvbuf(err, nullptr, _IONBF, 0);
        env.err = err;
    }
    env.errIsTerminal = isatty(STDERR_FILENO) == 1;
    env.outIsTerminal = isatty(STDOUT_FILENO) == 1;
    env.errColumns = [errFd] { return cli::terminalColumns(errFd >= 0 ? errFd : STDERR_FILENO); };
    env.language = cli::messageLanguage(QProcessEnvironment::systemEnvironment());
    // The bytes themselves: QCoreApplication::arguments() has already replaced whatever is
    // not UTF-8, so a name could not be told from another.
    QList<QByteArray> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    return cli::run(arguments, env);
}

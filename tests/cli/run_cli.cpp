// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_cli.h"

#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace clitest {
namespace {

Result capture(cli::Language language, const QString &settings,
               const std::function<int(const cli::Environment &)> &run)
{
    std::FILE *err = std::tmpfile();
    std::FILE *out = std::tmpfile();
    cli::Environment env;
    env.settingsPath = settings;
    env.cores = 2;
    env.out = out;
    env.err = err;
    env.language = language;
    const int status = run(env);
    const QByteArray text = readBack(err);
    return { status, QString::fromUtf8(text), readBack(out) };
}

} // namespace

QByteArray readBack(std::FILE *file)
{
    std::rewind(file);
    QByteArray bytes;
    char buffer[4096];
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, file))
        bytes.append(buffer, qsizetype(n));
    std::fclose(file);
    return bytes;
}

Result runCli(QStringList arguments, cli::Language language, const QString &settings)
{
    arguments.prepend(u"framolin-strip"_s);
    return capture(language, settings,
                   [&](const cli::Environment &env) { return cli::run(arguments, env); });
}

Result runCliBytes(QList<QByteArray> arguments, cli::Language language)
{
    arguments.prepend("framolin-strip");
    return capture(language, {},
                   [&](const cli::Environment &env) { return cli::run(arguments, env); });
}

} // namespace clitest

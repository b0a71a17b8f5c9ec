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
    std::rewind(err);
    QByteArray text;
    char buffer[512];
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, err))
        text.append(buffer, qsizetype(n));
    std::fclose(err);
    std::fclose(out);
    return { status, QString::fromUtf8(text) };
}

} // namespace

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

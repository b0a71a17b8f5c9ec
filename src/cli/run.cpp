#include "run.h"

#include "builder.h"
#include "options.h"
#include "progress_bar.h"
#include "viewer_page.h"

#include "engine/file_names.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

int fail(const Environment &env, const QString &line, int status)
{
    // One line whatever the names in it hold, so scripts can read it line by line.
    std::fprintf(env.err, "framolin-strip: %s\n", qUtf8Printable(engine::oneLine(line)));
    return status;
}

} // namespace

int run(const QStringList &arguments, const Environment &env)
{
    Options options;
    QString error;
    if (!parseArguments(arguments, &options, &error))
        return fail(env, error + u" (--help para la ayuda)"_s, 2);
    if (options.help) {
        std::fputs(qUtf8Printable(usage()), env.out);
        return 0;
    }
    if (options.version) {
        std::fprintf(env.out, "framolin-strip %s\n",
                     qUtf8Printable(QCoreApplication::applicationVersion()));
        return 0;
    }
    Job job;
    int status = 0;
    if (!resolveJob(options, env.settingsPath, env.cores, &job, &error, &status))
        return fail(env, error, status);

    ProgressBar bar(env.err);
    FrameWritten written;
    if (env.errIsTerminal && !job.quiet)
        written = [&bar](int done, int total) { bar.show(done, total); };
    if (!job.warning.isEmpty())
        std::fprintf(env.err, "framolin-strip: %s\n", qUtf8Printable(job.warning));
    const bool ok = buildStrip(job.files, job.frame,
                               StripOutput { job.output, job.format, job.quality, job.columns },
                               job.jobs, written, &error);
    bar.finish();
    if (!ok)
        return fail(env, error, 1);
    if (!job.html.isEmpty()) {
        const ViewerPage page { job.output, int(job.files.size()), job.frame, job.columns };
        if (!writeViewerPage(page, job.html, &error))
            return fail(env, error, 1);
    }
    return 0;
}

int run(const QList<QByteArray> &arguments, const Environment &env)
{
    QStringList text;
    for (const QByteArray &bytes : arguments) {
        QString argument, reason;
        if (!engine::fileNameFromBytes(bytes, &argument, &reason))
            return fail(env, u"%1: %2"_s.arg(engine::escapedName(bytes), reason), 1);
        text.append(argument);
    }
    return run(text, env);
}

} // namespace cli

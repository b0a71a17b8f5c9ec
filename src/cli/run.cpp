#include "run.h"

#include "builder.h"
#include "options.h"
#include "progress_bar.h"
#include "viewer_page.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <optional>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

int fail(const Environment &env, const QString &line, int status)
{
    std::fprintf(env.err, "framolin-strip: %s\n", qUtf8Printable(line));
    return status;
}

void say(const Environment &env, const QString &line)
{
    std::fprintf(env.err, "%s\n", qUtf8Printable(line));
}

// Copies the file at `path` to `out`. False with the reason on failure.
bool copyTo(const QString &path, std::FILE *out, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(chunk.data(), chunk.size());
        if (n < 0) {
            *reason = file.errorString();
            return false;
        }
        if (n == 0)
            break;
        if (std::fwrite(chunk.constData(), 1, size_t(n), out) != size_t(n)) {
            *reason = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
    }
    if (std::fflush(out) != 0) {
        *reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

} // namespace

QString summaryLine(int frames, QSize frame, const QString &output, qint64 fileBytes,
                    qsizetype leftOut, Language language)
{
    const QLocale locale(language == Language::Spanish ? QLocale::Spanish : QLocale::English);
    const QString where = output == u"-"_s ? Text::tr("standard output") : output;
    const QString size = locale.formattedDataSize(fileBytes, 1, QLocale::DataSizeTraditionalFormat);
    const QString pixels = u"%1 × %2"_s.arg(frame.width()).arg(qint64(frames) * frame.height());
    QString line = (frames == 1 ? Text::tr("%1 frame of %2 × %3 in one column → %4 (%5, BMP, %6)")
                                : Text::tr("%1 frames of %2 × %3 in one column → %4 (%5, BMP, %6)"))
                       .arg(QString::number(frames), QString::number(frame.width()),
                            QString::number(frame.height()), where, pixels, size);
    if (leftOut == 1)
        line += Text::tr("; 1 file of the folders left out");
    else if (leftOut > 1)
        line += Text::tr("; %1 files of the folders left out").arg(leftOut);
    return line;
}

int run(const QStringList &arguments, const Environment &env)
{
    const Translation translation(env.language);
    Options options;
    QString error;
    if (!parseArguments(arguments, &options, &error))
        return fail(env, Text::tr("%1 (--help for help)").arg(error), 2);
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

    // Standard output gets a finished strip or nothing: it is built in a temporary file first.
    const bool toOut = job.output == u"-"_s;
    if (toOut && !job.html.isEmpty())
        return fail(env, Text::tr("--html needs the strip in a file, not on standard output"), 2);
    if (toOut && env.outIsTerminal)
        return fail(env, Text::tr("standard output is a terminal: redirect it to a file"), 2);
    std::optional<QTemporaryDir> spool;
    QString target = job.output;
    if (toOut) {
        spool.emplace();
        if (!spool->isValid())
            return fail(env, u"%1: %2"_s.arg(QDir::tempPath(), spool->errorString()), 1);
        target = spool->filePath(u"strip.bmp"_s);
    }

    std::optional<ProgressBar> bar;
    FrameWritten written;
    if (env.errIsTerminal && !job.quiet) {
        bar.emplace(env.err, env.errColumns);
        written = [&bar](int done, int total) { bar->show(done, total); };
    }
    const bool ok = buildStrip(job.files, job.frame, target, job.jobs, written, &error);
    if (bar)
        bar->finish();
    if (!ok)
        return fail(env, error, 1);
    if (toOut && !copyTo(target, env.out, &error))
        return fail(env, Text::tr("standard output: %1").arg(error), 1);

    if (!job.html.isEmpty()) {
        const ViewerPage page { job.output, int(job.files.size()), job.frame };
        if (!writeViewerPage(page, job.html, &error))
            return fail(env, error, 1);
    }

    if (!job.quiet) {
        if (job.verbose) {
            for (const LeftOut &entry : std::as_const(job.leftOut))
                say(env, Text::tr("left out: %1 (%2)").arg(entry.path, entry.reason));
        }
        say(env,
            summaryLine(int(job.files.size()), job.frame, job.output, QFileInfo(target).size(),
                        job.leftOut.size(), env.language));
    }
    return 0;
}

} // namespace cli

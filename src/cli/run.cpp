// SPDX-License-Identifier: GPL-3.0-or-later
#include "run.h"

#include "builder.h"
#include "extra_outputs.h"
#include "library_messages.h"
#include "loop.h"
#include "options.h"
#include "progress_bar.h"
#include "sheets.h"
#include "viewer_page.h"

#include "engine/file_names.h"
#include "engine/manifest.h"
#include "engine/pool.h"
#include "engine/save_file.h"
#include "engine/strip_writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QLocale>
#include <QTemporaryDir>

#include <cerrno>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

int fail(const Environment &env, const QString &line, int status)
{
    // One line whatever the names in it hold, so scripts can read it line by line.
    std::fprintf(env.err, "framolin-strip: %s\n", qUtf8Printable(engine::oneLine(line)));
    return status;
}

void say(const Environment &env, const QString &line)
{
    std::fprintf(env.err, "%s\n", qUtf8Printable(line));
}

QString systemError()
{
    return engine::systemErrorText(errno);
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
        if (std::fwrite(chunk.constData(), 1, std::size_t(n), out) != std::size_t(n)) {
            *reason = systemError();
            return false;
        }
    }
    if (std::fflush(out) != 0) {
        *reason = systemError();
        return false;
    }
    return true;
}

// Standard output as a device the strip writers compress into, counting what it took.
class StreamOut final : public QIODevice
{
public:
    explicit StreamOut(std::FILE *out) : m_out(out) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }
    qint64 written() const { return m_written; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 length) override
    {
        if (std::fwrite(data, 1, std::size_t(length), m_out) != std::size_t(length)) {
            setErrorString(systemError());
            return -1;
        }
        m_written += length;
        return length;
    }

private:
    std::FILE *m_out;
    qint64 m_written = 0;
};

int runJob(const QStringList &arguments, const Environment &env)
{
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

    // Standard output gets PNG and JPEG as they are compressed; BMP (whose header is finished
    // last) and WebP (encoded whole) are built in a temporary file and copied out complete.
    const bool toOut = job.output == u"-"_s;
    if (toOut && !job.html.isEmpty())
        return fail(env, Text::tr("--html needs the strip in a file, not on standard output"), 2);
    if (toOut && !job.manifest.isEmpty())
        return fail(env, Text::tr("--manifest needs the sheets in files, not on standard output"),
                    2);
    if (toOut && job.maxBytes > 0)
        return fail(env, Text::tr("--max-bytes needs the sheets in files, not on standard output"),
                    2);
    if (toOut && env.outIsTerminal)
        return fail(env, Text::tr("standard output is a terminal: redirect it to a file"), 2);
    StripOutput output { job.output, job.format, job.quality, job.columns, job.fit };
    output.kept = &job.kept;
    std::optional<StreamOut> stream;
    std::optional<QTemporaryDir> spool;
    if (toOut && engine::formatStreams(job.format)) {
        stream.emplace(env.out);
        output.stream = &*stream;
        output.path = Text::tr("standard output");
    } else if (toOut) {
        spool.emplace();
        if (!spool->isValid())
            return fail(env, u"%1: %2"_s.arg(QDir::tempPath(), spool->errorString()), 1);
        output.path = spool->filePath(u"strip"_s);
    }

    if (job.loop) {
        std::optional<ProgressBar> bar;
        FrameWritten written = env.progress;
        if (env.errIsTerminal && !job.quiet) {
            bar.emplace(env.err, env.errColumns);
            written = [&bar](int done, int total) { bar->show(done, total); };
        }
        engine::SaveGroup files;
        LoopWritten loop;
        const bool built = buildLoop(job, written, &files, &loop, &error);
        if (bar)
            bar->finish();
        QString failed;
        if (!built)
            return fail(env, error, 1);
        if (!files.commit(&failed, &error))
            return fail(env, u"%1: %2"_s.arg(failed, error), 1);
        if (!job.quiet) {
            if (const QString choice = loopChoice(job, loop, env.language); !choice.isEmpty())
                say(env, u"framolin-strip: "_s + choice);
            say(env, loopSummary(job, loop, env.language));
        }
        return 0;
    }

    // The page and the manifest are opened first and every file is put in place only once all
    // are written, so a failure anywhere leaves every earlier file as it was.
    std::optional<engine::SaveFile> page, manifestFile;
    if (!job.html.isEmpty()) {
        page.emplace(job.html);
        if (!page->open(&error))
            return fail(env, u"%1: %2"_s.arg(job.html, error), 1);
    }
    if (!job.manifest.isEmpty()) {
        manifestFile.emplace(job.manifest);
        if (!manifestFile->open(&error))
            return fail(env, u"%1: %2"_s.arg(job.manifest, error), 1);
    }

    std::optional<ProgressBar> bar;
    FrameWritten written;
    if (env.errIsTerminal && !job.quiet) {
        bar.emplace(env.err, env.errColumns);
        written = [&bar](int done, int total) { bar->show(done, total); };
    } else if (env.progress) {
        written = [&env](int done, int total) { env.progress(done, total); };
    }
    if (!job.warning.isEmpty())
        std::fprintf(env.err, "framolin-strip: %s\n", qUtf8Printable(job.warning));
    engine::SaveGroup sheets;
    if (!toOut)
        output.group = &sheets;
    const SheetSet set { job.files, job.sheets, toOut ? QStringList() : job.sheetPaths, job.frame };
    if (!buildSheets(set, output, job.jobs, written, &error)) {
        if (bar)
            bar->finish();
        return fail(env, error, 1);
    }
    if (bar)
        bar->finish();
    if (stream && std::fflush(env.out) != 0)
        return fail(env, Text::tr("standard output: %1").arg(systemError()), 1);
    if (spool && !copyTo(output.path, env.out, &error))
        return fail(env, Text::tr("standard output: %1").arg(error), 1);
    ExtraOutputs extras(job);
    if (!extras.write(&error))
        return fail(env, error, 1);
    // The loop beside the sheets is put in place with them; --max-bytes is the sheets' budget.
    std::optional<engine::ManifestLoop> besideLoop;
    if (!job.loopFile.isEmpty()) {
        Job loopJob = job;
        loopJob.output = job.loopFile;
        loopJob.loop = job.loopFileFormat;
        loopJob.maxBytes = 0;
        LoopWritten loop;
        if (!buildLoop(loopJob, {}, &sheets, &loop, &error))
            return fail(env, error, 1);
        besideLoop = { job.loopFile, engine::loopFormatName(*loopJob.loop).toLower(), job.fps,
                       engine::loopPictureSize(*loopJob.loop, job.frame), loop.bytes };
        if (!job.quiet)
            say(env, loopSummary(loopJob, loop, env.language));
    }

    engine::Manifest manifest;
    manifest.frame = job.frame;
    manifest.frames = int(job.files.size());
    manifest.lanes = job.lanes;
    manifest.reverse = job.reverse;
    manifest.format = job.format;
    manifest.target = job.target;
    manifest.title = QFileInfo(job.manifest).completeBaseName();
    extras.describe(&manifest);
    manifest.loop = besideLoop;
    qint64 bytes = stream ? stream->written() : 0;
    for (qsizetype i = 0; i < job.sheets.size(); ++i) {
        const qint64 size = toOut ? bytes : sheets.files().at(std::size_t(i))->size();
        manifest.sheets.append({ job.sheetPaths.at(i), job.sheets.at(i), size });
        if (!toOut)
            bytes += size;
    }
    if (spool)
        bytes = QFileInfo(output.path).size();
    if (!toOut) {
        QList<qint64> sizes;
        for (const engine::ManifestSheet &sheet : std::as_const(manifest.sheets))
            sizes.append(sheet.bytes);
        bool refused = false;
        const QString problem = setSizeProblem(job.sheetPaths, sizes, job.maxBytes, job.target,
                                               env.language, &refused);
        if (refused)
            return fail(env, problem, 1); // the group drops every sheet
        if (!problem.isEmpty())
            std::fprintf(env.err, "framolin-strip: %s\n", qUtf8Printable(problem));
    }
    if (manifestFile && !manifestFile->write(engine::manifestBytes(manifest, job.manifest), &error))
        return fail(env, u"%1: %2"_s.arg(job.manifest, error), 1);
    const ViewerPage web { job.output, job.manifest, manifest, true,
                           env.language == Language::Spanish ? u"es"_s : u"en"_s };
    if (page && !page->write(viewerPageHtml(web, job.html), &error))
        return fail(env, u"%1: %2"_s.arg(job.html, error), 1);
    if (!job.viewerModule.isEmpty()) {
        // Put in place with the sheets, so the set and the viewer that reads it go together.
        auto module = std::make_unique<engine::SaveFile>(job.viewerModule);
        if (!module->open(&error) || !module->write(viewerModule(), &error))
            return fail(env, u"%1: %2"_s.arg(job.viewerModule, error), 1);
        sheets.hold(std::move(module));
    }
    QString failed;
    if (!sheets.commit(&failed, &error) || !extras.commit(&failed, &error))
        return fail(env, u"%1: %2"_s.arg(failed, error), 1);
    if (manifestFile && !manifestFile->commit(&error))
        return fail(env, u"%1: %2"_s.arg(job.manifest, error), 1);
    if (page && !page->commit(&error))
        return fail(env, u"%1: %2"_s.arg(job.html, error), 1);

    if (job.embed)
        std::fputs(qUtf8Printable(embedSnippet(web)), env.out);
    if (!job.quiet) {
        if (job.verbose) {
            for (const LeftOut &entry : std::as_const(job.leftOut))
                say(env, Text::tr("left out: %1 (%2)").arg(entry.path, entry.reason));
            const QRect box = job.fit.crop;
            if (!box.isNull())
                say(env,
                    Text::tr("crop box: %1,%2,%3,%4")
                        .arg(box.x())
                        .arg(box.y())
                        .arg(box.width())
                        .arg(box.height()));
            else if (job.cropAsked)
                say(env, Text::tr("crop box: no object found, the whole picture"));
        }
        Summary summary;
        summary.frames = int(job.files.size());
        summary.frame = job.frame;
        summary.columns = job.columns;
        summary.output = job.sheets.size() > 1 ? job.sheetPaths.join(u", "_s) : job.output;
        summary.format = engine::formatName(job.format);
        summary.pixels = job.sheets.constFirst().pixels;
        summary.fileBytes = bytes;
        summary.leftOut = job.leftOut.size();
        say(env, summaryLine(summary, env.language));
    }
    return 0;
}

} // namespace

QString summaryLine(const Summary &summary, Language language)
{
    const QLocale locale(language == Language::Spanish ? QLocale::Spanish : QLocale::English);
    const QString where = summary.output == u"-"_s ? Text::tr("standard output") : summary.output;
    // Binary multiples under their own names (KiB, MiB): 227,018,490 bytes is 216.5 MiB.
    const QString size = locale.formattedDataSize(summary.fileBytes, 1, QLocale::DataSizeIecFormat);
    const QString pixels = u"%1 × %2"_s.arg(summary.pixels.width()).arg(summary.pixels.height());
    const QString layout = summary.columns == 1 ? Text::tr("in one column")
                                                : Text::tr("in %1 columns").arg(summary.columns);
    QString line = (summary.frames == 1 ? Text::tr("%1 frame of %2 × %3 %4 → %5 (%6, %7, %8)")
                                        : Text::tr("%1 frames of %2 × %3 %4 → %5 (%6, %7, %8)"))
                       .arg(QString::number(summary.frames), QString::number(summary.frame.width()),
                            QString::number(summary.frame.height()), layout, where, pixels,
                            summary.format, size);
    if (summary.leftOut == 1)
        line += Text::tr("; 1 file of the folders left out");
    else if (summary.leftOut > 1)
        line += Text::tr("; %1 files of the folders left out").arg(summary.leftOut);
    return line;
}

int run(const QStringList &arguments, const Environment &env)
{
    const Translation translation(env.language);
    const LibraryMessagesSilenced silenced(env.err);
    return runJob(arguments, env);
}

int runInHost(const QStringList &arguments, const Environment &env)
{
    return runJob(arguments, env);
}

int run(const QList<QByteArray> &arguments, const Environment &env)
{
    const Translation translation(env.language);
    const LibraryMessagesSilenced silenced(env.err);
    QStringList text;
    for (const QByteArray &bytes : arguments) {
        QString argument, reason;
        if (!engine::fileNameFromBytes(bytes, &argument, &reason))
            return fail(env, u"%1: %2"_s.arg(engine::escapedName(bytes), reason), 1);
        text.append(argument);
    }
    return runJob(text, env);
}

} // namespace cli

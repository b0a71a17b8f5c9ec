// SPDX-License-Identifier: GPL-3.0-or-later
#include "web_export.h"

#include "cli/language.h"
#include "cli/run.h"

#include "engine/pool.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace app {

namespace {

QString extension(engine::StripFormat format)
{
    switch (format) {
    case engine::StripFormat::Bmp:
        return u"bmp"_s;
    case engine::StripFormat::Jpeg:
        return u"jpg"_s;
    case engine::StripFormat::Webp:
        return u"webp"_s;
    case engine::StripFormat::Png:
        break;
    }
    return u"png"_s;
}

} // namespace

QStringList webExportArguments(const QStringList &files, const QString &width,
                               const QString &height, const engine::OutputOptions &options,
                               const QString &page)
{
    const QFileInfo info(page);
    const QString strip
        = info.dir().filePath(info.completeBaseName() + u'.' + extension(options.webFormat));
    QStringList arguments { u"framolin-strip"_s,
                            u"--quiet"_s,
                            u"-W"_s,
                            width.trimmed(),
                            u"-H"_s,
                            height.trimmed(),
                            u"-o"_s,
                            strip,
                            u"--html"_s,
                            page,
                            u"--target"_s,
                            engine::targetName(options.target) };
    if (options.fit != engine::Fit::Stretch)
        arguments << u"--fit"_s << engine::fitName(options.fit);
    if (options.autoCrop)
        arguments << u"--crop"_s << u"auto"_s;
    if (options.webFormat == engine::StripFormat::Jpeg
        || options.webFormat == engine::StripFormat::Webp)
        arguments << u"--quality"_s << QString::number(options.quality);
    if (options.columns > 0)
        arguments << u"--columns"_s << QString::number(options.columns);
    if (options.framesPerSheet > 0)
        arguments << u"--frames-per-sheet"_s << QString::number(options.framesPerSheet);
    if (options.frames > 0)
        arguments << u"--frames"_s << QString::number(options.frames);
    if (options.reverse)
        arguments << u"--reverse"_s;
    if (options.lanes > 1)
        arguments << u"--lanes"_s << QString::number(options.lanes);
    // Names after "--" are pictures, even one that starts with a dash.
    arguments << u"--"_s << files;
    return arguments;
}

WebExport::WebExport(QObject *parent) : QObject(parent) { }

WebExport::~WebExport()
{
    m_pool.reset(); // its finish, queued to this object, goes with it
}

void WebExport::start(const QStringList &arguments, Progress progress, Finished finished)
{
    if (m_running)
        return;
    m_running = true;
    // The window's boxes speak Spanish whatever its captions; catalogues are installed on
    // this thread only.
    m_translation = std::make_unique<cli::Translation>(cli::Language::Spanish);
    if (!m_pool)
        m_pool = std::make_unique<engine::WorkerPool>(1);
    m_pool->post([this, arguments, progress = std::move(progress), finished = std::move(finished)] {
        char *buffer = nullptr;
        std::size_t size = 0;
        std::FILE *err = ::open_memstream(&buffer, &size);
        cli::Environment env;
        env.language = cli::Language::Spanish;
        env.cores = engine::WorkerPool::defaultThreads();
        env.err = err ? err : stderr;
        env.progress = [this, &progress](int written, int total) {
            QMetaObject::invokeMethod(
                this, [progress, written, total] { progress(written, total); },
                Qt::QueuedConnection);
        };
        const int status = cli::runInHost(arguments, env);
        QString error;
        if (err) {
            std::fclose(err);
            error = QString::fromUtf8(buffer, qsizetype(size)).trimmed();
            std::free(buffer); // NOLINT(cppcoreguidelines-no-malloc): open_memstream's buffer
        }
        const QString prefix = u"framolin-strip: "_s;
        if (status == 0)
            error.clear();
        else if (error.startsWith(prefix))
            error.remove(0, prefix.size());
        else if (error.isEmpty())
            error = u"framolin-strip: estado %1"_s.arg(status);
        QMetaObject::invokeMethod(
            this,
            [this, error, finished] {
                m_translation.reset();
                m_running = false;
                finished(error);
            },
            Qt::QueuedConnection);
    });
}

} // namespace app

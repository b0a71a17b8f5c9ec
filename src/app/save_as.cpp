// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_as.h"

#include "strip/saver.h"

#include "engine/loop_writer.h"
#include "engine/strip_format.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace app {

namespace {

constexpr engine::StripFormat kFormats[] = { engine::StripFormat::Bmp, engine::StripFormat::Png,
                                             engine::StripFormat::Jpeg, engine::StripFormat::Webp };

QString patterns(engine::StripFormat format)
{
    switch (format) {
    case engine::StripFormat::Png:
        return u"*.png"_s;
    case engine::StripFormat::Jpeg:
        return u"*.jpg *.jpeg"_s;
    case engine::StripFormat::Webp:
        return u"*.webp"_s;
    case engine::StripFormat::Bmp:
        break;
    }
    return u"*.bmp"_s;
}

// The loops "Guardar imágen" writes besides the strip formats, after them in the dialog.
constexpr engine::LoopFormat kLoops[]
    = { engine::LoopFormat::Gif, engine::LoopFormat::Mp4, engine::LoopFormat::Webm };

// Every filter's patterns, strips then loops.
QStringList allPatterns()
{
    QStringList all;
    for (const engine::StripFormat format : kFormats)
        all.append(patterns(format));
    for (const engine::LoopFormat loop : kLoops)
        all.append(u"*."_s + engine::loopFormatName(loop).toLower());
    return all;
}

} // namespace

QStringList stripFilters()
{
    QStringList filters;
    for (const engine::StripFormat format : kFormats)
        filters.append(u"%1 (%2)"_s.arg(engine::formatName(format), patterns(format)));
    filters += { u"GIF animado (*.gif)"_s, u"Vídeo MP4 (*.mp4)"_s, u"Vídeo WebM (*.webm)"_s };
    return filters;
}

QString askOutputPath(runtime::FileDialogs &dialogs, LastFolder &lastFolder,
                      const QString &typedOutput)
{
    const QFileInfo typed(strip::Saver::outputPath(typedOutput));
    const QString start = !typedOutput.isEmpty() && typed.absoluteDir().exists()
        ? typed.absoluteFilePath()
        : lastFolder.start();
    const QStringList filters = stripFilters();
    QString filter = filters.constFirst();
    if (const auto loop = engine::loopFormatForPath(typedOutput, false)) {
        const auto *typedLoop = std::find(std::begin(kLoops), std::end(kLoops), *loop);
        filter = filters.at(qsizetype(std::size(kFormats)) + (typedLoop - std::begin(kLoops)));
    } else if (!typedOutput.isEmpty()) {
        const auto *typedFormat = std::find(std::begin(kFormats), std::end(kFormats),
                                            engine::formatForPath(typedOutput));
        filter = filters.at(typedFormat - std::begin(kFormats));
    }
    QString path
        = dialogs.GetSaveFileName(u"Guardar como"_s, filters.join(u";;"_s), start, &filter);
    if (path.isEmpty())
        return path;
    // The dialog may hand back a bare name: the filter chosen says which format was meant.
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QStringList all = allPatterns();
    bool known = false;
    for (const QString &each : all)
        known = known || each.split(u' ').contains(u"*."_s + suffix);
    if (!known) {
        const qsizetype chosen = std::max<qsizetype>(0, filters.indexOf(filter));
        path += all.at(chosen).section(u' ', 0, 0).mid(1);
    }
    lastFolder.remember(path);
    return path;
}

} // namespace app

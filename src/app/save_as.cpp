// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_as.h"

#include "strip/saver.h"

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

} // namespace

QStringList stripFilters()
{
    QStringList filters;
    for (const engine::StripFormat format : kFormats)
        filters.append(u"%1 (%2)"_s.arg(engine::formatName(format), patterns(format)));
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
    if (!typedOutput.isEmpty()) {
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
    bool known = false;
    for (const engine::StripFormat format : kFormats)
        known = known || patterns(format).split(u' ').contains(u"*."_s + suffix);
    if (!known) {
        const qsizetype chosen = std::max<qsizetype>(0, filters.indexOf(filter));
        path += patterns(kFormats[chosen]).section(u' ', 0, 0).mid(1);
    }
    lastFolder.remember(path);
    return path;
}

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#include "video_frames.h"

#include "engine/limits.h"
#include "engine/video.h"
#include "engine/working_set.h"

#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace app {

std::optional<runtime::DataObject> withVideoFrames(const runtime::DataObject &data,
                                                   runtime::MessageBoxes &boxes, bool english)
{
    const auto isVideo = [](const QString &file) {
        const engine::EntryTarget target = engine::entryTarget(file);
        return target.video && target.file == file && QFileInfo(file).isFile();
    };
    if (std::none_of(data.files.cbegin(), data.files.cend(), isVideo))
        return data;
    const int frames = boxes.InputNumber(english ? u"How many frames to take from the video?"_s
                                                 : u"¿Cuántos cuadros tomar del vídeo?"_s,
                                         english ? u"Add video"_s : u"Añadir vídeo"_s,
                                         kVideoFramesOffered, 1, engine::kMaxListEntries);
    if (frames < 1)
        return std::nullopt;
    runtime::DataObject expanded;
    for (const QString &file : data.files) {
        engine::VideoInfo info;
        QString reason;
        if (!isVideo(file) || !engine::probeVideo(file, &info, &reason)) {
            expanded.files.append(file);
            continue;
        }
        // One turn: the moment after the last would be the first again.
        for (int i = 0; i < frames; ++i)
            expanded.files.append(engine::momentEntry(file, i * info.seconds / frames));
    }
    return expanded;
}

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_settings.h"

#include "engine/limits.h"
#include "engine/working_set.h"

#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace settings {

using namespace engine::keys;

namespace {

QString yesNo(bool value)
{
    return value ? u"1"_s : u"0"_s;
}

// A whole number in [low, high], or `fallback`.
int number(const QString &text, int low, int high, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

// The stored texts of `options`, key by key.
std::vector<std::pair<QString, QString>> storedValues(const engine::OutputOptions &options)
{
    return {
        { kFit, engine::fitName(options.fit) },
        { kCrop, options.autoCrop ? u"auto"_s : u"none"_s },
        { kWebFormat, engine::formatName(options.webFormat).toLower() },
        { kQuality, QString::number(options.quality) },
        { kTarget, engine::targetName(options.target) },
        { kColumns, QString::number(options.columns) },
        { kFramesPerSheet, QString::number(options.framesPerSheet) },
        { kFrames, QString::number(options.frames) },
        { kReverse, yesNo(options.reverse) },
        { kLanes, QString::number(options.lanes) },
    };
}

} // namespace

void storeOutputOptions(runtime::SettingsStore &store, const engine::OutputOptions &options)
{
    // With the defaults and no group yet, the file stays what the designed window writes.
    const auto values = storedValues(options);
    if (values == storedValues({}) && store.GetSetting(kApp, kOutput, kFit).isEmpty())
        return;
    for (const auto &[key, value] : values)
        store.SaveSetting(kApp, kOutput, key, value);
}

engine::OutputOptions restoreOutputOptions(runtime::SettingsStore &store)
{
    const auto get
        = [&store](const QString &key) { return store.GetSetting(kApp, kOutput, key).trimmed(); };
    engine::OutputOptions options;
    options.fit = engine::fitNamed(get(kFit)).value_or(options.fit);
    options.autoCrop = get(kCrop) == u"auto"_s;
    options.webFormat = engine::formatNamed(get(kWebFormat)).value_or(options.webFormat);
    if (options.webFormat == engine::StripFormat::Bmp)
        options.webFormat = engine::OutputOptions().webFormat; // browsers show no large BMP
    options.quality = number(get(kQuality), 1, engine::kMaxQuality, options.quality);
    options.target = engine::targetNamed(get(kTarget)).value_or(options.target);
    options.columns = number(get(kColumns), 0, engine::kMaxColumns, options.columns);
    options.framesPerSheet
        = number(get(kFramesPerSheet), 0, engine::kMaxListEntries, options.framesPerSheet);
    options.frames = number(get(kFrames), 0, engine::kMaxListEntries, options.frames);
    options.reverse = get(kReverse) == u"1"_s;
    options.lanes = number(get(kLanes), 1, engine::kMaxListEntries, options.lanes);
    return options;
}

} // namespace settings

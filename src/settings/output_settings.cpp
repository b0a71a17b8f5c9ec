// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_settings.h"

#include "engine/limits.h"
#include "engine/working_set.h"

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

} // namespace

void storeOutputOptions(runtime::SettingsStore &store, const engine::OutputOptions &options)
{
    const auto save = [&store](const QString &key, const QString &value) {
        store.SaveSetting(kApp, kOutput, key, value);
    };
    save(kFit, engine::fitName(options.fit));
    save(kCrop, options.autoCrop ? u"auto"_s : u"none"_s);
    save(kWebFormat, engine::formatName(options.webFormat).toLower());
    save(kQuality, QString::number(options.quality));
    save(kTarget, engine::targetName(options.target));
    save(kColumns, QString::number(options.columns));
    save(kFramesPerSheet, QString::number(options.framesPerSheet));
    save(kFrames, QString::number(options.frames));
    save(kReverse, yesNo(options.reverse));
    save(kLanes, QString::number(options.lanes));
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

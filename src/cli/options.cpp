// SPDX-License-Identifier: GPL-3.0-or-later
#include "options.h"

#include "extra_outputs.h"
#include "inputs.h"
#include "language.h"
#include "sheets.h"
#include "viewer_page.h"

#include "engine/crop.h"
#include "engine/decode.h"
#include "engine/same_file.h"
#include "engine/settings_file.h"
#include "engine/sources.h"
#include "engine/working_set.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <climits>
#include <limits>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

// One option of framolin-strip: the names the parser takes, the name of its value (none for a
// switch) and what --help says of it. The parser and the help both come from this table.
struct OptionRow
{
    const char *shortName; // empty for none
    const char *longName;
    const char *value; // nullptr for a switch
    const char *description;
};

constexpr OptionRow kOptions[] = {
    { "s", "size", QT_TRANSLATE_NOOP("Text", "WxH"),
      QT_TRANSLATE_NOOP("Text",
                        "frame size in pixels, for example 320x200 (320x200); a side of 0 "
                        "follows the first picture's aspect") },
    { "W", "width", QT_TRANSLATE_NOOP("Text", "WIDTH"),
      QT_TRANSLATE_NOOP("Text", "frame width in pixels (320; 0: from the aspect)") },
    { "H", "height", QT_TRANSLATE_NOOP("Text", "HEIGHT"),
      QT_TRANSLATE_NOOP("Text", "frame height in pixels (200; 0: from the aspect)") },
    { "", "fit", QT_TRANSLATE_NOOP("Text", "HOW"),
      QT_TRANSLATE_NOOP("Text",
                        "stretch (the default), cover (fill the frame, cropping the excess "
                        "centred) or contain (the whole picture, margins in --background)") },
    { "", "background", QT_TRANSLATE_NOOP("Text", "COLOR"),
      QT_TRANSLATE_NOOP("Text",
                        "the margins' colour with --fit contain: a name or #rrggbb (#f0f0f0)") },
    { "", "crop", QT_TRANSLATE_NOOP("Text", "BOX"),
      QT_TRANSLATE_NOOP("Text",
                        "X,Y,W,H: this part of every picture (upright pixels); auto[:MARGIN]: "
                        "the part around the object in all pictures, symmetric about their "
                        "centre line, MARGIN % added on each side (5), widened to the frame's "
                        "aspect") },
    { "", "frames", QT_TRANSLATE_NOOP("Text", "N"),
      QT_TRANSLATE_NOOP("Text",
                        "N pictures spread evenly over the inputs (of each lane); of each "
                        "video, N moments spread evenly over it (36)") },
    { "", "turn", QT_TRANSLATE_NOOP("Text", "START..END"),
      QT_TRANSLATE_NOOP("Text",
                        "the seconds of each video that hold one turn, for example 1.5..9: "
                        "the moments are taken from it alone") },
    { "", "reverse", nullptr, QT_TRANSLATE_NOOP("Text", "the frames in the opposite order") },
    { "", "lanes", QT_TRANSLATE_NOOP("Text", "L"),
      QT_TRANSLATE_NOOP("Text",
                        "the inputs are L turns of equal length (vertical angles), one after "
                        "the other") },
    { "o", "output", QT_TRANSLATE_NOOP("Text", "PATH"),
      QT_TRANSLATE_NOOP("Text",
                        "the file to write, replaced only when all went well and never when it "
                        "is one of the input pictures; - writes the strip to standard output "
                        "(BMP unless --format is given)") },
    { "f", "format", QT_TRANSLATE_NOOP("Text", "FORMAT"),
      QT_TRANSLATE_NOOP("Text", "bmp, png, jpeg or webp, instead of what the extension asks") },
    { "", "quality", QT_TRANSLATE_NOOP("Text", "N"),
      QT_TRANSLATE_NOOP("Text", "quality of JPEG, WebP and loops, 1 to 100 (90)") },
    { "", "fps", QT_TRANSLATE_NOOP("Text", "N"),
      QT_TRANSLATE_NOOP("Text",
                        "frames a second of a loop: an output ending in .gif, .mp4 or .webm, or "
                        ".webp with --animate, is one turn that plays forever (12)") },
    { "", "loop", QT_TRANSLATE_NOOP("Text", "FILE"),
      QT_TRANSLATE_NOOP("Text",
                        "also write the frames as a loop (.gif, .mp4, .webm or animated .webp) "
                        "beside the sheets, listed in their manifest") },
    { "", "animate", nullptr,
      QT_TRANSLATE_NOOP("Text", "a .webp output is an animated loop instead of a still strip") },
    { "", "columns", QT_TRANSLATE_NOOP("Text", "N"),
      QT_TRANSLATE_NOOP("Text",
                        "N frames to a row, left to right and top to bottom (1: one column); "
                        "empty cells in the back colour") },
    { "", "target", QT_TRANSLATE_NOOP("Text", "WHERE"),
      QT_TRANSLATE_NOOP("Text",
                        "mobile (4096 pixels a side, 16.7 megapixels), desktop (the browsers' "
                        "limits of each format, 100 megapixels) or none (the format's own "
                        "limits): the frames are spread over as few sheets as fit, NAME-0, "
                        "NAME-1, ... (mobile with --html or --manifest, otherwise none)") },
    { "", "frames-per-sheet", QT_TRANSLATE_NOOP("Text", "N"),
      QT_TRANSLATE_NOOP("Text", "N frames on each sheet instead of the most that fit") },
    { "", "max-bytes", QT_TRANSLATE_NOOP("Text", "SIZE"),
      QT_TRANSLATE_NOOP("Text",
                        "refuse a set of sheets larger than SIZE in all, before the page or the "
                        "manifest is written: bytes, or with kB, MB, GB (1000) or KiB, MiB, GiB "
                        "(1024), for example 20MB; a loop is made at lower quality, then "
                        "smaller, until it fits") },
    { "j", "jobs", QT_TRANSLATE_NOOP("Text", "N"),
      QT_TRANSLATE_NOOP("Text", "pictures decoded at a time (every core)") },
    { "q", "quiet", nullptr, QT_TRANSLATE_NOOP("Text", "no progress bar and no summary") },
    { "v", "verbose", nullptr,
      QT_TRANSLATE_NOOP("Text", "name each file of a folder that was left out, and why") },
    { "", "html", QT_TRANSLATE_NOOP("Text", "PAGE"),
      QT_TRANSLATE_NOOP("Text", "also write a web page that shows the strip turning") },
    { "", "manifest", QT_TRANSLATE_NOOP("Text", "FILE"),
      QT_TRANSLATE_NOOP("Text",
                        "also write a JSON description of the sheets for web viewers (with "
                        "--html: NAME.json beside the strip)") },
    { "", "embed", nullptr,
      QT_TRANSLATE_NOOP("Text",
                        "print the HTML that shows the sheets in a page of your own (needs "
                        "--manifest or --html; framolin-spin.js is written beside the "
                        "manifest)") },
    { "", "poster", nullptr,
      QT_TRANSLATE_NOOP("Text",
                        "also write the first frame as a small JPEG, NAME-poster.jpg beside the "
                        "strip (at most 640 pixels a side)") },
    { "", "frames-dir", QT_TRANSLATE_NOOP("Text", "DIR"),
      QT_TRANSLATE_NOOP("Text",
                        "also write each frame as its own file in DIR (made if missing), "
                        "0001.EXT, 0002.EXT, ... in the strip's format, and DIR.zip holding "
                        "them") },
    { "", "scale", QT_TRANSLATE_NOOP("Text", "LIST"),
      QT_TRANSLATE_NOOP("Text",
                        "1 (the default) or 1,2: also the sheets at twice the frame size, "
                        "NAME@2x.EXT or NAME-0@2x.EXT, ..., decoded from the pictures") },
    { "", "zoom", QT_TRANSLATE_NOOP("Text", "WxH"),
      QT_TRANSLATE_NOOP("Text",
                        "also write each frame at this larger size as JPEG in NAME-zoom/ "
                        "(0001.jpg, ...), decoded from the pictures; a side of 0 follows the "
                        "frame's aspect") },
    { "", "from-settings", nullptr,
      QT_TRANSLATE_NOOP("Text",
                        "the list, the output and the size stored with \"Guardar datos\"; "
                        "options and pictures given beside it win") },
    { "h", "help", nullptr, QT_TRANSLATE_NOOP("Text", "this help") },
    { "", "version", nullptr, QT_TRANSLATE_NOOP("Text", "the version") },
};

// Help lines are wrapped at this width, descriptions starting at the indent.
constexpr int kHelpWidth = 80;
constexpr int kHelpIndent = 24;

// `row` as the help lists it: names and value on the left, the description wrapped beside.
QString helpLines(const OptionRow &row)
{
    QString names = u"  "_s;
    if (*row.shortName)
        names += u"-%1, "_s.arg(QLatin1StringView(row.shortName));
    names += u"--"_s + QLatin1StringView(row.longName);
    if (row.value)
        names += u' ' + Text::tr(row.value);
    QString out;
    QString line = names.leftJustified(kHelpIndent - 1) + u' ';
    if (line.size() > kHelpIndent)
        line = names + u'\n' + QString(kHelpIndent, u' ');
    bool lineEmpty = true;
    const QStringList words = Text::tr(row.description).split(u' ', Qt::SkipEmptyParts);
    for (const QString &word : words) {
        const qsizetype width = line.size() - line.lastIndexOf(u'\n') - 1;
        if (!lineEmpty && width + 1 + word.size() > kHelpWidth) {
            out += line + u'\n';
            line = QString(kHelpIndent, u' ');
            lineEmpty = true;
        }
        line += (lineEmpty ? QString() : u" "_s) + word;
        lineEmpty = false;
    }
    return out + line + u'\n';
}

} // namespace

QString usage()
{
    QString text = Text::tr(
        "Usage: framolin-strip [-s WIDTHxHEIGHT | -W WIDTH -H HEIGHT] -o OUTPUT [options]\n"
        "                      PICTURE|FOLDER ...\n"
        "       framolin-strip --from-settings [options]\n"
        "\n"
        "Stacks the pictures (BMP, JPG, GIF, PNG, WebP, TIFF), each stretched to WIDTH x\n"
        "HEIGHT pixels and turned upright by its EXIF orientation, and writes the strip in\n"
        "the format the output's extension asks for: .png, .jpg/.jpeg, .webp; any other, a\n"
        "24-bit BMP (the same file the Framolin window saves). A folder gives its pictures\n"
        "in natural order (2 before 10), leaving hidden files out.\n"
        "\n");
    for (const OptionRow &row : kOptions)
        text += helpLines(row);
    return text
        + Text::tr("\n"
                   "On success one line on standard error sums up the strip. Exits with 0 when "
                   "the\n"
                   "strip was written; otherwise with 1 and one line naming the file and the "
                   "reason,\n"
                   "without creating or touching the output (2 for a bad command line).\n");
}

bool parseArguments(const QStringList &arguments, Options *options, QString *error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    for (const OptionRow &row : kOptions) {
        QStringList names { QString::fromLatin1(row.longName) };
        if (*row.shortName)
            names.prepend(QString::fromLatin1(row.shortName));
        parser.addOption(QCommandLineOption(names, {}, row.value ? u"value"_s : QString()));
    }
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    auto single = [&](const QString &name, std::optional<QString> *value) {
        const QStringList values = parser.values(name);
        if (values.size() > 1) {
            *error = Text::tr("the option --%1 was given more than once").arg(name);
            return false;
        }
        if (!values.isEmpty())
            *value = values.constFirst();
        return true;
    };
    std::optional<QString> jobsText, qualityText, columnsText, fitText, backgroundText, framesText,
        lanesText, targetText, perSheetText, maxBytesText, cropText, scaleText, zoomText, fpsText,
        turnText;
    if (!single(u"width"_s, &options->width) || !single(u"height"_s, &options->height)
        || !single(u"size"_s, &options->size) || !single(u"output"_s, &options->output)
        || !single(u"jobs"_s, &jobsText) || !single(u"format"_s, &options->format)
        || !single(u"quality"_s, &qualityText) || !single(u"columns"_s, &columnsText)
        || !single(u"html"_s, &options->html) || !single(u"fit"_s, &fitText)
        || !single(u"background"_s, &backgroundText) || !single(u"frames"_s, &framesText)
        || !single(u"lanes"_s, &lanesText) || !single(u"target"_s, &targetText)
        || !single(u"frames-per-sheet"_s, &perSheetText)
        || !single(u"manifest"_s, &options->manifest) || !single(u"max-bytes"_s, &maxBytesText)
        || !single(u"crop"_s, &cropText) || !single(u"frames-dir"_s, &options->framesDir)
        || !single(u"scale"_s, &scaleText) || !single(u"zoom"_s, &zoomText)
        || !single(u"fps"_s, &fpsText) || !single(u"loop"_s, &options->loop)
        || !single(u"turn"_s, &turnText))
        return false;
    if (turnText && !turnSeconds(*turnText, &options->turn, error))
        return false;
    if (maxBytesText) {
        options->maxBytes = byteCount(*maxBytesText);
        if (!options->maxBytes) {
            *error = Text::tr("--max-bytes: \"%1\" is not a size such as 20MB, 20MiB, 500kB or "
                              "a number of bytes")
                         .arg(*maxBytesText);
            return false;
        }
    }
    if (scaleText) {
        const QString scales = QString(*scaleText).remove(u' ');
        if (scales != u"1"_s && scales != u"1,2"_s) {
            *error = Text::tr("--scale: \"%1\" is not 1 or 1,2").arg(*scaleText);
            return false;
        }
        options->scale2x = scales == u"1,2"_s;
    }
    if (zoomText) {
        QSize zoom;
        if (!frameSize(*zoomText, &zoom, error, true)) {
            *error = u"--zoom: "_s + *error;
            return false;
        }
        if (zoom.isNull()) {
            *error = Text::tr("a frame side of 0 takes it from the other side: give that one");
            return false;
        }
        options->zoom = zoom;
    }
    if (options->framesDir && options->framesDir->isEmpty()) {
        *error = Text::tr("--frames-dir needs a folder");
        return false;
    }
    options->poster = parser.isSet(u"poster"_s);
    if (options->size && (options->width || options->height)) {
        *error = Text::tr("--size gives both sides: give it without -W/--width and -H/--height");
        return false;
    }
    auto number = [&](const std::optional<QString> &text, const QString &name, int most,
                      std::optional<int> *value) {
        if (!text)
            return true;
        bool ok = false;
        const int n = text->toInt(&ok);
        if (!ok || n < 1 || n > most) {
            *error = Text::tr("%1: \"%2\" is not a number from 1 to %3").arg(name, *text).arg(most);
            return false;
        }
        *value = n;
        return true;
    };
    if (!number(jobsText, u"--jobs"_s, engine::kMaxJobs, &options->jobs)
        || !number(qualityText, u"--quality"_s, engine::kMaxQuality, &options->quality)
        || !number(columnsText, u"--columns"_s, engine::kMaxColumns, &options->columns)
        || !number(framesText, u"--frames"_s, engine::kMaxListEntries, &options->frames)
        || !number(lanesText, u"--lanes"_s, engine::kMaxListEntries, &options->lanes)
        || !number(fpsText, u"--fps"_s, engine::kMaxLoopFps, &options->fps)
        || !number(perSheetText, u"--frames-per-sheet"_s, engine::kMaxListEntries,
                   &options->framesPerSheet))
        return false;
    if (targetText) {
        options->target = engine::targetNamed(*targetText);
        if (!options->target) {
            *error = Text::tr("--target: \"%1\" is not mobile, desktop or none").arg(*targetText);
            return false;
        }
    }
    if (fitText) {
        static const QStringList fits { u"stretch"_s, u"cover"_s, u"contain"_s };
        const qsizetype fit = fits.indexOf(*fitText);
        if (fit < 0) {
            *error = Text::tr("--fit: \"%1\" is not stretch, cover or contain").arg(*fitText);
            return false;
        }
        options->fit.fit = engine::Fit(fit);
    }
    if (backgroundText) {
        // Opaque only: the strip has no transparency to show a see-through margin.
        const QColor colour = QColor::fromString(*backgroundText);
        if (!colour.isValid() || colour.alpha() != 255) {
            *error = Text::tr("--background: \"%1\" is not a colour name or #rrggbb")
                         .arg(*backgroundText);
            return false;
        }
        options->fit.background = colour.rgb();
    }
    if (backgroundText && options->fit.fit != engine::Fit::Contain) {
        *error = Text::tr("--background is only for --fit contain");
        return false;
    }
    if (cropText && !cropRequest(*cropText, &options->crop, error))
        return false;
    options->reverse = parser.isSet(u"reverse"_s);
    if (options->format && !engine::formatNamed(*options->format)) {
        *error = Text::tr("--format: \"%1\" is not bmp, png, jpeg or webp").arg(*options->format);
        return false;
    }
    options->animate = parser.isSet(u"animate"_s);
    options->quiet = parser.isSet(u"quiet"_s);
    options->verbose = parser.isSet(u"verbose"_s);
    options->fromSettings = parser.isSet(u"from-settings"_s);
    options->embed = parser.isSet(u"embed"_s);
    options->help = parser.isSet(u"help"_s);
    options->version = parser.isSet(u"version"_s);
    options->inputs = parser.positionalArguments();
    return true;
}

bool cropRequest(const QString &text, engine::CropRequest *request, QString *error)
{
    static const QRegularExpression autoCrop(u"^auto(?::(\\d+(?:\\.\\d+)?)%?)?$"_s);
    static const QRegularExpression box(u"^(\\d+),(\\d+),(\\d+),(\\d+)$"_s);
    const QString given = text.trimmed();
    if (const QRegularExpressionMatch match = autoCrop.match(given); match.hasMatch()) {
        const double percent = match.hasCaptured(1) ? match.captured(1).toDouble() : -1;
        if (percent > engine::kMaxCropMarginPercent) {
            *error = Text::tr("--crop: a margin of \"%1\" is over %2 %")
                         .arg(text)
                         .arg(engine::kMaxCropMarginPercent);
            return false;
        }
        request->kind = engine::CropRequest::Kind::Auto;
        request->margin = percent < 0 ? engine::kDefaultCropMargin : percent / 100;
        return true;
    }
    const QRegularExpressionMatch match = box.match(given);
    std::array<int, 4> values {};
    bool ok = match.hasMatch();
    for (int i = 0; ok && i < 4; ++i) {
        values[std::size_t(i)] = match.captured(i + 1).toInt(&ok);
        ok = ok && values[std::size_t(i)] <= engine::kMaxCropSide;
    }
    if (!ok || values[2] == 0 || values[3] == 0) {
        *error = Text::tr("--crop: \"%1\" is not auto, auto:MARGIN or X,Y,W,H (whole pixels, "
                          "width and height above 0)")
                     .arg(text);
        return false;
    }
    request->kind = engine::CropRequest::Kind::Box;
    request->box = QRect(values[0], values[1], values[2], values[3]);
    return true;
}

bool readSavedWork(const QString &iniPath, SavedWork *work, QString *error)
{
    using namespace engine::keys;
    if (!QFileInfo(iniPath).isFile()) {
        *error = Text::tr("%1: no saved data").arg(iniPath);
        return false;
    }
    engine::SettingsFile settings;
    QString reason;
    if (!settings.read(iniPath, &reason)) {
        *error = Text::tr("%1: the saved data could not be read (%2)").arg(iniPath, reason);
        return false;
    }
    auto text = [&](const QString &section, const QString &key) {
        return settings.value(section, key).value_or(QString());
    };
    // As the window restores it: a missing entry below the count is an empty line.
    const int count = engine::restoredEntryCount(text(kInputFiles, kInputFilesCount));
    work->files.clear();
    work->files.reserve(count);
    for (int i = 0; i < count; ++i)
        work->files.append(text(kInputFiles, inputFile(i)));
    work->output = text(kOutputFile, kOutputFilename);
    // A file stored without a size keeps the size `work` came with: the window's fields.
    work->width = settings.value(kResizeValues, kWidth).value_or(work->width);
    work->height = settings.value(kResizeValues, kHeight).value_or(work->height);
    return true;
}

bool frameSide(const QString &text, const QString &what, int *side, QString *error)
{
    if (const auto value = engine::frameSide(text)) {
        *side = *value;
        return true;
    }
    *error = Text::tr("invalid %1: \"%2\" (1 to %3 pixels)")
                 .arg(what, text, QString::number(engine::kMaxFrameSide));
    return false;
}

bool frameSize(const QString &text, QSize *size, QString *error, bool zeroSide)
{
    static const QRegularExpression form(u"^\\s*([^xX×]+)[xX×]([^xX×]+)$"_s);
    const QRegularExpressionMatch match = form.match(text);
    const auto side = [&](const QString &part, const QString &what, int *value) {
        *value = 0;
        return (zeroSide && part.trimmed() == u"0"_s) || frameSide(part, what, value, error);
    };
    int width = 0, height = 0;
    if (!match.hasMatch() || !side(match.captured(1), Text::tr("width"), &width)
        || !side(match.captured(2), Text::tr("height"), &height)) {
        *error = Text::tr("invalid size: \"%1\" (WIDTHxHEIGHT, for example 320x200; each side 1 "
                          "to %2 pixels)")
                     .arg(text, QString::number(engine::kMaxFrameSide));
        return false;
    }
    *size = QSize(width, height);
    return true;
}

bool chooseFrames(int count, int frames, bool reverse, int lanes, QList<int> *chosen,
                  QString *error)
{
    if (count % lanes != 0) {
        *error = Text::tr("--lanes: %1 pictures do not make %2 lanes of equal length")
                     .arg(count)
                     .arg(lanes);
        return false;
    }
    const int lane = count / lanes;
    if (frames > lane) {
        *error = (lanes == 1 ? Text::tr("--frames: %1 is more than the %2 pictures")
                             : Text::tr("--frames: %1 is more than the %2 pictures of each lane"))
                     .arg(frames)
                     .arg(lane);
        return false;
    }
    const int taken = frames > 0 ? frames : lane;
    chosen->clear();
    chosen->reserve(qsizetype(taken) * lanes);
    for (int l = 0; l < lanes; ++l) {
        for (int i = 0; i < taken; ++i) {
            const int at = reverse ? taken - 1 - i : i;
            chosen->append(l * lane + int(qint64(at) * lane / taken));
        }
    }
    return true;
}

QString sheetPath(const QString &output, int index, int count)
{
    if (count <= 1)
        return output;
    const QFileInfo info(output);
    const QString name = info.suffix().isEmpty()
        ? u"%1-%2"_s.arg(info.fileName()).arg(index)
        : u"%1-%2.%3"_s.arg(info.completeBaseName()).arg(index).arg(info.suffix());
    return info.path() == u"."_s && !output.startsWith(u"./"_s) ? name : info.dir().filePath(name);
}

QSize stripSize(qint64 frames, QSize frame, int columns)
{
    const qint64 rows = (frames + columns - 1) / columns;
    return { int(std::min<qint64>(qint64(columns) * frame.width(), INT_MAX)),
             int(std::min<qint64>(rows * frame.height(), INT_MAX)) };
}

namespace {

// The side given as 0 taken from the aspect of `picture` (the upright picture at `path`, or
// the part of it cropped), to the nearest pixel. False with one line when the side would be
// too long.
bool sideFromAspect(QSize picture, const QString &path, int *width, int *height, QString *error)
{
    const auto scaled = [](qint64 a, qint64 b, qint64 c) { return (2 * a * b + c) / (2 * c); };
    const qint64 side = *width == 0 ? scaled(*height, picture.width(), picture.height())
                                    : scaled(*width, picture.height(), picture.width());
    if (side > engine::kMaxFrameSide) {
        *error = Text::tr("%1 is %2 × %3: the frame would have a side of %4, over %5 pixels")
                     .arg(path)
                     .arg(picture.width())
                     .arg(picture.height())
                     .arg(side)
                     .arg(engine::kMaxFrameSide);
        return false;
    }
    (*width == 0 ? *width : *height) = int(std::max<qint64>(side, 1));
    return true;
}

// As sideFromAspect, from the upright picture at `path`; also false when it cannot be read.
bool sideFromPicture(const QString &path, int *width, int *height, QString *error)
{
    QString reason;
    const QSize picture = engine::probeUpright(path, &reason);
    if (!picture.isValid()) {
        *error = u"%1: %2"_s.arg(path, reason);
        return false;
    }
    return sideFromAspect(picture, path, width, height, error);
}

// A page is only worth writing for a strip that browsers open, and never over the strip or
// one of its pictures, whatever path or link names them.
bool pageCanShowStrip(const Job &job, QString *error)
{
    if (const QString input = engine::inputThatIsOutput(job.html, job.files); !input.isEmpty()) {
        *error = u"%1: %2"_s.arg(job.html, engine::overwritesInput(job.html, input));
        return false;
    }
    if (std::any_of(job.sheetPaths.cbegin(), job.sheetPaths.cend(), [&](const QString &sheet) {
            return engine::sameDestination(job.html, sheet);
        })) {
        *error
            = Text::tr("--html: the page and the strip cannot be the same file (%1)").arg(job.html);
        return false;
    }
    // Only BMP has a browser limit of its own; the other formats' limits were checked already.
    const QSize size = job.sheets.constFirst().pixels;
    if (job.format == engine::StripFormat::Bmp && engine::tooLargeForBrowsers(size)) {
        *error = Text::tr("--html: browsers open no BMP of more than %1 pixels a side "
                          "(this strip: %2 × %3); leave out --target none to have it split into "
                          "sheets that browsers open")
                     .arg(QString::number(engine::kMaxBrowserBmpSide),
                          QString::number(size.width()), QString::number(size.height()));
        return false;
    }
    return true;
}

// The sheets of `job` under its target, its frames `scale` times their size (2: the sheets
// for high-density screens), or false with one line that names a request that fits.
bool planJobSheets(const Options &options, Job *job, QString *error, int scale = 1)
{
    const QSize frame = job->frame * scale;
    const engine::SheetRequest request { job->files.size(),
                                         job->lanes,
                                         frame,
                                         job->format,
                                         job->target,
                                         options.columns.value_or(0),
                                         options.framesPerSheet.value_or(0) };
    const engine::SheetPlan plan = engine::planSheets(request);
    const engine::SheetLimits limits = engine::sheetLimits(job->target, job->format);
    const QString target = engine::targetName(job->target);
    using Fault = engine::SheetPlan::Fault;
    if (plan.fault == Fault::FrameTooLarge) {
        *error = job->target == engine::Target::None
            ? engine::formatLimitProblem(job->format, frame)
            : Text::tr("--target %1: a frame of %2 × %3 is larger than a sheet may be (%4 pixels "
                       "a side, %5 pixels); choose a smaller frame or another --target")
                  .arg(target, QString::number(frame.width()), QString::number(frame.height()),
                       QString::number(limits.side), QString::number(limits.pixels));
        return false;
    }
    if (plan.fault == Fault::SheetTooLarge) {
        QString fits = u"--columns %1"_s.arg(plan.fitColumns);
        if (plan.fitFramesPerSheet < job->files.size())
            fits += u" --frames-per-sheet %1"_s.arg(plan.fitFramesPerSheet);
        const QString problem = engine::formatLimitProblem(job->format, plan.tooLarge);
        if (plan.fitColumns == 0)
            *error = problem.isEmpty() ? Text::tr("a sheet of %1 × %2 pixels is too large")
                                             .arg(plan.tooLarge.width())
                                             .arg(plan.tooLarge.height())
                                       : problem;
        else if (job->target == engine::Target::None && !problem.isEmpty())
            *error = problem + Text::tr(", or lay the frames out with %1").arg(fits);
        else
            *error = Text::tr("--target %1: a sheet of %2 × %3 pixels is over its limits (%4 "
                              "pixels a side, %5 pixels); %6 fits")
                         .arg(target, QString::number(plan.tooLarge.width()),
                              QString::number(plan.tooLarge.height()), QString::number(limits.side),
                              QString::number(limits.pixels), fits);
        return false;
    }
    if (scale != 1) {
        job->sheets2x = plan.sheets;
        job->sheet2xPaths.clear();
        for (int i = 0; i < job->sheets2x.size(); ++i)
            job->sheet2xPaths.append(
                doubledPath(sheetPath(job->output, i, int(job->sheets2x.size()))));
        return true;
    }
    job->sheets = plan.sheets;
    job->columns = plan.columns;
    job->sheetPaths.clear();
    for (int i = 0; i < job->sheets.size(); ++i)
        job->sheetPaths.append(sheetPath(job->output, i, int(job->sheets.size())));
    return true;
}

// Every sheet, the page and the manifest go to files of their own, none of them an input.
bool sheetsCanBeWritten(const Job &job, QString *error)
{
    if (job.sheets.size() > 1 && job.output == u"-"_s) {
        *error = Text::tr("%1 sheets cannot go to standard output: give -o FILE")
                     .arg(job.sheets.size());
        return false;
    }
    QStringList written = job.sheets.size() > 1 ? job.sheetPaths : QStringList();
    if (!job.loopFile.isEmpty()) {
        const engine::LoopSettings loop { job.loopFileFormat, job.frame, job.fps };
        if (const QString problem = engine::loopProblem(loop, job.files.size());
            !problem.isEmpty()) {
            *error = u"--loop: "_s + problem;
            return false;
        }
        written.append(job.loopFile);
    }
    if (!job.manifest.isEmpty())
        written.append(job.manifest);
    if (!job.viewerModule.isEmpty())
        written.append(job.viewerModule);
    for (const QString &path : std::as_const(written)) {
        if (const QString input = engine::inputThatIsOutput(path, job.files); !input.isEmpty()) {
            *error = u"%1: %2"_s.arg(path, engine::overwritesInput(path, input));
            return false;
        }
    }
    // The module is the one file of the set that a run does not name itself.
    for (const QString &other : job.sheetPaths + QStringList { job.html, job.manifest }) {
        if (!job.viewerModule.isEmpty() && !other.isEmpty()
            && engine::sameDestination(job.viewerModule, other)) {
            *error = Text::tr("%1 would be written over %2").arg(job.viewerModule, other);
            return false;
        }
    }
    if (job.manifest.isEmpty())
        return true;
    for (const QString &other : job.sheetPaths + QStringList { job.html }) {
        if (!other.isEmpty() && engine::sameDestination(job.manifest, other)) {
            *error = Text::tr("--manifest: %1 would be written over %2").arg(job.manifest, other);
            return false;
        }
    }
    return true;
}
// A loop is one file of frames in time: what lays frames out on sheets, or writes beside them,
// has nothing to work on.
bool loopCanBeWritten(const Options &options, const Job &job, QString *error)
{
    const std::pair<bool, const char *> sheetOnly[] = {
        { options.html.has_value(), "--html" },
        { options.manifest.has_value(), "--manifest" },
        { options.embed, "--embed" },
        { options.columns.has_value(), "--columns" },
        { options.target.has_value(), "--target" },
        { options.framesPerSheet.has_value(), "--frames-per-sheet" },
        { options.scale2x, "--scale" },
        { options.zoom.has_value(), "--zoom" },
        { options.poster, "--poster" },
        { options.framesDir.has_value(), "--frames-dir" },
    };
    for (const auto &[given, name] : sheetOnly) {
        if (given) {
            *error = Text::tr("%1 is for sheets, not for a loop (%2)")
                         .arg(QLatin1StringView(name), job.output);
            return false;
        }
    }
    const engine::LoopSettings settings { *job.loop, job.frame, job.fps, job.quality };
    *error = engine::loopProblem(settings, job.files.size());
    return error->isEmpty();
}
} // namespace

bool resolveJob(const Options &options, const QString &iniPath, int cores, Job *job, QString *error,
                int *status)
{
    int ignored = 0;
    int &fault = status ? *status : ignored;
    fault = 2;
    SavedWork saved { {}, {}, u"320"_s, u"200"_s };
    if (options.fromSettings && !readSavedWork(iniPath, &saved, error))
        return false;
    const QStringList inputs = options.inputs.isEmpty() ? saved.files : options.inputs;
    if (options.inputs.isEmpty()) {
        // An entry that names no file stops the run where the window's assembly would stop.
        const qsizetype hole = saved.files.indexOf(QString());
        if (hole >= 0) {
            *error = engine::emptyEntryMessage(int(hole));
            fault = 1;
            return false;
        }
    }
    job->output = options.output.value_or(saved.output);
    if (job->output.isEmpty()) {
        *error = Text::tr("the output file is missing (-o OUTPUT.bmp)");
        return false;
    }
    job->format = options.format ? *engine::formatNamed(*options.format)
                                 : engine::formatForPath(job->output);
    job->loop
        = options.format ? std::nullopt : engine::loopFormatForPath(job->output, options.animate);
    if (options.loop) {
        const auto format = engine::loopFormatForPath(*options.loop, true);
        if (!format || job->loop) {
            *error = job->loop ? Text::tr("--loop writes a loop beside sheets, and %1 is a loop "
                                          "already")
                                     .arg(job->output)
                               : Text::tr("--loop: %1 does not end in .gif, .mp4, .webm or .webp")
                                     .arg(*options.loop);
            return false;
        }
        job->loopFile = *options.loop;
        job->loopFileFormat = *format;
    }
    if ((options.animate || options.fps) && !job->loop && !options.loop) {
        *error = Text::tr("%1 is only for a loop: an output ending in .gif, .mp4, .webm, or .webp "
                          "with --animate")
                     .arg(options.animate ? u"--animate"_s : u"--fps"_s);
        return false;
    }
    job->fps = options.fps.value_or(engine::kDefaultLoopFps);
    const bool lossy = job->loop || job->format == engine::StripFormat::Jpeg
        || job->format == engine::StripFormat::Webp;
    if (options.quality && !lossy) {
        *error = Text::tr("--quality is only for JPEG and WebP, not for %1")
                     .arg(engine::formatName(job->format));
        return false;
    }
    job->quality = options.quality.value_or(engine::kDefaultQuality);
    job->columns = options.columns.value_or(1);
    int width = 0, height = 0;
    // A side of 0 on the command line is taken from the pictures, once they are known.
    const auto side = [&](const std::optional<QString> &given, const QString &stored,
                          const QString &what, int *value) {
        if (given && given->trimmed() == u"0"_s) {
            *value = 0;
            return true;
        }
        return frameSide(given.value_or(stored), what, value, error);
    };
    if (options.size) {
        QSize frame;
        if (!frameSize(*options.size, &frame, error, true))
            return false;
        width = frame.width();
        height = frame.height();
    } else if (!side(options.width, saved.width, Text::tr("width"), &width)
               || !side(options.height, saved.height, Text::tr("height"), &height)) {
        return false;
    }
    if (width == 0 && height == 0) {
        *error = Text::tr("a frame side of 0 takes it from the other side: give that one");
        return false;
    }
    job->fit = options.fit;
    job->files.clear();
    // "-" is standard output, never a file beside the pictures.
    const QString outputFile = job->output == u"-"_s ? QString() : job->output;
    job->leftOut.clear();
    if (!expandInputs(inputs, &job->files, error, &job->leftOut)) {
        fault = 1;
        return false;
    }
    // A video stands for its moments, already spread: --frames counts them, not the files.
    int videoFault = 0;
    const bool videos = expandVideos(&job->files, options.frames.value_or(kVideoFrames),
                                     options.turn, error, &videoFault);
    if (videoFault) {
        fault = videoFault;
        return false;
    }
    if (job->files.isEmpty()) {
        *error = Text::tr("no input pictures");
        return false;
    }
    if (const QString input = engine::inputThatIsOutput(outputFile, job->files); !input.isEmpty()) {
        *error = u"%1: %2"_s.arg(job->output, engine::overwritesInput(job->output, input));
        // Found in a folder given: most likely the strip of an earlier run into that folder.
        if (!inputs.contains(input))
            *error += Text::tr("; write the strip outside the folder or under another name");
        return false;
    }
    job->lanes = options.lanes.value_or(1);
    QList<int> chosen;
    if (!chooseFrames(int(job->files.size()), videos ? 0 : options.frames.value_or(0),
                      options.reverse, job->lanes, &chosen, error))
        return false;
    QStringList files;
    files.reserve(chosen.size());
    for (const int index : std::as_const(chosen))
        files.append(job->files.at(index));
    job->files = files;
    // A video's moments are decoded in order by one reader on the decoder's own threads; more
    // workers only ask for them out of order, and the reader seeks back (measured: a third more
    // CPU for 36 frames of a 1080p video with two).
    job->jobs = options.jobs.value_or(videos ? 1 : std::max(1, cores));
    job->cropAsked = options.crop.kind != engine::CropRequest::Kind::Whole;
    // The box is found for the frame's aspect, or gives the frame's missing side.
    if (!engine::resolveCrop(job->files, options.crop, QSize(width, height), job->jobs,
                             &job->fit.crop, error, &job->kept)) {
        // A picture that cannot be read is the input's fault, as it is without a crop.
        QString reason;
        fault = std::all_of(job->files.cbegin(), job->files.cend(),
                            [&](const QString &file) {
                                return engine::probeUpright(file, &reason).isValid();
                            })
            ? 2
            : 1;
        return false;
    }
    if ((width == 0 || height == 0) && !job->fit.crop.isNull()) {
        if (!sideFromAspect(job->fit.crop.size(), job->files.constFirst(), &width, &height, error))
            return false;
    } else if ((width == 0 || height == 0)
               && !sideFromPicture(job->files.constFirst(), &width, &height, error)) {
        fault = 1;
        return false;
    }
    job->frame = QSize(width, height);
    job->reverse = options.reverse;
    job->html = options.html.value_or(QString());
    job->manifest = options.manifest.value_or(QString());
    job->maxBytes = options.maxBytes.value_or(0);
    job->quiet = options.quiet;
    job->verbose = options.verbose;
    if (job->loop)
        return loopCanBeWritten(options, *job, error);
    if (!job->html.isEmpty() && job->manifest.isEmpty() && job->output != u"-"_s) {
        const QFileInfo strip(job->output);
        job->manifest = strip.dir().filePath(strip.completeBaseName() + u".json"_s);
    }
    job->embed = options.embed;
    if (job->embed && job->manifest.isEmpty()) {
        *error = Text::tr("--embed shows the sheets through their manifest: give --manifest "
                          "FILE or --html PAGE");
        return false;
    }
    // The page holds the module itself, but a copy beside it serves the pages of a web site;
    // a snippet loads it from beside the manifest.
    job->viewerModule.clear();
    if (!job->html.isEmpty() || job->embed) {
        const QFileInfo beside(job->embed ? job->manifest : job->html);
        job->viewerModule = beside.dir().filePath(viewerModuleName());
    }
    // A page or a manifest is for browsers: their sheets fit phones unless told otherwise.
    const bool web = !job->html.isEmpty() || !job->manifest.isEmpty();
    job->target = options.target.value_or(web ? engine::Target::Mobile : engine::Target::None);
    const qint64 frames = job->files.size();
    if (job->target == engine::Target::None && !options.framesPerSheet) {
        // One sheet, as ever: its bytes are bounded before any layout is worked out.
        const qint64 columns = options.columns.value_or(1);
        const qint64 stripWidth = columns * width;
        const qint64 rows = (frames + columns - 1) / columns * height;
        if (rows > std::numeric_limits<int>::max() || !engine::stripFits(stripWidth, rows)) {
            *error = Text::tr("a strip of %1 × %2 pixels is over the limit of %3 MiB")
                         .arg(QString::number(stripWidth), QString::number(rows),
                              QString::number(engine::kMaxStripBytes / engine::kMega));
            return false;
        }
    }
    if (!planJobSheets(options, job, error))
        return false;
    const QSize size = job->sheets.constFirst().pixels;
    job->sheets2x.clear();
    job->sheet2xPaths.clear();
    if (options.scale2x && !planJobSheets(options, job, error, 2)) {
        *error = u"--scale 1,2: "_s + *error;
        return false;
    }
    QList<QSize> largest { size };
    if (!job->sheets2x.isEmpty())
        largest.append(job->sheets2x.constFirst().pixels);
    for (const QSize pixels : std::as_const(largest)) {
        if (!engine::stripFits(pixels.width(), pixels.height())) {
            *error = Text::tr("a strip of %1 × %2 pixels is over the limit of %3 MiB")
                         .arg(QString::number(pixels.width()), QString::number(pixels.height()),
                              QString::number(engine::kMaxStripBytes / engine::kMega));
            return false;
        }
    }
    // A BMP that browsers will not show is only warned about, since the file itself is sound.
    job->warning.clear();
    if (job->format == engine::StripFormat::Bmp && engine::tooLargeForBrowsers(size))
        job->warning
            = Text::tr("warning: web browsers open no BMP of more than %1 pixels a side, and this "
                       "strip is %2 × %3; save it as .png or use --columns")
                  .arg(engine::kMaxBrowserBmpSide)
                  .arg(size.width())
                  .arg(size.height());
    if (!sheetsCanBeWritten(*job, error))
        return false;
    if (!job->html.isEmpty() && !pageCanShowStrip(*job, error))
        return false;
    job->poster = options.poster;
    job->framesDir = options.framesDir.value_or(QString());
    job->zoom = options.zoom ? zoomSize(*options.zoom, job->frame) : QSize();
    if (!extrasCanBeWritten(*job, error))
        return false;
    job->quiet = options.quiet;
    job->verbose = options.verbose;
    return true;
}

} // namespace cli

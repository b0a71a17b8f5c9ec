// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of framolin-strip, and the job it describes once the saved settings (with
// --from-settings) and the defaults are filled in.

#include "inputs.h"

#include "engine/crop.h"
#include "engine/fit.h"
#include "engine/loop_writer.h"
#include "engine/sheet_layout.h"
#include "engine/strip_format.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace cli {

struct Options
{
    std::optional<QString> width, height, size, output, format, html, manifest, framesDir, loop;
    std::optional<int> jobs, quality, columns, frames, lanes, framesPerSheet, fps;
    std::optional<engine::Target> target;
    std::optional<qint64> maxBytes;
    std::optional<Turn> turn;
    engine::FrameOptions fit;
    engine::CropRequest crop;
    bool poster = false;
    bool scale2x = false;
    std::optional<QSize> zoom; // a side of 0 follows the frame's aspect
    bool reverse = false;
    bool animate = false;
    bool quiet = false;
    bool verbose = false;
    bool fromSettings = false;
    bool embed = false;
    bool help = false;
    bool version = false;
    QStringList inputs;
};

// `arguments` as main receives them, the program name first. False with one line on a bad
// option.
bool parseArguments(const QStringList &arguments, Options *options, QString *error);

// The help text, in the installed language.
QString usage();

struct Job
{
    QStringList files;
    QString output;
    QString html; // the viewer page to write beside the strip; empty for none
    QSize frame;
    engine::FrameOptions fit;
    bool cropAsked = false; // --crop was given, whatever box it found
    engine::KeptDecodes kept; // pictures the crop's search decoded, for the frames
    int lanes = 1; // the pictures are this many turns of equal length, one after the other
    int jobs = 1;
    bool quiet = false;
    bool verbose = false;
    // Files inside the folders given that are not frames, each with the reason.
    QList<LeftOut> leftOut;
    engine::StripFormat format = engine::StripFormat::Bmp;
    // Set when the output is a loop (.gif, .mp4, .webm, .webp with --animate) rather than a
    // strip: the frames play one after the other at `fps`, and there are no sheets.
    std::optional<engine::LoopFormat> loop;
    int fps = engine::kDefaultLoopFps;
    // A loop written beside the sheets and listed in their manifest; empty for none.
    QString loopFile;
    engine::LoopFormat loopFileFormat = engine::LoopFormat::Gif;
    int quality = engine::kDefaultQuality;
    int columns = 1; // frames side by side; 1 is one column, the window's strip
    QString warning; // one line to show before writing, or empty
    engine::Target target = engine::Target::None;
    bool reverse = false;
    // The frames spread over these sheets, written at these paths (the output itself when
    // there is one sheet).
    QList<engine::Sheet> sheets;
    QStringList sheetPaths;
    QString manifest; // the JSON description of the sheets to write; empty for none
    bool embed = false; // print the snippet that shows the set in another page
    QString viewerModule; // framolin-spin.js, written with a page or a snippet; empty for none
    qint64 maxBytes = 0; // the most bytes the sheets may take together; 0 for no bound
    // Written beside the sheets when asked (extra_outputs.h).
    bool poster = false;
    QString framesDir; // each frame as its own file there, and DIR.zip; empty for none
    QList<engine::Sheet> sheets2x; // the sheets at twice the frame size; empty for none
    QStringList sheet2xPaths;
    QSize zoom; // single frames at this size in NAME-zoom/; empty for none
};

// Where sheet `index` of `count` of `output` is written: "NAME-0.webp", "NAME-1.webp", …; the
// output itself when there is one sheet.
QString sheetPath(const QString &output, int index, int count);

// The size of the strip of `frames` frames of `frame`, `columns` to a row.
QSize stripSize(qint64 frames, QSize frame, int columns);

// What the window's "Guardar datos" stored: the list, the output path and the frame size
// texts, read as the window restores them (the count capped, a missing entry an empty line);
// a size never stored keeps the text `work` holds. False with one line when the file is
// missing or unreadable.
struct SavedWork
{
    QStringList files;
    QString output, width, height;
};
bool readSavedWork(const QString &iniPath, SavedWork *work, QString *error);

// --crop's value: "auto", "auto:MARGIN" (a percentage of the object's box added on each side)
// or "X,Y,W,H" in upright source pixels. False with one line naming the text otherwise.
bool cropRequest(const QString &text, engine::CropRequest *request, QString *error);

// A frame size written WIDTHxHEIGHT ("320x200", also with "X" or "×"), each side as
// frameSide reads it, or 0 when `zeroSide` (to be taken from the pictures). False with one line
// naming the text otherwise.
bool frameSize(const QString &text, QSize *size, QString *error, bool zeroSide = false);

// A frame side as the window reads it: a number rounded to whole pixels (halves to even) in
// 1..engine::kMaxFrameSide. False with one line naming `what` ("width" or "height",
// translated) and the text otherwise.
bool frameSide(const QString &text, const QString &what, int *side, QString *error);

// The indices of the `count` pictures that make the strip: `frames` of each of `lanes` equal
// lanes (0 for all), spread evenly (picture ⌊i × M / N⌋ of a lane of M), each lane in the
// opposite order when `reverse`. False with one line when the lanes are unequal or a lane has
// fewer than `frames` pictures.
bool chooseFrames(int count, int frames, bool reverse, int lanes, QList<int> *chosen,
                  QString *error);

// The job of `options`, read from the settings at `iniPath` first when asked; folders are
// expanded and the frame size checked. `cores` is the default for --jobs. On failure `status`
// (when given) says whose fault it is: 1 for a missing or unreadable input, 2 for the command
// line or the settings.
bool resolveJob(const Options &options, const QString &iniPath, int cores, Job *job, QString *error,
                int *status = nullptr);

} // namespace cli

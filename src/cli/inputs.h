// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning the command line's PICTURE|FOLDER arguments into the list of frames.

#include <QString>
#include <QStringList>

#include <QList>

#include <optional>

namespace cli {

// An entry of a folder given that is not taken as a frame, and why.
struct LeftOut
{
    QString path;
    QString reason;
};

// Each file argument as given; each folder as its BMP, JPG/JPEG, GIF, PNG, WebP and TIF/TIFF
// entries (by name, any case, dot-files and folders left out) in natural order, the folders'
// other entries in `leftOut` when given. False with one line naming the argument on failure.
bool expandInputs(const QStringList &arguments, QStringList *files, QString *error,
                  QList<LeftOut> *leftOut = nullptr);

// The seconds of a video that hold one turn (--turn START..END).
struct Turn
{
    double start = 0;
    double end = 0;
};

// Moments taken from a video when --frames does not say.
inline constexpr int kVideoFrames = 36;

// --turn's value "START..END", seconds with START < END. False with one line otherwise.
bool turnSeconds(const QString &text, std::optional<Turn> *turn, QString *error);

// Each video among `files` replaced by `frames` moments "VIDEO#t=SECONDS", evenly over `turn`
// or the whole video, start + i × length / frames for i = 0..frames-1 (the moment of a whole
// turn is that of the first frame again). True when there was a video. On a video that cannot
// be read or is shorter than the turn, `fault` is 1 and `error` names it; a turn without a
// video sets `fault` to 2.
bool expandVideos(QStringList *files, int frames, const std::optional<Turn> &turn, QString *error,
                  int *fault);

} // namespace cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "loop.h"

#include "sheets.h"

#include "engine/loop_writer.h"
#include "engine/save_file.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

// Lower qualities tried under --max-bytes before the frames are made smaller; 30 still shows
// the object (a GIF of 32 colours, CRF 47 for H.264).
constexpr int kLoopQualities[] = { 70, 50, 30 };
// Then the frames at these fractions of the size asked, at the lowest quality.
constexpr double kLoopScales[] = { 0.75, 0.5, 0.35, 0.25 };

struct Attempt
{
    int quality;
    QSize frame;
};

QList<Attempt> attempts(const Job &job)
{
    QList<Attempt> list { { job.quality, job.frame } };
    if (job.maxBytes <= 0)
        return list;
    for (const int quality : kLoopQualities) {
        if (quality < job.quality)
            list.append({ quality, job.frame });
    }
    const int lowest = list.constLast().quality;
    for (const double scale : kLoopScales) {
        const QSize frame(std::max(2, int(std::lround(job.frame.width() * scale))),
                          std::max(2, int(std::lround(job.frame.height() * scale))));
        list.append({ lowest, frame });
    }
    return list;
}

} // namespace

bool buildLoop(const Job &job, const FrameWritten &written, engine::SaveGroup *group,
               LoopWritten *loop, QString *error)
{
    const QList<Attempt> tries = attempts(job);
    qint64 bytes = 0;
    for (qsizetype i = 0; i < tries.size(); ++i) {
        const Attempt &attempt = tries.at(i);
        const engine::LoopSettings settings { *job.loop, attempt.frame, job.fps, attempt.quality };
        engine::SaveGroup file;
        StripOutput output { job.output };
        output.fit = job.fit;
        output.group = &file;
        output.makeWriter = [settings] { return engine::makeLoopWriter(settings); };
        if (!buildStrip(job.files, attempt.frame, output, job.jobs, written, error))
            return false;
        bytes = file.files().front()->size();
        if (job.maxBytes > 0 && bytes > job.maxBytes)
            continue; // dropped with `file`
        group->hold(std::move(file));
        *loop = { attempt.quality, attempt.frame, bytes, i > 0 };
        return true;
    }
    const Attempt &last = tries.constLast();
    *error = Text::tr("%1: the loop takes %2 bytes even at quality %3 with frames of %4 × %5, "
                      "over --max-bytes %6 bytes: nothing was written; use fewer --frames")
                 .arg(job.output, QString::number(bytes), QString::number(last.quality),
                      QString::number(last.frame.width()), QString::number(last.frame.height()),
                      QString::number(job.maxBytes));
    return false;
}

QString loopSummary(const Job &job, const LoopWritten &loop, Language language)
{
    const QSize picture = engine::loopPictureSize(*job.loop, loop.frame);
    const qsizetype frames = job.files.size();
    const QLocale locale(language == Language::Spanish ? QLocale::Spanish : QLocale::English);
    const QString seconds = locale.toString(double(frames) / job.fps, 'f', 2);
    return (frames == 1 ? Text::tr("%1 frame of %2 × %3 → %4 (%5 loop, %6 fps, %7 s, %8)")
                        : Text::tr("%1 frames of %2 × %3 → %4 (%5 loop, %6 fps, %7 s, %8)"))
        .arg(QString::number(frames), QString::number(picture.width()),
             QString::number(picture.height()), job.output, engine::loopFormatName(*job.loop),
             QString::number(job.fps), seconds, sizeText(loop.bytes, language));
}

QString loopChoice(const Job &job, const LoopWritten &loop, Language language)
{
    if (!loop.lowered)
        return {};
    const QLocale locale(language == Language::Spanish ? QLocale::Spanish : QLocale::English);
    return Text::tr("--max-bytes %1: quality %2 and frames of %3 × %4 fit")
        .arg(locale.toString(job.maxBytes), QString::number(loop.quality),
             QString::number(loop.frame.width()), QString::number(loop.frame.height()));
}

} // namespace cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "builder.h"

#include "engine/compose.h"
#include "engine/decode.h"
#include "engine/pool.h"
#include "engine/strip_writer.h"
#include "engine/video.h"
#include "language.h"
#include "options.h"

#include <QFileInfo>

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <new>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

constexpr qint64 kBandBytes = qint64(1) << 20;

struct Frame
{
    QImage pixels; // null on failure, or once the worker has written it itself
    QString reason;
    bool inPlace = false; // written by the worker that made it, at its place in the file
    bool writeFailed = false; // the reason is the output's, not the picture's
};

// The decoded picture at the frame size, transparency and all: it is laid over the canvas's
// back colour only as it is written (see writeFrame), so no second frame-sized copy exists.
Frame makeFrame(const QString &path, QSize size, const engine::FrameOptions &fit,
                const engine::KeptDecodes *kept)
{
    Frame frame;
    if (kept) {
        const auto found = kept->constFind(path);
        if (found != kept->cend())
            frame.pixels = engine::frameFromUpright(*found, size, fit, &frame.reason);
        if (!frame.pixels.isNull() || !frame.reason.isEmpty())
            return frame;
    }
    const QString file = engine::entryFile(path);
    if (!QFileInfo(file).isFile()) {
        frame.reason = QFileInfo::exists(file) ? Text::tr("not a readable file")
                                               : Text::tr("file not found");
        return frame;
    }
    frame.pixels = engine::decodeFrame(path, size, &frame.reason, fit);
    return frame;
}

// Writes `frame` at rows from `top`, as the window's canvas holds it: opaque frames as they
// are, others over the back colour a band of rows at a time, so a frame of 32767 × 21845
// never has a second copy beside it.
template<typename WriteRows>
bool writeFrame(const WriteRows &write, int top, const QImage &frame, QString *reason)
{
    if (!frame.hasAlphaChannel())
        return write(top, frame, reason);
    const int rows
        = int(std::clamp<qint64>(kBandBytes / (qint64(frame.width()) * 3), 1, frame.height()));
    QImage band(frame.width(), rows, QImage::Format_RGB888);
    if (band.isNull()) {
        *reason = Text::tr("no memory for %1 rows of %2 pixels").arg(rows).arg(frame.width());
        return false;
    }
    for (int y = 0; y < frame.height(); y += rows) {
        band.fill(QColor::fromRgb(engine::kStripBackColor));
        engine::place(band, frame, QPoint(0, -y));
        const QImage part
            = y + rows <= frame.height() ? band : band.copy(0, 0, band.width(), frame.height() - y);
        if (!write(top + y, part, reason))
            return false;
    }
    return true;
}

// Hands frames out in list order while workers make them ahead, at most `window` frames beyond
// the one handed out last.
class Pipeline
{
public:
    using Make = std::function<Frame(int index)>;
    Pipeline(qsizetype count, Make make, int window)
        : m_count(int(count)), m_make(std::move(make)), m_window(window),
          m_slots(std::size_t(window))
    { }

    void work()
    {
        for (;;) {
            int index = 0;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] {
                    return m_stop || m_claimed >= m_count || m_claimed < m_written + m_window;
                });
                if (m_stop || m_claimed >= m_count)
                    return;
                index = m_claimed++;
            }
            Frame frame = makeCaught(index);
            std::lock_guard lock(m_mutex);
            Slot &slot = m_slots[size_t(index % m_window)];
            slot.index = index;
            slot.frame = std::move(frame);
            m_changed.notify_all();
        }
    }

    // The frame at `index`, once decoded; frees its slot for a later frame.
    Frame take(int index)
    {
        std::unique_lock lock(m_mutex);
        Slot &slot = m_slots[size_t(index % m_window)];
        m_changed.wait(lock, [&] { return slot.index == index; });
        Frame frame = std::move(slot.frame);
        slot.index = -1;
        m_written = index + 1;
        m_changed.notify_all();
        return frame;
    }

    // m_make(index), or a frame saying why it could not be made: the writer waits for every
    // index, so each must arrive.
    Frame makeCaught(int index)
    {
        try {
            return m_make(index);
        } catch (const std::bad_alloc &) {
            return Frame { {}, Text::tr("no memory for the frame"), false, false };
        } catch (...) {
            return Frame { {}, Text::tr("the frame could not be made"), false, false };
        }
    }

    void stop()
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_changed.notify_all();
    }

private:
    struct Slot
    {
        int index = -1;
        Frame frame;
    };
    const int m_count;
    const Make m_make;
    const int m_window;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Slot> m_slots;
    int m_claimed = 0;
    int m_written = 0;
    bool m_stop = false;
};

} // namespace

bool buildStrip(const QStringList &files, QSize frame, const StripOutput &output, int jobs,
                const FrameWritten &written, QString *error)
{
    const int count = int(files.size());
    const int columns = std::max(output.columns, 1);
    const std::unique_ptr<engine::StripWriter> writer = output.makeWriter
        ? output.makeWriter()
        : engine::makeStripWriter(output.format, output.quality);
    if (output.group)
        writer->holdCommitIn(output.group);
    QString reason;
    const QSize size = stripSize(count, frame, columns);
    if (!(output.stream ? writer->openStream(output.stream, size, &reason)
                        : writer->open(output.path, size, &reason))) {
        *error = u"%1: %2"_s.arg(output.path, reason);
        return false;
    }
    // With several columns a row of frames is gathered before it is written.
    QImage band;
    if (columns > 1) {
        band = QImage(columns * frame.width(), frame.height(), QImage::Format_RGB888);
        if (band.isNull()) {
            *error = Text::tr("%1: no memory for a row of %2 frames").arg(output.path).arg(columns);
            return false;
        }
        band.fill(QColor::fromRgb(engine::kStripBackColor));
    }

    // Decoding runs ahead of the writer by the read-ahead budget, at least one frame, so a
    // write held up by the disk does not stall the workers at once, and memory holds a few
    // frames however large they are or however many workers there are.
    const qint64 frameBytes = std::max<qint64>(qint64(frame.width()) * frame.height() * 4, 1);
    const int window = int(std::clamp<qint64>(output.readAhead / frameBytes, 1, 64));
    // No more workers than frames that may be in flight.
    const int workers = std::clamp(jobs, 1, std::max(1, std::min(count, window)));
    // A BMP of one column is filled in any order: each worker writes its own frame at its
    // place in the file, so the frames never queue up for one writer.
    const bool workersWrite = columns == 1 && writer->writesFromManyThreads();
    const Pipeline::Make make = [&](int index) {
        Frame made = makeFrame(files[index], frame, output.fit, output.kept);
        if (!workersWrite || made.pixels.isNull())
            return made;
        const auto write = [&](int top, const QImage &rows, QString *why) {
            return writer->writeRowsAt(top, rows, why);
        };
        made.inPlace = writeFrame(write, index * frame.height(), made.pixels, &made.reason);
        made.writeFailed = !made.inPlace;
        made.pixels = QImage();
        return made;
    };
    Pipeline pipeline(count, make, window);
    // The pool's threads are stopped and joined on every way out, before the pipeline goes.
    std::optional<engine::WorkerPool> pool;
    if (workers > 1)
        pool.emplace(workers);
    const bool parallel = pool && pool->size() > 0;
    struct StopOnExit
    {
        Pipeline &pipeline;
        std::optional<engine::WorkerPool> &pool;
        ~StopOnExit()
        {
            pipeline.stop();
            pool.reset(); // joins
        }
    } stopOnExit { pipeline, pool };
    if (parallel) {
        for (int t = 0; t < pool->size(); ++t)
            pool->post([&pipeline] { pipeline.work(); });
    }

    for (int i = 0; i < count; ++i) {
        const Frame image = parallel ? pipeline.take(i) : pipeline.makeCaught(i);
        if (image.writeFailed) {
            *error = u"%1: %2"_s.arg(output.path, image.reason);
            return false; // the writer's destructor drops the unfinished file
        }
        if (image.pixels.isNull() && !image.inPlace) {
            *error = u"%1: %2"_s.arg(files[i], image.reason);
            return false;
        }
        bool ok = true;
        if (columns == 1 && !image.inPlace) {
            const auto write = [&](int top, const QImage &rows, QString *why) {
                return writer->writeRows(top, rows, why);
            };
            ok = writeFrame(write, i * frame.height(), image.pixels, &reason);
        } else if (columns > 1) {
            engine::place(band, image.pixels, QPoint(i % columns * frame.width(), 0));
            if (i % columns == columns - 1 || i == count - 1) {
                ok = writer->writeRows(i / columns * frame.height(), band, &reason);
                band.fill(QColor::fromRgb(engine::kStripBackColor)); // the last row's empty cells
            }
        }
        if (!ok) {
            *error = u"%1: %2"_s.arg(output.path, reason);
            return false;
        }
        if (written)
            written(i + 1, count);
    }
    if (!writer->commit(&reason)) {
        *error = u"%1: %2"_s.arg(output.path, reason);
        return false;
    }
    return true;
}

} // namespace cli

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Frames decoded ahead of their turn on worker threads, for a loop that paints list positions
// in order. Each frame is kept with what it was decoded from (the path, the file's identity and
// the frame size), and is handed out only while all three still match, so using it gives the
// same pixels as decoding at that moment would.

#include "file_stamp.h"
#include "fit.h"
#include "pool.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <map>

namespace engine {

class FramePrefetch
{
public:
    // `workers` threads (none: nothing is decoded ahead), holding at most `budgetBytes` of
    // frames decoded ahead, each fitted to its frame as `options` say.
    FramePrefetch(int workers, qint64 budgetBytes, const FrameOptions &options = {});
    // Drops the decodes not yet started and waits for the running ones.
    ~FramePrefetch();
    FramePrefetch(const FramePrefetch &) = delete;
    FramePrefetch &operator=(const FramePrefetch &) = delete;

    // How many positions beyond the current one are worth planning for frames of `frame`.
    int ahead(QSize frame) const;

    // Plans the decode of `path` at `frame` for list position `index`, replacing what was planned
    // there for another file or size. Positions are decoded in the order they were planned.
    void plan(int index, const QString &path, QSize frame);

    // The frame for position `index` if it was decoded from `path` at `frame` and the file has
    // not changed since; waits while that decode is running. A null image when there is none
    // (not planned, not started yet, planned for something else, failed): the caller decodes
    // itself, so a failure is found, and reported, only on its turn. Forgets every position up
    // to `index`.
    QImage take(int index, const QString &path, QSize frame);

    // Waits until every planned decode has run (tests use it to meet frames decoded ahead).
    void waitIdle();

    // Forgets the plans for positions from `index` on; running decodes finish and are thrown
    // away. Keeps memory to the frames still wanted when fewer are planned than before.
    void forgetFrom(int index);

private:
    enum class State { Pending, Running, Done, Failed };
    struct Slot
    {
        QString path;
        QSize frame;
        quint64 generation = 0;
        State state = State::Pending;
        QImage image;
        FileStamp stamp;
    };
    void decode(int index, quint64 generation);

    const qint64 m_budget;
    const FrameOptions m_options;
    std::mutex m_mutex;
    std::condition_variable m_finished;
    std::map<int, Slot> m_slots;
    quint64 m_generation = 0;
    int m_workers = 0;
    // Last member: its threads are joined before the slots they write to are destroyed.
    std::unique_ptr<WorkerPool> m_pool;
};

} // namespace engine

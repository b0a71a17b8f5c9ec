// SPDX-License-Identifier: GPL-3.0-or-later
#include "prefetch.h"

#include "decode.h"
#include "video.h"

#include <algorithm>

namespace engine {

FramePrefetch::FramePrefetch(int workers, qint64 budgetBytes, const FrameOptions &options)
    : m_budget(budgetBytes), m_options(options), m_workers(std::max(workers, 0))
{
    if (m_workers > 0)
        m_pool = std::make_unique<WorkerPool>(m_workers);
    // No thread could start: the loop decodes every frame on its turn, as with no workers.
    if (m_pool && m_pool->size() == 0) {
        m_pool.reset();
        m_workers = 0;
    }
}

FramePrefetch::~FramePrefetch()
{
    m_pool.reset(); // pending decodes dropped, running ones joined
}

int FramePrefetch::ahead(QSize frame) const
{
    if (m_workers == 0 || frame.isEmpty())
        return 0;
    // A few frames a worker keeps every worker busy while the painter catches up, and the
    // budget keeps memory bounded for large frames (down to none ahead).
    const qint64 bytes = qint64(frame.width()) * frame.height() * 4;
    return int(std::min<qint64>(3 * qint64(m_workers), m_budget / bytes));
}

void FramePrefetch::plan(int index, const QString &path, QSize frame)
{
    if (!m_pool)
        return;
    quint64 generation = 0;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_slots.find(index);
        if (it != m_slots.end() && it->second.path == path && it->second.frame == frame)
            return;
        Slot &slot = m_slots[index];
        slot = Slot();
        slot.path = path;
        slot.frame = frame;
        slot.generation = generation = ++m_generation;
    }
    m_pool->post([this, index, generation] { decode(index, generation); });
}

void FramePrefetch::decode(int index, quint64 generation)
{
    QString path;
    QSize frame;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_slots.find(index);
        if (it == m_slots.end() || it->second.generation != generation
            || it->second.state != State::Pending)
            return; // replaced, taken or forgotten before its start
        it->second.state = State::Running;
        path = it->second.path;
        frame = it->second.frame;
    }
    // The file is stamped before and after: a file written while it was being read gets no
    // stamp that could ever match, and its frame is decoded again on its turn.
    const FileStamp before = FileStamp::of(entryFile(path));
    QString reason;
    QImage image;
    try {
        image = decodeFrame(path, frame, &reason, m_options);
    } catch (...) {
        // Marked failed below: the caller decodes it again on its turn and reports why.
    }
    const FileStamp after = FileStamp::of(entryFile(path));
    {
        std::lock_guard lock(m_mutex);
        auto it = m_slots.find(index);
        if (it != m_slots.end() && it->second.generation == generation) {
            const bool usable = !image.isNull() && before.valid() && before == after;
            it->second.state = usable ? State::Done : State::Failed;
            if (usable) {
                it->second.image = std::move(image);
                it->second.stamp = before;
            }
        }
    }
    m_finished.notify_all();
}

QImage FramePrefetch::take(int index, const QString &path, QSize frame)
{
    if (!m_pool)
        return {};
    std::unique_lock lock(m_mutex);
    m_slots.erase(m_slots.begin(), m_slots.lower_bound(index));
    auto it = m_slots.find(index);
    if (it == m_slots.end())
        return {};
    if (it->second.path != path || it->second.frame != frame) {
        m_slots.erase(it);
        return {};
    }
    const quint64 generation = it->second.generation;
    // Not started: the caller decodes it at once rather than waiting for a worker to be free.
    if (it->second.state == State::Pending) {
        m_slots.erase(it);
        return {};
    }
    m_finished.wait(lock, [&] {
        it = m_slots.find(index);
        return it == m_slots.end() || it->second.generation != generation
            || it->second.state != State::Running;
    });
    if (it == m_slots.end() || it->second.generation != generation)
        return {};
    Slot slot = std::move(it->second);
    m_slots.erase(it);
    lock.unlock();
    if (slot.state != State::Done || FileStamp::of(entryFile(path)) != slot.stamp)
        return {};
    return std::move(slot.image);
}

void FramePrefetch::waitIdle()
{
    std::unique_lock lock(m_mutex);
    m_finished.wait(lock, [this] {
        return std::none_of(m_slots.begin(), m_slots.end(), [](const auto &slot) {
            return slot.second.state == State::Pending || slot.second.state == State::Running;
        });
    });
}

void FramePrefetch::forgetFrom(int index)
{
    std::lock_guard lock(m_mutex);
    m_slots.erase(m_slots.lower_bound(index), m_slots.end());
}

} // namespace engine

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The memory that decodes running at the same time may hold, shared by every thread of the
// process (framolin-strip's workers, the window's decodes ahead): a decode waits, in the order
// decodes asked, until what it needs is free, and one decode can always run, however much it
// needs.

#include <QtGlobal>

#include <condition_variable>
#include <mutex>

namespace engine {

class DecodeBudget
{
public:
    // Bytes held until the lease is destroyed.
    class Lease
    {
    public:
        Lease() = default;
        Lease(Lease &&other) noexcept;
        Lease &operator=(Lease &&other) noexcept;
        ~Lease();
        qint64 bytes() const { return m_bytes; }

    private:
        friend class DecodeBudget;
        Lease(DecodeBudget *budget, qint64 bytes) : m_budget(budget), m_bytes(bytes) { }
        DecodeBudget *m_budget = nullptr;
        qint64 m_bytes = 0;
    };

    explicit DecodeBudget(qint64 bytes);
    DecodeBudget(const DecodeBudget &) = delete;
    DecodeBudget &operator=(const DecodeBudget &) = delete;

    // The process's budget, of kDecodeBudgetMegabytes.
    static DecodeBudget &shared();

    qint64 total() const { return m_total; }
    // Waits until `bytes` fit beside what is held, or nothing is held. A holder must not ask
    // again before its lease ends.
    Lease acquire(qint64 bytes);
    qint64 held() const;

private:
    void release(qint64 bytes);

    const qint64 m_total;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    qint64 m_held = 0;
    quint64 m_nextTicket = 0;
    quint64 m_serving = 0;
};

} // namespace engine

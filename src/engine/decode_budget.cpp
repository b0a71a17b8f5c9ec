// SPDX-License-Identifier: GPL-3.0-or-later
#include "decode_budget.h"

#include "working_set.h"

#include <algorithm>
#include <utility>

namespace engine {

DecodeBudget::Lease::Lease(Lease &&other) noexcept
    : m_budget(std::exchange(other.m_budget, nullptr)), m_bytes(std::exchange(other.m_bytes, 0))
{ }

DecodeBudget::Lease &DecodeBudget::Lease::operator=(Lease &&other) noexcept
{
    if (this != &other) {
        if (m_budget)
            m_budget->release(m_bytes);
        m_budget = std::exchange(other.m_budget, nullptr);
        m_bytes = std::exchange(other.m_bytes, 0);
    }
    return *this;
}

DecodeBudget::Lease::~Lease()
{
    if (m_budget)
        m_budget->release(m_bytes);
}

DecodeBudget::DecodeBudget(qint64 bytes) : m_total(bytes) { }

DecodeBudget &DecodeBudget::shared()
{
    static DecodeBudget budget(qint64(kDecodeBudgetMegabytes) * kMega);
    return budget;
}

DecodeBudget::Lease DecodeBudget::acquire(qint64 bytes)
{
    bytes = std::max<qint64>(bytes, 0);
    std::unique_lock lock(m_mutex);
    // First come, first served: a large decode is not overtaken for ever by small ones.
    const quint64 ticket = m_nextTicket++;
    m_changed.wait(
        lock, [&] { return ticket == m_serving && (m_held == 0 || m_held + bytes <= m_total); });
    m_held += bytes;
    ++m_serving;
    m_changed.notify_all();
    return Lease(this, bytes);
}

qint64 DecodeBudget::held() const
{
    std::lock_guard lock(m_mutex);
    return m_held;
}

void DecodeBudget::release(qint64 bytes)
{
    {
        std::lock_guard lock(m_mutex);
        m_held -= bytes;
    }
    m_changed.notify_all();
}

} // namespace engine

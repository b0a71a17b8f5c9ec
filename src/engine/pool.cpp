// SPDX-License-Identifier: GPL-3.0-or-later
#include "pool.h"

#include <pthread.h>

namespace engine {

WorkerPool::WorkerPool(int threads)
{
    const int count = std::max(threads, 1);
    m_threads.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        m_threads.emplace_back([this] { work(); });
        pthread_setname_np(m_threads.back().native_handle(), kThreadName);
    }
}

WorkerPool::~WorkerPool()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_jobs.clear();
    }
    m_wake.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
}

int WorkerPool::defaultThreads()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void WorkerPool::post(Job job)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void WorkerPool::clear()
{
    std::lock_guard lock(m_mutex);
    m_jobs.clear();
}

void WorkerPool::work()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            if (m_stopping)
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job();
    }
}

} // namespace engine

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fixed set of worker threads running queued jobs first in, first out. Destroying the pool
// drops the jobs not yet started and waits for the running ones, so no job outlives it.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace engine {

class WorkerPool
{
public:
    using Job = std::function<void()>;

    // One thread per core unless told otherwise; at least one.
    explicit WorkerPool(int threads = defaultThreads());
    ~WorkerPool();
    WorkerPool(const WorkerPool &) = delete;
    WorkerPool &operator=(const WorkerPool &) = delete;

    static int defaultThreads();
    int size() const { return int(m_threads.size()); }

    void post(Job job);
    // Drops the jobs not yet started; running ones finish.
    void clear();

    // The name every worker thread carries, so a leftover one can be told apart.
    static constexpr const char *kThreadName = "framolin-work";

private:
    void work();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};

} // namespace engine

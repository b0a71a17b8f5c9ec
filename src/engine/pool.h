// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way the program runs work in parallel: a fixed set of worker threads running queued
// jobs first in, first out. Destroying the pool drops the jobs not yet started and waits for
// the running ones, so no job outlives it. Nothing here ends the program: a thread that cannot
// be started leaves the pool smaller (with none, jobs run on the thread that posts them), and
// an exception escaping a job is swallowed by the worker, so jobs report their own failures.

#include <QString>

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

    // One thread per core unless told otherwise; fewer when the system refuses to start more.
    explicit WorkerPool(int threads = defaultThreads());
    ~WorkerPool();
    WorkerPool(const WorkerPool &) = delete;
    WorkerPool &operator=(const WorkerPool &) = delete;

    static int defaultThreads();
    // The threads that started; 0 when none could.
    int size() const { return int(m_threads.size()); }

    // Queues `job`; without any thread, runs it at once on this one.
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

// A job of runJobs: true when done, false with the reason.
using IndexedJob = std::function<bool(int index, QString *reason)>;

// Runs job(0) … job(count - 1) on up to `threads` workers and waits for them all. True when
// every job succeeded; otherwise false with the reason of the lowest failing index. A job that
// throws fails with a reason saying so.
bool runJobs(int count, int threads, const IndexedJob &job, QString *reason);

// The text of the C library's error number `error`, in the user's language, safe to call from
// any thread (std::strerror is not).
QString systemErrorText(int error);

} // namespace engine

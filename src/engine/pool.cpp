// SPDX-License-Identifier: GPL-3.0-or-later
#include "pool.h"

#include <QCoreApplication>

#include <cstring>
#include <exception>
#include <new>
#include <system_error>

#include <pthread.h>

namespace engine {

WorkerPool::WorkerPool(int threads)
{
    const int count = std::max(threads, 1);
    try {
        m_threads.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            m_threads.emplace_back([this] { work(); });
            pthread_setname_np(m_threads.back().native_handle(), kThreadName);
        }
    } catch (const std::system_error &) {
        // Out of threads (a process or cgroup limit): work with those that started.
    } catch (const std::bad_alloc &) { }
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
    if (m_threads.empty()) {
        try {
            job();
        } catch (...) { // NOLINT(bugprone-empty-catch): as a worker would, see work()
        }
        return;
    }
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
        // A job reports its own failures; one that throws must not take the process with it.
        try {
            job();
        } catch (...) { // NOLINT(bugprone-empty-catch)
        }
    }
}

bool runJobs(int count, int threads, const IndexedJob &job, QString *reason)
{
    if (count <= 0)
        return true;
    std::vector<QString> reasons(static_cast<std::size_t>(count));
    std::vector<char> failed(static_cast<std::size_t>(count), 0);
    std::mutex mutex;
    std::condition_variable finished;
    int left = count;
    {
        WorkerPool pool(std::min(threads, count));
        for (int i = 0; i < count; ++i) {
            pool.post([&, i] {
                const auto at = static_cast<std::size_t>(i);
                bool ok = false;
                try {
                    ok = job(i, &reasons[at]);
                } catch (const std::bad_alloc &) {
                    reasons[at] = QCoreApplication::translate("engine", "out of memory");
                } catch (const std::exception &error) {
                    reasons[at] = QString::fromLocal8Bit(error.what());
                } catch (...) {
                    reasons[at] = QCoreApplication::translate("engine", "unexpected error");
                }
                std::lock_guard lock(mutex);
                failed[at] = !ok;
                if (--left == 0)
                    finished.notify_all();
            });
        }
        std::unique_lock lock(mutex);
        finished.wait(lock, [&] { return left == 0; });
    }
    for (std::size_t i = 0; i < failed.size(); ++i) {
        if (failed[i]) {
            *reason = reasons[i];
            return false;
        }
    }
    return true;
}

QString systemErrorText(int error)
{
    char buffer[256] = {};
    // The GNU strerror_r: returns the text, which may or may not be in the buffer.
    return QString::fromLocal8Bit(::strerror_r(error, buffer, sizeof buffer));
}

} // namespace engine

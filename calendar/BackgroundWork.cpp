#include "BackgroundWork.h"

#include <atomic>
#include <utility>

namespace quillon {

BackgroundWork::BackgroundWork() : m_thread([this] { Run(); }) {}

BackgroundWork::~BackgroundWork()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void BackgroundWork::Post(std::function<void()> job)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_changed.notify_all();
}

void BackgroundWork::Wait()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
}

void BackgroundWork::WaitForFirst(std::size_t count)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this, count] { return m_done >= count; });
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
}

void BackgroundWork::ForEach(std::size_t count, const std::function<void(std::size_t)> &each)
{
    std::atomic<std::size_t> next{0};
    auto share = [&] {
        for (std::size_t k = next++; k < count; k = next++)
            each(k);
    };
    Post(share);
    std::exception_ptr failure;
    try {
        share();
    } catch (...) {
        failure = std::current_exception();
        next = count; // the other thread stops at its next item
    }
    Wait();
    if (failure)
        std::rethrow_exception(failure);
}

void BackgroundWork::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return; // stopping, and nothing left
        std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        lock.unlock();
        try {
            job();
        } catch (...) {
            lock.lock();
            if (!m_failure)
                m_failure = std::current_exception();
            lock.unlock();
        }
        lock.lock();
        m_busy = false;
        ++m_done;
        m_changed.notify_all();
    }
}

} // namespace quillon

#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace quillon {

// One other thread for the pure parts of drawing (finding a text's ring, measuring it),
// while this one goes on with what must stay on it (widgets, fonts, painting the window).
// Jobs run in the order posted. A job that throws stops nothing else; Wait throws its
// exception on this thread.
class BackgroundWork {
public:
    BackgroundWork();
    ~BackgroundWork(); // finishes what was posted
    BackgroundWork(const BackgroundWork &) = delete;
    BackgroundWork &operator=(const BackgroundWork &) = delete;

    void Post(std::function<void()> job);
    // Until everything posted so far is done.
    void Wait();
    // Until the first count jobs ever posted are done.
    void WaitForFirst(std::size_t count);
    // each(0) .. each(count - 1), shared between this thread and the other, in no set
    // order; returns when all are done.
    void ForEach(std::size_t count, const std::function<void(std::size_t)> &each);

private:
    void Run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_jobs;
    bool m_busy = false;
    std::size_t m_done = 0;
    bool m_stopping = false;
    std::exception_ptr m_failure;
    std::thread m_thread;
};

} // namespace quillon

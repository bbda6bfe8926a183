// How long the launcher keeps trying when the desktop is not ready to take the
// wallpaper yet (at login it races the desktop's own start): the delays grow from a
// first one and stop at a cap, and no try is planned past the end of the window
// that opens at the launcher's start. Plain arithmetic, so it is tested without
// processes or timers.
#pragma once

#include <cstdint>
#include <optional>

namespace quillon {

class DesktopWaitRule {
public:
    static constexpr std::int64_t kDefaultWindowMs = 120000;
    static constexpr std::int64_t kDefaultFirstDelayMs = 1000;
    static constexpr std::int64_t kMaxDelayMs = 30000;

    DesktopWaitRule(std::int64_t windowMs, std::int64_t firstDelayMs);

    // A run ended with the desktop not ready, elapsedMs after the launcher's start:
    // the delay before the next try, or nothing when the window is over.
    std::optional<std::int64_t> NextDelay(std::int64_t elapsedMs);
    // A run ended otherwise: a later wait starts again from the first delay.
    void Reset() { m_tries = 0; }
    // Tries planned since the last reset.
    int Tries() const { return m_tries; }
    std::int64_t WindowMs() const { return m_windowMs; }

private:
    std::int64_t m_windowMs;
    std::int64_t m_firstDelayMs;
    int m_tries = 0;
};

} // namespace quillon

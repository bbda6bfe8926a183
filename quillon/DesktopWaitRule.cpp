#include "DesktopWaitRule.h"

#include <algorithm>

namespace quillon {

DesktopWaitRule::DesktopWaitRule(std::int64_t windowMs, std::int64_t firstDelayMs)
    : m_windowMs(std::max<std::int64_t>(windowMs, 0)), m_firstDelayMs(std::max<std::int64_t>(firstDelayMs, 1))
{
}

std::optional<std::int64_t> DesktopWaitRule::NextDelay(std::int64_t elapsedMs)
{
    elapsedMs = std::max<std::int64_t>(elapsedMs, 0);
    if (elapsedMs >= m_windowMs)
        return std::nullopt;
    // Doubling, capped: a short cap keeps a desktop that comes late from waiting long.
    std::int64_t delay = m_firstDelayMs;
    for (int i = 0; i < m_tries && delay < kMaxDelayMs; ++i)
        delay *= 2;
    delay = std::min(delay, std::max(kMaxDelayMs, m_firstDelayMs));
    // The last try falls on the end of the window, not after it.
    delay = std::min(delay, m_windowMs - elapsedMs);
    ++m_tries;
    return delay;
}

} // namespace quillon

#include "LauncherClock.h"

#include "platform/basPlatform.h"

#include <cstdlib>

namespace quillon {

SystemLauncherClock::SystemLauncherClock() { m_elapsed.start(); }

QDateTime SystemLauncherClock::Now() const { return basPlatform::Now(); }

std::int64_t SystemLauncherClock::MonotonicMs() const { return m_elapsed.elapsed(); }

void ClockJumpWatch::Reset(const LauncherClock &clock)
{
    m_wall = clock.Now();
    m_monotonic = clock.MonotonicMs();
}

bool ClockJumpWatch::Jumped(const LauncherClock &clock)
{
    const QDateTime wall = clock.Now();
    const std::int64_t monotonic = clock.MonotonicMs();
    bool jumped = false;
    if (m_wall.isValid()) {
        const std::int64_t wallDelta = m_wall.msecsTo(wall);
        const std::int64_t awakeDelta = monotonic - m_monotonic;
        jumped = std::llabs(wallDelta - awakeDelta) > kToleranceMs;
    }
    m_wall = wall;
    m_monotonic = monotonic;
    return jumped;
}

} // namespace quillon

// The launcher's clocks: the wall clock that says which day it is, and a monotonic
// one that keeps counting the time the machine was awake. Injected so tests can move
// either on its own (a clock set forward, a machine that slept).
#pragma once

#include <QDateTime>
#include <QElapsedTimer>

#include <cstdint>

namespace quillon {

class LauncherClock {
public:
    virtual ~LauncherClock() = default;
    virtual QDateTime Now() const = 0;
    // Milliseconds of awake time since some fixed point; never goes back.
    virtual std::int64_t MonotonicMs() const = 0;
    QDate Today() const { return Now().date(); }
};

// basPlatform's clock (QUILLON_NOW fixes it) and the process's elapsed timer.
class SystemLauncherClock : public LauncherClock {
public:
    SystemLauncherClock();
    QDateTime Now() const override;
    std::int64_t MonotonicMs() const override;

private:
    QElapsedTimer m_elapsed;
};

// Notices when the wall clock moved apart from the monotonic one between two looks:
// the clock was set, or the machine slept (the monotonic clock stands still then).
class ClockJumpWatch {
public:
    static constexpr std::int64_t kToleranceMs = 90 * 1000;

    // Takes the first reading.
    void Reset(const LauncherClock &clock);
    // True when wall time and awake time drifted apart by more than the tolerance
    // since the previous look. Every look becomes the new reference.
    bool Jumped(const LauncherClock &clock);

private:
    QDateTime m_wall;
    std::int64_t m_monotonic = 0;
};

} // namespace quillon

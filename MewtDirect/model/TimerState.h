#pragma once

#include "platform/Clock.h"

#include <QtGlobal>
#include <optional>
#include <variant>

namespace mewt {

// No timer runs longer than this. It keeps date arithmetic far from overflow, and a stored timer
// that claims more was not written by us.
inline constexpr double maximumTimerSeconds = 30.0 * 24.0 * 3600.0;
// The running total saturates here instead of overflowing.
inline constexpr qint64 maximumTotalDurationSeconds = 2'147'483'647;

// What the timer is doing: counting down to an end date, holding a remainder, or nothing.
class TimerState {
public:
    struct Running {
        Date endDate;
        bool operator==(const Running&) const = default;
    };
    struct Paused {
        double remainingSeconds = 0.0;
        bool operator==(const Paused&) const = default;
    };
    struct Idle {
        bool operator==(const Idle&) const = default;
    };
    enum class Kind { idle, running, paused };

    TimerState() = default;
    static TimerState idle() { return TimerState(Idle {}); }
    static TimerState running(Date endDate) { return TimerState(Running { endDate }); }
    static TimerState paused(double remainingSeconds) { return TimerState(Paused { remainingSeconds }); }

    Kind kind() const { return static_cast<Kind>(value.index()); }
    bool isIdle() const { return kind() == Kind::idle; }
    bool isRunning() const { return kind() == Kind::running; }
    bool isPaused() const { return kind() == Kind::paused; }

    // The end date while running, the remainder while paused; none otherwise.
    std::optional<Date> endDate() const;
    std::optional<double> pausedRemainingSeconds() const;

    // Running: seconds from `at` to the end, never below 0. Paused: the remainder. Idle: 0.
    double remainingSeconds(Date at) const;

    bool operator==(const TimerState&) const = default;

private:
    // The alternatives follow the order of Kind.
    using Value = std::variant<Idle, Running, Paused>;
    explicit TimerState(Value v)
        : value(v)
    {
    }
    Value value;
};

} // namespace mewt

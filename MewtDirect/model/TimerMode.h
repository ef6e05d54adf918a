#pragma once

#include <QString>
#include <array>
#include <optional>

namespace mewt {

// What a pull or a start without pulling begins: one countdown, or a pomodoro plan.
enum class TimerMode { timer, pomodoro };

inline constexpr std::array allTimerModes = { TimerMode::timer, TimerMode::pomodoro };

// "timer" or "pomodoro": what is stored, and the name the mode pickers show.
inline QString rawValue(TimerMode mode)
{
    return mode == TimerMode::pomodoro ? QStringLiteral("pomodoro") : QStringLiteral("timer");
}

inline std::optional<TimerMode> timerModeFromRawValue(const QString& raw)
{
    for (const TimerMode mode : allTimerModes) {
        if (rawValue(mode) == raw)
            return mode;
    }
    return std::nullopt;
}

} // namespace mewt

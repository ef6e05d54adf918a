#pragma once

#include <QString>
#include <array>
#include <optional>

namespace mewt {

// The kind of stretch a pomodoro plan is in.
enum class PomodoroPhase { focus, shortBreak, longBreak };

inline constexpr std::array allPomodoroPhases
    = { PomodoroPhase::focus, PomodoroPhase::shortBreak, PomodoroPhase::longBreak };

inline bool isBreak(PomodoroPhase phase)
{
    return phase != PomodoroPhase::focus;
}

// "focus", "shortBreak" or "longBreak": what is stored and what the yarn keys are built from.
inline QString rawValue(PomodoroPhase phase)
{
    switch (phase) {
    case PomodoroPhase::focus: return QStringLiteral("focus");
    case PomodoroPhase::shortBreak: return QStringLiteral("shortBreak");
    case PomodoroPhase::longBreak: return QStringLiteral("longBreak");
    }
    return QStringLiteral("focus");
}

inline std::optional<PomodoroPhase> pomodoroPhaseFromRawValue(const QString& raw)
{
    for (const PomodoroPhase phase : allPomodoroPhases) {
        if (rawValue(phase) == raw)
            return phase;
    }
    return std::nullopt;
}

} // namespace mewt

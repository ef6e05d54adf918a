#pragma once

#include <QString>
#include <array>

namespace mewt {

// Which pomodoro setting a duration pull or a typed value changes: one of the three lengths in
// minutes, or the number of focus blocks before a long break. (`break` is a C++ keyword, hence the
// underscore; the raw value is "break".) Enumerations hash out of the box, so it can key a map.
enum class PomodoroDurationKind { focus, break_, longBreak, longBreakInterval };

inline constexpr std::array allPomodoroDurationKinds = { PomodoroDurationKind::focus, PomodoroDurationKind::break_,
    PomodoroDurationKind::longBreak, PomodoroDurationKind::longBreakInterval };

// "focus", "break", "longBreak", "longBreakInterval".
inline QString rawValue(PomodoroDurationKind kind)
{
    switch (kind) {
    case PomodoroDurationKind::focus: return QStringLiteral("focus");
    case PomodoroDurationKind::break_: return QStringLiteral("break");
    case PomodoroDurationKind::longBreak: return QStringLiteral("longBreak");
    case PomodoroDurationKind::longBreakInterval: return QStringLiteral("longBreakInterval");
    }
    return {};
}

// Minutes for the three lengths; focus blocks for the interval.
inline bool measuresMinutes(PomodoroDurationKind kind)
{
    return kind != PomodoroDurationKind::longBreakInterval;
}

} // namespace mewt

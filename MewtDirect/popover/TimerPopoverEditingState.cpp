#include "popover/TimerPopoverEditingState.h"

#include "popover/ClockTimeText.h"

#include <algorithm>

namespace mewt {

namespace {
constexpr qint64 minimumMinutes = 1;
constexpr qint64 maximumMinutes = 180;
constexpr qint64 minimumInterval = 2;
constexpr qint64 maximumInterval = 8;
} // namespace

qint64 savedDurationValue(PomodoroDurationKind kind, const PomodoroConfiguration& configuration)
{
    switch (kind) {
    case PomodoroDurationKind::focus: return configuration.focusSeconds / 60;
    case PomodoroDurationKind::break_: return configuration.shortBreakSeconds / 60;
    case PomodoroDurationKind::longBreak: return configuration.longBreakSeconds / 60;
    case PomodoroDurationKind::longBreakInterval: return configuration.blocksBeforeLongBreak;
    }
    return 0;
}

qint64 committedDurationValue(PomodoroDurationKind kind, const QString& draft, qint64 saved)
{
    const QString trimmed = draft.trimmed();
    const qint64 value = trimmed.isEmpty() ? saved : parseWholeNumber(trimmed).value_or(saved);
    return measuresMinutes(kind) ? std::clamp(value, minimumMinutes, maximumMinutes)
                                 : std::clamp(value, minimumInterval, maximumInterval);
}

PomodoroConfiguration configurationWith(PomodoroConfiguration configuration, PomodoroDurationKind kind, qint64 value)
{
    // The value is already held to its range, so it narrows safely.
    const int narrow = static_cast<int>(value);
    switch (kind) {
    case PomodoroDurationKind::focus: configuration.focusSeconds = narrow * 60; break;
    case PomodoroDurationKind::break_: configuration.shortBreakSeconds = narrow * 60; break;
    case PomodoroDurationKind::longBreak: configuration.longBreakSeconds = narrow * 60; break;
    case PomodoroDurationKind::longBreakInterval: configuration.blocksBeforeLongBreak = narrow; break;
    }
    return configuration;
}

} // namespace mewt

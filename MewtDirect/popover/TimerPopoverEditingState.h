#pragma once

#include "model/PomodoroConfiguration.h"
#include "model/TimerMode.h"
#include "pull/PomodoroDurationKind.h"

#include <QRectF>
#include <QString>
#include <map>
#include <optional>

namespace mewt {

// The popover's inline edits: which field is open, what was typed, and where each field sits in the
// root view's coordinates. It lives as long as the root view and is never stored.
struct TimerPopoverEditingState {
    std::optional<PomodoroDurationKind> editingDurationKind;
    std::map<PomodoroDurationKind, QString> durationDrafts;
    std::map<PomodoroDurationKind, QRectF> durationControlFrames;
    bool clockNameEditing = false;
    bool clockNameHasFocused = false;
    bool clockNameUsesLocalFocus = false;
    bool clockTimeEditing = false;
    bool clockTimeHasFocused = false;
    bool clockTimeUsesLocalFocus = false;
    QString clockTimeDraft;
    std::optional<TimerMode> clockTimeEditingMode;
    std::optional<QRectF> clockNameFrame;
    std::optional<QRectF> clockTimeFrame;
    bool clockNameFocused = false;
    bool clockTimeFocused = false;

    // Some field is open, so a tap anywhere in the popover is judged against its frame.
    bool hasOpenField() const { return editingDurationKind || clockNameEditing || clockTimeEditing; }
};

// The value a duration shows when nothing is typed: whole minutes of a length, or the block count.
qint64 savedDurationValue(PomodoroDurationKind kind, const PomodoroConfiguration& configuration);
// The value a typed duration commits: the whole trimmed text as a number held to the kind's range,
// or `saved` when the text is empty or not a whole number.
qint64 committedDurationValue(PomodoroDurationKind kind, const QString& draft, qint64 saved);
// The configuration with one duration set to a committed value.
PomodoroConfiguration configurationWith(PomodoroConfiguration configuration, PomodoroDurationKind kind, qint64 value);

} // namespace mewt

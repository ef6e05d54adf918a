#pragma once

#include "platform/Clock.h"
#include "model/PomodoroPlan.h"

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>

namespace mewt {

// What is about to end, or has ended. (`break` is a C++ keyword, hence the underscore.)
enum class EndingCueKind { timer, focus, break_ };

// What the cue shows: whole seconds left before the end (0 or more), or seconds since it (negative).
struct EndingCue {
    EndingCueKind kind = EndingCueKind::timer;
    qint64 remainingSeconds = 60;

    bool operator==(const EndingCue&) const = default;
};

// The ended phase whose overdue reminders run.
struct PomodoroOverdueCueContext {
    EndingCueKind kind = EndingCueKind::focus;
    Date phaseEndedAt;

    bool operator==(const PomodoroOverdueCueContext&) const = default;
};

// The content is this tall; the panel adds this margin on every side for the shadow.
inline constexpr double endingCueContentHeight = 30;
inline constexpr double endingCuePanelMargin = 6;

// `timer` without a plan; otherwise the kind of the plan's phase.
EndingCueKind endingCueKind(const std::optional<PomodoroPlan>& plan);

// A plan that waits between phases and knows when the last one ended: that phase's kind (the
// plan already names the phase to come) and its end.
std::optional<PomodoroOverdueCueContext> overdueCueContext(const std::optional<PomodoroPlan>& plan);

// "focus ending in", "focus ended", ... in the interface language.
QString endingCueTitle(EndingCueKind kind, qint64 remainingSeconds);
// The distance from the end as "m:ss", or "h:mm:ss" from an hour.
QString endingCueTimeText(qint64 remainingSeconds);

// The cue's fonts: the desktop's font at 10 px, semibold. The time's digits each take the width
// of the widest digit, as the rolling text lays them out.
QFont endingCueFont();
double endingCueTitleWidth(const QString& title);
double endingCueTimeTextWidth(const QString& timeText);
// At least 104 wide, else the title, the time and 52 of padding, rounded up; always 30 tall.
QSizeF endingCueContentSize(EndingCueKind kind, qint64 remainingSeconds);

// The panel's top-left corner: 12 right of and 12 below the pointer, kept 8 inside the frame of
// the first screen that holds the pointer (the first screen when none does). A panel too large for
// the screen keeps to its right and top limits. None without any screen.
std::optional<QPointF> endingCuePanelOrigin(QPointF pointer, const QList<QRectF>& screenFrames, QSizeF panelSize);

// Which of the overdue reminders, counted from 1, is due `elapsedSeconds` after the phase ended;
// 0 before the first.
qint64 overdueAlertIndex(qint64 elapsedSeconds, int intervalMinutes);
// When the reminder after `lastIndex` is due.
Date nextOverdueAlertDate(Date phaseEndedAt, qint64 lastIndex, int intervalMinutes);

// Whole seconds from `now` to `deadline`, rounded up (negative once past).
qint64 secondsUntil(Date deadline, Date now);

} // namespace mewt

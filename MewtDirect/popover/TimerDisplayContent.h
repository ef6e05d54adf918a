#pragma once

#include "model/PomodoroPlan.h"
#include "model/PomodoroYarnProgress.h"
#include "model/TimerMode.h"
#include "model/TimerState.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

namespace mewt {

// The rules the popover's displays are drawn from: which content shows, and every text and progress
// derived from the stores at the date a display is drawn for. Pure, so they are tested without
// widgets.

// The four kinds of content, told apart by the idle mode too, because a mode switch while idle
// slides the other idle layout in.
enum class DisplayContent { idleTimer, idlePomodoro, timerActive, pomodoroRunning, pomodoroWaiting };

DisplayContent displayContentFor(const std::optional<PomodoroPlan>& plan, const TimerState& state, TimerMode mode);
// "idle-timer", "timer-active", "pomodoro-waiting" ...
QString displayContentID(DisplayContent content);

// The remaining time in the clock style, whatever the top bar shows: "1:30", "1:00:00".
QString remainingText(const TimerState& state, Date date);
// "ends 14:05", "resume when ready" or "no timer running"; the end time in `locale`'s short style.
QString statusLine(const TimerState& state, const QLocale& locale);
// A single focus segment of the timer's total, wound by what has run.
PomodoroYarnProgress timerYarnProgress(const TimerState& state, qint64 totalDurationSeconds, Date date);

// "focus", "short break", "long break".
QString phaseDisplayName(PomodoroPhase phase);
// "start focus" or "start break".
QString phaseStartLabel(PomodoroPhase phase);
// "focus 2 of 4", "focus 3 · continuous", "taking a break".
QString pomodoroPhaseTitle(const PomodoroPlan& plan);
// The plan's yarn at `date`: the store's schedule, or the plan's own when the store has none.
PomodoroYarnProgress pomodoroYarnProgress(const PomodoroPlan& plan,
    const std::optional<PomodoroYarnSchedule>& storeSchedule, const TimerState& state, Date date);
// "1-focus", "1-shortBreak": names the yarn segment of the current phase.
QString yarnRevealID(const PomodoroPlan& plan);
// The key a yarn segment is revealed by, in the same form.
QString segmentRevealKey(const PomodoroYarnSegment& segment);
// "start break" or "start focus" while another focus block follows the phase; none otherwise.
std::optional<QString> nextPhaseLabel(const PomodoroPlan& plan);
// A waiting plan: "−1:30" since its last phase ended, or the next phase's length when that end is
// unknown.
QString waitingTimeText(const PomodoroPlan& plan, Date date);
// "drag paw to extend current block" with a plan, "drag paw to extend" without.
QString extendHint(bool hasPlan);

// The start control's texts and the idle display's named start action, by mode.
struct StartControlTexts {
    QString accessibleName;
    QString accessibleValue;
    QString accessibleHint;
    QString help;
};
StartControlTexts startControlTexts(TimerMode mode, bool continuous, int quickTimeMinutes, int focusMinutes);
QString idleStartActionName(TimerMode mode, bool continuous);

// A line under the divider of an instruction block: a glyph name and its text.
struct InstructionLine {
    QString glyph;
    QString text;
    bool operator==(const InstructionLine&) const = default;
};
std::vector<InstructionLine> idleInstructionLines(TimerMode mode, bool continuous);

// The accessible value of the yarn and the zen bar: "4m wound, 6m remaining".
QString yarnProgressValueText(const QString& word, const PomodoroYarnProgress& progress);

} // namespace mewt

namespace mewt {

// How long the popover's once-a-second redraw waits: to just past the next whole second of the
// running timer's remaining time, or of the waiting plan's overdue time, so the shown second turns
// over right after the real one.
int millisecondsToNextSecond(const TimerState& state, const std::optional<PomodoroPlan>& plan, Date now);

} // namespace mewt

#include "popover/TimerDisplayContent.h"

#include "model/ShortClockTime.h"
#include "model/TimeDisplayStyle.h"

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>

namespace mewt {

namespace {
const QString minusSign = QStringLiteral("\u2212");
const QString middleDot = QStringLiteral(" \u00b7 ");
const QString dragGlyph = QStringLiteral("hand-draw");
const QString clickGlyph = QStringLiteral("cursor-click");
} // namespace

DisplayContent displayContentFor(const std::optional<PomodoroPlan>& plan, const TimerState& state, TimerMode mode)
{
    if (plan)
        return plan->isPhaseRunning ? DisplayContent::pomodoroRunning : DisplayContent::pomodoroWaiting;
    if (state.isIdle())
        return mode == TimerMode::pomodoro ? DisplayContent::idlePomodoro : DisplayContent::idleTimer;
    return DisplayContent::timerActive;
}

QString displayContentID(DisplayContent content)
{
    switch (content) {
    case DisplayContent::idleTimer: return QStringLiteral("idle-timer");
    case DisplayContent::idlePomodoro: return QStringLiteral("idle-pomodoro");
    case DisplayContent::timerActive: return QStringLiteral("timer-active");
    case DisplayContent::pomodoroRunning: return QStringLiteral("pomodoro-running");
    case DisplayContent::pomodoroWaiting: return QStringLiteral("pomodoro-waiting");
    }
    return {};
}

QString remainingText(const TimerState& state, Date date)
{
    return format(state.remainingSeconds(date), TimeDisplayStyle::clock);
}

QString statusLine(const TimerState& state, const QLocale& locale)
{
    if (const std::optional<Date> end = state.endDate()) {
        const qint64 ms = std::chrono::duration_cast<std::chrono::milliseconds>(end->time_since_epoch()).count();
        const QTime time = QDateTime::fromMSecsSinceEpoch(ms).time();
        return QStringLiteral("ends ") + shortClockTime(time, locale);
    }
    return state.isPaused() ? QStringLiteral("resume when ready") : QStringLiteral("no timer running");
}

PomodoroYarnProgress timerYarnProgress(const TimerState& state, qint64 totalDurationSeconds, Date date)
{
    const double seconds = static_cast<double>(totalDurationSeconds);
    PomodoroYarnProgress progress;
    progress.schedule = PomodoroYarnSchedule({ { 1, PomodoroPhase::focus, seconds } }, std::max(seconds, 0.0));
    const double segment = progress.schedule.segments().front().seconds;
    progress.currentRemainingSeconds = std::clamp(state.remainingSeconds(date), 0.0, segment);
    return progress;
}

QString phaseDisplayName(PomodoroPhase phase)
{
    switch (phase) {
    case PomodoroPhase::focus: return QStringLiteral("focus");
    case PomodoroPhase::shortBreak: return QStringLiteral("short break");
    case PomodoroPhase::longBreak: return QStringLiteral("long break");
    }
    return {};
}

QString phaseStartLabel(PomodoroPhase phase)
{
    return phase == PomodoroPhase::focus ? QStringLiteral("start focus") : QStringLiteral("start break");
}

QString pomodoroPhaseTitle(const PomodoroPlan& plan)
{
    const int block = std::min(plan.completedBlocks + 1, plan.plannedBlockCount());
    if (isBreak(plan.phase))
        return plan.isContinuous ? QStringLiteral("taking a break") + middleDot + QStringLiteral("continuous")
                                 : QStringLiteral("taking a break");
    if (plan.isContinuous)
        return QStringLiteral("focus %1").arg(block) + middleDot + QStringLiteral("continuous");
    return QStringLiteral("focus %1 of %2").arg(block).arg(plan.plannedBlockCount());
}

PomodoroYarnProgress pomodoroYarnProgress(const PomodoroPlan& plan,
    const std::optional<PomodoroYarnSchedule>& storeSchedule, const TimerState& state, Date date)
{
    PomodoroYarnProgress progress;
    progress.schedule = storeSchedule ? *storeSchedule : plan.yarnSchedule();
    const double remaining
        = plan.isPhaseRunning ? state.remainingSeconds(date) : static_cast<double>(plan.phaseDurationSeconds);
    const auto& segments = progress.schedule.segments();
    const double first = segments.empty() ? 0.0 : segments.front().seconds;
    progress.currentRemainingSeconds = std::clamp(remaining, 0.0, first);
    return progress;
}

QString yarnRevealID(const PomodoroPlan& plan)
{
    const int block = plan.phase == PomodoroPhase::focus ? plan.completedBlocks + 1 : plan.completedBlocks;
    return QString::number(block) + QLatin1Char('-') + rawValue(plan.phase);
}

QString segmentRevealKey(const PomodoroYarnSegment& segment)
{
    return QString::number(segment.block) + QLatin1Char('-') + rawValue(segment.phase);
}

std::optional<QString> nextPhaseLabel(const PomodoroPlan& plan)
{
    if (!plan.hasFocusAfterCurrentPhase())
        return std::nullopt;
    return plan.phase == PomodoroPhase::focus ? QStringLiteral("start break") : QStringLiteral("start focus");
}

QString waitingTimeText(const PomodoroPlan& plan, Date date)
{
    if (const std::optional<qint64> overdue = plan.overdueSeconds(date))
        return minusSign + format(static_cast<double>(*overdue), TimeDisplayStyle::clock);
    return format(static_cast<double>(plan.phaseDurationSeconds), TimeDisplayStyle::clock);
}

QString extendHint(bool hasPlan)
{
    return hasPlan ? QStringLiteral("drag paw to extend current block") : QStringLiteral("drag paw to extend");
}

StartControlTexts startControlTexts(TimerMode mode, bool continuous, int quickTimeMinutes, int focusMinutes)
{
    StartControlTexts texts;
    if (mode == TimerMode::timer) {
        texts.accessibleName = QStringLiteral("start timer");
        texts.accessibleValue = QCoreApplication::translate("mewt", "%n minutes", nullptr, quickTimeMinutes);
        texts.accessibleHint = QCoreApplication::translate("mewt", "starts the quick timer without pulling");
        texts.help = QCoreApplication::translate("mewt", "start %1 minute timer").arg(quickTimeMinutes);
        return texts;
    }
    texts.accessibleName
        = continuous ? QStringLiteral("start continuous focus") : QStringLiteral("start one focus session");
    texts.accessibleValue = QCoreApplication::translate("mewt", "%n minutes", nullptr, focusMinutes);
    if (continuous) {
        texts.accessibleHint = QCoreApplication::translate("mewt", "starts a continuous pomodoro without pulling");
        texts.help = QCoreApplication::translate("mewt", "start continuous focus");
    } else {
        texts.accessibleHint
            = QCoreApplication::translate("mewt", "starts one configured focus session without pulling");
        texts.help = QCoreApplication::translate("mewt", "start one %1 minute focus session").arg(focusMinutes);
    }
    return texts;
}

QString idleStartActionName(TimerMode mode, bool continuous)
{
    return startControlTexts(mode, continuous, 0, 0).accessibleName;
}

std::vector<InstructionLine> idleInstructionLines(TimerMode mode, bool continuous)
{
    if (mode == TimerMode::timer)
        return { { dragGlyph, QCoreApplication::translate("mewt", "drag the top bar paw to start") } };
    const QString first = continuous
        ? QCoreApplication::translate("mewt", "drag the top bar paw to start continuous focus")
        : QCoreApplication::translate("mewt", "drag the top bar paw to choose focus sessions");
    return { { dragGlyph, first },
        { clickGlyph, QCoreApplication::translate("mewt", "click a duration to type \u00b7 drag to adjust") } };
}

QString yarnProgressValueText(const QString& word, const PomodoroYarnProgress& progress)
{
    return format(progress.elapsedSeconds(), TimeDisplayStyle::compact) + word
        + format(progress.remainingSeconds(), TimeDisplayStyle::compact) + QStringLiteral(" remaining");
}

} // namespace mewt

namespace mewt {

namespace {
// Past the boundary, so the rounded-up second has surely turned.
constexpr int tickSlackMs = 5;
constexpr qint64 msPerSecond = 1000;
} // namespace

int millisecondsToNextSecond(const TimerState& state, const std::optional<PomodoroPlan>& plan, Date now)
{
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    qint64 intoSecond = 0;
    if (const std::optional<Date> end = state.endDate()) {
        const qint64 left = duration_cast<milliseconds>(*end - now).count();
        intoSecond = left > 0 ? (msPerSecond - left % msPerSecond) % msPerSecond : 0;
    } else if (plan && plan->phaseEndedAt) {
        const qint64 since = duration_cast<milliseconds>(now - *plan->phaseEndedAt).count();
        intoSecond = since > 0 ? since % msPerSecond : 0;
    }
    return static_cast<int>(msPerSecond - intoSecond + tickSlackMs);
}

} // namespace mewt

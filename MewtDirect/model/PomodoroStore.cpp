#include "model/PomodoroStore.h"

#include "model/PomodoroSettingsStore.h"
#include "platform/UserDefaults.h"

#include <QtDebug>
#include <algorithm>

namespace mewt {

PomodoroStore::PomodoroStore(UserDefaults& defaults, const Clock& clock, TimerStore& timer,
    const PomodoroSettingsStore& settings, QObject* parent)
    : QObject(parent)
    , defaults(defaults)
    , clock(clock)
    , timer(timer)
    , settings(settings)
{
    restore();
}

void PomodoroStore::restore()
{
    if (!defaults.contains(planKey))
        return;
    bool adjusted = false;
    const std::optional<QByteArray> data = defaults.dataValue(planKey);
    const std::optional<PomodoroPlan> restored
        = data ? PomodoroPlan::decoded(*data, settings.configuration(), &adjusted) : std::nullopt;
    if (!restored) {
        qWarning("mewt: the stored pomodoro plan could not be read; it is dropped");
        defaults.remove(planKey);
        return;
    }
    currentPlan = restored;
    schedule = restored->yarnSchedule();
    if (adjusted)
        store();
}

template <typename Call> void PomodoroStore::withTimer(Call&& call)
{
    const bool outer = drivingTimer;
    drivingTimer = true;
    call();
    drivingTimer = outer;
}

void PomodoroStore::commitSessions(qint64 count, Date date)
{
    if (!currentPlan) {
        if (count < 1)
            return;
        startPhase(PomodoroPlan::starting(count, settings.configuration(), settings.isContinuousModeEnabled()), date);
        return;
    }
    if (!currentPlan->isPhaseRunning) {
        startCurrentPhase(date);
        return;
    }
    if (count < 1)
        return;
    const qint64 sessions = std::min(count, PomodoroPlan::maximumSessionsPerCommit);
    const PomodoroPlan extended = currentPlan->extendedBy(sessions * currentPlan->configuration.focusSeconds);
    const qint64 added = extended.phaseDurationSeconds - currentPlan->phaseDurationSeconds;
    if (added < 1)
        return;
    setPlan(extended);
    withTimer([&] { timer.addTime(added, date); });
}

void PomodoroStore::startCurrentPhase(Date at)
{
    if (!currentPlan || currentPlan->isPhaseRunning)
        return;
    startPhase(currentPlan->applyingConfiguration(settings.configuration()), at);
}

void PomodoroStore::skipPhase(Date date)
{
    if (!currentPlan)
        return;
    if (!currentPlan->isPhaseRunning) {
        startCurrentPhase(date);
        return;
    }
    const std::optional<PomodoroPlan> next
        = currentPlan->applyingConfiguration(settings.configuration()).afterPhaseEnds(date);
    // The timer stops first: should the app die before the plan is stored, the restored plan
    // still holds the skipped phase and simply moves past it.
    withTimer([&] { timer.cancel(date); });
    if (!next) {
        setPlan(std::nullopt);
        return;
    }
    startPhase(*next, date);
}

void PomodoroStore::endPlan()
{
    setPlan(std::nullopt);
    if (defaults.contains(planKey))
        defaults.remove(planKey);
    withTimer([&] { timer.cancel(clock.now()); });
}

void PomodoroStore::timerStateDidChange(
    const TimerState& previous, const TimerState& current, TimerStateChangeReason reason)
{
    if (drivingTimer || !currentPlan || !currentPlan->isPhaseRunning)
        return;
    if (!current.isIdle() || previous.isIdle())
        return;
    if (reason != TimerStateChangeReason::completed) {
        // Stopped from elsewhere: the phase is gone, and a plan without its timer would sit at 0:00.
        setPlan(std::nullopt);
        return;
    }

    const Date now = timer.currentDate();
    // The phase ended when the timer said, however late that was noticed (after a sleep, say).
    const Date endedAt = previous.endDate().value_or(now);
    std::optional<PomodoroPlan> next
        = currentPlan->applyingConfiguration(settings.configuration()).afterPhaseEnds(endedAt);
    if (!next) {
        setPlan(std::nullopt);
        return;
    }
    const bool autostarts
        = next->phase == PomodoroPhase::focus ? settings.autoStartsNextFocus() : settings.autoStartsNextBreak();
    if (autostarts)
        startPhase(*next, now);
    else
        setPlan(next);
}

void PomodoroStore::configurationDidChange(const PomodoroConfiguration& configuration)
{
    if (!currentPlan || !currentPlan->isContinuous)
        return;
    // A running phase keeps the yarn it started with, so the drawing's scale stays put.
    setPlan(currentPlan->applyingConfiguration(configuration),
        currentPlan->isPhaseRunning ? ScheduleUpdate::keep : ScheduleUpdate::layOut);
}

void PomodoroStore::reconcileWithTimer()
{
    if (!currentPlan)
        return;
    if (settings.mode() != TimerMode::pomodoro) {
        // The mode cannot change while a plan exists, so this plan was left behind.
        setPlan(std::nullopt);
        return;
    }
    if (currentPlan->isPhaseRunning) {
        if (!timer.state().isIdle())
            return;
        // The phase ran out while the app was not running: at the end the stored timer gave, which
        // the overdue time counts from. Without one, when is unknown and nothing is counted.
        setPlan(currentPlan->afterPhaseEnds(timer.endedBeforeLaunch()));
        return;
    }
    if (!timer.state().isIdle()) {
        // A timer runs while the plan waits: the phase it waited for has begun.
        PomodoroPlan adopted = *currentPlan;
        adopted.isPhaseRunning = true;
        adopted.phaseEndedAt.reset();
        setPlan(adopted);
    }
}

void PomodoroStore::removeStoredPlanAtQuit()
{
    setPlan(std::nullopt);
    if (defaults.contains(planKey))
        defaults.remove(planKey);
}

void PomodoroStore::startPhase(PomodoroPlan next, Date date)
{
    next.isPhaseRunning = true;
    next.phaseEndedAt.reset();
    setPlan(next);
    withTimer([&] {
        // A phase always starts from nothing, never on top of time left from something else.
        if (!timer.state().isIdle())
            timer.cancel(date);
        timer.addTime(next.phaseDurationSeconds, date);
    });
}

void PomodoroStore::setPlan(const std::optional<PomodoroPlan>& next, ScheduleUpdate update)
{
    std::optional<PomodoroYarnSchedule> nextSchedule = schedule;
    if (update == ScheduleUpdate::layOut || !next)
        nextSchedule = next ? std::optional(next->yarnSchedule()) : std::nullopt;
    const bool planDiffers = next != currentPlan;
    const bool scheduleDiffers = nextSchedule != schedule;
    currentPlan = next;
    schedule = std::move(nextSchedule);
    if (planDiffers)
        store();
    if (planDiffers)
        Q_EMIT planChanged();
    if (scheduleDiffers)
        Q_EMIT yarnScheduleChanged();
}

void PomodoroStore::store()
{
    if (currentPlan)
        defaults.setData(planKey, currentPlan->encoded());
    else
        defaults.remove(planKey);
}

} // namespace mewt

#pragma once

#include "platform/Clock.h"
#include "model/PomodoroPlan.h"
#include "model/PomodoroYarnSchedule.h"
#include "model/TimerStore.h"

#include <QObject>
#include <optional>

namespace mewt {

class PomodoroSettingsStore;
class UserDefaults;

// Runs a pomodoro plan on the timer: starts, extends, skips and ends phases, moves on when the
// timer completes one, and keeps the plan stored so that it survives a restart.
//
// The store never sets the timer's state-change callback; its owner forwards every change to
// timerStateDidChange. Changes the store causes itself through the timer are ignored there.
class PomodoroStore final : public QObject {
    Q_OBJECT

public:
    static inline const QString planKey = QStringLiteral("pomodoroPlan");

    // Restores the stored plan; one that cannot be trusted is dropped and a repaired one written
    // back. The timer and settings must outlive the store.
    PomodoroStore(UserDefaults& defaults, const Clock& clock, TimerStore& timer, const PomodoroSettingsStore& settings,
        QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(PomodoroStore)

    const std::optional<PomodoroPlan>& plan() const { return currentPlan; }
    // Laid out when a phase starts, ends or is extended, and otherwise left alone so that its total
    // stays fixed while the phase runs.
    const std::optional<PomodoroYarnSchedule>& yarnSchedule() const { return schedule; }
    TimerStore& timerStore() const { return timer; }

    // Without a plan, starts one of `count` focus blocks (a single block when continuous mode is
    // on); a running phase is extended by `count` focus lengths; a waiting plan starts its phase.
    // A count below 1 does nothing unless the plan waits.
    void commitSessions(qint64 count, Date date);
    // Starts the phase a plan waits for, with the configuration of the settings applied first
    // (a continuous plan takes it). Does nothing without a plan or while a phase runs.
    void startCurrentPhase(Date at);
    // Ends the running phase now, crediting it in full, and starts the next phase whatever the
    // autostart settings say; the plan ends when that was its last focus block. A waiting plan
    // starts its phase.
    void skipPhase(Date date);
    // Forgets the plan and its stored copy, then cancels the timer.
    void endPlan();

    // The owner passes on every change of the timer's state. Only a completion of the running
    // phase moves the plan on; a timer stopped from elsewhere while a phase runs ends the plan.
    void timerStateDidChange(const TimerState& previous, const TimerState& current, TimerStateChangeReason reason);
    // The owner passes on every call of the settings' onConfigurationChange: a continuous plan
    // takes the new lengths from its next phase on.
    void configurationDidChange(const PomodoroConfiguration& configuration);
    // Called once at start, after the timer has restored its snapshot: makes the plan agree with
    // the timer (see the design notes for the rules).
    void reconcileWithTimer();
    // For an orderly quit: forgets the plan and removes its stored copy without touching the timer.
    void removeStoredPlanAtQuit();

Q_SIGNALS:
    void planChanged();
    void yarnScheduleChanged();

private:
    enum class ScheduleUpdate { layOut, keep };

    void restore();
    void setPlan(const std::optional<PomodoroPlan>& next, ScheduleUpdate update = ScheduleUpdate::layOut);
    void store();
    // `next` as the running phase, started on the timer at `date`.
    void startPhase(PomodoroPlan next, Date date);
    // Calls into the timer with its callbacks to this store ignored.
    template <typename Call> void withTimer(Call&& call);

    UserDefaults& defaults;
    const Clock& clock;
    TimerStore& timer;
    const PomodoroSettingsStore& settings;

    std::optional<PomodoroPlan> currentPlan;
    std::optional<PomodoroYarnSchedule> schedule;
    bool drivingTimer = false;
};

} // namespace mewt

#include "platform/IniUserDefaults.h"
#include "platform/MemoryUserDefaults.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "TimerPrinting.h"
#include "model/TimerStore.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

const Date t0 = Date(1'800'000'000s);
using Phase = PomodoroPhase;

// One launch of the app, wired the way the shell wires it: every change of the timer and every
// configuration the settings report is passed on to the pomodoro store.
struct AppModel {
    AppModel(UserDefaults& defaults, const Clock& clock)
        : settings(defaults)
        , timer(defaults, clock, nullptr)
        , pomodoro(defaults, clock, timer, settings)
    {
        timer.onStateChange
            = [this](const TimerState& previous, const TimerState& current, TimerStateChangeReason reason) {
                  reasons.push_back(reason);
                  pomodoro.timerStateDidChange(previous, current, reason);
              };
        settings.onConfigurationChange
            = [this](const PomodoroConfiguration& configuration) { pomodoro.configurationDidChange(configuration); };
        pomodoro.reconcileWithTimer();
    }
    PomodoroSettingsStore settings;
    TimerStore timer;
    PomodoroStore pomodoro;
    std::vector<TimerStateChangeReason> reasons;
};

class PomodoroStoreTest : public testing::Test {
protected:
    PomodoroStoreTest() { defaults.seed(PomodoroSettingsStore::modeKey, QStringLiteral("pomodoro")); }

    // Starts (or restarts) the app over the same stored values.
    void launch(bool autoFocus = false, bool autoBreak = true, bool continuous = false)
    {
        defaults.seed(PomodoroSettingsStore::autoStartsNextFocusKey, autoFocus);
        defaults.seed(PomodoroSettingsStore::autoStartsNextBreakKey, autoBreak);
        defaults.seed(PomodoroSettingsStore::continuousModeKey, continuous);
        model.reset();
        model = std::make_unique<AppModel>(defaults, clock);
    }
    void seed(const PomodoroPlan& plan, TimerState timerState)
    {
        defaults.seed(PomodoroStore::planKey, plan.encoded());
        defaults.seed(timerSnapshotKey, *encodeTimerSnapshot(TimerSnapshot { timerState, {}, {}, 0 }));
    }
    PomodoroStore& pomodoro() { return model->pomodoro; }
    TimerStore& timer() { return model->timer; }
    const std::optional<PomodoroPlan>& plan() { return model->pomodoro.plan(); }
    std::optional<PomodoroPlan> stored() const
    {
        const auto data = defaults.dataValue(PomodoroStore::planKey);
        return data ? PomodoroPlan::decoded(*data, PomodoroConfiguration {}) : std::nullopt;
    }

    // Lets the clock reach the end of the running timer, `late` after it, and the ticker notice.
    void runOut(std::chrono::seconds late = 0s)
    {
        clock.set(*timer().state().endDate() + late);
        timer().tick();
    }

    // The plan is in `phase`, running or waiting, stored as it is, and the timer is in `timerState`.
    void expectPlan(Phase phase, bool running, const TimerState& timerState)
    {
        ASSERT_TRUE(plan());
        EXPECT_EQ(plan()->phase, phase);
        EXPECT_EQ(plan()->isPhaseRunning, running);
        EXPECT_EQ(timer().state(), timerState);
        EXPECT_EQ(stored(), plan());
    }
    void expectNoPlan(bool timerRuns)
    {
        EXPECT_EQ(plan(), std::nullopt);
        EXPECT_EQ(pomodoro().yarnSchedule(), std::nullopt);
        EXPECT_FALSE(defaults.contains(PomodoroStore::planKey));
        EXPECT_EQ(timer().state().isRunning(), timerRuns);
    }
    MemoryUserDefaults defaults;
    ManualClock clock { t0 };
    std::unique_ptr<AppModel> model;
};

// ---- a phase that completes ----

struct FlowCase {
    const char* name;
    bool continuous;
    bool autoFocus;
    bool autoBreak;
    qint64 sessions;
    int phasesBefore;
    std::optional<Phase> next;
    bool nextRuns;
};

class PomodoroStoreFlow : public PomodoroStoreTest, public testing::WithParamInterface<FlowCase> { };

TEST_P(PomodoroStoreFlow, MovesOnByTheAutostartRules)
{
    const FlowCase& c = GetParam();
    PomodoroPlan before = PomodoroPlan::starting(c.sessions, PomodoroConfiguration {}, c.continuous);
    for (int index = 0; index < c.phasesBefore; ++index)
        before = before.afterPhaseEnds(t0).value();
    before.isPhaseRunning = true;
    before.phaseEndedAt.reset();
    const Date end = t0 + std::chrono::seconds(before.phaseDurationSeconds);
    seed(before, TimerState::running(end));
    launch(c.autoFocus, c.autoBreak, c.continuous);
    ASSERT_EQ(plan(), before);
    runOut();
    if (!c.next)
        return expectNoPlan(false);
    const qint64 nextLength = plan().value().phaseDurationSeconds;
    expectPlan(
        *c.next, c.nextRuns, c.nextRuns ? TimerState::running(end + std::chrono::seconds(nextLength)) : TimerState());
    const bool wasFocus = before.phase == Phase::focus;
    const qint64 length = before.phaseDurationSeconds;
    EXPECT_EQ(plan()->completedBlocks, before.completedBlocks + (wasFocus ? 1 : 0));
    EXPECT_EQ(plan()->completedFocusSeconds, before.completedFocusSeconds + (wasFocus ? length : 0));
    EXPECT_EQ(plan()->completedBreakSeconds, before.completedBreakSeconds + (wasFocus ? 0 : length));
    EXPECT_EQ(plan()->phaseEndedAt, c.nextRuns ? std::nullopt : std::optional(end));
    EXPECT_EQ(pomodoro().yarnSchedule(), plan()->yarnSchedule());
}

INSTANTIATE_TEST_SUITE_P(Rules, PomodoroStoreFlow,
    testing::Values(FlowCase { "FocusWaitsForItsBreak", false, false, false, 4, 0, Phase::shortBreak, false },
        FlowCase { "FocusStartsItsBreak", false, false, true, 4, 0, Phase::shortBreak, true },
        FlowCase { "AutostartFocusLeavesTheBreakWaiting", false, true, false, 4, 0, Phase::shortBreak, false },
        FlowCase { "FourthBlockLongBreak", false, false, false, 8, 6, Phase::longBreak, false },
        FlowCase { "FifthBlockShortBreak", false, false, true, 8, 8, Phase::shortBreak, true },
        FlowCase { "BreakWaitsForFocus", false, false, true, 4, 1, Phase::focus, false },
        FlowCase { "BreakStartsFocus", false, true, false, 4, 1, Phase::focus, true },
        FlowCase { "LastBlockEndsThePlan", false, true, true, 4, 6, std::nullopt, false },
        FlowCase { "ContinuousFourthBlockLongBreak", true, false, true, 1, 6, Phase::longBreak, true },
        FlowCase { "ContinuousWaitsWithoutAutostart", true, false, false, 1, 1, Phase::focus, false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PomodoroStoreTest, APhaseNoticedLateEndsWhenTheTimerEndedAndTheNextStartsWhenNoticed)
{
    launch();
    pomodoro().commitSessions(2, t0);
    runOut(600s);
    expectPlan(Phase::shortBreak, true, TimerState::running(clock.now() + 300s));

    // Without autostart the wait is counted from the end, not from when it was noticed.
    launch(false, false);
    runOut(600s);
    expectPlan(Phase::focus, false, TimerState::idle());
    EXPECT_EQ(plan()->overdueSeconds(clock.now()), 600);
}

// ---- commitSessions, skipPhase, endPlan ----

TEST_F(PomodoroStoreTest, CommitStartsAPlanFromNothingThenExtendsTheRunningOrPausedBlock)
{
    launch();
    pomodoro().commitSessions(0, t0);
    EXPECT_EQ(plan(), std::nullopt);
    EXPECT_EQ(defaults.writeCount(PomodoroStore::planKey), 0);
    // A timer left from timer mode is replaced, not extended.
    timer().addTime(600, t0);
    pomodoro().commitSessions(2, t0);
    expectPlan(Phase::focus, true, TimerState::running(t0 + 1500s));
    EXPECT_EQ(plan()->plannedBlockCount(), 2);
    EXPECT_FALSE(plan()->isContinuous);
    EXPECT_EQ(timer().totalDurationSeconds(), 1500);
    const PomodoroYarnSchedule atStart = pomodoro().yarnSchedule().value();
    EXPECT_EQ(atStart, plan()->yarnSchedule());

    // More sessions lengthen the block in progress; the blocks to come stay, the yarn grows.
    pomodoro().commitSessions(1, t0 + 100s);
    expectPlan(Phase::focus, true, TimerState::running(t0 + 3000s));
    EXPECT_EQ(plan()->phaseDurationSeconds, 3000);
    EXPECT_EQ(plan()->plannedBlockCount(), 2);
    EXPECT_DOUBLE_EQ(pomodoro().yarnSchedule()->totalSeconds(), atStart.totalSeconds() + 1500);
    timer().pause(t0 + 200s);
    defaults.resetWriteCount();
    pomodoro().commitSessions(0, t0 + 300s);
    EXPECT_EQ(defaults.writeCount(), 0);
    pomodoro().commitSessions(1, t0 + 300s);
    EXPECT_EQ(timer().state(), TimerState::paused(4300.0));
    EXPECT_EQ(plan()->phaseDurationSeconds, 4500);

    pomodoro().endPlan();
    model->settings.setContinuousModeEnabled(true);
    pomodoro().commitSessions(3, t0);
    EXPECT_TRUE(plan()->isContinuous);
    EXPECT_EQ(plan()->totalFocusSeconds, 1500);
}

class PomodoroStoreWaiting : public PomodoroStoreTest, public testing::WithParamInterface<int> { };

// -1 skips; a commit of any count starts the waiting phase.
TEST_P(PomodoroStoreWaiting, StartsTheWaitingPhaseAsItIs)
{
    launch(false, false);
    pomodoro().commitSessions(2, t0);
    runOut();
    clock.advance(30s);
    if (GetParam() < 0)
        pomodoro().skipPhase(clock.now());
    else
        pomodoro().commitSessions(GetParam(), clock.now());
    expectPlan(Phase::shortBreak, true, TimerState::running(clock.now() + 300s));
    EXPECT_EQ(plan()->phaseEndedAt, std::nullopt);
    EXPECT_EQ(plan()->completedBreakSeconds, 0);
}

INSTANTIATE_TEST_SUITE_P(Actions, PomodoroStoreWaiting, testing::Values(0, 3, -1));

TEST_F(PomodoroStoreTest, SkipCreditsThePhaseOnceAndStartsTheNextWhateverTheAutostart)
{
    launch(false, false);
    pomodoro().commitSessions(2, t0);
    QSignalSpy planSpy(&pomodoro(), &PomodoroStore::planChanged);
    defaults.resetWriteCount();
    pomodoro().skipPhase(t0 + 600s);
    // One change, stored once: the timer's report of the cancel inside the skip changed nothing.
    EXPECT_EQ(planSpy.count(), 1);
    EXPECT_EQ(defaults.writeCount(PomodoroStore::planKey), 1);
    expectPlan(Phase::shortBreak, true, TimerState::running(t0 + 900s));
    EXPECT_EQ(plan()->completedBlocks, 1);
    EXPECT_EQ(plan()->completedFocusSeconds, 1500);
    pomodoro().skipPhase(t0 + 700s);
    expectPlan(Phase::focus, true, TimerState::running(t0 + 2200s));
    EXPECT_EQ(plan()->completedBreakSeconds, 300);

    // Skipping the last block ends the plan.
    pomodoro().skipPhase(t0 + 800s);
    expectNoPlan(false);
    EXPECT_EQ(std::count(model->reasons.begin(), model->reasons.end(), TimerStateChangeReason::completed), 0);
}

TEST_F(PomodoroStoreTest, EndingThePlanCancelsTheTimerButQuitAndPauseDoNot)
{
    launch();
    pomodoro().commitSessions(2, t0);
    const PomodoroPlan started = *plan();
    timer().pause(t0 + 10s);
    timer().resume(t0 + 20s);
    EXPECT_EQ(plan(), started);
    pomodoro().endPlan();
    expectNoPlan(false);
    pomodoro().commitSessions(2, t0);
    pomodoro().removeStoredPlanAtQuit();
    expectNoPlan(true);

    // A timer stopped from elsewhere takes the plan with it.
    pomodoro().commitSessions(2, t0);
    timer().cancel(t0 + 30s);
    expectNoPlan(false);
}

// ---- the yarn schedule and new lengths ----

TEST_F(PomodoroStoreTest, NewLengthsReachOnlyAContinuousPlanFromItsNextPhaseOn)
{
    launch();
    pomodoro().commitSessions(2, t0);
    const PomodoroPlan fixed = *plan();
    model->settings.setConfiguration({ 600, 60, 600, 2 });
    EXPECT_EQ(plan(), fixed);
    launch(false, true, true);
    pomodoro().endPlan();
    model->settings.setConfiguration({});
    pomodoro().commitSessions(1, t0);
    const PomodoroYarnSchedule atStart = pomodoro().yarnSchedule().value();
    model->settings.setConfiguration({ 1500, 600, 900, 4 });
    EXPECT_EQ(plan()->configuration.shortBreakSeconds, 600);
    EXPECT_EQ(stored(), plan());
    EXPECT_EQ(pomodoro().yarnSchedule(), atStart);
    runOut();
    EXPECT_EQ(plan()->phaseDurationSeconds, 600);
    EXPECT_EQ(pomodoro().yarnSchedule(), plan()->yarnSchedule());

    // A phase that has not begun takes the new length at once.
    runOut();
    model->settings.setConfiguration({ 1200, 600, 900, 4 });
    EXPECT_EQ(plan()->phaseDurationSeconds, 1200);
    EXPECT_EQ(pomodoro().yarnSchedule(), plan()->yarnSchedule());
}

// ---- restart ----

enum class Outcome { kept, movedOn, movedOnOverdue, adopted, dropped };

struct ReconcileCase {
    const char* name;
    qint64 sessions;
    bool phaseRuns;
    TimerState timer;
    bool pomodoroMode;
    Outcome outcome;
};

class PomodoroStoreReconcile : public PomodoroStoreTest, public testing::WithParamInterface<ReconcileCase> { };

TEST_P(PomodoroStoreReconcile, MakesThePlanAgreeWithTheTimer)
{
    const ReconcileCase& c = GetParam();
    const PomodoroPlan first = PomodoroPlan::starting(c.sessions, PomodoroConfiguration {}, false);
    const PomodoroPlan seeded = c.phaseRuns ? first : first.afterPhaseEnds(t0 - 60s).value();
    seed(seeded, c.timer);
    if (!c.pomodoroMode)
        defaults.seed(PomodoroSettingsStore::modeKey, QStringLiteral("timer"));
    launch();
    const TimerState restored = c.timer.isRunning() && *c.timer.endDate() <= t0 ? TimerState::idle() : c.timer;
    EXPECT_EQ(pomodoro().yarnSchedule(), plan() ? std::optional(plan()->yarnSchedule()) : std::nullopt);
    switch (c.outcome) {
    case Outcome::kept:
        EXPECT_EQ(plan(), seeded);
        expectPlan(seeded.phase, c.phaseRuns, restored);
        break;
    case Outcome::movedOn:
        expectPlan(Phase::shortBreak, false, restored);
        EXPECT_EQ(plan()->completedBlocks, 1);
        // When it ended is unknown, so no overdue time is made up; and the plan is not stuck.
        EXPECT_EQ(plan()->overdueSeconds(t0), std::nullopt);
        pomodoro().startCurrentPhase(t0);
        EXPECT_EQ(timer().state(), TimerState::running(t0 + 300s));
        break;
    case Outcome::movedOnOverdue:
        expectPlan(Phase::shortBreak, false, restored);
        // It ended when the stored timer said, and is overdue since then.
        EXPECT_EQ(plan()->phaseEndedAt, c.timer.endDate());
        EXPECT_EQ(plan()->overdueSeconds(t0 + 5s), 15);
        break;
    case Outcome::adopted:
        expectPlan(seeded.phase, true, restored);
        EXPECT_EQ(plan()->phaseEndedAt, std::nullopt);
        break;
    case Outcome::dropped:
        expectNoPlan(restored.isRunning());
        EXPECT_EQ(timer().state(), restored);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, PomodoroStoreReconcile,
    testing::Values(
        ReconcileCase { "RunningPhaseRunningTimer", 4, true, TimerState::running(t0 + 600s), true, Outcome::kept },
        ReconcileCase { "RunningPhasePausedTimer", 4, true, TimerState::paused(600.0), true, Outcome::kept },
        ReconcileCase {
            "RunningPhaseTimerEndedAway", 4, true, TimerState::running(t0 - 10s), true, Outcome::movedOnOverdue },
        ReconcileCase { "RunningPhaseIdleTimer", 4, true, TimerState::idle(), true, Outcome::movedOn },
        ReconcileCase { "WaitingPlanIdleTimer", 4, false, TimerState::idle(), true, Outcome::kept },
        ReconcileCase { "WaitingPlanRunningTimer", 4, false, TimerState::running(t0 + 200s), true, Outcome::adopted },
        ReconcileCase { "LastBlockRanOutAway", 1, true, TimerState::running(t0 - 1s), true, Outcome::dropped },
        ReconcileCase { "TimerMode", 4, true, TimerState::running(t0 + 600s), false, Outcome::dropped }),
    [](const auto& info) { return std::string(info.param.name); });

// ---- a damaged settings file ----

class PomodoroStoreFile : public testing::Test {
protected:
    // Writes the plan and a running timer as an earlier run would have, then starts the app anew.
    AppModel& launchWithStoredPlan(const QByteArray& plan)
    {
        {
            IniUserDefaults previous(path);
            previous.setString(PomodoroSettingsStore::modeKey, QStringLiteral("pomodoro"));
            previous.setData(
                timerSnapshotKey, *encodeTimerSnapshot(TimerSnapshot { TimerState::running(t0 + 600s), {}, {}, 1500 }));
            previous.setData(PomodoroStore::planKey, plan);
        }
        model.reset();
        defaults = std::make_unique<IniUserDefaults>(path);
        model = std::make_unique<AppModel>(*defaults, clock);
        return *model;
    }
    std::optional<PomodoroPlan> onDisk() const
    {
        const auto data = IniUserDefaults(path).dataValue(PomodoroStore::planKey);
        return data ? PomodoroPlan::decoded(*data, PomodoroConfiguration {}) : std::nullopt;
    }
    QTemporaryDir directory;
    QString path = directory.filePath(QStringLiteral("mewt.conf"));
    ManualClock clock { t0 };
    std::unique_ptr<IniUserDefaults> defaults;
    std::unique_ptr<AppModel> model;
};

TEST_F(PomodoroStoreFile, AnUnreadablePlanIsDroppedAndTheTimerRunsOnAsAPlainOne)
{
    for (const char* data :
        { "\x01\xff garbage", R"({"phase": "siesta", "phaseDurationSeconds": 600, "isPhaseRunning": true})",
            R"({"phase": "focus", "completedBlocks": NaN})", "[1, 2]", R"({"phaseDurationSeconds": 60})" }) {
        const AppModel& app = launchWithStoredPlan(QByteArray(data));
        EXPECT_EQ(app.pomodoro.plan(), std::nullopt);
        EXPECT_FALSE(IniUserDefaults(path).contains(PomodoroStore::planKey));
        EXPECT_EQ(app.timer.state(), TimerState::running(t0 + 600s));
    }
}

TEST_F(PomodoroStoreFile, ARepairedPlanIsWrittenBackAndRunsOn)
{
    AppModel& app = launchWithStoredPlan(
        R"({"id": "x", "phase": "focus", "isPhaseRunning": true, "completedBlocks": -4,)"
        R"( "completedFocusSeconds": -1, "phaseDurationSeconds": 1500, "totalFocusSeconds": 3000})");
    const std::optional<PomodoroPlan> plan = app.pomodoro.plan();
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->completedBlocks, 0);
    EXPECT_EQ(plan->completedFocusSeconds, 0);
    EXPECT_EQ(plan->configuration, PomodoroConfiguration {});
    EXPECT_EQ(plan->plannedBlockCount(), 2);
    EXPECT_EQ(onDisk(), plan);
    clock.set(t0 + 600s);
    app.timer.tick();
    EXPECT_EQ(app.pomodoro.plan().value().completedBlocks, 1);
    EXPECT_EQ(onDisk(), app.pomodoro.plan());
}

} // namespace

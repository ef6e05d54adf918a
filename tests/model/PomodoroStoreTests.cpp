#include "IniUserDefaults.h"
#include "MemoryUserDefaults.h"
#include "PomodoroPrinting.h"
#include "PomodoroSettingsStore.h"
#include "PomodoroStore.h"
#include "TimerPrinting.h"
#include "TimerStore.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

const Date t0 = Date(1'800'000'000s);

PomodoroPlan afterPhases(PomodoroPlan plan, int count)
{
    for (int index = 0; index < count; ++index)
        plan = plan.afterPhaseEnds(t0).value();
    return plan;
}

PomodoroPlan running(PomodoroPlan plan)
{
    plan.isPhaseRunning = true;
    plan.phaseEndedAt.reset();
    return plan;
}

// The model of one launch of the app, wired the way the shell wires it: every change of the timer
// is passed on to the pomodoro store, and so is every configuration the settings report.
struct AppModel {
    AppModel(UserDefaults& defaults, const Clock& clock, NotificationScheduling* notifications)
        : settings(defaults)
        , timer(defaults, clock, notifications)
        , pomodoro(defaults, clock, timer, settings)
    {
        timer.onStateChange
            = [this](const TimerState& previous, const TimerState& current, TimerStateChangeReason reason) {
                  reasons.push_back(reason);
                  pomodoro.timerStateDidChange(previous, current, reason);
              };
        settings.onConfigurationChange
            = [this](const PomodoroConfiguration& configuration) { pomodoro.configurationDidChange(configuration); };
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
    AppModel& launch()
    {
        model.reset();
        model = std::make_unique<AppModel>(defaults, clock, nullptr);
        model->pomodoro.reconcileWithTimer();
        return *model;
    }

    PomodoroStore& pomodoro() { return model->pomodoro; }
    TimerStore& timer() { return model->timer; }
    PomodoroSettingsStore& settings() { return model->settings; }
    const std::optional<PomodoroPlan>& plan() { return model->pomodoro.plan(); }

    // Lets the clock reach the end of the running timer, `late` after it, and the ticker notice.
    void runOut(std::chrono::seconds late = 0s)
    {
        clock.set(*timer().state().endDate() + late);
        timer().tick();
    }

    std::optional<PomodoroPlan> stored() const
    {
        const auto data = defaults.dataValue(PomodoroStore::planKey);
        return data ? PomodoroPlan::decoded(*data, PomodoroConfiguration {}) : std::nullopt;
    }

    void seedPlan(const PomodoroPlan& plan) { defaults.seed(PomodoroStore::planKey, plan.encoded()); }
    void seedTimer(TimerState state)
    {
        defaults.seed(timerSnapshotKey, *encodeTimerSnapshot(TimerSnapshot { state, {}, {}, 0 }));
    }
    void seedFlow(bool autoFocus, bool autoBreak, bool continuous = false)
    {
        defaults.seed(PomodoroSettingsStore::autoStartsNextFocusKey, autoFocus);
        defaults.seed(PomodoroSettingsStore::autoStartsNextBreakKey, autoBreak);
        defaults.seed(PomodoroSettingsStore::continuousModeKey, continuous);
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
    std::optional<PomodoroPhase> next;
    bool nextRuns;
};

class PomodoroStoreFlow : public PomodoroStoreTest, public testing::WithParamInterface<FlowCase> { };

TEST_P(PomodoroStoreFlow, MovesOnByTheAutostartRules)
{
    const FlowCase& c = GetParam();
    const PomodoroPlan before = running(
        afterPhases(PomodoroPlan::starting(c.sessions, PomodoroConfiguration {}, c.continuous), c.phasesBefore));
    const Date end = t0 + std::chrono::seconds(before.phaseDurationSeconds);
    seedPlan(before);
    seedTimer(TimerState::running(end));
    seedFlow(c.autoFocus, c.autoBreak, c.continuous);
    launch();
    ASSERT_EQ(plan(), before);

    runOut();

    if (!c.next) {
        EXPECT_EQ(plan(), std::nullopt);
        EXPECT_FALSE(defaults.contains(PomodoroStore::planKey));
        EXPECT_TRUE(timer().state().isIdle());
        return;
    }
    ASSERT_TRUE(plan());
    EXPECT_EQ(plan()->phase, *c.next);
    EXPECT_EQ(plan()->isPhaseRunning, c.nextRuns);
    const bool wasFocus = before.phase == PomodoroPhase::focus;
    EXPECT_EQ(plan()->completedBlocks, before.completedBlocks + (wasFocus ? 1 : 0));
    EXPECT_EQ(
        plan()->completedFocusSeconds, before.completedFocusSeconds + (wasFocus ? before.phaseDurationSeconds : 0));
    EXPECT_EQ(
        plan()->completedBreakSeconds, before.completedBreakSeconds + (wasFocus ? 0 : before.phaseDurationSeconds));
    if (c.nextRuns) {
        EXPECT_EQ(timer().state(), TimerState::running(end + std::chrono::seconds(plan()->phaseDurationSeconds)));
        EXPECT_EQ(plan()->phaseEndedAt, std::nullopt);
    } else {
        EXPECT_TRUE(timer().state().isIdle());
        EXPECT_EQ(plan()->phaseEndedAt, end);
    }
    EXPECT_EQ(stored(), plan());
    EXPECT_EQ(pomodoro().yarnSchedule(), plan()->yarnSchedule());
}

INSTANTIATE_TEST_SUITE_P(Rules, PomodoroStoreFlow,
    testing::Values(FlowCase { "FocusWaitsForItsBreak", false, false, false, 4, 0, PomodoroPhase::shortBreak, false },
        FlowCase { "FocusStartsItsBreak", false, false, true, 4, 0, PomodoroPhase::shortBreak, true },
        FlowCase { "AutostartFocusLeavesTheBreakWaiting", false, true, false, 4, 0, PomodoroPhase::shortBreak, false },
        FlowCase { "FourthBlockLongBreak", false, false, false, 8, 6, PomodoroPhase::longBreak, false },
        FlowCase { "FifthBlockShortBreak", false, false, true, 8, 8, PomodoroPhase::shortBreak, true },
        FlowCase { "BreakWaitsForFocus", false, false, true, 4, 1, PomodoroPhase::focus, false },
        FlowCase { "BreakStartsFocus", false, true, false, 4, 1, PomodoroPhase::focus, true },
        FlowCase { "LastBlockEndsThePlan", false, true, true, 4, 6, std::nullopt, false },
        FlowCase { "ContinuousFourthBlockLongBreak", true, false, true, 1, 6, PomodoroPhase::longBreak, true },
        FlowCase { "ContinuousWaitsWithoutAutostart", true, false, false, 1, 1, PomodoroPhase::focus, false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PomodoroStoreTest, APhaseNoticedLateEndsWhenTheTimerEndedAndTheNextStartsWhenNoticed)
{
    seedFlow(false, true);
    launch();
    pomodoro().commitSessions(2, t0);

    runOut(600s);

    ASSERT_TRUE(plan());
    EXPECT_TRUE(plan()->isPhaseRunning);
    EXPECT_EQ(timer().state(), TimerState::running(clock.now() + 300s));

    // Without autostart the wait is counted from the end, not from when it was noticed.
    seedFlow(false, false);
    launch();
    runOut(600s);
    ASSERT_TRUE(plan());
    EXPECT_EQ(plan()->phase, PomodoroPhase::focus);
    EXPECT_EQ(plan()->phaseEndedAt, clock.now() - 600s);
    EXPECT_EQ(plan()->overdueSeconds(clock.now()), 600);
}

TEST_F(PomodoroStoreTest, APlanRunsFromItsFirstFocusToItsEnd)
{
    seedFlow(true, true);
    launch();
    pomodoro().commitSessions(3, t0);
    std::vector<PomodoroPhase> phases;
    while (plan() && phases.size() < 10) {
        phases.push_back(plan()->phase);
        runOut();
    }
    EXPECT_EQ(phases,
        std::vector({ PomodoroPhase::focus, PomodoroPhase::shortBreak, PomodoroPhase::focus, PomodoroPhase::shortBreak,
            PomodoroPhase::focus }));
    EXPECT_TRUE(timer().state().isIdle());
    EXPECT_FALSE(defaults.contains(PomodoroStore::planKey));
    EXPECT_EQ(clock.now(), t0 + 3 * 1500s + 2 * 300s);
}

// ---- commitSessions, skipPhase, endPlan ----

TEST_F(PomodoroStoreTest, CommitWithoutAPlanStartsOneFromNothing)
{
    launch();
    QSignalSpy planSpy(&pomodoro(), &PomodoroStore::planChanged);
    pomodoro().commitSessions(0, t0);
    EXPECT_EQ(plan(), std::nullopt);
    EXPECT_EQ(defaults.writeCount(PomodoroStore::planKey), 0);

    // A timer left from timer mode is replaced, not extended.
    timer().addTime(600, t0);
    pomodoro().commitSessions(3, t0 + 10s);

    ASSERT_TRUE(plan());
    EXPECT_EQ(plan()->plannedBlockCount(), 3);
    EXPECT_TRUE(plan()->isPhaseRunning);
    EXPECT_FALSE(plan()->isContinuous);
    EXPECT_EQ(timer().state(), TimerState::running(t0 + 10s + 1500s));
    EXPECT_EQ(timer().totalDurationSeconds(), 1500);
    EXPECT_EQ(stored(), plan());
    EXPECT_EQ(pomodoro().yarnSchedule(), plan()->yarnSchedule());
    EXPECT_EQ(planSpy.count(), 1);

    pomodoro().endPlan();
    settings().setContinuousModeEnabled(true);
    pomodoro().commitSessions(3, t0 + 20s);
    EXPECT_TRUE(plan()->isContinuous);
    EXPECT_EQ(plan()->totalFocusSeconds, 1500);
}

TEST_F(PomodoroStoreTest, CommitExtendsTheRunningOrPausedBlockAndKeepsTheBlocksToCome)
{
    launch();
    pomodoro().commitSessions(2, t0);
    pomodoro().commitSessions(1, t0 + 100s);
    EXPECT_EQ(plan()->phaseDurationSeconds, 3000);
    EXPECT_EQ(plan()->plannedBlockCount(), 2);
    EXPECT_EQ(timer().state(), TimerState::running(t0 + 3000s));
    EXPECT_EQ(stored(), plan());

    timer().pause(t0 + 200s);
    defaults.resetWriteCount();
    pomodoro().commitSessions(0, t0 + 300s);
    EXPECT_EQ(defaults.writeCount(), 0);
    pomodoro().commitSessions(1, t0 + 300s);
    EXPECT_EQ(timer().state(), TimerState::paused(4300.0));
    EXPECT_EQ(plan()->phaseDurationSeconds, 4500);
}

enum class StartAction { commitNone, commitThree, skip };

class PomodoroStoreWaiting : public PomodoroStoreTest, public testing::WithParamInterface<StartAction> { };

TEST_P(PomodoroStoreWaiting, StartsTheWaitingPhaseAsItIs)
{
    launch();
    settings().setAutoStartsNextBreak(false);
    pomodoro().commitSessions(2, t0);
    runOut();
    clock.advance(30s);

    if (GetParam() == StartAction::skip)
        pomodoro().skipPhase(clock.now());
    else
        pomodoro().commitSessions(GetParam() == StartAction::commitThree ? 3 : 0, clock.now());

    ASSERT_TRUE(plan());
    EXPECT_EQ(plan()->phase, PomodoroPhase::shortBreak);
    EXPECT_TRUE(plan()->isPhaseRunning);
    EXPECT_EQ(plan()->phaseEndedAt, std::nullopt);
    EXPECT_EQ(plan()->completedBreakSeconds, 0);
    EXPECT_EQ(timer().state(), TimerState::running(clock.now() + 300s));
    EXPECT_EQ(stored(), plan());
}

INSTANTIATE_TEST_SUITE_P(Actions, PomodoroStoreWaiting,
    testing::Values(StartAction::commitNone, StartAction::commitThree, StartAction::skip));

TEST_F(PomodoroStoreTest, SkipCreditsThePhaseOnceAndStartsTheNextWhateverTheAutostart)
{
    seedFlow(false, false);
    launch();
    pomodoro().commitSessions(2, t0);
    QSignalSpy planSpy(&pomodoro(), &PomodoroStore::planChanged);
    defaults.resetWriteCount();

    pomodoro().skipPhase(t0 + 600s);

    // One change, stored once: the timer's report of the cancel inside the skip changed nothing.
    EXPECT_EQ(planSpy.count(), 1);
    EXPECT_EQ(defaults.writeCount(PomodoroStore::planKey), 1);
    EXPECT_EQ(std::count(model->reasons.begin(), model->reasons.end(), TimerStateChangeReason::completed), 0);
    EXPECT_EQ(plan()->phase, PomodoroPhase::shortBreak);
    EXPECT_TRUE(plan()->isPhaseRunning);
    EXPECT_EQ(plan()->completedBlocks, 1);
    EXPECT_EQ(plan()->completedFocusSeconds, 1500);
    EXPECT_EQ(timer().state(), TimerState::running(t0 + 900s));

    pomodoro().skipPhase(t0 + 700s);
    EXPECT_EQ(plan()->phase, PomodoroPhase::focus);
    EXPECT_EQ(plan()->completedBreakSeconds, 300);
    EXPECT_EQ(timer().state(), TimerState::running(t0 + 2200s));

    // Skipping the last block ends the plan.
    pomodoro().skipPhase(t0 + 800s);
    EXPECT_EQ(plan(), std::nullopt);
    EXPECT_FALSE(defaults.contains(PomodoroStore::planKey));
    EXPECT_TRUE(timer().state().isIdle());
}

TEST_F(PomodoroStoreTest, EndPlanForgetsThePlanAndItsStoredCopyAndCancelsTheTimer)
{
    launch();
    pomodoro().commitSessions(2, t0);
    QSignalSpy planSpy(&pomodoro(), &PomodoroStore::planChanged);
    QSignalSpy scheduleSpy(&pomodoro(), &PomodoroStore::yarnScheduleChanged);

    pomodoro().endPlan();

    EXPECT_EQ(plan(), std::nullopt);
    EXPECT_EQ(pomodoro().yarnSchedule(), std::nullopt);
    EXPECT_FALSE(defaults.contains(PomodoroStore::planKey));
    EXPECT_TRUE(timer().state().isIdle());
    EXPECT_EQ(planSpy.count(), 1);
    EXPECT_EQ(scheduleSpy.count(), 1);

    // At quit the stored plan goes and the timer is left to the shell.
    pomodoro().commitSessions(2, t0);
    pomodoro().removeStoredPlanAtQuit();
    EXPECT_FALSE(defaults.contains(PomodoroStore::planKey));
    EXPECT_TRUE(timer().state().isRunning());
}

TEST_F(PomodoroStoreTest, ATimerStoppedElsewhereEndsThePlanButAPauseDoesNot)
{
    launch();
    pomodoro().commitSessions(2, t0);
    const PomodoroPlan started = *plan();

    timer().pause(t0 + 10s);
    timer().resume(t0 + 20s);
    EXPECT_EQ(plan(), started);

    timer().cancel(t0 + 30s);
    EXPECT_EQ(plan(), std::nullopt);
    EXPECT_FALSE(defaults.contains(PomodoroStore::planKey));
}

// ---- the yarn schedule ----

TEST_F(PomodoroStoreTest, TheScheduleStaysFixedWhileThePhaseRunsAndGrowsWithAnExtension)
{
    launch();
    pomodoro().commitSessions(3, t0);
    const PomodoroYarnSchedule atStart = pomodoro().yarnSchedule().value();
    QSignalSpy scheduleSpy(&pomodoro(), &PomodoroStore::yarnScheduleChanged);

    for (int minute = 0; minute < 10; ++minute) {
        clock.advance(60s);
        timer().tick();
    }
    timer().pause(clock.now());
    timer().resume(clock.now() + 5s);
    EXPECT_EQ(pomodoro().yarnSchedule(), atStart);
    EXPECT_EQ(scheduleSpy.count(), 0);

    pomodoro().commitSessions(1, clock.now());
    EXPECT_DOUBLE_EQ(pomodoro().yarnSchedule()->totalSeconds(), atStart.totalSeconds() + 1500);
    EXPECT_EQ(scheduleSpy.count(), 1);
}

TEST_F(PomodoroStoreTest, NewLengthsReachAContinuousPlanFromItsNextPhaseOn)
{
    seedFlow(false, true, true);
    launch();
    pomodoro().commitSessions(1, t0);
    const PomodoroYarnSchedule atStart = pomodoro().yarnSchedule().value();

    settings().setConfiguration({ 1500, 600, 900, 4 });
    EXPECT_EQ(plan()->configuration.shortBreakSeconds, 600);
    EXPECT_EQ(stored(), plan());
    EXPECT_EQ(pomodoro().yarnSchedule(), atStart);

    runOut();
    EXPECT_EQ(plan()->phaseDurationSeconds, 600);
    EXPECT_EQ(pomodoro().yarnSchedule(), plan()->yarnSchedule());

    // A phase that has not begun takes the new length at once.
    settings().setAutoStartsNextFocus(false);
    runOut();
    settings().setConfiguration({ 1200, 600, 900, 4 });
    EXPECT_EQ(plan()->phaseDurationSeconds, 1200);
    EXPECT_EQ(pomodoro().yarnSchedule(), plan()->yarnSchedule());
}

TEST_F(PomodoroStoreTest, NewLengthsLeaveAFixedPlanAlone)
{
    launch();
    pomodoro().commitSessions(2, t0);
    const PomodoroPlan started = *plan();
    settings().setConfiguration({ 600, 60, 600, 2 });
    EXPECT_EQ(plan(), started);
}

// ---- restart ----

TEST_F(PomodoroStoreTest, ARelaunchRestoresThePlanAndItsYarn)
{
    launch();
    pomodoro().commitSessions(3, t0);
    pomodoro().skipPhase(t0 + 100s);
    const PomodoroPlan before = *plan();
    clock.advance(200s);

    launch();

    EXPECT_EQ(plan(), before);
    EXPECT_EQ(pomodoro().yarnSchedule(), before.yarnSchedule());
    EXPECT_EQ(timer().state(), TimerState::running(t0 + 400s));
}

enum class Outcome { kept, movedOn, adopted, dropped };

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
    seedPlan(seeded);
    seedTimer(c.timer);
    if (!c.pomodoroMode)
        defaults.seed(PomodoroSettingsStore::modeKey, QStringLiteral("timer"));
    const TimerState restoredTimer = c.timer.isRunning() && *c.timer.endDate() <= t0 ? TimerState::idle() : c.timer;

    launch();

    EXPECT_EQ(timer().state(), restoredTimer);
    EXPECT_EQ(stored(), plan());
    switch (c.outcome) {
    case Outcome::kept: EXPECT_EQ(plan(), seeded); break;
    case Outcome::movedOn:
        ASSERT_TRUE(plan());
        EXPECT_EQ(plan()->phase, PomodoroPhase::shortBreak);
        EXPECT_FALSE(plan()->isPhaseRunning);
        EXPECT_EQ(plan()->completedBlocks, 1);
        // When it ended is unknown, so no overdue time is made up.
        EXPECT_EQ(plan()->overdueSeconds(t0), std::nullopt);
        // And the plan is not stuck: its next phase starts.
        pomodoro().startCurrentPhase(t0);
        EXPECT_EQ(timer().state(), TimerState::running(t0 + 300s));
        break;
    case Outcome::adopted:
        ASSERT_TRUE(plan());
        EXPECT_EQ(plan()->phase, seeded.phase);
        EXPECT_TRUE(plan()->isPhaseRunning);
        EXPECT_EQ(plan()->phaseEndedAt, std::nullopt);
        break;
    case Outcome::dropped:
        EXPECT_EQ(plan(), std::nullopt);
        EXPECT_FALSE(defaults.contains(PomodoroStore::planKey));
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, PomodoroStoreReconcile,
    testing::Values(
        ReconcileCase { "RunningPhaseRunningTimer", 4, true, TimerState::running(t0 + 600s), true, Outcome::kept },
        ReconcileCase { "RunningPhasePausedTimer", 4, true, TimerState::paused(600.0), true, Outcome::kept },
        ReconcileCase { "RunningPhaseTimerEndedAway", 4, true, TimerState::running(t0 - 10s), true, Outcome::movedOn },
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
    void launchWithStoredPlan(const QByteArray& plan)
    {
        {
            IniUserDefaults previous(path);
            previous.setString(PomodoroSettingsStore::modeKey, QStringLiteral("pomodoro"));
            previous.setData(
                timerSnapshotKey, *encodeTimerSnapshot(TimerSnapshot { TimerState::running(t0 + 600s), {}, {}, 1500 }));
            previous.setData(PomodoroStore::planKey, plan);
        }
        launch();
    }
    void launch()
    {
        model.reset();
        defaults = std::make_unique<IniUserDefaults>(path);
        model = std::make_unique<AppModel>(*defaults, clock, nullptr);
        model->pomodoro.reconcileWithTimer();
    }
    std::optional<PomodoroPlan> onDisk() const
    {
        const IniUserDefaults file(path);
        const auto data = file.dataValue(PomodoroStore::planKey);
        return data ? PomodoroPlan::decoded(*data, PomodoroConfiguration {}) : std::nullopt;
    }

    QTemporaryDir directory;
    QString path = directory.filePath(QStringLiteral("mewt.conf"));
    ManualClock clock { t0 };
    std::unique_ptr<IniUserDefaults> defaults;
    std::unique_ptr<AppModel> model;
};

class PomodoroStoreUnreadableFile : public PomodoroStoreFile, public testing::WithParamInterface<const char*> { };

TEST_P(PomodoroStoreUnreadableFile, DropsThePlanAndKeepsTheTimerAsAPlainOne)
{
    launchWithStoredPlan(QByteArray(GetParam()));
    EXPECT_EQ(model->pomodoro.plan(), std::nullopt);
    EXPECT_FALSE(IniUserDefaults(path).contains(PomodoroStore::planKey));
    EXPECT_EQ(model->timer.state(), TimerState::running(t0 + 600s));
}

INSTANTIATE_TEST_SUITE_P(Data, PomodoroStoreUnreadableFile,
    testing::Values("\x01\xff garbage", R"({"phase": "siesta", "phaseDurationSeconds": 600, "isPhaseRunning": true})",
        R"({"phase": "focus", "completedBlocks": NaN})"));

TEST_F(PomodoroStoreFile, ARepairedPlanIsWrittenBackAndRunsOn)
{
    launchWithStoredPlan(R"({"id": "x", "phase": "focus", "isPhaseRunning": true, "completedBlocks": -4,)"
                         R"( "completedFocusSeconds": -1, "phaseDurationSeconds": 1500, "totalFocusSeconds": 3000})");
    const std::optional<PomodoroPlan> plan = model->pomodoro.plan();
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->completedBlocks, 0);
    EXPECT_EQ(plan->completedFocusSeconds, 0);
    EXPECT_EQ(plan->configuration, PomodoroConfiguration {});
    EXPECT_EQ(plan->plannedBlockCount(), 2);
    EXPECT_EQ(onDisk(), plan);

    clock.set(t0 + 600s);
    model->timer.tick();
    ASSERT_TRUE(model->pomodoro.plan());
    EXPECT_EQ(model->pomodoro.plan()->completedBlocks, 1);
    EXPECT_EQ(onDisk(), model->pomodoro.plan());
}

} // namespace

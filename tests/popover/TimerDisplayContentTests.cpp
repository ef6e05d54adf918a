#include "popover/TimerDisplayContent.h"

#include <gtest/gtest.h>

namespace mewt {
namespace {

using namespace std::chrono_literals;

const Date origin = Date(std::chrono::seconds(1'800'000'000));

PomodoroPlan planOf(int blocks, bool continuous = false)
{
    return PomodoroPlan::starting(blocks, PomodoroConfiguration {}, continuous);
}

TEST(DisplayContent, PlanFirstThenTimerStateThenIdleMode)
{
    PomodoroPlan running = planOf(2);
    PomodoroPlan waiting = running;
    waiting.isPhaseRunning = false;
    const TimerState active = TimerState::running(origin + 60s);
    struct Case {
        std::optional<PomodoroPlan> plan;
        TimerState state;
        TimerMode mode;
        QString id;
    };
    const Case cases[] = {
        { running, active, TimerMode::timer, QStringLiteral("pomodoro-running") },
        { waiting, TimerState::idle(), TimerMode::timer, QStringLiteral("pomodoro-waiting") },
        { std::nullopt, TimerState::idle(), TimerMode::timer, QStringLiteral("idle-timer") },
        { std::nullopt, TimerState::idle(), TimerMode::pomodoro, QStringLiteral("idle-pomodoro") },
        { std::nullopt, TimerState::paused(30), TimerMode::pomodoro, QStringLiteral("timer-active") },
    };
    for (const Case& c : cases)
        EXPECT_EQ(displayContentID(displayContentFor(c.plan, c.state, c.mode)), c.id);
}

TEST(RemainingText, RoundsSecondsUpBeforeTheHourTest)
{
    EXPECT_EQ(remainingText(TimerState::running(origin + 3599900ms), origin), QStringLiteral("1:00:00"));
    EXPECT_EQ(remainingText(TimerState::running(origin + 59100ms), origin), QStringLiteral("1:00"));
    EXPECT_EQ(remainingText(TimerState::running(origin - 5s), origin), QStringLiteral("0:00"));
    EXPECT_EQ(remainingText(TimerState::paused(90), origin), QStringLiteral("1:30"));
}

TEST(StatusLine, NamesTheEndToTheMinuteOrTheState)
{
    // The C locale's short time format carries seconds.
    const QLocale locale = QLocale::c();
    const QString line = statusLine(TimerState::running(origin + 37s), locale);
    const qint64 ms = std::chrono::duration_cast<std::chrono::milliseconds>(origin.time_since_epoch()).count();
    EXPECT_EQ(line, QStringLiteral("ends ") + QDateTime::fromMSecsSinceEpoch(ms).time().toString(u"HH:mm"));
    EXPECT_EQ(statusLine(TimerState::paused(3), locale), QStringLiteral("resume when ready"));
    EXPECT_EQ(statusLine(TimerState::idle(), locale), QStringLiteral("no timer running"));
}

TEST(TimerYarnProgress, OneFocusSegmentWoundByWhatRan)
{
    const PomodoroYarnProgress progress = timerYarnProgress(TimerState::running(origin + 360s), 600, origin);
    EXPECT_DOUBLE_EQ(progress.fraction(), 0.4);
    EXPECT_DOUBLE_EQ(timerYarnProgress(TimerState::running(origin + 900s), 600, origin).currentRemainingSeconds, 600);
    EXPECT_DOUBLE_EQ(timerYarnProgress(TimerState::idle(), 0, origin).fraction(), 0.0);
}

TEST(PhaseTitle, CountsTheBlocksOfThePlan)
{
    PomodoroPlan plan = planOf(4);
    EXPECT_EQ(pomodoroPhaseTitle(plan), QStringLiteral("focus 1 of 4"));
    plan.completedBlocks = 3;
    plan.completedFocusSeconds = 3 * 1500;
    EXPECT_EQ(pomodoroPhaseTitle(plan), QStringLiteral("focus 4 of 4"));
    plan.phase = PomodoroPhase::longBreak;
    EXPECT_EQ(pomodoroPhaseTitle(plan), QStringLiteral("taking a break"));
    PomodoroPlan continuous = planOf(1, true);
    continuous.completedBlocks = 2;
    EXPECT_EQ(pomodoroPhaseTitle(continuous), QStringLiteral("focus 3 \u00b7 continuous"));
    continuous.phase = PomodoroPhase::shortBreak;
    EXPECT_EQ(pomodoroPhaseTitle(continuous), QStringLiteral("taking a break \u00b7 continuous"));
}

TEST(PhaseLabels, NextPhaseOnlyWhileFocusFollowsAndRevealKeysNameTheSegment)
{
    PomodoroPlan plan = planOf(2);
    EXPECT_EQ(nextPhaseLabel(plan), QStringLiteral("start break"));
    EXPECT_EQ(yarnRevealID(plan), QStringLiteral("1-focus"));
    plan.completedBlocks = 1;
    plan.completedFocusSeconds = 1500;
    plan.phase = PomodoroPhase::shortBreak;
    EXPECT_EQ(nextPhaseLabel(plan), QStringLiteral("start focus"));
    EXPECT_EQ(yarnRevealID(plan), QStringLiteral("1-shortBreak"));
    plan.phase = PomodoroPhase::focus;
    EXPECT_EQ(nextPhaseLabel(plan), std::nullopt); // the last block of the plan
    EXPECT_EQ(yarnRevealID(plan), QStringLiteral("2-focus"));
    PomodoroPlan continuous = planOf(1, true);
    EXPECT_EQ(nextPhaseLabel(continuous), QStringLiteral("start break"));
    EXPECT_EQ(segmentRevealKey({ 2, PomodoroPhase::focus, 60 }), QStringLiteral("2-focus"));
}

TEST(WaitingTime, OverdueAfterAMinusSignElseThePhaseLength)
{
    PomodoroPlan plan = planOf(2);
    plan.isPhaseRunning = false;
    plan.phase = PomodoroPhase::shortBreak;
    plan.phaseDurationSeconds = 300;
    plan.phaseEndedAt = origin;
    EXPECT_EQ(waitingTimeText(plan, origin + 90s), QStringLiteral("\u22121:30"));
    EXPECT_EQ(waitingTimeText(plan, origin), QStringLiteral("\u22120:00"));
    plan.phaseEndedAt.reset();
    EXPECT_EQ(waitingTimeText(plan, origin), QStringLiteral("5:00"));
    plan.phaseDurationSeconds = 3900;
    EXPECT_EQ(waitingTimeText(plan, origin), QStringLiteral("1:05:00"));
}

TEST(PlanYarnProgress, UsesThePlansScheduleWhenTheStoreHasNoneAndHoldsTheRemainder)
{
    const PomodoroPlan plan = planOf(2);
    const PomodoroYarnProgress own
        = pomodoroYarnProgress(plan, std::nullopt, TimerState::running(origin + 3000s), origin);
    EXPECT_EQ(own.schedule, plan.yarnSchedule());
    EXPECT_DOUBLE_EQ(own.currentRemainingSeconds, plan.yarnSchedule().segments().front().seconds);
    const PomodoroYarnSchedule stored({ { 1, PomodoroPhase::focus, 100 } }, 100);
    const PomodoroYarnProgress fromStore
        = pomodoroYarnProgress(plan, stored, TimerState::running(origin + 40s), origin);
    EXPECT_DOUBLE_EQ(fromStore.fraction(), 0.6);
    PomodoroPlan waiting = plan;
    waiting.isPhaseRunning = false;
    waiting.phaseDurationSeconds = 70;
    EXPECT_DOUBLE_EQ(pomodoroYarnProgress(waiting, stored, TimerState::idle(), origin).currentRemainingSeconds, 70);
    EXPECT_DOUBLE_EQ(pomodoroYarnProgress(plan, PomodoroYarnSchedule(), TimerState::running(origin + 5s), origin)
                         .currentRemainingSeconds,
        0);
}

TEST(StartTexts, FollowTheModeAndTheContinuousSwitch)
{
    const StartControlTexts timer = startControlTexts(TimerMode::timer, true, 25, 50);
    EXPECT_EQ(timer.accessibleName, QStringLiteral("start timer"));
    EXPECT_EQ(timer.accessibleValue, QStringLiteral("25 minutes"));
    EXPECT_EQ(timer.help, QStringLiteral("start 25 minute timer"));
    const StartControlTexts once = startControlTexts(TimerMode::pomodoro, false, 25, 50);
    EXPECT_EQ(once.accessibleName, QStringLiteral("start one focus session"));
    EXPECT_EQ(once.accessibleValue, QStringLiteral("50 minutes"));
    EXPECT_EQ(once.help, QStringLiteral("start one 50 minute focus session"));
    EXPECT_EQ(
        startControlTexts(TimerMode::pomodoro, true, 25, 50).accessibleName, QStringLiteral("start continuous focus"));
    EXPECT_EQ(idleInstructionLines(TimerMode::timer, true).size(), 1u);
    EXPECT_EQ(idleInstructionLines(TimerMode::pomodoro, true).front().text,
        QStringLiteral("drag the top bar paw to start continuous focus"));
    EXPECT_EQ(idleInstructionLines(TimerMode::pomodoro, false).front().text,
        QStringLiteral("drag the top bar paw to choose focus sessions"));
}

struct TickCase {
    const char* name;
    TimerState state;
    std::optional<Date> phaseEndedAt;
    int delayMs;
};

class NextSecond : public ::testing::TestWithParam<TickCase> { };

TEST_P(NextSecond, WaitsJustPastTheShownSecondsTurn)
{
    std::optional<PomodoroPlan> plan;
    if (GetParam().phaseEndedAt) {
        plan = planOf(2);
        plan->isPhaseRunning = false;
        plan->phaseEndedAt = GetParam().phaseEndedAt;
    }
    EXPECT_EQ(millisecondsToNextSecond(GetParam().state, plan, origin), GetParam().delayMs);
}

INSTANTIATE_TEST_SUITE_P(States, NextSecond,
    ::testing::Values(TickCase { "halfSecondLeft", TimerState::running(origin + 1500ms), std::nullopt, 505 },
        TickCase { "onTheSecond", TimerState::running(origin + 2s), std::nullopt, 1005 },
        TickCase { "pastTheEnd", TimerState::running(origin - 1s), std::nullopt, 1005 },
        TickCase { "overdueBy1300", TimerState::idle(), origin - 1300ms, 705 },
        TickCase { "noEndKnown", TimerState::idle(), std::nullopt, 1005 }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mewt

#include "PomodoroPlan.h"
#include "PomodoroPrinting.h"
#include "PomodoroYarnProgress.h"

#include <QJsonDocument>
#include <QStringList>
#include <gtest/gtest.h>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

const Date t0 = Date(1'800'000'000s);

// A plan that is not continuous, with the default lengths (focus 1500, short 300, long 900, a long
// break every 4 blocks), in its first focus block.
PomodoroPlan planOf(qint64 sessions, bool continuous = false)
{
    return PomodoroPlan::starting(sessions, PomodoroConfiguration {}, continuous);
}

// The plan after `count` phases have ended in turn.
PomodoroPlan after(PomodoroPlan plan, int count)
{
    for (int index = 0; index < count; ++index)
        plan = plan.afterPhaseEnds(t0).value();
    return plan;
}

QStringList keys(const PomodoroYarnSchedule& schedule)
{
    QStringList result;
    for (const PomodoroYarnSegment& segment : schedule.segments())
        result << QString::number(segment.block) + QLatin1Char('-') + rawValue(segment.phase);
    return result;
}

// ---- derived values ----

TEST(PomodoroPlanTitles, CountBlocksAsThePopoverDoes)
{
    const PomodoroPlan first = planOf(4);
    EXPECT_EQ(first.plannedBlockCount(), 4);
    EXPECT_EQ(first.completedBlocks + 1, 1);

    // Focus 4 of 4 after three blocks and their breaks.
    const PomodoroPlan last = after(first, 6);
    EXPECT_EQ(last.phase, PomodoroPhase::focus);
    EXPECT_EQ(last.completedBlocks, 3);
    EXPECT_EQ(last.plannedBlockCount(), 4);

    // The break after the first block still belongs to a plan of four.
    EXPECT_EQ(after(first, 1).plannedBlockCount(), 4);

    // A continuous plan in its third block counts the block it is in, a break adds none.
    const PomodoroPlan continuous = after(planOf(1, true), 4);
    EXPECT_EQ(continuous.phase, PomodoroPhase::focus);
    EXPECT_EQ(continuous.plannedBlockCount(), 3);
    EXPECT_EQ(after(continuous, 1).plannedBlockCount(), 3);
}

TEST(PomodoroPlanTitles, AnExtendedBlockIsStillOneBlock)
{
    const PomodoroPlan extended = planOf(4).extendedBy(3000);
    EXPECT_EQ(extended.phaseDurationSeconds, 4500);
    EXPECT_EQ(extended.totalFocusSeconds, 9000);
    EXPECT_EQ(extended.plannedBlockCount(), 4);
    EXPECT_TRUE(extended.hasFocusAfterCurrentPhase());
}

struct NextPhaseCase {
    const char* name;
    PomodoroPlan plan;
    bool expected;
};

void PrintTo(const NextPhaseCase& c, std::ostream* os)
{
    *os << c.name;
}

class PomodoroPlanNextPhase : public testing::TestWithParam<NextPhaseCase> { };

// Decides the next-phase and skip buttons.
TEST_P(PomodoroPlanNextPhase, FollowsTheFocusStillOwed)
{
    EXPECT_EQ(GetParam().plan.hasFocusAfterCurrentPhase(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Plans, PomodoroPlanNextPhase,
    testing::Values(NextPhaseCase { "FirstOfFour", planOf(4), true },
        NextPhaseCase { "LastOfFour", after(planOf(4), 6), false }, NextPhaseCase { "SingleBlock", planOf(1), false },
        NextPhaseCase { "BreakBeforeLastBlock", after(planOf(4), 5), true },
        NextPhaseCase { "ContinuousFocus", planOf(1, true), true },
        NextPhaseCase { "ContinuousBreak", after(planOf(1, true), 1), true }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PomodoroPlanOverdue, CountsWholeSecondsSinceThePhaseEnded)
{
    const PomodoroPlan waiting = planOf(4).afterPhaseEnds(t0).value();
    ASSERT_EQ(waiting.phase, PomodoroPhase::shortBreak);
    EXPECT_EQ(waiting.overdueSeconds(t0), 0);
    EXPECT_EQ(waiting.overdueSeconds(t0 + 999ms), 0);
    EXPECT_EQ(waiting.overdueSeconds(t0 + 90s), 90);
    EXPECT_EQ(waiting.overdueSeconds(t0 + 91500ms), 91);
    // A clock set back never gives a negative wait.
    EXPECT_EQ(waiting.overdueSeconds(t0 - 30s), 0);
}

TEST(PomodoroPlanOverdue, IsNoneWhileRunningOrWhenTheEndIsUnknown)
{
    EXPECT_EQ(planOf(4).overdueSeconds(t0 + 90s), std::nullopt);
    EXPECT_EQ(planOf(4).afterPhaseEnds(std::nullopt)->overdueSeconds(t0 + 90s), std::nullopt);
}

// ---- transitions ----

struct TransitionCase {
    const char* name;
    PomodoroPlan plan;
    std::optional<PomodoroPhase> next;
    qint64 nextLength;
};

void PrintTo(const TransitionCase& c, std::ostream* os)
{
    *os << c.name;
}

class PomodoroPlanTransition : public testing::TestWithParam<TransitionCase> { };

TEST_P(PomodoroPlanTransition, PicksTheNextPhaseAndCreditsTheOneThatEnded)
{
    const TransitionCase& c = GetParam();
    const std::optional<PomodoroPlan> next = c.plan.afterPhaseEnds(t0);
    ASSERT_EQ(next.has_value(), c.next.has_value());
    if (!next)
        return;
    EXPECT_EQ(next->phase, *c.next);
    EXPECT_EQ(next->phaseDurationSeconds, c.nextLength);
    EXPECT_FALSE(next->isPhaseRunning);
    EXPECT_EQ(next->phaseEndedAt, t0);
    const bool wasFocus = c.plan.phase == PomodoroPhase::focus;
    EXPECT_EQ(next->completedBlocks, c.plan.completedBlocks + (wasFocus ? 1 : 0));
    EXPECT_EQ(next->completedFocusSeconds, c.plan.completedFocusSeconds + (wasFocus ? c.plan.phaseDurationSeconds : 0));
    EXPECT_EQ(next->completedBreakSeconds, c.plan.completedBreakSeconds + (wasFocus ? 0 : c.plan.phaseDurationSeconds));
}

PomodoroPlan withBlocksBeforeLongBreak(PomodoroPlan plan, int blocks)
{
    plan.configuration.blocksBeforeLongBreak = blocks;
    return plan;
}

INSTANTIATE_TEST_SUITE_P(Rules, PomodoroPlanTransition,
    testing::Values(TransitionCase { "FirstBlockShortBreak", planOf(8), PomodoroPhase::shortBreak, 300 },
        TransitionCase { "ThirdBlockShortBreak", after(planOf(8), 4), PomodoroPhase::shortBreak, 300 },
        TransitionCase { "FourthBlockLongBreak", after(planOf(8), 6), PomodoroPhase::longBreak, 900 },
        TransitionCase { "FifthBlockShortBreak", after(planOf(8), 8), PomodoroPhase::shortBreak, 300 },
        TransitionCase { "EighthBlockLongBreak", after(planOf(12), 14), PomodoroPhase::longBreak, 900 },
        TransitionCase { "SecondBlockLongWhenEveryTwo", after(withBlocksBeforeLongBreak(planOf(4), 2), 2),
            PomodoroPhase::longBreak, 900 },
        TransitionCase { "ShortBreakThenFocus", after(planOf(4), 1), PomodoroPhase::focus, 1500 },
        TransitionCase { "LongBreakThenFocus", after(planOf(8), 7), PomodoroPhase::focus, 1500 },
        TransitionCase { "LastBlockEndsThePlan", after(planOf(4), 6), std::nullopt, 0 },
        TransitionCase { "SingleBlockEndsThePlan", planOf(1), std::nullopt, 0 },
        TransitionCase { "ContinuousFourthBlockLongBreak", after(planOf(1, true), 6), PomodoroPhase::longBreak, 900 },
        TransitionCase { "ContinuousGoesOn", after(planOf(1, true), 7), PomodoroPhase::focus, 1500 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PomodoroPlanConfiguration, OnlyAContinuousPlanTakesNewLengthsAndOnlyForPhasesToCome)
{
    const PomodoroConfiguration longer { 3000, 600, 1200, 2 };

    const PomodoroPlan fixed = planOf(4);
    EXPECT_EQ(fixed.applyingConfiguration(longer), fixed);

    const PomodoroPlan running = planOf(1, true).applyingConfiguration(longer);
    EXPECT_EQ(running.configuration, longer);
    EXPECT_EQ(running.phaseDurationSeconds, 1500);
    EXPECT_EQ(running.afterPhaseEnds(t0)->phase, PomodoroPhase::shortBreak);
    EXPECT_EQ(running.afterPhaseEnds(t0)->phaseDurationSeconds, 600);

    const PomodoroPlan waiting = after(planOf(1, true), 1).applyingConfiguration(longer);
    EXPECT_EQ(waiting.phaseDurationSeconds, 600);
}

// ---- yarn ----

TEST(PomodoroPlanYarn, LaysOutAFixedPlanToItsEndWithTheRevealKeys)
{
    const PomodoroPlan plan = planOf(6);
    const PomodoroYarnSchedule schedule = plan.yarnSchedule();
    EXPECT_EQ(keys(schedule),
        QStringList({ "1-focus", "1-shortBreak", "2-focus", "2-shortBreak", "3-focus", "3-shortBreak", "4-focus",
            "4-longBreak", "5-focus", "5-shortBreak", "6-focus" }));
    EXPECT_DOUBLE_EQ(schedule.totalSeconds(), 6 * 1500 + 4 * 300 + 900);
    EXPECT_DOUBLE_EQ(schedule.remainingAfterCurrentSeconds(), schedule.totalSeconds() - 1500);

    // The break after the first block leads; what is done still counts toward the total.
    const PomodoroYarnSchedule later = after(plan, 1).yarnSchedule();
    EXPECT_EQ(keys(later).first(), QStringLiteral("1-shortBreak"));
    EXPECT_DOUBLE_EQ(later.totalSeconds(), schedule.totalSeconds());
}

TEST(PomodoroPlanYarn, LaysOutAContinuousPlanToTheEndOfItsRound)
{
    PomodoroPlan plan = withBlocksBeforeLongBreak(planOf(1, true), 2);
    const double round = 1500 + 300 + 1500 + 900;
    for (const QStringList& expected : { QStringList { "1-focus", "1-shortBreak", "2-focus", "2-longBreak" },
             QStringList { "1-shortBreak", "2-focus", "2-longBreak" }, QStringList { "2-focus", "2-longBreak" },
             QStringList { "2-longBreak" }, QStringList { "3-focus", "3-shortBreak", "4-focus", "4-longBreak" } }) {
        const PomodoroYarnSchedule schedule = plan.yarnSchedule();
        EXPECT_EQ(keys(schedule), expected);
        EXPECT_DOUBLE_EQ(schedule.totalSeconds(), round);
        plan = plan.afterPhaseEnds(t0).value();
    }
}

TEST(PomodoroPlanYarn, NeverLaysOutMoreThanItsLimit)
{
    PomodoroPlan huge = planOf(1);
    huge.configuration.focusSeconds = 60;
    huge.totalFocusSeconds = PomodoroPlan::maximumPlanSeconds;
    EXPECT_EQ(huge.yarnSchedule().segments().size(), std::size_t(PomodoroPlan::maximumYarnSegments));
}

TEST(PomodoroYarn, ProgressWindsTheScheduleWithinItsTotal)
{
    const PomodoroYarnSchedule schedule(
        { { 1, PomodoroPhase::focus, 600 }, { 1, PomodoroPhase::shortBreak, 300 } }, 1200);
    EXPECT_DOUBLE_EQ(schedule.remainingAfterCurrentSeconds(), 300);

    // 300 s done before this schedule, 240 of the current 600 s wound.
    const PomodoroYarnProgress progress { schedule, 360 };
    EXPECT_DOUBLE_EQ(progress.elapsedSeconds(), 540);
    EXPECT_DOUBLE_EQ(progress.fraction(), 0.45);

    EXPECT_DOUBLE_EQ((PomodoroYarnProgress { schedule, 5000 }).elapsedSeconds(), 0);
    EXPECT_DOUBLE_EQ((PomodoroYarnProgress { PomodoroYarnSchedule({}, -5), 10 }).fraction(), 0);
    EXPECT_DOUBLE_EQ(PomodoroYarnSchedule({}, std::nan("")).totalSeconds(), 0);
}

// ---- stored form ----

QJsonObject storedPlan()
{
    PomodoroPlan plan = after(planOf(4), 2);
    plan.id = QStringLiteral("plan-1");
    plan.isPhaseRunning = true;
    plan.phaseEndedAt.reset();
    return plan.toJson();
}

PomodoroPlan decodedStoredPlan()
{
    return PomodoroPlan::fromJson(storedPlan(), PomodoroConfiguration {}).value();
}

TEST(PomodoroPlanCodec, ReadsBackWhatItWrites)
{
    bool adjusted = true;
    const PomodoroPlan running = decodedStoredPlan();
    EXPECT_EQ(PomodoroPlan::decoded(running.encoded(), PomodoroConfiguration {}, &adjusted), running);
    EXPECT_FALSE(adjusted);
    EXPECT_EQ(running.completedBlocks, 1);
    EXPECT_EQ(running.completedBreakSeconds, 300);

    const PomodoroPlan waiting = planOf(3, true).afterPhaseEnds(t0 + 1s).value();
    EXPECT_EQ(PomodoroPlan::decoded(waiting.encoded(), PomodoroConfiguration {}, &adjusted), waiting);
    EXPECT_FALSE(adjusted);
}

struct RepairCase {
    const char* name;
    const char* key;
    std::optional<QJsonValue> stored; // none: the key is missing
    std::function<void(PomodoroPlan&)> expect;
};

void PrintTo(const RepairCase& c, std::ostream* os)
{
    *os << c.name;
}

class PomodoroPlanRepair : public testing::TestWithParam<RepairCase> { };

TEST_P(PomodoroPlanRepair, HoldsTheFieldAndSaysSo)
{
    const RepairCase& c = GetParam();
    QJsonObject object = storedPlan();
    if (c.stored)
        object.insert(QLatin1String(c.key), *c.stored);
    else
        object.remove(QLatin1String(c.key));
    const PomodoroConfiguration fallback { 600, 120, 1200, 3 };
    PomodoroPlan expected = decodedStoredPlan();
    c.expect(expected);

    bool adjusted = false;
    const std::optional<PomodoroPlan> plan = PomodoroPlan::fromJson(object, fallback, &adjusted);
    ASSERT_TRUE(plan);
    EXPECT_TRUE(adjusted);
    EXPECT_FALSE(plan->id.isEmpty());
    expected.id = plan->id;
    EXPECT_EQ(*plan, expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, PomodoroPlanRepair,
    testing::Values(
        RepairCase { "NegativeBlocks", "completedBlocks", -3, [](PomodoroPlan& p) { p.completedBlocks = 0; } },
        RepairCase {
            "BlocksAsText", "completedBlocks", QStringLiteral("two"), [](PomodoroPlan& p) { p.completedBlocks = 0; } },
        RepairCase { "FractionalBlocks", "completedBlocks", 1.6, [](PomodoroPlan& p) { p.completedBlocks = 2; } },
        RepairCase {
            "NegativeBreakTime", "completedBreakSeconds", -10, [](PomodoroPlan& p) { p.completedBreakSeconds = 0; } },
        RepairCase { "HugeBreakTime", "completedBreakSeconds", 1e300,
            [](PomodoroPlan& p) { p.completedBreakSeconds = PomodoroPlan::maximumPlanSeconds; } },
        RepairCase {
            "NoLength", "phaseDurationSeconds", std::nullopt, [](PomodoroPlan& p) { p.phaseDurationSeconds = 1500; } },
        RepairCase { "ZeroLength", "phaseDurationSeconds", 0, [](PomodoroPlan& p) { p.phaseDurationSeconds = 1; } },
        RepairCase { "EndlessLength", "phaseDurationSeconds", 1e12,
            [](PomodoroPlan& p) {
                p.phaseDurationSeconds = PomodoroPlan::maximumPhaseSeconds;
                p.totalFocusSeconds = 1500 + PomodoroPlan::maximumPhaseSeconds;
            } },
        RepairCase {
            "NoTotal", "totalFocusSeconds", std::nullopt, [](PomodoroPlan& p) { p.totalFocusSeconds = 3000; } },
        // The total always covers the focus block that runs.
        RepairCase {
            "TotalShortOfTheBlock", "totalFocusSeconds", 100, [](PomodoroPlan& p) { p.totalFocusSeconds = 3000; } },
        RepairCase { "RunningAsText", "isPhaseRunning", QStringLiteral("yes"),
            [](PomodoroPlan& p) { p.isPhaseRunning = false; } },
        RepairCase { "RunningPhaseWithAnEnd", "phaseEndedAt", 1.8e9, [](PomodoroPlan&) {} },
        RepairCase { "NoContinuousFlag", "isContinuous", std::nullopt, [](PomodoroPlan&) {} },
        RepairCase { "NoId", "id", std::nullopt, [](PomodoroPlan&) {} },
        RepairCase { "NoConfiguration", "configuration", std::nullopt,
            [](PomodoroPlan& p) {
                p.configuration = { 600, 120, 1200, 3 };
            } },
        RepairCase { "ConfigurationOutOfRange", "configuration", QJsonObject { { "focusSeconds", 5 } },
            [](PomodoroPlan& p) { p.configuration.focusSeconds = PomodoroConfiguration::minimumLengthSeconds; } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PomodoroPlanCodec, AWaitingPlanLosesAnEndItCannotRead)
{
    QJsonObject object = planOf(4).afterPhaseEnds(t0)->toJson();
    object.insert(QStringLiteral("phaseEndedAt"), QStringLiteral("yesterday"));
    bool adjusted = false;
    const std::optional<PomodoroPlan> plan = PomodoroPlan::fromJson(object, PomodoroConfiguration {}, &adjusted);
    ASSERT_TRUE(plan);
    EXPECT_TRUE(adjusted);
    EXPECT_EQ(plan->phaseEndedAt, std::nullopt);
    EXPECT_EQ(plan->phase, PomodoroPhase::shortBreak);
}

class PomodoroPlanDrop : public testing::TestWithParam<const char*> { };

TEST_P(PomodoroPlanDrop, GivesNoPlan)
{
    EXPECT_EQ(PomodoroPlan::decoded(QByteArray(GetParam()), PomodoroConfiguration {}), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Data, PomodoroPlanDrop,
    testing::Values("", "not json", "[1, 2]", "42", R"({"phase": "nap", "phaseDurationSeconds": 60})",
        R"({"phaseDurationSeconds": 60})", R"({"phase": 3})", R"({"phase": "focus", "completedBlocks": 1e999})"));

} // namespace

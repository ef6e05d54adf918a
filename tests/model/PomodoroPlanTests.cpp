#include "model/PomodoroPlan.h"
#include "model/PomodoroYarnProgress.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

const Date t0 = Date(1'800'000'000s);

// Default lengths: focus 1500, short break 300, long break 900, a long break every 4 blocks.
PomodoroPlan planOf(qint64 sessions, bool continuous = false, int blocksBeforeLongBreak = 4)
{
    PomodoroConfiguration configuration;
    configuration.blocksBeforeLongBreak = blocksBeforeLongBreak;
    return PomodoroPlan::starting(sessions, configuration, continuous);
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

struct BlockCase {
    const char* name;
    PomodoroPlan plan;
    int plannedBlocks; // as the phase title shows it: "focus 3 of 4"
    bool focusAfter; // decides the next-phase and skip buttons
};

class PomodoroPlanBlocks : public testing::TestWithParam<BlockCase> { };

TEST_P(PomodoroPlanBlocks, CountBlocksAndTheFocusStillOwed)
{
    EXPECT_EQ(GetParam().plan.plannedBlockCount(), GetParam().plannedBlocks);
    EXPECT_EQ(GetParam().plan.hasFocusAfterCurrentPhase(), GetParam().focusAfter);
}

INSTANTIATE_TEST_SUITE_P(Plans, PomodoroPlanBlocks,
    testing::Values(BlockCase { "FirstOfFour", planOf(4), 4, true },
        BlockCase { "FirstOfFourExtended", planOf(4).extendedBy(3000), 4, true },
        BlockCase { "FirstBreak", after(planOf(4), 1), 4, true },
        BlockCase { "BreakBeforeLastBlock", after(planOf(4), 5), 4, true },
        BlockCase { "LastOfFour", after(planOf(4), 6), 4, false },
        BlockCase { "LastOfFourExtended", after(planOf(4), 6).extendedBy(1500), 4, false },
        BlockCase { "ContinuousFocus", planOf(1, true), 1, true },
        BlockCase { "ContinuousBreak", after(planOf(1, true), 1), 1, true },
        // The block in progress counts, a break adds none.
        BlockCase { "ContinuousThirdFocus", after(planOf(1, true), 4), 3, true },
        BlockCase { "ContinuousThirdBreak", after(planOf(1, true), 5), 3, true }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PomodoroPlanDerived, OverdueCountsWholeSecondsOfAWaitWithAKnownStart)
{
    const PomodoroPlan waiting = planOf(4).afterPhaseEnds(t0).value();
    EXPECT_EQ(waiting.overdueSeconds(t0 + 91900ms), 91);
    EXPECT_EQ(waiting.overdueSeconds(t0 - 30s), 0);
    EXPECT_EQ(planOf(4).overdueSeconds(t0 + 90s), std::nullopt);
}

TEST(PomodoroPlanYarn, LaysOutAFixedPlanToItsEndUnderTheRevealKeys)
{
    const PomodoroYarnSchedule schedule = planOf(6).yarnSchedule();
    EXPECT_EQ(keys(schedule),
        QStringList({ "1-focus", "1-shortBreak", "2-focus", "2-shortBreak", "3-focus", "3-shortBreak", "4-focus",
            "4-longBreak", "5-focus", "5-shortBreak", "6-focus" }));
    EXPECT_DOUBLE_EQ(schedule.totalSeconds(), 6 * 1500 + 4 * 300 + 900);
    EXPECT_DOUBLE_EQ(schedule.remainingAfterCurrentSeconds(), schedule.totalSeconds() - 1500);

    // What is done still counts toward the total.
    const PomodoroYarnSchedule later = after(planOf(6), 1).yarnSchedule();
    EXPECT_EQ(keys(later).first(), QStringLiteral("1-shortBreak"));
    EXPECT_DOUBLE_EQ(later.totalSeconds(), schedule.totalSeconds());

    PomodoroPlan huge = planOf(1);
    huge.totalFocusSeconds = PomodoroPlan::maximumPlanSeconds;
    EXPECT_EQ(huge.yarnSchedule().segments().size(), std::size_t(PomodoroPlan::maximumYarnSegments));
}

TEST(PomodoroPlanYarn, LaysOutAContinuousPlanRoundByRoundWithTheSameTotal)
{
    PomodoroPlan plan = planOf(1, true, 2);
    for (const QStringList& expected : { QStringList { "1-focus", "1-shortBreak", "2-focus", "2-longBreak" },
             QStringList { "1-shortBreak", "2-focus", "2-longBreak" }, QStringList { "2-focus", "2-longBreak" },
             QStringList { "2-longBreak" }, QStringList { "3-focus", "3-shortBreak", "4-focus", "4-longBreak" } }) {
        EXPECT_EQ(keys(plan.yarnSchedule()), expected);
        EXPECT_DOUBLE_EQ(plan.yarnSchedule().totalSeconds(), 1500 + 300 + 1500 + 900);
        plan = plan.afterPhaseEnds(t0).value();
    }
}

TEST(PomodoroPlanYarn, ProgressWindsWithinTheTotal)
{
    const PomodoroYarnSchedule schedule(
        { { 1, PomodoroPhase::focus, 600 }, { 1, PomodoroPhase::shortBreak, 300 } }, 1200);
    EXPECT_DOUBLE_EQ((PomodoroYarnProgress { schedule, 360 }).fraction(), 0.45);
    EXPECT_DOUBLE_EQ((PomodoroYarnProgress { schedule, 5000 }).elapsedSeconds(), 0);
    EXPECT_DOUBLE_EQ((PomodoroYarnProgress { PomodoroYarnSchedule({}, std::nan("")), 10 }).fraction(), 0);
}

// ---- stored form ----

// A plan in its second focus block, as written by a previous run.
QJsonObject storedPlan()
{
    PomodoroPlan plan = after(planOf(4), 2);
    plan.id = QStringLiteral("plan-1");
    plan.isPhaseRunning = true;
    plan.phaseEndedAt.reset();
    return plan.toJson();
}

TEST(PomodoroPlanCodec, ReadsBackWhatItWritesUntouched)
{
    bool adjusted = true;
    EXPECT_EQ(PomodoroPlan::fromJson(storedPlan(), {}, &adjusted).value().toJson(), storedPlan());
    EXPECT_FALSE(adjusted);
    const PomodoroPlan waiting = after(planOf(3, true), 1);
    EXPECT_EQ(PomodoroPlan::decoded(waiting.encoded(), {}, &adjusted), waiting);
    EXPECT_FALSE(adjusted);
}

struct RepairCase {
    const char* name;
    const char* key;
    QJsonValue stored; // undefined: the key is missing
    QJsonValue held; // undefined: as in the plan that was written
};

class PomodoroPlanRepair : public testing::TestWithParam<RepairCase> { };

TEST_P(PomodoroPlanRepair, HoldsTheFieldAndSaysSo)
{
    const RepairCase& c = GetParam();
    QJsonObject object = storedPlan();
    if (c.stored.isUndefined())
        object.remove(QLatin1String(c.key));
    else
        object.insert(QLatin1String(c.key), c.stored);
    QJsonObject expected = storedPlan();
    if (!c.held.isUndefined())
        expected.insert(QLatin1String(c.key), c.held);

    bool adjusted = false;
    const std::optional<PomodoroPlan> plan = PomodoroPlan::fromJson(object, { 600, 120, 1200, 3 }, &adjusted);
    ASSERT_TRUE(plan);
    EXPECT_TRUE(adjusted);
    EXPECT_FALSE(plan->id.isEmpty());
    QJsonObject actual = plan->toJson();
    actual.remove(QStringLiteral("id"));
    expected.remove(QStringLiteral("id"));
    EXPECT_EQ(actual, expected);
}

const QJsonValue missing(QJsonValue::Undefined);
INSTANTIATE_TEST_SUITE_P(Fields, PomodoroPlanRepair,
    testing::Values(RepairCase { "NegativeBlocks", "completedBlocks", -3, 0 },
        RepairCase { "BlocksAsText", "completedBlocks", QStringLiteral("two"), 0 },
        RepairCase { "HugeBreakTime", "completedBreakSeconds", 1e300, qint64(PomodoroPlan::maximumPlanSeconds) },
        RepairCase { "NoLength", "phaseDurationSeconds", missing, 1500 },
        RepairCase { "ZeroLength", "phaseDurationSeconds", 0, 1 },
        // The total always covers the focus block in progress.
        RepairCase { "TotalShortOfTheBlock", "totalFocusSeconds", 100, 3000 },
        RepairCase { "RunningPhaseWithAnEnd", "phaseEndedAt", 1.8e9, missing },
        RepairCase { "NoId", "id", missing, missing },
        RepairCase {
            "NoConfiguration", "configuration", missing, PomodoroConfiguration { 600, 120, 1200, 3 }.toJson() }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

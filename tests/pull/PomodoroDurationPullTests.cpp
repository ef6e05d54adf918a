#include "pull/PomodoroDurationPullController.h"
#include "pull/PomodoroDurationRopePanel.h"
#include "PullRig.h"
#include "artwork/PullStatusPill.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace mewt;
using namespace mewt::testing;
using Kind = PomodoroDurationKind;

struct ValueCase {
    Kind kind;
    double distance;
    int value;
};

class DurationValueFromDistance : public ::testing::TestWithParam<ValueCase> { };

TEST_P(DurationValueFromDistance, CountsWholeUnitsUpToTheMaximum)
{
    const ValueCase& c = GetParam();
    const int maximum = measuresMinutes(c.kind) ? 180 : 8;
    EXPECT_EQ(pomodoroDurationValue(c.kind, maximum, c.distance), c.value);
}

INSTANTIATE_TEST_SUITE_P(Distances, DurationValueFromDistance,
    ::testing::Values(ValueCase { Kind::focus, 0.0, 0 }, ValueCase { Kind::focus, 1.9, 0 },
        ValueCase { Kind::focus, 2.0, 1 }, ValueCase { Kind::break_, 50.0, 25 },
        ValueCase { Kind::longBreak, 360.0, 180 }, ValueCase { Kind::focus, 5000.0, 180 },
        ValueCase { Kind::longBreakInterval, 19.0, 0 }, ValueCase { Kind::longBreakInterval, 80.0, 4 },
        ValueCase { Kind::longBreakInterval, 900.0, 8 }, ValueCase { Kind::focus, NAN, 0 },
        ValueCase { Kind::focus, -30.0, 0 }));

TEST(DurationValueText, WritesHoursAndMinutesOrTheInterval)
{
    EXPECT_EQ(pomodoroDurationValueText(Kind::focus, 25), QStringLiteral("25m"));
    EXPECT_EQ(pomodoroDurationValueText(Kind::focus, 60), QStringLiteral("1h"));
    EXPECT_EQ(pomodoroDurationValueText(Kind::break_, 90), QStringLiteral("1h30m"));
    EXPECT_EQ(pomodoroDurationValueText(Kind::longBreakInterval, 4), QStringLiteral("every 4"));
}

class DurationPull : public ::testing::Test {
protected:
    DurationPull()
        : controller([] { return CatTheme::withId(QStringLiteral("calico")); }, rig.tactileSounds,
            YarnSoundFeedback([this] { ++ticks; }, YarnSoundFeedback::defaultMinimumTickGap, rig.clock),
            [](Kind kind) { return measuresMinutes(kind) ? 180 : 8; },
            [this](Kind kind, int value) { commits.emplace_back(kind, value); })
    {
        controller.onInteractionChange = [this](bool active) { interactions.push_back(active); };
    }

    // Moves the pointer straight down by `distance` from `start`, a little later each time.
    void dragBy(double distance)
    {
        rig.clock.advance(std::chrono::milliseconds(50));
        controller.drag(start + QPointF(0, distance));
    }

    PullRig rig;
    int ticks = 0;
    std::vector<std::pair<Kind, int>> commits;
    std::vector<bool> interactions;
    PomodoroDurationPullController controller;
    const QPointF start { 400, 200 };
};

TEST_F(DurationPull, CommitsTheRopesValueOnReleaseAndHidesIt)
{
    controller.begin(Kind::focus, start);
    EXPECT_TRUE(controller.isActive());
    EXPECT_EQ(controller.model().kind(), Kind::focus);
    EXPECT_TRUE(controller.isSimulating());
    ASSERT_NE(controller.ropePanel(), nullptr);
    EXPECT_TRUE(controller.ropePanel()->isVisible());
    EXPECT_EQ(controller.ropePanel()->theme().id, QStringLiteral("calico"));
    dragBy(30);
    dragBy(50);
    EXPECT_EQ(controller.model().value(), 25);
    controller.release(start + QPointF(0, 50));
    EXPECT_EQ(commits, (std::vector<std::pair<Kind, int>> { { Kind::focus, 25 } }));
    EXPECT_FALSE(controller.isActive());
    EXPECT_FALSE(controller.model().kind().has_value());
    EXPECT_FALSE(controller.isSimulating());
    EXPECT_FALSE(controller.ropePanel()->isVisible());
    EXPECT_EQ(interactions, (std::vector<bool> { true, false }));
    // The press begun with the pull ends on the whisper, because something was committed.
    const std::vector<TactileSound> sounds = rig.soundsSince(0);
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ(sounds.front(), TactileSound::press);
    EXPECT_EQ(sounds.back(), TactileSound::whisper);
}

TEST_F(DurationPull, ClampsTheRopeAndTheValueToTheKindsMaximum)
{
    controller.begin(Kind::longBreakInterval, start);
    dragBy(2000);
    EXPECT_EQ(controller.model().value(), 8);
    const QPointF reach = controller.model().pullPoint() - start;
    EXPECT_NEAR(std::hypot(reach.x(), reach.y()), 8 * pomodoroDurationPointsPerUnit(Kind::longBreakInterval), 1e-9);
    controller.release(start + QPointF(3000, 0));
    EXPECT_EQ(commits, (std::vector<std::pair<Kind, int>> { { Kind::longBreakInterval, 8 } }));
}

TEST_F(DurationPull, ARopeShorterThanOneUnitCommitsNothingAndDoesNotWhisper)
{
    controller.begin(Kind::break_, start);
    dragBy(1.5);
    controller.release(start + QPointF(1.5, 0));
    EXPECT_TRUE(commits.empty());
    const std::vector<TactileSound> sounds = rig.soundsSince(0);
    EXPECT_EQ(sounds, (std::vector<TactileSound> { TactileSound::press, TactileSound::release }));
    EXPECT_EQ(interactions, (std::vector<bool> { true, false }));
}

TEST_F(DurationPull, PullingBackBelowOneUnitTakesTheWhisperBack)
{
    controller.begin(Kind::focus, start);
    dragBy(40);
    EXPECT_EQ(rig.tactileSounds.pointerReleaseSound(), TactileSound::whisper);
    dragBy(1);
    EXPECT_EQ(rig.tactileSounds.pointerReleaseSound(), TactileSound::release);
    // The pointer feedback may end the press on the mouse-up before the release arrives.
    rig.tactileSounds.endPress();
    controller.release(start + QPointF(0, 1));
    EXPECT_TRUE(commits.empty());
    const std::vector<TactileSound> sounds = rig.soundsSince(0);
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), TactileSound::whisper), 0);
}

TEST_F(DurationPull, EndIsHarmlessWhenIdleAndReportsTheEndOnce)
{
    controller.end();
    EXPECT_TRUE(interactions.empty());
    controller.begin(Kind::longBreak, start);
    dragBy(100);
    controller.end();
    controller.end();
    controller.release(start + QPointF(0, 100));
    EXPECT_EQ(interactions, (std::vector<bool> { true, false }));
    EXPECT_TRUE(commits.empty());
    EXPECT_FALSE(controller.isSimulating());
    // The cut-short press no longer promises a whisper.
    EXPECT_EQ(rig.tactileSounds.pointerReleaseSound(), TactileSound::release);
}

TEST_F(DurationPull, ABeginDuringAPullEndsTheOldOneFirst)
{
    controller.begin(Kind::focus, start);
    dragBy(40);
    controller.begin(Kind::break_, start + QPointF(60, 0));
    EXPECT_EQ(interactions, (std::vector<bool> { true, false, true }));
    EXPECT_EQ(controller.model().kind(), Kind::break_);
    EXPECT_EQ(controller.model().value(), 0);
    EXPECT_TRUE(commits.empty());
}

TEST_F(DurationPull, TicksOncePerNewValueAndStartsEachPullAfresh)
{
    controller.begin(Kind::focus, start);
    dragBy(2); // 1
    dragBy(2); // still 1: no tick
    dragBy(4); // 2
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(controller.yarnFeedback().lastValue(), 2);
    controller.end();
    EXPECT_EQ(controller.yarnFeedback().lastValue(), 0);
    controller.begin(Kind::focus, start);
    dragBy(2);
    EXPECT_EQ(ticks, 3); // 1 ticks again in a new pull
}

TEST_F(DurationPull, TheRopeShowsThePulledValueInThePill)
{
    controller.begin(Kind::break_, start);
    dragBy(10);
    PomodoroDurationRopePanel& panel = *controller.ropePanel();
    EXPECT_TRUE(panel.pill().isVisible());
    EXPECT_EQ(panel.pill().interactionPalette(), CatTheme::withId(QStringLiteral("calico")).interactionPalette());
    EXPECT_TRUE(panel.geometry().contains(controller.model().pullPoint().toPoint()));
    EXPECT_TRUE(panel.geometry().contains(panel.mapToGlobal(panel.pill().geometry().bottomRight())));
}

TEST_F(DurationPull, CloseEndsThePullAndRefusesNewOnes)
{
    controller.begin(Kind::focus, start);
    controller.close();
    EXPECT_EQ(controller.ropePanel(), nullptr);
    EXPECT_FALSE(controller.isActive());
    controller.begin(Kind::focus, start);
    EXPECT_FALSE(controller.isActive());
    controller.begin(Kind::focus, QPointF(NAN, 0));
    EXPECT_EQ(interactions, (std::vector<bool> { true, false }));
}

TEST(YarnString, HangsSlackBetweenItsEndsAndSettles)
{
    YarnStringSimulation string;
    const QPointF left(0, 0);
    const QPointF right(150, 0);
    string.reset(left, left);
    string.setEnds(left, right);
    double firstMotion = 0.0;
    for (int frame = 0; frame < 400; ++frame) {
        string.step();
        if (frame == 5)
            firstMotion = string.motion();
    }
    const auto& points = string.points();
    EXPECT_EQ(points.front(), left);
    EXPECT_EQ(points.back(), right);
    // The middle sags under gravity, and the spacing holds.
    EXPECT_GT(points[YarnStringSimulation::pointCount / 2].y(), 10.0);
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const QPointF gap = points[i + 1] - points[i];
        EXPECT_NEAR(std::hypot(gap.x(), gap.y()), string.segmentLength(), 0.5);
    }
    EXPECT_GT(firstMotion, 1.0);
    EXPECT_LT(string.motion(), 1e-3);
}

TEST(YarnString, IgnoresEndsThatAreNotNumbers)
{
    YarnStringSimulation string;
    string.reset({ 10, 10 }, { 60, 10 });
    string.setEnds({ NAN, 0 }, { 0, INFINITY });
    string.step();
    for (const QPointF& point : string.points())
        EXPECT_TRUE(std::isfinite(point.x()) && std::isfinite(point.y()));
    EXPECT_EQ(string.points().back(), QPointF(60, 10));
}

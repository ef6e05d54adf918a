#include "ScopedEnvironment.h"
#include "artwork/DemoTimeline.h"
#include "artwork/PullPreview.h"

#include <QApplication>
#include <cmath>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

constexpr double tourDistance = 70.0;
const QSizeF tourCanvas(220.0, 100.0);

void expectNear(QPointF actual, QPointF expected, double tolerance = 0.01)
{
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
}

} // namespace

TEST(DemoTimeline, ALaterChangeTakesOverFromWhereTheAnimationHadGot)
{
    const DemoTimeline timeline({ 0.0 }, { { { { 0, 1.0, 1.0 } }, 0.5 }, { { { 0, 0.0, 1.0 } }, 1.0 } });
    EXPECT_DOUBLE_EQ(timeline.duration(), 1.5);
    const double halfway = timeline.valuesAt(0.5)[0];
    EXPECT_GT(halfway, 0.5); // ease-out is past half at half time
    EXPECT_LT(halfway, 1.0);
    // No jump to 1 or to 0 where the second change begins.
    EXPECT_NEAR(timeline.valuesAt(0.501)[0], halfway, 0.01);
    EXPECT_DOUBLE_EQ(timeline.valuesAt(1.5)[0], 0.0);
    EXPECT_DOUBLE_EQ(timeline.valuesAt(-1.0)[0], 0.0);
}

TEST(DemoTimeline, TellsWhenTheNextChangeBegins)
{
    const DemoTimeline timeline({ 0.0, 0.0 }, { { { { 0, 1.0, 0.5 } }, 1.0 }, { { { 1, 1.0 } }, 1.0 } });
    EXPECT_DOUBLE_EQ(timeline.nextChangeAt(0.2), 0.2); // moving
    EXPECT_DOUBLE_EQ(timeline.nextChangeAt(0.7), 1.0); // still until the second step
    EXPECT_DOUBLE_EQ(timeline.nextChangeAt(1.5), 2.0); // nothing left in this cycle
}

TEST(DemoTimeline, CurvesKeepTheirEndsAndShape)
{
    for (const DemoCurve curve : { DemoCurve::easeIn, DemoCurve::easeOut, DemoCurve::easeInOut }) {
        EXPECT_NEAR(demoCurveValue(curve, 0.0), 0.0, 1e-6);
        EXPECT_NEAR(demoCurveValue(curve, 1.0), 1.0, 1e-6);
        EXPECT_NEAR(demoCurveValue(curve, 2.0), 1.0, 1e-6);
    }
    EXPECT_LT(demoCurveValue(DemoCurve::easeIn, 0.5), 0.5);
    EXPECT_GT(demoCurveValue(DemoCurve::easeOut, 0.5), 0.5);
    EXPECT_NEAR(demoCurveValue(DemoCurve::easeInOut, 0.5), 0.5, 1e-3);
}

struct PoseCase {
    const char* name;
    double pull;
    double drop;
    QPointF grip;
    QPointF armEnd;
    QPointF pawImage;
    double angle;
};

class PullPreviewGeometry : public ::testing::TestWithParam<PoseCase> { };

TEST_P(PullPreviewGeometry, MatchesTheWorkedPositions)
{
    const PoseCase& c = GetParam();
    const PullPreviewLayout layout
        = pullPreviewLayout({ c.drop, c.pull, 1.0, 0 }, tourDistance, tourCanvas, 60.0, false);
    expectNear(layout.pawCentre, c.grip);
    expectNear(layout.armEnd, c.armEnd);
    expectNear(layout.pawImageCentre, c.pawImage);
    EXPECT_NEAR(layout.pawAngle, c.angle, 1e-4);
    expectNear(layout.shoulder, { 68.0, -72.0 });
}

INSTANTIATE_TEST_SUITE_P(Tour, PullPreviewGeometry,
    ::testing::Values(PoseCase { "rest", 0.0, 1.0, { 68, 41 }, { 68, 22 }, { 68, 19.5 }, 0.0 },
        PoseCase { "fullPull", 1.0, 1.0, { 138, 53 }, { 122.85, 41.53 }, { 120.86, 40.02 }, -0.9227 },
        // Before the drop the paw hangs 72 higher, outside the canvas; the shoulder stays.
        PoseCase { "notDropped", 0.0, 0.0, { 68, 41 }, { 68, -50 }, { 68, -52.5 }, 0.0 }),
    [](const auto& info) { return std::string(info.param.name); });

struct PillCase {
    const char* name;
    qsizetype characters;
    double distance;
    double pull;
    double canvasHeight;
    double width;
    QPointF centre;
};

class PullPreviewPill : public ::testing::TestWithParam<PillCase> { };

TEST_P(PullPreviewPill, StaysInsideTheCanvas)
{
    const PillCase& c = GetParam();
    const QSizeF canvas(220.0, c.canvasHeight);
    const double width = pullPreviewPillWidthEstimate(c.characters, canvas.width());
    EXPECT_DOUBLE_EQ(width, c.width);
    const PullPreviewLayout layout = pullPreviewLayout({ 1.0, c.pull, 1.0, 0 }, c.distance, canvas, width, false);
    expectNear(layout.pillCentre, c.centre);
}

INSTANTIATE_TEST_SUITE_P(Clamps, PullPreviewPill,
    ::testing::Values(PillCase { "tooLongIsCentred", 40, 70, 1.0, 100, 212, { 110, 83 } },
        PillCase { "shortFollowsThePaw", 4, 70, 0.5, 100, 54, { 103, 77 } },
        PillCase { "shortStaysInsideTheRightEdge", 4, 200, 1.0, 100, 54, { 189, 83 } },
        PillCase { "risesAboveALowBottom", 4, 70, 0.0, 80, 54, { 68, 66 } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PullPreviewLayout, PointerAndPillFadeInWithThePullUnlessThePillShowsAtRest)
{
    const auto at = [](double pull, bool atRest) {
        return pullPreviewLayout({ 1.0, pull, 1.0, 0 }, tourDistance, tourCanvas, 60.0, atRest);
    };
    EXPECT_FALSE(at(0.02, false).showsPointer);
    EXPECT_TRUE(at(0.021, false).showsPointer);
    EXPECT_DOUBLE_EQ(at(0.5, false).pointerOpacity, 0.5);
    EXPECT_DOUBLE_EQ(at(0.0, false).pillOpacity, 0.0);
    EXPECT_DOUBLE_EQ(at(0.0, true).pillOpacity, 1.0);
    // Markings wait until the arm is longer than 70: not while the paw is still above.
    EXPECT_FALSE(pullPreviewLayout({ 0.0, 0.0, 1.0, 0 }, tourDistance, tourCanvas, 60.0, false).drawsArmPattern);
    EXPECT_TRUE(at(0.0, false).drawsArmPattern);
}

TEST(PullPreviewStatus, CountsWholeMinutesFromOneAndTellsTheEndTime)
{
    const QDateTime now(QDate(2026, 1, 1), QTime(10, 50, 30));
    const QLocale c = QLocale::c();
    EXPECT_EQ(pullPreviewDefaultStatusText(0.0, now, c), QStringLiteral("1 min · 10:51"));
    EXPECT_EQ(pullPreviewDefaultStatusText(0.13, now, c), QStringLiteral("1 min · 10:51"));
    EXPECT_EQ(pullPreviewDefaultStatusText(0.14, now, c), QStringLiteral("2 min · 10:52"));
    EXPECT_EQ(pullPreviewDefaultStatusText(1.0, now, c), QStringLiteral("15 min · 11:05"));
}

TEST(PullPreviewCycle, LastsAsLongAsItsWaits)
{
    EXPECT_NEAR(pullPreviewCycle(0.44).duration(), 2.51, 1e-9);
    // A short pull still fades over the pull and still waits 0.4 before the next cycle.
    const DemoTimeline quick = pullPreviewCycle(0.2);
    EXPECT_NEAR(quick.duration(), 2.42, 1e-9);
    const double springBack = quick.stepStart(4);
    EXPECT_NEAR(quick.valuesAt(springBack + 0.2)[0], 0.0, 1e-9);
    EXPECT_GT(quick.valuesAt(springBack + 0.1)[0], 0.0);
}

class PullPreviewLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        preview.loop().setTimeSource([this] { return now; });
        preview.show();
    }
    void at(double seconds)
    {
        now = seconds;
        preview.loop().tick();
    }

    double now = 100.0;
    PullPreview preview { CatTheme::defaultTheme(), tourDistance, tourCanvas, 0.78, 0.44 };
};

TEST_F(PullPreviewLoop, RunsOnlyWhileShownAndCountsCycles)
{
    EXPECT_TRUE(preview.loop().isRunning());
    at(100.0 + 1.15 + 0.44);
    EXPECT_NEAR(preview.pose().pullProgress, 1.0, 1e-9);
    EXPECT_NEAR(preview.pose().opacity, 1.0, 1e-9);
    at(100.0 + 2.51 * 2 + 0.1);
    EXPECT_EQ(preview.pose().cycleIndex, 2);
    preview.hide();
    EXPECT_FALSE(preview.loop().isRunning());
}

TEST_F(PullPreviewLoop, SendsNoFramesWhileNothingMoves)
{
    at(100.2); // the blank wait before the fade-in
    EXPECT_TRUE(preview.loop().isIdle());
    EXPECT_TRUE(preview.loop().isRunning());
    at(100.5); // fading in
    EXPECT_FALSE(preview.loop().isIdle());
    at(100.0 + 1.15 + 0.5); // holding the full pull
    EXPECT_TRUE(preview.loop().isIdle());
}

TEST_F(PullPreviewLoop, ANewPullDurationWaitsForTheNextPull)
{
    at(100.0 + 1.3); // mid-pull
    preview.setPullDuration(1.0);
    at(100.0 + 1.15 + 0.44);
    EXPECT_NEAR(preview.pose().pullProgress, 1.0, 1e-9);
    // The next cycle pulls over a second, so at 0.44 into it the paw is not fully out yet.
    at(100.0 + 2.51 + 1.15 + 0.44);
    EXPECT_EQ(preview.pose().cycleIndex, 1);
    EXPECT_LT(preview.pose().pullProgress, 0.95);
    EXPECT_DOUBLE_EQ(preview.activePullDuration(), 1.0);
}

TEST_F(PullPreviewLoop, AnotherCatStartsAgainFromTheFirstStep)
{
    at(100.0 + 2.51 + 1.5);
    ASSERT_EQ(preview.pose().cycleIndex, 1);
    preview.setTheme(CatTheme::withId(QStringLiteral("calico")));
    EXPECT_EQ(preview.pose(), PullPreviewPose {});
    EXPECT_TRUE(preview.loop().isRunning());
}

TEST_F(PullPreviewLoop, ReducedMotionStandsStillFullyPulled)
{
    const ScopedEnvironment reduced("MEWT_REDUCED_MOTION", "1");
    at(100.5); // the setting changed while the loop ran
    EXPECT_EQ(preview.pose(), (PullPreviewPose { 1.0, 1.0, 1.0, 0 }));
    EXPECT_FALSE(preview.loop().isRunning());
    preview.hide();
    preview.show();
    EXPECT_FALSE(preview.loop().isRunning());
    EXPECT_EQ(preview.pose(), (PullPreviewPose { 1.0, 1.0, 1.0, 0 }));
}

TEST(PullPreviewHost, ItsStatusTextSeesTheProgressAndTheCycle)
{
    std::vector<std::pair<double, int>> seen;
    double now = 0.0;
    PullPreview preview(
        CatTheme::defaultTheme(), 180.0, QSizeF(340.0, 132.0), 1.0, 3.0 * 60.0 / 110.0,
        [&seen](double progress, int cycle) {
            seen.emplace_back(progress, cycle);
            return QStringLiteral("+%1").arg(cycle);
        },
        true);
    preview.loop().setTimeSource([&now] { return now; });
    preview.show();
    now = 0.45 + 0.36 + 0.34 + 0.1; // pulling
    preview.loop().tick();
    ASSERT_FALSE(seen.empty());
    EXPECT_GT(seen.back().first, 0.0);
    EXPECT_LT(seen.back().first, 1.0);
    EXPECT_EQ(preview.statusText(), QStringLiteral("+0"));
    now += pullPreviewCycle(3.0 * 60.0 / 110.0).duration();
    preview.loop().tick();
    EXPECT_EQ(seen.back().second, 1);
    // Shown at rest: the pill is there as soon as the paw has dropped in.
    EXPECT_DOUBLE_EQ(pullPreviewLayout({ 1.0, 0.0, 1.0, 0 }, 180.0, QSizeF(340.0, 132.0), 60.0, true).pillOpacity, 1.0);
}

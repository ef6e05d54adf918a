#include "pull/PullAmount.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace mewt;

struct StepCase {
    double distance;
    int stepDistance;
    qint64 steps;
};

class PullStepsFromDistance : public ::testing::TestWithParam<StepCase> { };

TEST_P(PullStepsFromDistance, RoundsUpWholeStepsWithoutAMaximum)
{
    const StepCase& c = GetParam();
    EXPECT_EQ(pullSteps(c.distance, c.stepDistance), c.steps) << c.distance << " / " << c.stepDistance;
}

INSTANTIATE_TEST_SUITE_P(Distances, PullStepsFromDistance,
    ::testing::Values(StepCase { 0.0, 20, 0 }, // no travel
        StepCase { -35.0, 20, 0 }, // above the anchor
        StepCase { 0.0005, 20, 0 }, // the jitter of a click
        StepCase { 0.01, 20, 1 }, // any real travel is a step
        StepCase { 20.0, 20, 1 }, StepCase { 20.5, 20, 2 }, // just over one step
        StepCase { 200.0, 20, 10 }, StepCase { 200.0000001, 20, 10 }, // float noise is not a step
        StepCase { 199.0, 40, 5 }, StepCase { 4000.0, 20, 200 }, // far beyond the screen
        StepCase { 10.0, 0, 10 }, StepCase { 10.0, -5, 10 }, // a step below 1 counts as 1
        StepCase { 1e300, 20, maximumPullSteps }, StepCase { INFINITY, 20, maximumPullSteps },
        StepCase { NAN, 20, 0 }));

struct SecondsCase {
    qint64 steps;
    PullGranularity granularity;
    qint64 seconds;
};

class TimerSecondsFromSteps : public ::testing::TestWithParam<SecondsCase> { };

TEST_P(TimerSecondsFromSteps, AddsTheGranularityPerStep)
{
    const SecondsCase& c = GetParam();
    EXPECT_EQ(timerSecondsForSteps(c.steps, c.granularity), c.seconds);
}

INSTANTIATE_TEST_SUITE_P(Granularities, TimerSecondsFromSteps,
    ::testing::Values(SecondsCase { 0, PullGranularity::minute, 0 }, SecondsCase { -3, PullGranularity::minute, 0 },
        SecondsCase { 7, PullGranularity::second, 7 }, SecondsCase { 7, PullGranularity::thirtySeconds, 210 },
        SecondsCase { 10, PullGranularity::minute, 600 }, SecondsCase { 3, PullGranularity::fiveMinutes, 900 },
        SecondsCase { 3, PullGranularity::fifteenMinutes, 2700 },
        SecondsCase { 5000, PullGranularity::thirtyMinutes, 9'000'000 },
        SecondsCase { maximumPullSteps, PullGranularity::thirtyMinutes, maximumPullSteps * 1800 },
        SecondsCase {
            std::numeric_limits<qint64>::max(), PullGranularity::thirtyMinutes, std::numeric_limits<qint64>::max() }));

struct CancelCase {
    QPointF anchor;
    QPointF pointer;
    bool cancels;
};

class PullCancelArea : public ::testing::TestWithParam<CancelCase> { };

TEST_P(PullCancelArea, IsAboveTheAnchorOrAtTheTopEdge)
{
    const CancelCase& c = GetParam();
    EXPECT_EQ(isInPullCancelArea(c.anchor, c.pointer, QRectF(0, 0, 1920, 1080)), c.cancels);
}

INSTANTIATE_TEST_SUITE_P(Pointers, PullCancelArea,
    ::testing::Values(CancelCase { { 500, 60 }, { 500, 60 }, false }, // not moved
        CancelCase { { 500, 60 }, { 500, 51 }, false }, // a wobble upwards
        CancelCase { { 500, 60 }, { 500, 49.9 }, true }, // back up past the margin
        CancelCase { { 500, 60 }, { 900, 300 }, false }, // pulling
        CancelCase { { 500, 8 }, { 500, 2 }, true }, // the anchor sits at the edge: the edge itself
        CancelCase { { 500, 2 }, { 500, 2 }, false }, // a click on the edge is not a cancel
        CancelCase { { 500, 60 }, { 500, NAN }, false }));

#pragma once

#include "model/PullGranularity.h"
#include "model/TimerMode.h"

#include <QPointF>
#include <QRectF>
#include <QtGlobal>

namespace mewt {

// There is no preset maximum, but a pull is held here so the seconds stay far from overflow (a
// billion steps of thirty minutes still fit in 64 bits many times over).
inline constexpr qint64 maximumPullSteps = 1'000'000'000;

// Whole steps for a pull that reached `distanceBelowAnchor` points below its anchor: the distance
// divided by the step distance, rounded up; 0 for no travel (or travel upwards). A step distance
// below 1 counts as 1, and a distance that is not a number counts as none.
qint64 pullSteps(double distanceBelowAnchor, int stepDistancePoints);

// What `steps` add in timer mode, saturating instead of overflowing.
qint64 timerSecondsForSteps(qint64 steps, PullGranularity granularity);

// The cancel area: the pointer dragged back up more than `cancelMargin` above the anchor, or up to
// the top edge of the pull's screen (which the pointer cannot pass when the anchor sits near it).
inline constexpr double pullCancelMargin = 10.0;
inline constexpr double pullCancelEdge = 2.0;
bool isInPullCancelArea(QPointF anchor, QPointF pointer, const QRectF& screenFrame);

// What a pull commits: the whole steps, the seconds they stand for (timer time in timer mode, focus
// time in pomodoro mode) and the mode decided when the pull began.
struct PullCommit {
    qint64 steps = 0;
    qint64 seconds = 0;
    TimerMode mode = TimerMode::timer;

    bool operator==(const PullCommit&) const = default;
};

} // namespace mewt

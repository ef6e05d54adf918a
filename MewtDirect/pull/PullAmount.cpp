#include "pull/PullAmount.h"

#include <cmath>
#include <limits>

namespace mewt {

qint64 pullSteps(double distanceBelowAnchor, int stepDistancePoints)
{
    // Sub-pixel jitter of a click that never moved is no travel.
    if (!(distanceBelowAnchor > 0.001))
        return 0;
    const double step = stepDistancePoints < 1 ? 1.0 : static_cast<double>(stepDistancePoints);
    // A tolerance of a millionth of a step keeps 200 / 20 at 10 when the pointer arrives as 200.0000001.
    const double steps = std::ceil(distanceBelowAnchor / step - 1e-6);
    if (!(steps < static_cast<double>(maximumPullSteps)))
        return maximumPullSteps;
    return steps < 1.0 ? 1 : static_cast<qint64>(steps);
}

qint64 timerSecondsForSteps(qint64 steps, PullGranularity granularity)
{
    if (steps <= 0)
        return 0;
    const qint64 perStep = secondsPerStep(granularity);
    if (steps > std::numeric_limits<qint64>::max() / perStep)
        return std::numeric_limits<qint64>::max();
    return steps * perStep;
}

bool isInPullCancelArea(QPointF anchor, QPointF pointer, const QRectF& screenFrame)
{
    if (!std::isfinite(pointer.y()) || !std::isfinite(anchor.y()))
        return false;
    if (pointer.y() < anchor.y() - pullCancelMargin)
        return true;
    return !screenFrame.isEmpty() && pointer.y() <= screenFrame.top() + pullCancelEdge && pointer.y() < anchor.y();
}

} // namespace mewt

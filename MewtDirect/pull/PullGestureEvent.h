#pragma once

#include <QPointF>
#include <QRectF>

namespace mewt {

// One event of a pull on the pull handle, in global screen coordinates with y growing downwards.
struct PullGestureEvent {
    enum class Phase { began, changed, ended, cancelled };

    Phase phase = Phase::began;
    // Where the press started; the pull is measured from here.
    QPointF anchorPoint;
    QPointF pointerLocation;
    // The whole frame of the screen the pull started on.
    QRectF screenFrame;

    bool operator==(const PullGestureEvent&) const = default;
};

} // namespace mewt

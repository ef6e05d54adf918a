#pragma once

#include "model/PomodoroYarnSchedule.h"

namespace mewt {

// A yarn schedule at one moment: how much of its current segment is still to run. The popover's
// timeline and zen bar draw from it.
struct PomodoroYarnProgress {
    using Segment = PomodoroYarnSegment;

    PomodoroYarnSchedule schedule;
    double currentRemainingSeconds = 0.0;

    // What is still to run: the rest of the current segment and everything after it.
    double remainingSeconds() const;
    // The wound part of the total, held to 0...total.
    double elapsedSeconds() const;
    // The wound part as a share of the total; 0 when nothing is planned.
    double fraction() const;

    bool operator==(const PomodoroYarnProgress&) const = default;
};

} // namespace mewt

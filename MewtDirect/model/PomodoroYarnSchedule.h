#pragma once

#include "model/PomodoroPhase.h"

#include <vector>

namespace mewt {

// One stretch of yarn: a phase of the plan and how long it lasts. `block` numbers the focus block
// the phase belongs to; a break carries the number of the block before it.
struct PomodoroYarnSegment {
    int block = 1;
    PomodoroPhase phase = PomodoroPhase::focus;
    double seconds = 0.0;

    bool operator==(const PomodoroYarnSegment&) const = default;
};

// The plan laid out as yarn, the current phase first. The total is the length the drawing is
// scaled to, so it must not move while a phase runs.
class PomodoroYarnSchedule {
public:
    PomodoroYarnSchedule() = default;
    // A total below 0 or not finite is 0; a segment length below 0 or not finite counts as 0.
    PomodoroYarnSchedule(std::vector<PomodoroYarnSegment> segments, double totalSeconds);

    const std::vector<PomodoroYarnSegment>& segments() const { return parts; }
    double totalSeconds() const { return total; }
    // The seconds of every segment after the first.
    double remainingAfterCurrentSeconds() const { return afterCurrent; }

    bool operator==(const PomodoroYarnSchedule&) const = default;

private:
    std::vector<PomodoroYarnSegment> parts;
    double total = 0.0;
    double afterCurrent = 0.0;
};

} // namespace mewt

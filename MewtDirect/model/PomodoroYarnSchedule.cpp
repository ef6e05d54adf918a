#include "model/PomodoroYarnSchedule.h"

#include <cmath>

namespace mewt {

namespace {

double nonNegative(double seconds)
{
    return std::isfinite(seconds) && seconds > 0.0 ? seconds : 0.0;
}

} // namespace

PomodoroYarnSchedule::PomodoroYarnSchedule(std::vector<PomodoroYarnSegment> segments, double totalSeconds)
    : parts(std::move(segments))
    , total(nonNegative(totalSeconds))
{
    for (PomodoroYarnSegment& segment : parts)
        segment.seconds = nonNegative(segment.seconds);
    for (std::size_t index = 1; index < parts.size(); ++index)
        afterCurrent += parts[index].seconds;
}

} // namespace mewt

#include "model/PomodoroYarnProgress.h"

#include <algorithm>
#include <cmath>

namespace mewt {

double PomodoroYarnProgress::remainingSeconds() const
{
    const double current = std::isfinite(currentRemainingSeconds) ? currentRemainingSeconds : 0.0;
    return schedule.remainingAfterCurrentSeconds() + current;
}

double PomodoroYarnProgress::elapsedSeconds() const
{
    const double total = schedule.totalSeconds();
    return std::clamp(total - remainingSeconds(), 0.0, total);
}

double PomodoroYarnProgress::fraction() const
{
    const double total = schedule.totalSeconds();
    return total > 0.0 ? elapsedSeconds() / total : 0.0;
}

} // namespace mewt

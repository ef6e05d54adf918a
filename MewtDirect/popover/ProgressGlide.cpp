#include "popover/ProgressGlide.h"

#include "artwork/FrameClock.h"
#include "artwork/ReducedMotion.h"

#include <QWidget>
#include <cmath>

namespace mewt {

ProgressGlide::ProgressGlide(QWidget& view, std::function<double()> devicePixelSpan)
    : view(view)
    , span(std::move(devicePixelSpan))
    // What is drawn and the goal share one schedule: another one lands at once.
    , remaining(view, duration, [this] {
        const double total = goal.schedule.totalSeconds();
        return total > 0.0 ? span() / total : 0.0;
    })
{
}

PomodoroYarnProgress ProgressGlide::shown() const
{
    PomodoroYarnProgress drawn = goal;
    drawn.currentRemainingSeconds = remaining.shown();
    return drawn;
}

void ProgressGlide::retarget(const PomodoroYarnProgress& target)
{
    const bool sameYarn = target.schedule == goal.schedule;
    const bool near = std::abs(target.currentRemainingSeconds - remaining.valueAt(FrameClock::shared().now()))
        <= longestGlideSeconds;
    goal = target;
    remaining.retarget(target.currentRemainingSeconds, sameYarn && near && !reducesMotion());
    if (!sameYarn)
        view.update();
}

void ProgressGlide::stop()
{
    remaining.stop();
}

} // namespace mewt

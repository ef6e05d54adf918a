#include "popover/ProgressGlide.h"

#include "artwork/FrameClock.h"
#include "artwork/ReducedMotion.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace mewt {

namespace {
// A frame found a hair short of the pixel by rounding still draws it.
constexpr double pixelTolerance = 1e-3;
} // namespace

ProgressGlide::ProgressGlide(QWidget& view, std::function<double()> devicePixelSpan)
    : view(view)
    , span(std::move(devicePixelSpan))
{
}

ProgressGlide::~ProgressGlide()
{
    FrameClock::shared().cancelFrame(&view);
}

void ProgressGlide::retarget(const PomodoroYarnProgress& target)
{
    const PomodoroYarnProgress before = drawn;
    const Uptime now = FrameClock::shared().now();
    setTarget(target, view.isVisible() && !reducesMotion(), now);
    advance(now);
    if (drawn != before)
        view.update();
    requestFrame();
}

void ProgressGlide::stop()
{
    FrameClock::shared().cancelFrame(&view);
    land();
}

void ProgressGlide::frame()
{
    if (advance(FrameClock::shared().now()))
        view.update();
    requestFrame();
}

void ProgressGlide::requestFrame()
{
    const std::optional<Uptime> due = view.isVisible() ? nextFrame() : std::nullopt;
    if (due)
        FrameClock::shared().requestFrame(&view, *due, [this] { frame(); });
    else
        FrameClock::shared().cancelFrame(&view);
}

// What is drawn and the goal share one schedule: another one lands at once.
double ProgressGlide::pixelsPerSecond() const
{
    const double total = goal.schedule.totalSeconds();
    return total > 0.0 ? span() / total : 0.0;
}

double ProgressGlide::remainingAt(Uptime now) const
{
    const double share = std::clamp(std::chrono::duration<double>(now - start) / duration, 0.0, 1.0);
    return fromRemaining + (goal.currentRemainingSeconds - fromRemaining) * share;
}

void ProgressGlide::setTarget(const PomodoroYarnProgress& target, bool glides, Uptime now)
{
    const double from = remainingAt(now);
    const bool near = std::abs(target.currentRemainingSeconds - from) <= longestGlideSeconds;
    const bool sameYarn = target.schedule == drawn.schedule;
    goal = target;
    if (!glides || !near || !sameYarn) {
        land();
        return;
    }
    fromRemaining = from;
    start = now;
}

bool ProgressGlide::advance(Uptime now)
{
    const double remaining = remainingAt(now);
    if (std::abs(remaining - drawn.currentRemainingSeconds) * pixelsPerSecond() < 1.0 - pixelTolerance)
        return false;
    drawn.currentRemainingSeconds = remaining;
    return true;
}

std::optional<Uptime> ProgressGlide::nextFrame() const
{
    const double change = goal.currentRemainingSeconds - fromRemaining;
    const double speed = pixelsPerSecond();
    if (change == 0.0 || speed <= 0.0)
        return std::nullopt;
    const double wanted = drawn.currentRemainingSeconds + std::copysign(1.0 / speed, change);
    const double share = (wanted - fromRemaining) / change;
    if (share > 1.0)
        return std::nullopt;
    const auto into = std::chrono::duration<double>(std::max(share, 0.0) * duration);
    return start + std::chrono::ceil<Uptime::duration>(into);
}

void ProgressGlide::land()
{
    drawn = goal;
    fromRemaining = goal.currentRemainingSeconds;
}

} // namespace mewt

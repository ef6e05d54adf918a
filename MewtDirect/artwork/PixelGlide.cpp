#include "artwork/PixelGlide.h"

#include "artwork/FrameClock.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace mewt {

namespace {
// A frame found a hair short of the pixel by rounding still draws it.
constexpr double pixelTolerance = 1e-3;
} // namespace

PixelGlide::PixelGlide(QWidget& view, std::chrono::milliseconds duration, std::function<double()> devicePixelsPerUnit)
    : view(view)
    , duration(duration)
    , pixelsPerUnit(std::move(devicePixelsPerUnit))
{
}

PixelGlide::~PixelGlide()
{
    FrameClock::shared().cancelFrame(&view);
}

double PixelGlide::valueAt(Uptime now) const
{
    const double share
        = duration.count() > 0 ? std::clamp(std::chrono::duration<double>(now - start) / duration, 0.0, 1.0) : 1.0;
    return from + (goal - from) * share;
}

void PixelGlide::retarget(double value, bool glides)
{
    const double before = drawn;
    const Uptime now = FrameClock::shared().now();
    if (glides && view.isVisible()) {
        from = valueAt(now);
        start = now;
        goal = value;
        advance(now);
    } else {
        goal = value;
        land();
    }
    if (drawn != before)
        view.update();
    requestFrame();
}

void PixelGlide::stop()
{
    FrameClock::shared().cancelFrame(&view);
    if (std::exchange(drawn, goal) != goal)
        view.update();
    from = goal;
}

void PixelGlide::frame()
{
    if (advance(FrameClock::shared().now()))
        view.update();
    requestFrame();
}

void PixelGlide::requestFrame()
{
    const std::optional<Uptime> due = view.isVisible() ? nextFrame() : std::nullopt;
    if (due)
        FrameClock::shared().requestFrame(&view, *due, [this] { frame(); });
    else
        FrameClock::shared().cancelFrame(&view);
}

bool PixelGlide::advance(Uptime now)
{
    const double value = valueAt(now);
    if (std::abs(value - drawn) * pixelsPerUnit() < 1.0 - pixelTolerance)
        return false;
    drawn = value;
    return true;
}

std::optional<Uptime> PixelGlide::nextFrame() const
{
    const double change = goal - from;
    const double speed = pixelsPerUnit();
    if (change == 0.0 || speed <= 0.0)
        return std::nullopt;
    const double wanted = drawn + std::copysign(1.0 / speed, change);
    const double share = (wanted - from) / change;
    if (share > 1.0)
        return std::nullopt;
    const auto into = std::chrono::duration<double>(std::max(share, 0.0) * duration);
    return start + std::chrono::ceil<Uptime::duration>(into);
}

void PixelGlide::land()
{
    drawn = goal;
    from = goal;
}

} // namespace mewt

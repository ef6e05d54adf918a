#include "pull/YarnStringSimulation.h"

#include <algorithm>
#include <cmath>

namespace mewt {

namespace {

bool isFinite(QPointF point)
{
    return std::isfinite(point.x()) && std::isfinite(point.y());
}

} // namespace

void YarnStringSimulation::reset(QPointF start, QPointF end)
{
    if (!isFinite(start) || !isFinite(end))
        return;
    for (int i = 0; i < pointCount; ++i) {
        const double t = static_cast<double>(i) / (pointCount - 1);
        current[static_cast<std::size_t>(i)] = start + (end - start) * t;
    }
    previous = current;
    lastMotion = 0.0;
    updateRestLength();
}

void YarnStringSimulation::setEnds(QPointF start, QPointF end)
{
    if (!isFinite(start) || !isFinite(end))
        return;
    current.front() = start;
    previous.front() = start;
    current.back() = end;
    previous.back() = end;
    updateRestLength();
}

void YarnStringSimulation::updateRestLength()
{
    const QPointF gap = current.back() - current.front();
    restLength = std::max(std::hypot(gap.x(), gap.y()), minimumLength) * slack / (pointCount - 1);
}

void YarnStringSimulation::step()
{
    const double fall = gravity * frameSeconds * frameSeconds;
    lastMotion = 0.0;
    for (std::size_t i = 1; i + 1 < current.size(); ++i) {
        const QPointF velocity = (current[i] - previous[i]) * damping;
        previous[i] = current[i];
        current[i] += velocity + QPointF(0.0, fall);
    }
    // Each pass pulls every pair of neighbours back to the rest spacing; the held ends never move.
    for (int pass = 0; pass < constraintIterations; ++pass) {
        for (std::size_t i = 0; i + 1 < current.size(); ++i) {
            const QPointF delta = current[i + 1] - current[i];
            const double distance = std::hypot(delta.x(), delta.y());
            if (distance <= 1e-9)
                continue;
            const QPointF correction = delta * ((distance - restLength) / distance);
            const bool firstHeld = i == 0;
            const bool secondHeld = i + 1 == current.size() - 1;
            if (firstHeld && secondHeld)
                continue;
            if (firstHeld)
                current[i + 1] -= correction;
            else if (secondHeld)
                current[i] += correction;
            else {
                current[i] += correction * 0.5;
                current[i + 1] -= correction * 0.5;
            }
        }
    }
    for (std::size_t i = 1; i + 1 < current.size(); ++i) {
        const QPointF moved = current[i] - previous[i];
        lastMotion += moved.x() * moved.x() + moved.y() * moved.y();
    }
}

} // namespace mewt

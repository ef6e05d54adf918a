#pragma once

#include <QPointF>
#include <array>

namespace mewt {

// A strand of yarn hanging between two held ends: a chain of point masses moved by Verlet
// integration under gravity, with damping, and held at equal spacing by distance constraints. The
// strand is a little longer than the gap between its ends, so it sags and sways as they move.
class YarnStringSimulation final {
public:
    static constexpr int pointCount = 16;
    static constexpr double frameSeconds = 0.016;
    static constexpr double gravity = 1500.0; // points per second squared, downwards
    static constexpr double damping = 0.955; // share of the velocity kept each frame
    static constexpr int constraintIterations = 12;
    static constexpr double slack = 1.1;
    static constexpr double minimumLength = 18.0;

    using Points = std::array<QPointF, pointCount>;

    // Lays the strand straight from `start` to `end`, at rest.
    void reset(QPointF start, QPointF end);
    // Moves the held ends; the strand pays out or takes in yarn to stay a little slack. Ends that
    // are not finite numbers are ignored.
    void setEnds(QPointF start, QPointF end);
    // Advances one frame.
    void step();

    const Points& points() const { return current; }
    double segmentLength() const { return restLength; }
    // The sum of squared moves of the last frame: near zero once the strand hangs still.
    double motion() const { return lastMotion; }

private:
    void updateRestLength();

    Points current {};
    Points previous {};
    double restLength = minimumLength * slack / (pointCount - 1);
    double lastMotion = 0.0;
};

} // namespace mewt

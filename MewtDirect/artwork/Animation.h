#pragma once

class QEasingCurve;
class QPointF;

namespace mewt {

// One frame of every animation: frame timers run at this interval and only while something moves.
inline constexpr int frameIntervalMs = 16;

// Fast start, gentle landing; t and the result in 0...1.
constexpr double easeOutCubic(double t)
{
    const double u = 1.0 - (t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t));
    return 1.0 - u * u * u;
}

// The standard curves below as plain functions of progress (held to 0...1).
double easeOutValue(double t);
double easeInOutValue(double t);

// A cubic Bézier timing curve from (0, 0) to (1, 1) through the two control points.
QEasingCurve cubicBezierCurve(QPointF control1, QPointF control2);

// The standard ease-in (0.42, 0 / 1, 1), ease-out (0, 0 / 0.58, 1) and ease-in-out
// (0.42, 0 / 0.58, 1) timing curves, made once.
const QEasingCurve& easeInCurve();
const QEasingCurve& easeOutCurve();
const QEasingCurve& easeInOutCurve();

} // namespace mewt

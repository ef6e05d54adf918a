#pragma once

namespace mewt {

// One frame of every animation: frame timers run at this interval and only while something moves.
inline constexpr int frameIntervalMs = 16;

// Fast start, gentle landing; t and the result in 0...1.
constexpr double easeOutCubic(double t)
{
    const double u = 1.0 - (t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t));
    return 1.0 - u * u * u;
}

} // namespace mewt

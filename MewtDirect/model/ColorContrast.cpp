#include "model/ColorContrast.h"

#include <algorithm>
#include <cmath>

namespace mewt {

namespace {

double linearChannel(double encoded)
{
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

int blendedChannel(int from, int to, double fraction)
{
    return static_cast<int>(std::lround(from + (to - from) * fraction));
}

} // namespace

double relativeLuminance(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * linearChannel(rgb.redF()) + 0.7152 * linearChannel(rgb.greenF())
        + 0.0722 * linearChannel(rgb.blueF());
}

double contrastRatio(const QColor& first, const QColor& second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor blendedColor(const QColor& from, const QColor& to, double fraction)
{
    if (!std::isfinite(fraction))
        fraction = 0.0;
    fraction = std::clamp(fraction, 0.0, 1.0);
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor(blendedChannel(a.red(), b.red(), fraction), blendedChannel(a.green(), b.green(), fraction),
        blendedChannel(a.blue(), b.blue(), fraction), blendedChannel(a.alpha(), b.alpha(), fraction));
}

QColor contrastingMonochromeColor(const QColor& color)
{
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(color, black) >= contrastRatio(color, white) ? black : white;
}

QColor colorMeetingContrast(const QColor& color, const QColor& background, double targetRatio, const QColor& toward)
{
    // Steps are computed from their index so that the last one is exactly `toward`.
    constexpr int steps = 20;
    for (int step = 0; step <= steps; ++step) {
        const QColor candidate = blendedColor(color, toward, static_cast<double>(step) / steps);
        if (contrastRatio(candidate, background) >= targetRatio)
            return candidate;
    }
    return toward;
}

} // namespace mewt

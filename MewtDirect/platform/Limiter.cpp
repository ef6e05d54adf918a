#include "platform/Limiter.h"

#include <algorithm>
#include <cmath>

namespace mewt {

namespace {

double smoothingCoefficient(double seconds, double sampleRate)
{
    if (!(seconds > 0.0) || !(sampleRate > 0.0))
        return 0.0;
    return std::exp(-1.0 / (seconds * sampleRate));
}

} // namespace

Limiter::Limiter(double sampleRate, Parameters parameters)
    : parameters(parameters)
    , thresholdLinear(std::pow(10.0, parameters.thresholdDb / 20.0))
    , attackCoefficient(smoothingCoefficient(parameters.attackSeconds, sampleRate))
    , releaseCoefficient(smoothingCoefficient(parameters.releaseSeconds, sampleRate))
{
}

double Limiter::staticCurveDb(double inputDb) const
{
    const double threshold = parameters.thresholdDb;
    const double headRoom = parameters.headRoomDb;
    if (inputDb <= threshold)
        return inputDb;
    if (!(headRoom > 0.0))
        return threshold;
    return threshold + headRoom * (1.0 - std::exp(-(inputDb - threshold) / headRoom));
}

void Limiter::process(float* samples, std::size_t frames)
{
    // The reduction each sample needs is held at its peak and let go with the release time, then
    // smoothed with the attack time, so the gain follows the peaks of a wave rather than its
    // instantaneous value and recovers from a loud sound at the release rate.
    double peak = heldReductionDb;
    double smooth = -currentGainDb;
    for (std::size_t i = 0; i < frames; ++i) {
        const double x = samples[i];
        const double level = std::fabs(x);
        double reduction = 0.0;
        if (level > thresholdLinear) {
            const double levelDb = 20.0 * std::log10(level);
            reduction = levelDb - staticCurveDb(levelDb);
        }
        peak = std::max(reduction, releaseCoefficient * peak + (1.0 - releaseCoefficient) * reduction);
        smooth = attackCoefficient * smooth + (1.0 - attackCoefficient) * peak;
        double y = x;
        if (smooth > 1e-6)
            y *= std::pow(10.0, -smooth / 20.0);
        samples[i] = static_cast<float>(std::clamp(y, -1.0, 1.0));
    }
    heldReductionDb = peak;
    currentGainDb = -smooth;
}

} // namespace mewt

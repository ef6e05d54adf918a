#pragma once

#include <cstddef>

namespace mewt {

// Peak limiter for the interface-sound bus. Below the threshold the signal passes unchanged; above
// it the level bends softly toward threshold + head room, which is therefore the ceiling once the
// attack has caught up. The gain follows the signal's peaks in decibels, with separate attack and
// release time constants. A final clip at full scale catches the few samples of an onset that
// precede the attack.
class Limiter final {
public:
    struct Parameters {
        double thresholdDb = -8.0;
        double headRoomDb = 6.0;
        double attackSeconds = 0.002;
        double releaseSeconds = 0.08;
    };

    explicit Limiter(double sampleRate, Parameters parameters);
    explicit Limiter(double sampleRate)
        : Limiter(sampleRate, Parameters {})
    {
    }

    void process(float* samples, std::size_t frames);
    void reset()
    {
        currentGainDb = 0.0;
        heldReductionDb = 0.0;
    }

    // The level a steady input at `inputDb` settles to.
    double staticCurveDb(double inputDb) const;
    double ceilingDb() const { return parameters.thresholdDb + parameters.headRoomDb; }
    // The gain applied to the latest sample, in dB (0 or below).
    double gainDb() const { return currentGainDb; }
    // True once the gain has recovered to within 0.01 dB of unity: what follows starts unlimited.
    bool isSettled() const { return currentGainDb > -0.01 && heldReductionDb < 0.01; }
    const Parameters& settings() const { return parameters; }

private:
    Parameters parameters;
    double thresholdLinear;
    double attackCoefficient;
    double releaseCoefficient;
    double currentGainDb = 0.0;
    double heldReductionDb = 0.0;
};

} // namespace mewt

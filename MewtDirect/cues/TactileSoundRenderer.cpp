#include "cues/TactileSoundRenderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mewt {

namespace {

constexpr double envelopeFloor = 0.0001;
constexpr double layerTail = 0.05;
constexpr double soundTail = 0.05;
constexpr double lnOneThousandth = -6.907755278982137;
constexpr double twoOverPi = 0.6366197723675814;
// Far above any rate the engine uses; keeps a wild argument from sizing a huge buffer.
constexpr double maximumSampleRate = 384000.0;

bool usableRate(double sampleRate)
{
    return std::isfinite(sampleRate) && sampleRate > 0.0 && sampleRate <= maximumSampleRate;
}

double envelopeAt(const TactileSoundLayer& layer, double t)
{
    if (layer.attack > 0.0 && t < layer.attack)
        return envelopeFloor * std::pow(layer.peak / envelopeFloor, t / layer.attack);
    const double d = t - layer.attack;
    if (layer.decay > 0.0 && d < layer.decay)
        return layer.peak * std::pow(envelopeFloor / layer.peak, d / layer.decay);
    return envelopeFloor;
}

struct Biquad {
    double b0 = 0.0, b1 = 0.0, b2 = 0.0, c1 = 0.0, c2 = 0.0;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;

    double step(double x)
    {
        const double y = b0 * x + b1 * x1 + b2 * x2 + c1 * y1 - c2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

Biquad makeBiquad(TactileSoundLayer::Filter filter, double frequency, double q, double sampleRate)
{
    const double fc = std::min(frequency, 0.49 * sampleRate);
    const double w = 2.0 * std::numbers::pi * fc / sampleRate;
    const double alpha = std::sin(w) / (2.0 * std::max(q, 0.0001));
    const double a0 = 1.0 + alpha;
    Biquad biquad;
    if (filter == TactileSoundLayer::Filter::lowpass) {
        biquad.b0 = (1.0 - std::cos(w)) / 2.0 / a0;
        biquad.b1 = (1.0 - std::cos(w)) / a0;
        biquad.b2 = biquad.b0;
    } else {
        biquad.b0 = alpha / a0;
        biquad.b1 = 0.0;
        biquad.b2 = -alpha / a0;
    }
    biquad.c1 = 2.0 * std::cos(w) / a0;
    biquad.c2 = (1.0 - alpha) / a0;
    return biquad;
}

void renderTone(const TactileSoundLayer& layer, const TactileSoundLayer::Tone& tone, double* out, std::size_t count,
    double sampleRate)
{
    const double ratio = std::pow(2.0, tone.detune / 1200.0);
    const double f0 = tone.frequency * ratio;
    const double glideLength = tone.glideTime.value_or(layer.attack + layer.decay);
    const bool glides = tone.glideTo.has_value() && glideLength > 0.0;
    const double glideRatio = glides ? *tone.glideTo / tone.frequency : 1.0;
    double phase = 0.0;
    for (std::size_t k = 0; k < count; ++k) {
        const double t = static_cast<double>(k) / sampleRate;
        double f = f0;
        if (glides) {
            const double p = std::clamp(t / glideLength, 0.0, 1.0);
            f = f0 * std::pow(glideRatio, p);
        }
        phase += 2.0 * std::numbers::pi * f / sampleRate;
        double s = std::sin(phase);
        if (tone.waveform == TactileSoundLayer::Waveform::triangle)
            s = std::asin(s) * twoOverPi;
        out[k] += s * envelopeAt(layer, t);
    }
}

void renderNoise(const TactileSoundLayer& layer, const TactileSoundLayer::Noise& noise, double* out, std::size_t count,
    std::uint64_t seed, double sampleRate)
{
    Biquad filter = makeBiquad(noise.filter, noise.frequency, noise.q, sampleRate);
    std::uint64_t state = seed;
    for (std::size_t k = 0; k < count; ++k) {
        const double t = static_cast<double>(k) / sampleRate;
        state = state * 6364136223846793005ULL + 1ULL;
        const double u = static_cast<double>(state >> 11) / 9007199254740991.0;
        const double white = 2.0 * u - 1.0;
        out[k] += filter.step(white) * envelopeAt(layer, t);
    }
}

} // namespace

std::uint64_t layerSeed(std::string_view name, std::size_t layerIndex)
{
    std::uint64_t seed = static_cast<std::uint64_t>(layerIndex) + 1;
    for (const char byte : name)
        seed = (seed * 1099511628211ULL) ^ static_cast<unsigned char>(byte);
    return seed;
}

void renderLayer(const TactileSoundLayer& layer, std::vector<double>& buffer, std::uint64_t seed, double sampleRate)
{
    // A layer without a positive peak would make the envelope's ratios undefined; it is silent.
    if (!usableRate(sampleRate) || !(layer.peak > 0.0))
        return;
    const double startPosition = std::max(std::floor(layer.offset * sampleRate), 0.0);
    const double lengthFrames = std::max(std::floor((layer.attack + layer.decay + layerTail) * sampleRate), 1.0);
    if (!std::isfinite(startPosition) || !std::isfinite(lengthFrames)
        || startPosition >= static_cast<double>(buffer.size()))
        return;
    const auto start = static_cast<std::size_t>(startPosition);
    const std::size_t count
        = static_cast<std::size_t>(std::min(lengthFrames, static_cast<double>(buffer.size() - start)));
    double* out = buffer.data() + start;
    if (const auto* tone = std::get_if<TactileSoundLayer::Tone>(&layer.source))
        renderTone(layer, *tone, out, count, sampleRate);
    else
        renderNoise(layer, std::get<TactileSoundLayer::Noise>(layer.source), out, count, seed, sampleRate);
}

void applyShimmer(
    std::vector<double>& buffer, double delay, double feedback, double wet, double lowpass, double sampleRate)
{
    if (!usableRate(sampleRate))
        return;
    const double delayFrames = std::max(std::round(delay * sampleRate), 1.0);
    if (!std::isfinite(delayFrames) || static_cast<double>(buffer.size()) <= delayFrames)
        return;
    const auto d = static_cast<std::size_t>(delayFrames);
    Biquad filter = makeBiquad(TactileSoundLayer::Filter::lowpass, lowpass, 1.0, sampleRate);
    std::vector<double> line = buffer;
    const std::size_t n = buffer.size();
    for (std::size_t k = 0; k + d < n; ++k) {
        const double y = filter.step(line[k]);
        buffer[k + d] += y * wet;
        line[k + d] += y * feedback;
    }
}

std::vector<float> renderRecipe(const TactileSoundRecipe& recipe, std::string_view name, double sampleRate)
{
    if (!usableRate(sampleRate))
        return std::vector<float>(1, 0.0F);
    double maxEnd = 0.0;
    for (const TactileSoundLayer& layer : recipe.layers)
        maxEnd = std::max(maxEnd, layer.offset + layer.attack + layer.decay + layerTail);
    double tail = 0.0;
    if (recipe.shimmer && recipe.shimmer->feedback > 0.0 && recipe.shimmer->feedback < 1.0)
        tail = (std::ceil(lnOneThousandth / std::log(recipe.shimmer->feedback)) + 1.0) * recipe.shimmer->delay;
    const double frames = std::ceil((maxEnd + tail + soundTail) * sampleRate);
    // A recipe whose numbers are not finite or absurdly long renders one silent sample.
    const double limit = 60.0 * sampleRate;
    const auto n = std::isfinite(frames) && frames <= limit ? static_cast<std::size_t>(std::max(frames, 1.0)) : 1;
    std::vector<double> buffer(n, 0.0);
    for (std::size_t i = 0; i < recipe.layers.size(); ++i)
        renderLayer(recipe.layers[i], buffer, layerSeed(name, i), sampleRate);
    if (recipe.shimmer) {
        const TactileSoundShimmer& shimmer = *recipe.shimmer;
        applyShimmer(buffer, shimmer.delay, shimmer.feedback, shimmer.wet, shimmer.lowpass, sampleRate);
    }
    std::vector<float> samples(n);
    for (std::size_t i = 0; i < n; ++i)
        samples[i] = static_cast<float>(buffer[i] * recipe.masterGain * 4.0);
    return samples;
}

std::vector<float> renderRecipe(TactileSound sound, double sampleRate)
{
    return renderRecipe(tactileSoundRecipe(sound), tactileSoundName(sound), sampleRate);
}

} // namespace mewt

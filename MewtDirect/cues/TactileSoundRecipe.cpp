#include "cues/TactileSoundRecipe.h"

#include <array>

namespace mewt {

namespace {

using Layer = TactileSoundLayer;
using Waveform = TactileSoundLayer::Waveform;
using Filter = TactileSoundLayer::Filter;
using Shimmer = TactileSoundShimmer;

Layer tone(Waveform waveform, double frequency, double detune, std::optional<double> glideTo,
    std::optional<double> glideTime, double offset, double attack, double decay, double peak)
{
    return { Layer::Tone { waveform, frequency, detune, glideTo, glideTime }, offset, attack, decay, peak };
}

Layer sine(double frequency, double offset, double attack, double decay, double peak)
{
    return tone(Waveform::sine, frequency, 0.0, std::nullopt, std::nullopt, offset, attack, decay, peak);
}

Layer noise(Filter filter, double frequency, double q, double offset, double attack, double decay, double peak)
{
    return { Layer::Noise { filter, frequency, q }, offset, attack, decay, peak };
}

constexpr auto lowpass = Filter::lowpass;
constexpr auto bandpass = Filter::bandpass;
constexpr auto triangle = Waveform::triangle;
constexpr auto none = std::nullopt;

std::array<TactileSoundRecipe, allTactileSounds.size()> makeTable()
{
    std::array<TactileSoundRecipe, allTactileSounds.size()> table;
    auto set = [&table](TactileSound sound, TactileSoundRecipe recipe) {
        table[static_cast<std::size_t>(sound)] = std::move(recipe);
    };
    set(TactileSound::chime,
        { 0.5, { sine(1046.5, 0.0, 0.006, 0.22, 0.09), sine(1568.0, 0.09, 0.006, 0.26, 0.08) },
            Shimmer { 0.12, 0.25, 0.18, 4000.0 } });
    set(TactileSound::sparkle,
        { 0.5,
            { sine(1760.0, 0.0, 0.003, 0.09, 0.045), sine(2217.0, 0.045, 0.003, 0.09, 0.04),
                sine(2637.0, 0.09, 0.003, 0.1, 0.038), sine(3520.0, 0.135, 0.003, 0.12, 0.032) },
            Shimmer { 0.07, 0.35, 0.22, 6000.0 } });
    set(TactileSound::droplet,
        { 0.55, { tone(Waveform::sine, 1200.0, 0.0, 550.0, 0.14, 0.0, 0.004, 0.2, 0.075) },
            Shimmer { 0.09, 0.2, 0.15, 3000.0 } });
    set(TactileSound::bloom,
        { 0.5,
            { sine(528.0, 0.0, 0.06, 0.32, 0.06),
                tone(Waveform::sine, 528.0, 12.0, none, none, 0.0, 0.06, 0.34, 0.05) },
            Shimmer { 0.15, 0.2, 0.12, 2500.0 } });
    set(TactileSound::whisper,
        { 0.48,
            { noise(lowpass, 1600.0, 0.7, 0.0, 0.025, 0.13, 0.04),
                tone(Waveform::sine, 880.0, 0.0, 660.0, 0.14, 0.01, 0.012, 0.14, 0.025) },
            none });
    set(TactileSound::tick,
        { 0.4, { noise(bandpass, 5400.0, 1.8, 0.0, 0.001, 0.018, 0.14), sine(2600.0, 0.0, 0.001, 0.012, 0.018) },
            none });
    set(TactileSound::press, { 0.4, { noise(bandpass, 1700.0, 1.4, 0.0, 0.001, 0.02, 0.13) }, none });
    set(TactileSound::release,
        { 0.4, { noise(bandpass, 4600.0, 1.8, 0.0, 0.001, 0.016, 0.12), sine(3200.0, 0.006, 0.001, 0.05, 0.02) },
            none });
    set(TactileSound::toggle,
        { 0.4,
            { noise(bandpass, 2200.0, 1.6, 0.0, 0.001, 0.016, 0.12),
                noise(bandpass, 3800.0, 1.6, 0.024, 0.001, 0.02, 0.1) },
            none });
    set(TactileSound::success,
        { 0.5,
            { sine(880.0, 0.0, 0.004, 0.09, 0.06), sine(1108.73, 0.06, 0.004, 0.1, 0.06),
                sine(1318.51, 0.12, 0.004, 0.18, 0.07) },
            Shimmer { 0.1, 0.22, 0.16, 4500.0 } });
    set(TactileSound::error,
        { 0.42,
            { noise(bandpass, 850.0, 1.1, 0.0, 0.001, 0.035, 0.13),
                tone(triangle, 440.0, 0.0, none, none, 0.025, 0.004, 0.09, 0.045),
                tone(triangle, 349.23, 0.0, none, none, 0.1, 0.004, 0.14, 0.04) },
            none });
    set(TactileSound::page,
        { 0.38,
            { noise(lowpass, 1800.0, 0.7, 0.0, 0.006, 0.08, 0.11),
                noise(bandpass, 4200.0, 1.2, 0.04, 0.004, 0.065, 0.08), sine(2400.0, 0.075, 0.002, 0.045, 0.02) },
            none });
    set(TactileSound::loading,
        { 0.42,
            { noise(lowpass, 1400.0, 0.6, 0.0, 0.035, 0.14, 0.035),
                tone(Waveform::sine, 420.0, 0.0, 630.0, 0.18, 0.0, 0.025, 0.18, 0.05) },
            Shimmer { 0.11, 0.18, 0.12, 2800.0 } });
    set(TactileSound::ready,
        { 0.48,
            { noise(bandpass, 3600.0, 1.8, 0.0, 0.001, 0.02, 0.11),
                tone(triangle, 330.0, 0.0, 660.0, 0.12, 0.012, 0.004, 0.16, 0.055),
                sine(990.0, 0.13, 0.004, 0.22, 0.06) },
            Shimmer { 0.1, 0.16, 0.1, 4200.0 } });
    set(TactileSound::pulse,
        { 0.42,
            { noise(bandpass, 2600.0, 2.4, 0.0, 0.001, 0.022, 0.08),
                tone(triangle, 620.0, 0.0, 1240.0, 0.07, 0.0, 0.002, 0.085, 0.055) },
            none });
    set(TactileSound::scan,
        { 0.4,
            { sine(740.0, 0.0, 0.002, 0.055, 0.05), sine(1110.0, 0.045, 0.002, 0.055, 0.045),
                sine(1665.0, 0.09, 0.002, 0.07, 0.04) },
            Shimmer { 0.065, 0.16, 0.1, 4200.0 } });
    set(TactileSound::arrival,
        { 0.44,
            { noise(lowpass, 900.0, 0.8, 0.0, 0.05, 0.24, 0.035),
                tone(Waveform::sine, 220.0, 0.0, 440.0, 0.32, 0.0, 0.04, 0.34, 0.055),
                sine(659.25, 0.12, 0.045, 0.32, 0.04), sine(987.77, 0.19, 0.045, 0.34, 0.032) },
            Shimmer { 0.16, 0.28, 0.18, 3200.0 } });
    set(TactileSound::cancel,
        { 0.42,
            { tone(triangle, 520.0, 0.0, 260.0, 0.08, 0.0, 0.003, 0.11, 0.07),
                noise(lowpass, 900.0, 0.7, 0.012, 0.004, 0.055, 0.035) },
            none });
    return table;
}

} // namespace

const TactileSoundRecipe& tactileSoundRecipe(TactileSound sound)
{
    static const auto table = makeTable();
    return table[static_cast<std::size_t>(sound)];
}

} // namespace mewt

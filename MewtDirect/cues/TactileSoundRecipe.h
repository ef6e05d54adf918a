#pragma once

#include "cues/TactileSound.h"

#include <optional>
#include <variant>
#include <vector>

namespace mewt {

// One voice of an interface sound: a tone or a band of filtered noise under an exponential
// envelope that starts `offset` seconds into the sound.
struct TactileSoundLayer {
    enum class Waveform { sine, triangle };
    enum class Filter { lowpass, bandpass };

    struct Tone {
        Waveform waveform = Waveform::sine;
        double frequency = 0.0; // Hz
        double detune = 0.0; // cents
        std::optional<double> glideTo;
        std::optional<double> glideTime;
    };
    struct Noise {
        Filter filter = Filter::lowpass;
        double frequency = 0.0; // cut-off or centre, Hz
        double q = 0.0;
    };
    using Source = std::variant<Tone, Noise>;

    Source source;
    double offset = 0.0;
    double attack = 0.0;
    double decay = 0.0;
    double peak = 0.0;
};

// A short filtered echo tail.
struct TactileSoundShimmer {
    double delay = 0.0;
    double feedback = 0.0;
    double wet = 0.0;
    double lowpass = 0.0;
};

struct TactileSoundRecipe {
    double masterGain = 0.0;
    std::vector<TactileSoundLayer> layers;
    std::optional<TactileSoundShimmer> shimmer;
};

// Every sound has exactly one recipe; the table is built on first use and never changes.
const TactileSoundRecipe& tactileSoundRecipe(TactileSound sound);

} // namespace mewt

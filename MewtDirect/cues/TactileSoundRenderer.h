#pragma once

#include "cues/TactileSoundRecipe.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace mewt {

// Turns a recipe into mono samples. Deterministic to the bit: the same sound at the same rate gives
// the same samples, noise included, because every step runs in a fixed order on doubles and the
// noise comes from a seeded generator.
std::vector<float> renderRecipe(TactileSound sound, double sampleRate);
// The same for any recipe; `name` seeds the noise of its layers.
std::vector<float> renderRecipe(const TactileSoundRecipe& recipe, std::string_view name, double sampleRate);

// The noise seed of the layer at `layerIndex` (0-based) of the sound called `name`.
std::uint64_t layerSeed(std::string_view name, std::size_t layerIndex);

// Both add into `buffer` in place.
void renderLayer(const TactileSoundLayer& layer, std::vector<double>& buffer, std::uint64_t seed, double sampleRate);
void applyShimmer(
    std::vector<double>& buffer, double delay, double feedback, double wet, double lowpass, double sampleRate);

} // namespace mewt

#include "TactileSoundRenderer.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace mewt;

namespace {

constexpr double rate = 48000.0;

class EverySound : public ::testing::TestWithParam<TactileSound> { };

TEST_P(EverySound, RendersTheSameFiniteAudibleSamplesEachTime)
{
    const std::vector<float> first = renderRecipe(GetParam(), rate);
    const std::vector<float> second = renderRecipe(GetParam(), rate);
    ASSERT_EQ(first, second);
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](float s) { return std::isfinite(s); }));
    const float peak = std::abs(
        *std::max_element(first.begin(), first.end(), [](float a, float b) { return std::abs(a) < std::abs(b); }));
    EXPECT_GT(peak, 0.01F);
    // The limiter follows, but no recipe should lean on it to stay in range.
    EXPECT_LT(peak, 1.0F);
}

INSTANTIATE_TEST_SUITE_P(Recipes, EverySound, ::testing::ValuesIn(allTactileSounds),
    [](const auto& info) { return std::string(tactileSoundName(info.param)); });

TEST(RecipeLengths, MatchTheWorkedExamples)
{
    EXPECT_EQ(renderRecipe(TactileSound::tick, rate).size(), 5712U);
    EXPECT_NEAR(renderRecipe(TactileSound::chime, rate).size() / rate, 1.176, 1.5 / rate);
    EXPECT_NEAR(renderRecipe(TactileSound::arrival, rate).size() / rate, 1.795, 1.5 / rate);
    std::size_t total = 0;
    for (TactileSound sound : allTactileSounds)
        total += renderRecipe(sound, rate).size();
    EXPECT_NEAR(total / rate, 11.41, 0.01);
}

TEST(RecipeTable, EverySoundHasLayersAndAPositiveGain)
{
    for (TactileSound sound : allTactileSounds) {
        const TactileSoundRecipe& recipe = tactileSoundRecipe(sound);
        EXPECT_FALSE(recipe.layers.empty()) << tactileSoundName(sound);
        EXPECT_GT(recipe.masterGain, 0.0) << tactileSoundName(sound);
    }
    EXPECT_EQ(tactileSoundRecipe(TactileSound::arrival).layers.size(), 4U);
    EXPECT_FALSE(tactileSoundRecipe(TactileSound::press).shimmer.has_value());
}

TEST(TactileSoundNames, RoundTripAndRejectOthers)
{
    for (TactileSound sound : allTactileSounds)
        EXPECT_EQ(tactileSoundFromRawValue(rawValue(sound)), sound);
    EXPECT_EQ(tactileSoundFromRawValue(u"purr"), std::nullopt);
    EXPECT_EQ(tactileSoundFromRawValue(u"Tick"), std::nullopt);
    EXPECT_EQ(tactileSoundFromRawValue(u""), std::nullopt);
}

TactileSoundLayer noiseLayer(double frequency, double offset = 0.0)
{
    return { TactileSoundLayer::Noise { TactileSoundLayer::Filter::bandpass, frequency, 1.4 }, offset, 0.001, 0.02,
        0.13 };
}

TEST(NoiseSeeds, DifferPerLayerAndRepeatPerLayer)
{
    EXPECT_NE(layerSeed("toggle", 0), layerSeed("toggle", 1));
    EXPECT_NE(layerSeed("press", 0), layerSeed("toggle", 0));
    std::vector<double> first(2000, 0.0);
    std::vector<double> second(2000, 0.0);
    renderLayer(noiseLayer(1700.0), first, layerSeed("twins", 0), rate);
    renderLayer(noiseLayer(1700.0), second, layerSeed("twins", 1), rate);
    EXPECT_NE(first, second);
    std::vector<double> again(2000, 0.0);
    renderLayer(noiseLayer(1700.0), again, layerSeed("twins", 0), rate);
    EXPECT_EQ(first, again);
}

TEST(RenderLayer, BeyondTheEndAddsNothingAndAnOverrunIsCut)
{
    std::vector<double> buffer(480, 0.0);
    renderLayer(noiseLayer(1700.0, 0.01), buffer, 1, rate); // starts at sample 480: the end
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](double s) { return s == 0.0; }));
    renderLayer(noiseLayer(1700.0, 1.0 / 128), buffer, 1, rate); // starts at 375, would run 3400 samples
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.begin() + 375, [](double s) { return s == 0.0; }));
    EXPECT_NE(buffer[375], 0.0);
    EXPECT_NE(buffer[479], 0.0);
    EXPECT_EQ(buffer.size(), 480U);
}

TEST(RenderLayer, AttackZeroStartsAtThePeak)
{
    // A quarter of the rate puts the first sample at the top of the sine.
    const TactileSoundLayer layer { TactileSoundLayer::Tone {
                                        TactileSoundLayer::Waveform::sine, rate / 4, 0.0, std::nullopt, std::nullopt },
        0.0, 0.0, 0.1, 0.5 };
    std::vector<double> buffer(100, 0.0);
    renderLayer(layer, buffer, 1, rate);
    EXPECT_NEAR(buffer[0], 0.5, 1e-9);
}

TEST(RenderLayer, TriangleKeepsThePhaseOfItsSine)
{
    auto layer = [](TactileSoundLayer::Waveform waveform) {
        return TactileSoundLayer { TactileSoundLayer::Tone { waveform, 1000.0, 0.0, std::nullopt, std::nullopt }, 0.0,
            0.0, 1.0, 0.5 };
    };
    std::vector<double> sine(480, 0.0);
    std::vector<double> triangle(480, 0.0);
    renderLayer(layer(TactileSoundLayer::Waveform::sine), sine, 1, rate);
    renderLayer(layer(TactileSoundLayer::Waveform::triangle), triangle, 1, rate);
    for (std::size_t i = 0; i < sine.size(); ++i) {
        EXPECT_EQ(std::signbit(sine[i]), std::signbit(triangle[i])) << i;
        EXPECT_LE(std::abs(triangle[i]), std::abs(sine[i]) + 1e-12) << i;
    }
}

TEST(RenderLayer, NoiseAboveTheFilterLimitIsFilteredAtTheLimit)
{
    std::vector<double> high(1000, 0.0);
    std::vector<double> limit(1000, 0.0);
    renderLayer(noiseLayer(100000.0), high, 7, rate);
    renderLayer(noiseLayer(0.49 * rate), limit, 7, rate);
    EXPECT_EQ(high, limit);
}

TEST(Shimmer, FeedbackOutsideTheOpenUnitIntervalAddsNoTail)
{
    const TactileSoundLayer layer = noiseLayer(1700.0);
    for (double feedback : { 0.0, 1.0, 1.5 }) {
        const TactileSoundRecipe withEcho { 0.4, { layer }, TactileSoundShimmer { 0.02, feedback, 0.2, 3000.0 } };
        const TactileSoundRecipe dry { 0.4, { layer }, std::nullopt };
        const auto echoed = renderRecipe(withEcho, "echo", rate);
        EXPECT_EQ(echoed.size(), renderRecipe(dry, "echo", rate).size()) << feedback;
        EXPECT_TRUE(std::all_of(echoed.begin(), echoed.end(), [](float s) { return std::isfinite(s); }));
    }
}

TEST(Shimmer, EchoesArriveOneDelayLater)
{
    std::vector<double> buffer(1000, 0.0);
    buffer[0] = 1.0;
    applyShimmer(buffer, 100.0 / rate, 0.5, 0.25, 20000.0, rate);
    EXPECT_EQ(buffer[0], 1.0);
    EXPECT_TRUE(std::all_of(buffer.begin() + 1, buffer.begin() + 100, [](double s) { return s == 0.0; }));
    EXPECT_GT(buffer[100], 0.0);
    std::vector<double> tiny(50, 0.5);
    applyShimmer(tiny, 100.0 / rate, 0.5, 0.25, 3000.0, rate); // shorter than one delay: untouched
    EXPECT_TRUE(std::all_of(tiny.begin(), tiny.end(), [](double s) { return s == 0.5; }));
}

TEST(RenderRecipe, UnusableRatesGiveOneSilentSample)
{
    for (double bad : { 0.0, -48000.0, std::nan(""), std::numeric_limits<double>::infinity(), 1e12 })
        EXPECT_EQ(renderRecipe(TactileSound::chime, bad), std::vector<float>(1, 0.0F)) << bad;
}

} // namespace

#include "Limiter.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

using namespace mewt;

namespace {

constexpr double rate = 48000.0;

std::vector<float> sine(double amplitude, double seconds, double frequency = 1000.0)
{
    std::vector<float> samples(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * frequency * i / rate));
    return samples;
}

double peakDb(const float* begin, const float* end)
{
    float peak = 0.0F;
    for (const float* p = begin; p != end; ++p)
        peak = std::max(peak, std::abs(*p));
    return 20.0 * std::log10(peak);
}

class LoudInput : public ::testing::TestWithParam<double> { };

TEST_P(LoudInput, SettlesUnderTheCeilingAndNeverClips)
{
    Limiter limiter(rate);
    std::vector<float> samples = sine(GetParam(), 0.2);
    limiter.process(samples.data(), samples.size());
    EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), [](float s) { return std::abs(s) <= 1.0F; }));
    // After five attack time constants the static curve holds the level.
    const std::size_t settled = static_cast<std::size_t>(0.01 * rate);
    const double level = peakDb(samples.data() + settled, samples.data() + samples.size());
    // Between the peaks of a wave the held reduction starts to release, so the next peak may pass
    // the ceiling by a fraction of a decibel.
    EXPECT_LE(level, limiter.ceilingDb() + 0.25);
    EXPECT_NEAR(level, limiter.staticCurveDb(20.0 * std::log10(GetParam())), 0.3);
}

INSTANTIATE_TEST_SUITE_P(Levels, LoudInput, ::testing::Values(0.5, 1.0, 2.0, 4.0, 16.0));

TEST(Limiter, PassesQuietSoundUnchanged)
{
    Limiter limiter(rate);
    const std::vector<float> input = sine(0.35, 0.1); // -9.1 dBFS, under the -8 dB threshold
    std::vector<float> output = input;
    limiter.process(output.data(), output.size());
    EXPECT_EQ(output, input);
    EXPECT_EQ(limiter.gainDb(), 0.0);
}

TEST(Limiter, CurveIsContinuousAndBoundedByTheCeiling)
{
    const Limiter limiter(rate);
    EXPECT_DOUBLE_EQ(limiter.ceilingDb(), -2.0);
    EXPECT_DOUBLE_EQ(limiter.staticCurveDb(-8.0), -8.0);
    EXPECT_NEAR(limiter.staticCurveDb(-7.99), -7.99, 1e-4);
    EXPECT_LT(limiter.staticCurveDb(40.0), -2.0);
    EXPECT_GT(limiter.staticCurveDb(0.0), limiter.staticCurveDb(-4.0));
}

// Time for the gain to cover 1 - 1/e of its way, measured on a steady tone.
double timeConstant(Limiter& limiter, double amplitude, double startGain, double endGain)
{
    const double mark = startGain + (endGain - startGain) * (1.0 - std::exp(-1.0));
    for (int i = 0; i < 48000; ++i) {
        float sample = static_cast<float>(amplitude);
        limiter.process(&sample, 1);
        const bool passed = endGain < startGain ? limiter.gainDb() <= mark : limiter.gainDb() >= mark;
        if (passed)
            return (i + 1) / rate;
    }
    return INFINITY;
}

TEST(Limiter, AttacksInAboutTwoAndReleasesInAboutEightyMilliseconds)
{
    Limiter limiter(rate);
    const double amplitude = 2.0; // a steady +6 dBFS level
    const double target = limiter.staticCurveDb(20.0 * std::log10(amplitude)) - 20.0 * std::log10(amplitude);
    EXPECT_NEAR(timeConstant(limiter, amplitude, 0.0, target), 0.002, 0.0003);
    for (int i = 0; i < 4800; ++i) { // hold until settled
        float sample = static_cast<float>(amplitude);
        limiter.process(&sample, 1);
    }
    const double held = limiter.gainDb();
    EXPECT_NEAR(held, target, 0.01);
    EXPECT_NEAR(timeConstant(limiter, 0.0, held, 0.0), 0.08, 0.004);
    EXPECT_FALSE(limiter.isSettled());
    std::vector<float> silence(static_cast<std::size_t>(0.6 * rate), 0.0F);
    limiter.process(silence.data(), silence.size());
    EXPECT_TRUE(limiter.isSettled());
}

} // namespace

#include "SoundRig.h"
#include "cues/TactileSoundRenderer.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace mewt;
using mewt::testing::SoundRig;
using Sounds = std::vector<TactileSound>;

namespace {

constexpr double rate = 48000.0;

// --- the player ----------------------------------------------------------------------------------------

TEST(TactileSoundPlayer, RendersEverySoundOnceAndNinePlaysUseTheEightVoicesInTurn)
{
    SoundRig rig;
    for (TactileSound sound : allTactileSounds) {
        ASSERT_NE(rig.player.buffer(sound), nullptr);
        const std::vector<AudioSample>& held = *rig.player.buffer(sound);
        const std::vector<float> rendered = renderRecipe(sound, rate);
        ASSERT_EQ(held.size(), rendered.size()) << tactileSoundName(sound);
        // Held in 16 bits, each sample within half a step of the rendered one.
        for (std::size_t i = 0; i < held.size(); ++i)
            ASSERT_LE(std::abs(held[i] * audioSampleScale - rendered[i]), 0.5F * audioSampleScale)
                << tactileSoundName(sound) << " at " << i;
    }
    EXPECT_FALSE(rig.engine.isRunning()); // built, not started
    for (int i = 0; i < 9; ++i)
        rig.player.play(TactileSound::tick, 1.0);
    const auto& log = rig.engine.commandLog();
    ASSERT_EQ(log.size(), 9U);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(log[i].voice, i % 8);
}

TEST(TactileSoundPlayer, PlaysAtTheProductOfTheVolumesHeldToRangeOrNotAtAll)
{
    // Sounds on, interface volume, requested volume, gain (none: silent, no voice used, engine left alone).
    const std::tuple<bool, double, double, std::optional<float>> cases[]
        = { { true, 0.8, 2.0, 1.0F }, { true, 0.5, 0.9, 0.45F }, { true, 0.5, INFINITY, 1.0F },
              { true, 0.0, 1.0, std::nullopt }, { true, 1.0, 0.0, std::nullopt }, { true, 1.0, -0.5, std::nullopt },
              { true, 1.0, NAN, std::nullopt }, { false, 1.0, 1.0, std::nullopt } };
    for (const auto& [enabled, settingsVolume, volume, gain] : cases) {
        SoundRig rig;
        rig.settings.setTactileSoundsEnabled(enabled);
        rig.settings.setTactileSoundVolume(settingsVolume);
        rig.player.play(TactileSound::chime, volume);
        const auto& log = rig.engine.commandLog();
        ASSERT_EQ(log.size(), gain ? 1U : 0U) << settingsVolume << " x " << volume;
        EXPECT_FLOAT_EQ(gain ? log[0].gain : 0.0F, gain.value_or(0.0F));
        EXPECT_EQ(rig.player.nextPlayer(), gain ? 1 : 0);
        EXPECT_EQ(rig.engine.isRunning(), gain.has_value());
    }
}

TEST(TactileSoundPlayer, ShutdownStopsTheEngineAndALaterPlayStartsItAgain)
{
    SoundRig rig;
    rig.player.start();
    EXPECT_TRUE(rig.engine.isRunning());
    EXPECT_TRUE(rig.player.isMonitorInstalled());
    rig.player.beginPress(TactileSound::success);
    rig.player.shutdown();
    EXPECT_FALSE(rig.engine.isRunning());
    EXPECT_FALSE(rig.player.isMonitorInstalled());
    EXPECT_EQ(rig.player.pointerFeedback(), std::nullopt);
    EXPECT_EQ(rig.player.pointerReleaseSound(), std::nullopt);
    rig.player.play(TactileSound::page, 1.0);
    EXPECT_TRUE(rig.engine.isRunning());
    EXPECT_FALSE(rig.player.isMonitorInstalled());
}

TEST(PressProtocol, OnePressAndOneReleaseWhoseSoundTheLastBeginOrTheEndChooses)
{
    SoundRig rig;
    rig.player.beginPress(TactileSound::whisper);
    rig.player.beginPress(TactileSound::success);
    rig.player.endPress();
    rig.player.endPress(); // nothing pending any more
    rig.player.beginPress(TactileSound::whisper);
    rig.player.endPress(TactileSound::cancel);
    EXPECT_EQ(rig.soundsSince(0),
        (Sounds { TactileSound::press, TactileSound::success, TactileSound::press, TactileSound::cancel }));

    rig.settings.setTactileSoundsEnabled(false);
    const std::size_t start = rig.mark();
    rig.player.beginPress(TactileSound::whisper);
    EXPECT_EQ(rig.player.pointerFeedback(), std::nullopt);
    rig.player.endPress();
    EXPECT_EQ(rig.mark(), start);
}

// --- the renderer --------------------------------------------------------------------------------------

TEST(TactileSoundRenderer, EverySoundRendersTheSameFiniteAudibleSamplesEachTimeWithTheWorkedLengthsAndName)
{
    std::size_t total = 0;
    for (TactileSound sound : allTactileSounds) {
        const std::vector<float> first = renderRecipe(sound, rate);
        ASSERT_EQ(first, renderRecipe(sound, rate)) << tactileSoundName(sound);
        ASSERT_FALSE(first.empty());
        EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](float s) { return std::isfinite(s); }));
        const float peak = std::abs(
            *std::max_element(first.begin(), first.end(), [](float a, float b) { return std::abs(a) < std::abs(b); }));
        EXPECT_GT(peak, 0.01F) << tactileSoundName(sound);
        EXPECT_LT(peak, 1.0F) << tactileSoundName(sound); // no recipe should lean on the limiter
        total += first.size();
    }
    EXPECT_NEAR(total / rate, 11.41, 0.01);
    EXPECT_EQ(renderRecipe(TactileSound::tick, rate).size(), 5712U);
    EXPECT_NEAR(renderRecipe(TactileSound::chime, rate).size() / rate, 1.176, 1.5 / rate);
    EXPECT_NEAR(renderRecipe(TactileSound::arrival, rate).size() / rate, 1.795, 1.5 / rate);
    for (double bad : { 0.0, -48000.0, std::nan(""), std::numeric_limits<double>::infinity(), 1e12 })
        EXPECT_EQ(renderRecipe(TactileSound::chime, bad), std::vector<float>(1, 0.0F)) << bad;
    for (TactileSound sound : allTactileSounds)
        EXPECT_EQ(tactileSoundFromRawValue(rawValue(sound)), sound);
    for (const char16_t* other : { u"purr", u"Tick", u"" })
        EXPECT_EQ(tactileSoundFromRawValue(other), std::nullopt);
}

} // namespace

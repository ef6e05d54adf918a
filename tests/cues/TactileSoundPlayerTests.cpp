#include "SoundRig.h"
#include "TactileSoundRenderer.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace mewt;
using mewt::testing::SoundRig;

namespace {

TEST(TactileSoundPlayer, RendersEverySoundOnceAtTheEngineRate)
{
    SoundRig rig;
    for (TactileSound sound : allTactileSounds) {
        ASSERT_NE(rig.player.buffer(sound), nullptr);
        EXPECT_EQ(*rig.player.buffer(sound), renderRecipe(sound, 48000.0)) << tactileSoundName(sound);
    }
    EXPECT_FALSE(rig.engine.isRunning()); // built, not started
}

TEST(TactileSoundPlayer, NinePlaysUseTheEightVoicesInTurn)
{
    SoundRig rig;
    for (int i = 0; i < 9; ++i)
        rig.player.play(TactileSound::tick, 1.0);
    const auto& log = rig.engine.commandLog();
    ASSERT_EQ(log.size(), 9U);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(log[i].voice, i % 8);
    EXPECT_EQ(rig.player.nextPlayer(), 1);
}

struct VolumeCase {
    bool enabled;
    double settingsVolume;
    double volume;
    std::optional<float> gain; // none: silent, no voice used, engine left alone
};

class PlayVolume : public ::testing::TestWithParam<VolumeCase> { };

TEST_P(PlayVolume, IsTheProductHeldToRangeOrSilence)
{
    const VolumeCase& c = GetParam();
    SoundRig rig;
    rig.settings.setTactileSoundsEnabled(c.enabled);
    rig.settings.setTactileSoundVolume(c.settingsVolume);
    rig.player.play(TactileSound::chime, c.volume);
    const auto& log = rig.engine.commandLog();
    if (!c.gain) {
        EXPECT_TRUE(log.empty());
        EXPECT_EQ(rig.player.nextPlayer(), 0);
        EXPECT_FALSE(rig.engine.isRunning());
        return;
    }
    ASSERT_EQ(log.size(), 1U);
    EXPECT_FLOAT_EQ(log[0].gain, *c.gain);
    EXPECT_EQ(rig.player.nextPlayer(), 1);
    EXPECT_TRUE(rig.engine.isRunning());
}

INSTANTIATE_TEST_SUITE_P(Rule, PlayVolume,
    ::testing::Values(VolumeCase { true, 0.8, 2.0, 1.0F }, VolumeCase { true, 0.5, 0.9, 0.45F },
        VolumeCase { true, 1.0, 0.2, 0.2F }, VolumeCase { true, 0.5, INFINITY, 1.0F },
        VolumeCase { true, 0.0, 1.0, std::nullopt }, VolumeCase { true, 1.0, 0.0, std::nullopt },
        VolumeCase { true, 1.0, -0.5, std::nullopt }, VolumeCase { true, 1.0, NAN, std::nullopt },
        VolumeCase { false, 1.0, 1.0, std::nullopt }));

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

TEST(PressProtocol, ASecondBeginReplacesTheReleaseSoundWithoutASecondPress)
{
    SoundRig rig;
    rig.player.beginPress(TactileSound::whisper);
    rig.player.beginPress(TactileSound::success);
    EXPECT_EQ(rig.player.pointerReleaseSound(), TactileSound::success);
    rig.player.endPress();
    rig.player.endPress(); // nothing pending any more
    EXPECT_EQ(rig.soundsSince(0), (std::vector { TactileSound::press, TactileSound::success }));
}

TEST(PressProtocol, AGivenSoundOverridesTheReleaseSound)
{
    SoundRig rig;
    rig.player.beginPress(TactileSound::whisper);
    rig.player.endPress(TactileSound::cancel);
    EXPECT_EQ(rig.soundsSince(0), (std::vector { TactileSound::press, TactileSound::cancel }));
}

TEST(PressProtocol, DoesNothingWhileSoundsAreOff)
{
    SoundRig rig;
    rig.settings.setTactileSoundsEnabled(false);
    rig.player.beginPress(TactileSound::whisper);
    EXPECT_EQ(rig.player.pointerFeedback(), std::nullopt);
    rig.player.endPress();
    EXPECT_TRUE(rig.engine.commandLog().empty());
}

} // namespace

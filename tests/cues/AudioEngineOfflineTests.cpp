#include "AudioEngine.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace mewt;

namespace {

AudioSamples constant(float value, std::size_t frames)
{
    return std::make_shared<const std::vector<float>>(frames, value);
}

std::vector<float> render(AudioEngine& engine, std::size_t frames)
{
    std::vector<float> out(frames, -9.0F);
    engine.renderOffline(out.data(), out.size());
    return out;
}

class OfflineEngine : public ::testing::Test {
protected:
    OfflineEngine() { engine.start(); }
    AudioEngine engine { AudioEngine::Options { {}, std::chrono::milliseconds(40), true, true } };
};

TEST_F(OfflineEngine, ANewSoundOnABusyVoiceCutsTheOldOneAfterAShortFade)
{
    engine.playTactile(0, constant(0.1F, 48000), 1.0F);
    render(engine, 100);
    engine.playTactile(0, constant(0.2F, 48000), 1.0F);
    const std::vector<float> out = render(engine, 200);
    EXPECT_GT(out[0], 0.2F); // the old sound still fades out under the new one
    EXPECT_LT(out[0], 0.3F + 1e-6F);
    for (std::size_t i = AudioMixer::cutFadeFrames; i < out.size(); ++i)
        ASSERT_FLOAT_EQ(out[i], 0.2F) << i; // then only the new sound
}

TEST_F(OfflineEngine, VoicesSumAndGainsAreHeldToTheUnitRange)
{
    engine.playTactile(0, constant(0.05F, 480), 0.5F);
    engine.playTactile(1, constant(0.05F, 480), 7.0F); // held to 1
    engine.playTactile(2, constant(0.05F, 480), NAN); // silence
    engine.playTactile(3, constant(0.05F, 480), -1.0F); // silence
    const std::vector<float> out = render(engine, 10);
    EXPECT_FLOAT_EQ(out[5], 0.05F * 0.5F + 0.05F);
}

TEST_F(OfflineEngine, OutputNeverLeavesFullScaleAndTheLimiterHoldsTheCeiling)
{
    for (int voice = 0; voice < AudioEngine::tactileVoiceCount; ++voice)
        engine.playTactile(voice, constant(0.9F, 9600), 1.0F);
    const std::vector<float> out = render(engine, 9600);
    for (float s : out)
        ASSERT_LE(std::abs(s), 1.0F);
    EXPECT_LE(20.0 * std::log10(out.back()), -2.0 + 0.05);
}

TEST_F(OfflineEngine, StreamClosesOnlyAfterTheTailAndTheLimiterRelease)
{
    engine.playTactile(0, constant(0.9F, 4800), 1.0F); // 0.1 s, loud enough to be limited
    std::size_t rendered = 0;
    while (rendered < 48000 * 3) {
        render(engine, 480);
        rendered += 480;
        if (!engine.statistics().streamOpen)
            break;
    }
    const AudioEngine::Statistics stats = engine.statistics();
    EXPECT_EQ(stats.streamsOpened, 1U);
    EXPECT_EQ(stats.streamsClosed, 1U);
    // The release of 80 ms needs about half a second to come within 0.01 dB of unity.
    EXPECT_GT(rendered, 4800U + 48000U * 4 / 10);
    EXPECT_LT(rendered, 4800U + 48000U);

    const std::vector<float> idle = render(engine, 480);
    EXPECT_TRUE(std::all_of(idle.begin(), idle.end(), [](float s) { return s == 0.0F; }));
    EXPECT_EQ(engine.statistics().streamsOpened, 1U);

    engine.playTactile(5, constant(0.1F, 480), 1.0F);
    render(engine, 480);
    render(engine, 480);
    EXPECT_EQ(engine.statistics().streamsOpened, 2U);
    EXPECT_EQ(engine.statistics().streamsClosed, 2U);
}

TEST_F(OfflineEngine, CatVoicesRampTheirGainAndReportTheirEnd)
{
    const int voice = engine.reserveCatVoice();
    ASSERT_GE(voice, 0);
    engine.startCat(voice, constant(0.5F, 4800), 1.0F);
    EXPECT_TRUE(engine.isCatPlaying(voice));
    EXPECT_FLOAT_EQ(render(engine, 1)[0], 0.5F);
    engine.setCatGain(voice, 0.5F);
    const std::vector<float> ramp = render(engine, AudioMixer::catRampFrames + 10);
    EXPECT_GT(ramp[AudioMixer::catRampFrames / 2], 0.25F);
    EXPECT_LT(ramp[AudioMixer::catRampFrames / 2], 0.5F);
    EXPECT_FLOAT_EQ(ramp.back(), 0.25F);
    EXPECT_TRUE(engine.isCatPlaying(voice));
    render(engine, 4800);
    EXPECT_FALSE(engine.isCatPlaying(voice));
}

TEST_F(OfflineEngine, StoppingACatVoiceFadesItAndEndsIt)
{
    const int voice = engine.reserveCatVoice();
    engine.startCat(voice, constant(0.5F, 48000), 1.0F);
    render(engine, 10);
    engine.stopCat(voice);
    EXPECT_FALSE(engine.isCatPlaying(voice));
    const std::vector<float> out = render(engine, AudioMixer::catRampFrames + 10);
    EXPECT_GT(out[0], 0.0F);
    EXPECT_EQ(out.back(), 0.0F);
}

TEST(AudioEngineVoices, AreHandedOutOnceEach)
{
    AudioEngine engine(AudioEngine::Options { {}, std::chrono::milliseconds(40), true, false });
    for (int i = 0; i < AudioEngine::catVoiceCount; ++i)
        EXPECT_EQ(engine.reserveCatVoice(), i);
    EXPECT_EQ(engine.reserveCatVoice(), -1);
}

TEST(AudioEngineVoices, NothingIsQueuedWhileStopped)
{
    AudioEngine engine(AudioEngine::Options { {}, std::chrono::milliseconds(40), true, true });
    engine.playTactile(0, constant(0.5F, 480), 1.0F);
    const int voice = engine.reserveCatVoice();
    engine.startCat(voice, constant(0.5F, 480), 1.0F);
    EXPECT_FALSE(engine.isCatPlaying(voice));
    EXPECT_TRUE(engine.commandLog().empty());
}

} // namespace

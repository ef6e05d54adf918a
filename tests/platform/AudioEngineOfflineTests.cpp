#include "platform/AudioEngine.h"
#include "platform/Limiter.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

using namespace mewt;

namespace {

constexpr double rate = 48000.0;

AudioSamples constant(float value, std::size_t frames)
{
    return makeAudioSamples(std::vector<float>(frames, value));
}

class OfflineEngine : public ::testing::Test {
protected:
    OfflineEngine() { engine.start(); }
    std::vector<float> render(std::size_t frames)
    {
        std::vector<float> out(frames, -9.0F);
        engine.renderOffline(out.data(), out.size());
        return out;
    }
    AudioEngine engine { AudioEngine::Options { {}, std::chrono::milliseconds(40), true, true } };
};

// Held in 16 bits: to the nearest step, beyond full scale clipped (not wrapped round into a click),
// and nothing that is not a number.
TEST(AudioSamples, AreHeldToTheNearestStepWithinFullScale)
{
    const AudioSamples held = makeAudioSamples({ 0.5F, -1.0F, 1.0F, 3.0F, -3.0F, 1.4F / 32768, NAN, INFINITY });
    EXPECT_EQ(*held, (std::vector<AudioSample> { 16384, -32768, 32767, 32767, -32768, 1, 0, 0 }));
}

TEST_F(OfflineEngine, ANewSoundOnABusyVoiceCutsTheOldOneAfterAShortFade)
{
    engine.playTactile(0, constant(0.125F, 48000), 1.0F);
    render(100);
    engine.playTactile(0, constant(0.25F, 48000), 1.0F);
    const std::vector<float> out = render(200);
    EXPECT_TRUE(out[0] > 0.25F && out[0] < 0.375F + 1e-6F) << "the old sound still fades out under the new one";
    for (std::size_t i = AudioMixer::cutFadeFrames; i < out.size(); ++i)
        ASSERT_FLOAT_EQ(out[i], 0.25F) << i;
}

TEST_F(OfflineEngine, VoicesSumAndGainsAreHeldToTheUnitRange)
{
    engine.playTactile(0, constant(0.0625F, 480), 0.5F);
    engine.playTactile(1, constant(0.0625F, 480), 7.0F); // held to 1
    engine.playTactile(2, constant(0.0625F, 480), NAN); // silence
    engine.playTactile(3, constant(0.0625F, 480), -1.0F); // silence
    EXPECT_FLOAT_EQ(render(10)[5], 0.0625F * 0.5F + 0.0625F);
}

TEST_F(OfflineEngine, OutputNeverLeavesFullScaleAndTheLimiterHoldsTheCeiling)
{
    for (int voice = 0; voice < AudioEngine::tactileVoiceCount; ++voice)
        engine.playTactile(voice, constant(0.9F, 9600), 1.0F);
    const std::vector<float> out = render(9600);
    for (float s : out)
        ASSERT_LE(std::abs(s), 1.0F);
    EXPECT_LE(20.0 * std::log10(out.back()), -2.0 + 0.05);
}

TEST_F(OfflineEngine, StreamClosesOnlyAfterTheTailAndTheLimiterReleaseAndReopensOnTheNextSound)
{
    engine.playTactile(0, constant(0.9F, 4800), 1.0F); // 0.1 s, loud enough to be limited
    std::size_t rendered = 0;
    for (; rendered < 48000 * 3 && (rendered == 0 || engine.statistics().streamOpen); rendered += 480)
        render(480);
    EXPECT_EQ(engine.statistics().streamsClosed, 1U);
    // The release of 80 ms needs about half a second to come within 0.01 dB of unity.
    EXPECT_GT(rendered, 4800U + 48000U * 4 / 10);
    EXPECT_LT(rendered, 4800U + 48000U);
    const std::vector<float> idle = render(480);
    EXPECT_TRUE(std::all_of(idle.begin(), idle.end(), [](float s) { return s == 0.0F; }));
    EXPECT_EQ(engine.statistics().streamsOpened, 1U);

    engine.playTactile(5, constant(0.1F, 480), 1.0F);
    render(480);
    render(480);
    EXPECT_EQ(engine.statistics().streamsOpened, 2U);
    EXPECT_EQ(engine.statistics().streamsClosed, 2U);
}

TEST_F(OfflineEngine, CatVoicesRampTheirGainFadeWhenStoppedAndReportTheirEnd)
{
    const int voice = engine.reserveCatVoice();
    engine.startCat(voice, constant(0.5F, 4800), 1.0F);
    EXPECT_FLOAT_EQ(render(1)[0], 0.5F);
    engine.setCatGain(voice, 0.5F);
    const std::vector<float> ramp = render(AudioMixer::catRampFrames + 10);
    EXPECT_GT(ramp[AudioMixer::catRampFrames / 2], 0.25F); // no step
    EXPECT_FLOAT_EQ(ramp.back(), 0.25F);
    EXPECT_TRUE(engine.isCatPlaying(voice));
    render(4800);
    EXPECT_FALSE(engine.isCatPlaying(voice));
    engine.startCat(voice, constant(0.5F, 48000), 1.0F);
    render(10);
    engine.stopCat(voice);
    EXPECT_FALSE(engine.isCatPlaying(voice));
    const std::vector<float> out = render(AudioMixer::catRampFrames + 10);
    EXPECT_TRUE(out[0] > 0.0F && out.back() == 0.0F);
}

// After a stalled server comes back, what was asked for long ago stays silent; what already plays,
// or was asked for just now, goes on.
struct StaleCase {
    const char* name;
    AudioCommand::Kind kind;
    int requestedMsAgo;
    bool startedBeforeTheStall;
    bool plays;
};

class StaleSounds : public ::testing::TestWithParam<StaleCase> { };

TEST_P(StaleSounds, ASoundThatCouldNotStartInTimeIsDroppedNotPlayedLate)
{
    using namespace std::chrono;
    const StaleCase& c = GetParam();
    const steady_clock::time_point now = steady_clock::now();
    AudioMixer mixer;
    AudioCommand command { c.kind, 2, 1.0F, constant(0.25F, 4800), 7, now - milliseconds(c.requestedMsAgo) };
    mixer.apply(command);
    std::vector<float> out(64);
    if (c.startedBeforeTheStall)
        mixer.mix(out.data(), out.size());
    mixer.dropUnstartedBefore(now - AudioEngine::startDeadline);
    mixer.mix(out.data(), out.size());
    EXPECT_EQ(out[10], c.plays ? 0.25F : 0.0F);
    if (c.kind == AudioCommand::Kind::startCat) {
        EXPECT_EQ(mixer.catEndedGeneration(2), c.plays ? 0u : 7u) << "its owner learns it ended";
    }
    if (!c.plays) {
        EXPECT_TRUE(mixer.isIdle()) << "nothing keeps the stream open";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, StaleSounds,
    ::testing::Values(StaleCase { "freshTactile", AudioCommand::Kind::playTactile, 10, false, true },
        StaleCase { "justInTime", AudioCommand::Kind::playTactile, 240, false, true },
        StaleCase { "staleTactile", AudioCommand::Kind::playTactile, 5000, false, false },
        StaleCase { "staleCat", AudioCommand::Kind::startCat, 300, false, false },
        StaleCase { "freshCat", AudioCommand::Kind::startCat, 0, false, true },
        StaleCase { "alreadyPlaying", AudioCommand::Kind::playTactile, 5000, true, true }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AudioEngineVoices, AreHandedOutOnceEachAndNothingIsQueuedWhileStopped)
{
    AudioEngine engine(AudioEngine::Options { {}, std::chrono::milliseconds(40), true, true });
    engine.playTactile(0, constant(0.5F, 480), 1.0F);
    for (int i = 0; i < AudioEngine::catVoiceCount; ++i)
        EXPECT_EQ(engine.reserveCatVoice(), i);
    EXPECT_EQ(engine.reserveCatVoice(), -1);
    engine.startCat(0, constant(0.5F, 480), 1.0F);
    EXPECT_FALSE(engine.isCatPlaying(0));
    EXPECT_TRUE(engine.commandLog().empty());
}

// --- the limiter on its own ---------------------------------------------------------------------------

std::vector<float> sine(double amplitude, double seconds)
{
    std::vector<float> samples(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * 1000.0 * i / rate));
    return samples;
}

TEST(Limiter, LoudInputSettlesUnderTheCeilingAndNeverClipsWhileQuietInputPassesUnchanged)
{
    for (double amplitude : { 0.5, 1.0, 2.0, 4.0, 16.0 }) {
        Limiter limiter(rate);
        std::vector<float> samples = sine(amplitude, 0.2);
        limiter.process(samples.data(), samples.size());
        float peak = 0.0F; // after five attack time constants
        for (std::size_t i = 0; i < samples.size(); ++i) {
            ASSERT_LE(std::abs(samples[i]), 1.0F) << amplitude;
            peak = i >= 480 ? std::max(peak, std::abs(samples[i])) : peak;
        }
        // Between the peaks the held reduction starts to release, so the next peak may pass the
        // ceiling by a fraction of a decibel.
        EXPECT_LE(20.0 * std::log10(peak), -2.0 + 0.25) << amplitude;
        EXPECT_NEAR(20.0 * std::log10(peak), limiter.staticCurveDb(20.0 * std::log10(amplitude)), 0.3) << amplitude;
    }
    Limiter limiter(rate);
    const std::vector<float> quiet = sine(0.35, 0.1); // -9.1 dBFS, under the -8 dB threshold
    std::vector<float> output = quiet;
    limiter.process(output.data(), output.size());
    EXPECT_EQ(output, quiet);
    EXPECT_EQ(limiter.gainDb(), 0.0);
}

} // namespace

// Costs of the interface sounds: rendering every buffer at start, mixing one 10 ms block with all
// eight voices behind the limiter on the audio thread, and a play on the GUI thread.
#include "platform/AudioEngine.h"
#include "platform/AudioMixer.h"
#include "platform/Clock.h"
#include "model/InterfaceSettingsStore.h"
#include "platform/MemoryUserDefaults.h"
#include "cues/TactileSoundPlayer.h"
#include "cues/TactileSoundRenderer.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cmath>

using namespace mewt;

namespace {

void renderAllEighteenSounds(benchmark::State& state)
{
    std::size_t samples = 0;
    for (auto _ : state) {
        for (TactileSound sound : allTactileSounds) {
            const std::vector<float> rendered = renderRecipe(sound, audioSampleRate);
            samples += rendered.size();
            benchmark::DoNotOptimize(rendered.data());
        }
    }
    state.counters["samples"] = benchmark::Counter(static_cast<double>(samples) / state.iterations());
}
BENCHMARK(renderAllEighteenSounds)->Unit(benchmark::kMillisecond);

void mixTenMillisecondsOfEightVoices(benchmark::State& state)
{
    // Loud enough that the limiter works on every block.
    std::vector<float> tone(audioSampleRate * 10);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<float>(0.5 * std::sin(0.05 * static_cast<double>(i)));
    const AudioSamples samples = makeAudioSamples(tone);
    AudioMixer mixer;
    std::vector<float> out(480);
    std::size_t blocks = 0;
    for (auto _ : state) {
        if (blocks++ % 900 == 0) {
            for (int voice = 0; voice < AudioMixer::tactileVoiceCount; ++voice)
                mixer.apply({ AudioCommand::Kind::playTactile, voice, 1.0F, samples, 0 });
        }
        mixer.mix(out.data(), out.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["limiterGainDb"] = mixer.limiter().gainDb();
}
BENCHMARK(mixTenMillisecondsOfEightVoices)->Unit(benchmark::kMicrosecond);

void playOnTheGuiThread(benchmark::State& state)
{
    MemoryUserDefaults defaults;
    InterfaceSettingsStore settings(defaults, { AppLanguage::system });
    SystemClock clock;
    // A running engine whose server is absent: the worker drains and drops what the GUI posts.
    AudioEngine engine(AudioEngine::Options {
        QStringLiteral("unix:/nonexistent/mewt-bench"), std::chrono::milliseconds(40), false, false });
    TactileSoundPlayer player(settings, engine, clock);
    player.startEngine();
    for (auto _ : state)
        player.play(TactileSound::tick, 0.35);
    state.counters["dropped"] = static_cast<double>(engine.statistics().droppedCommands);
    player.shutdown();
}
BENCHMARK(playOnTheGuiThread)->Unit(benchmark::kNanosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

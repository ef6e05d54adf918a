#pragma once

#include "platform/Limiter.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace mewt {

inline constexpr int audioSampleRate = 48000;

// Finished mono samples at the engine rate, held as 16-bit integers (full scale 32768): half the
// memory of floats, as fine as the sound files they come from, and a rendered sound moves by at
// most half a step (-96 dB). The mixer works in floats. Immutable once shared, so the audio thread
// reads them without locks; the owner (a player) keeps them alive for the life of the process.
using AudioSample = std::int16_t;
using AudioSamples = std::shared_ptr<const std::vector<AudioSample>>;
inline constexpr float audioSampleScale = 1.0F / 32768.0F;

// Samples in -1...1 to held ones, to the nearest step; beyond full scale is clipped, and anything
// not finite is silence.
AudioSamples makeAudioSamples(const std::vector<float>& samples);

struct AudioCommand {
    enum class Kind : std::uint8_t { playTactile, startCat, setCatGain, stopCat };
    Kind kind = Kind::playTactile;
    int voice = 0;
    float gain = 0.0F;
    AudioSamples samples;
    std::uint64_t generation = 0;
    // When the sound was asked for; the epoch means "whenever".
    std::chrono::steady_clock::time_point requestedAt {};
};

// The engine's signal path without any I/O: eight interface-sound voices summed into a bus that
// passes the limiter, and a plain bus of cat-sound voices with ramped gains. The output of `mix`
// depends only on the commands applied and the frames asked for, so tests render it offline.
// Everything here runs on one thread (the audio thread, or the test's); only the ended
// generations of the cat voices are read from elsewhere.
class AudioMixer final {
public:
    static constexpr int tactileVoiceCount = 8;
    static constexpr int catVoiceCount = 16;
    // A voice cut by a new sound fades over 1 ms instead of stopping dead, which would click.
    static constexpr int cutFadeFrames = 48;
    // Cat-sound gain changes and stops ramp over 5 ms so that volume steps do not crackle.
    static constexpr int catRampFrames = 240;

    explicit AudioMixer(double sampleRate = audioSampleRate);

    void apply(AudioCommand command);
    void mix(float* out, std::size_t frames);
    // Drops every sound at once, as when the server went away mid-play.
    void silenceAll();
    // Drops the sounds that have not played a frame yet and were asked for before `cutoff`: a
    // sound that comes out late (after the server stalled) is worse than none.
    void dropUnstartedBefore(std::chrono::steady_clock::time_point cutoff);

    // Nothing sounds and the limiter has released: the output stays zero until the next command.
    bool isIdle() const;
    bool isTactileVoiceSounding(int voice) const;
    bool isCatVoiceSounding(int voice) const;
    // Generation of the latest cat sound that ended on this voice (any thread).
    std::uint64_t catEndedGeneration(int voice) const;
    const Limiter& limiter() const { return busLimiter; }

private:
    struct Voice {
        AudioSamples samples;
        std::size_t position = 0;
        float gain = 0.0F;
        float targetGain = 0.0F;
        float gainStep = 0.0F;
        int rampLeft = 0;
        bool stopAfterRamp = false;
        std::uint64_t generation = 0;
        std::chrono::steady_clock::time_point requestedAt {};
        AudioSamples tail;
        std::size_t tailPosition = 0;
        float tailGain = 0.0F;
        int tailLeft = 0;

        bool isSounding() const { return samples != nullptr || tail != nullptr; }
    };

    static constexpr std::size_t blockFrames = 256;

    void startVoice(Voice& voice, const AudioCommand& command, float gain);
    void renderVoice(Voice& voice, float* bus, std::size_t frames, int catIndex);
    void endVoice(Voice& voice, int catIndex);

    std::array<Voice, tactileVoiceCount> tactileVoices;
    std::array<Voice, catVoiceCount> catVoices;
    std::array<std::atomic<std::uint64_t>, catVoiceCount> catEnded {};
    std::array<float, blockFrames> bus {};
    Limiter busLimiter;
};

// Gains cross threads as 32-bit floats held to 0...1; anything not finite is silence.
float clampedGain(double gain);

} // namespace mewt

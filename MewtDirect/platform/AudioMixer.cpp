#include "platform/AudioMixer.h"

#include <algorithm>
#include <cmath>

namespace mewt {

float clampedGain(double gain)
{
    if (std::isnan(gain))
        return 0.0F;
    return static_cast<float>(std::clamp(gain, 0.0, 1.0));
}

AudioSamples makeAudioSamples(const std::vector<float>& samples)
{
    auto held = std::make_shared<std::vector<AudioSample>>(samples.size());
    std::transform(samples.begin(), samples.end(), held->begin(), [](float sample) {
        if (!std::isfinite(sample))
            return AudioSample(0);
        return AudioSample(std::clamp(std::lround(sample / audioSampleScale), -32768L, 32767L));
    });
    return held;
}

AudioMixer::AudioMixer(double sampleRate)
    : busLimiter(sampleRate)
{
}

void AudioMixer::apply(AudioCommand command)
{
    const bool tactile = command.kind == AudioCommand::Kind::playTactile;
    const int count = tactile ? tactileVoiceCount : catVoiceCount;
    if (command.voice < 0 || command.voice >= count)
        return;
    const float gain = clampedGain(command.gain);
    if (tactile) {
        startVoice(tactileVoices[command.voice], command, gain);
        return;
    }
    Voice& voice = catVoices[command.voice];
    switch (command.kind) {
    case AudioCommand::Kind::startCat:
        startVoice(voice, command, gain);
        if (!voice.samples)
            catEnded[command.voice].store(command.generation, std::memory_order_release);
        break;
    case AudioCommand::Kind::setCatGain:
        if (!voice.samples || voice.stopAfterRamp)
            break;
        voice.targetGain = gain;
        voice.gainStep = (gain - voice.gain) / catRampFrames;
        voice.rampLeft = catRampFrames;
        break;
    case AudioCommand::Kind::stopCat:
        if (!voice.samples)
            break;
        voice.targetGain = 0.0F;
        voice.gainStep = -voice.gain / catRampFrames;
        voice.rampLeft = catRampFrames;
        voice.stopAfterRamp = true;
        break;
    case AudioCommand::Kind::playTactile: break;
    }
}

void AudioMixer::startVoice(Voice& voice, const AudioCommand& command, float gain)
{
    const AudioSamples& samples = command.samples;
    if (voice.samples && voice.position < voice.samples->size()) {
        voice.tail = std::move(voice.samples);
        voice.tailPosition = voice.position;
        voice.tailGain = voice.gain;
        voice.tailLeft = cutFadeFrames;
    }
    voice.samples = samples && !samples->empty() ? samples : nullptr;
    voice.position = 0;
    voice.gain = gain;
    voice.targetGain = gain;
    voice.gainStep = 0.0F;
    voice.rampLeft = 0;
    voice.stopAfterRamp = false;
    voice.generation = command.generation;
    voice.requestedAt = command.requestedAt;
}

void AudioMixer::endVoice(Voice& voice, int catIndex)
{
    voice.samples.reset();
    voice.rampLeft = 0;
    voice.stopAfterRamp = false;
    if (catIndex >= 0)
        catEnded[catIndex].store(voice.generation, std::memory_order_release);
}

void AudioMixer::renderVoice(Voice& voice, float* out, std::size_t frames, int catIndex)
{
    if (voice.tail) {
        const AudioSample* data = voice.tail->data();
        const std::size_t size = voice.tail->size();
        std::size_t i = 0;
        for (; i < frames && voice.tailLeft > 0 && voice.tailPosition < size; ++i) {
            const float fade = static_cast<float>(voice.tailLeft) / cutFadeFrames;
            out[i] += data[voice.tailPosition++] * audioSampleScale * voice.tailGain * fade;
            --voice.tailLeft;
        }
        if (voice.tailLeft <= 0 || voice.tailPosition >= size)
            voice.tail.reset();
    }
    if (!voice.samples)
        return;
    const AudioSample* data = voice.samples->data();
    const std::size_t size = voice.samples->size();
    for (std::size_t i = 0; i < frames; ++i) {
        if (voice.rampLeft > 0) {
            voice.gain += voice.gainStep;
            if (--voice.rampLeft == 0) {
                voice.gain = voice.targetGain;
                if (voice.stopAfterRamp) {
                    endVoice(voice, catIndex);
                    return;
                }
            }
        }
        out[i] += data[voice.position++] * audioSampleScale * voice.gain;
        if (voice.position >= size) {
            endVoice(voice, catIndex);
            return;
        }
    }
}

void AudioMixer::mix(float* out, std::size_t frames)
{
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t n = std::min(blockFrames, frames - done);
        std::fill_n(bus.begin(), n, 0.0F);
        for (Voice& voice : tactileVoices) {
            if (voice.isSounding())
                renderVoice(voice, bus.data(), n, -1);
        }
        busLimiter.process(bus.data(), n);
        for (int index = 0; index < catVoiceCount; ++index) {
            if (catVoices[index].isSounding())
                renderVoice(catVoices[index], bus.data(), n, index);
        }
        for (std::size_t i = 0; i < n; ++i)
            out[done + i] = std::clamp(bus[i], -1.0F, 1.0F);
        done += n;
    }
}

void AudioMixer::silenceAll()
{
    for (Voice& voice : tactileVoices) {
        voice.samples.reset();
        voice.tail.reset();
    }
    for (int index = 0; index < catVoiceCount; ++index) {
        catVoices[index].tail.reset();
        endVoice(catVoices[index], index);
    }
    busLimiter.reset();
}

void AudioMixer::dropUnstartedBefore(std::chrono::steady_clock::time_point cutoff)
{
    const auto stale = [cutoff](const Voice& voice) {
        return voice.samples && voice.position == 0 && voice.requestedAt != std::chrono::steady_clock::time_point {}
        && voice.requestedAt < cutoff;
    };
    for (Voice& voice : tactileVoices) {
        if (stale(voice))
            voice.samples.reset();
    }
    for (int index = 0; index < catVoiceCount; ++index) {
        if (stale(catVoices[index]))
            endVoice(catVoices[index], index);
    }
}

bool AudioMixer::isIdle() const
{
    const auto sounding = [](const Voice& voice) { return voice.isSounding(); };
    return std::none_of(tactileVoices.begin(), tactileVoices.end(), sounding)
        && std::none_of(catVoices.begin(), catVoices.end(), sounding) && busLimiter.isSettled();
}

bool AudioMixer::isTactileVoiceSounding(int voice) const
{
    return voice >= 0 && voice < tactileVoiceCount && tactileVoices[voice].samples != nullptr;
}

bool AudioMixer::isCatVoiceSounding(int voice) const
{
    return voice >= 0 && voice < catVoiceCount && catVoices[voice].samples != nullptr;
}

std::uint64_t AudioMixer::catEndedGeneration(int voice) const
{
    if (voice < 0 || voice >= catVoiceCount)
        return 0;
    return catEnded[voice].load(std::memory_order_acquire);
}

} // namespace mewt

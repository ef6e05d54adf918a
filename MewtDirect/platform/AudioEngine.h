#pragma once

#include "platform/AudioMixer.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

struct pa_context;
struct pa_io_event;
struct pa_mainloop;
struct pa_operation;
struct pa_stream;

namespace mewt {

// The process's one sound output. A worker thread owns the mixer and a libpulse connection; the
// GUI thread only posts commands (play these samples on voice N at gain G), which neither allocate
// sample data nor wait for the audio thread. The worker connects to the server as it starts and opens its stream
// corked, so the first sound starts as fast as later ones: the stream plays only while something sounds, and corks
// again once the mixer is idle (last tail played, limiter released), because a playing silent stream keeps waking the
// CPU while a corked one costs nothing. A sound that starts the stream from empty comes after silence as long as the
// sink's latency, so that none of it lands in what the sink had already rendered. Without a server every sound is
// dropped and the next command tries to connect again; a server that goes away mid-play only ends the sounds.
// With `offline` set there is no thread and no server: `renderOffline` drives the mixer.
class AudioEngine final {
public:
    struct Options {
        QString server; // empty: the desktop's default server
        std::chrono::milliseconds latency { 40 }; // buffered ahead of the speaker
        bool offline = false;
        bool keepCommandLog = false; // offline only: remember every command posted
    };

    struct Statistics {
        std::uint64_t connectAttempts = 0;
        std::uint64_t connectFailures = 0; // attempts that never reached a ready server
        std::uint64_t serverLosses = 0; // ready connections the server dropped
        // Times the stream started and stopped playing (uncorked, corked again or closed).
        std::uint64_t streamsOpened = 0;
        std::uint64_t streamsClosed = 0;
        std::uint64_t framesWritten = 0;
        std::uint64_t droppedCommands = 0; // queue full
        bool streamOpen = false; // playing now
        bool streamReady = false; // a corked stream waits for the next sound
    };

    // A sound the server could not start playing within this long after it was asked for is
    // dropped rather than played late.
    static constexpr std::chrono::milliseconds startDeadline { 250 };
    static constexpr int tactileVoiceCount = AudioMixer::tactileVoiceCount;
    static constexpr int catVoiceCount = AudioMixer::catVoiceCount;

    AudioEngine();
    explicit AudioEngine(Options options);
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    // GUI thread. Starting spawns the worker, which connects to the server on its own; false when
    // the worker could not be started.
    bool start();
    void stop();
    bool isRunning() const { return running; }

    // Cuts whatever the voice plays and starts `samples` at `gain` (held to 0...1).
    void playTactile(int voice, AudioSamples samples, float gain);

    // Cat-sound voices are handed out once to their owners; -1 when none is left.
    int reserveCatVoice();
    void startCat(int voice, AudioSamples samples, float gain);
    void setCatGain(int voice, float gain);
    void stopCat(int voice);
    // True from `startCat` until the sound ended, was stopped, or the server was lost.
    bool isCatPlaying(int voice) const;

    // Offline only (or before `start`): applies the posted commands and mixes `frames` samples.
    void renderOffline(float* out, std::size_t frames);
    const std::vector<AudioCommand>& commandLog() const { return postedCommands; }

    Statistics statistics() const;

private:
    class CommandQueue {
    public:
        static constexpr std::size_t capacity = 256;
        bool push(AudioCommand command);
        bool pop(AudioCommand& command);
        void clear();

    private:
        std::array<AudioCommand, capacity> slots;
        std::atomic<std::size_t> head { 0 };
        std::atomic<std::size_t> tail { 0 };
        std::mutex producers;
    };

    struct CatVoiceState {
        bool reserved = false;
        bool stopped = true;
        std::uint64_t generation = 0;
    };

    void post(AudioCommand command);
    void wake();
    bool drainCommands();

    // Worker thread.
    void run();
    void ensureOutput();
    void connectContext();
    void openStream(bool corked);
    void uncork();
    void writeAndUncork();
    void cork();
    void writeFrames(std::size_t bytes);
    void leadIn();
    void startDrain();
    void cancelDrain();
    void closeStream();
    void closeContext();
    void dropConnection(bool serverLost);
    void settle();
    struct Callbacks; // libpulse's C callbacks, defined beside them

    Options options;
    QByteArray serverName;
    AudioMixer mixer;
    CommandQueue queue;
    std::array<CatVoiceState, catVoiceCount> catStates;
    std::vector<AudioCommand> postedCommands;
    bool running = false;

    std::thread worker;
    int wakeFd = -1;
    std::atomic<bool> quitRequested { false };
    pa_mainloop* mainloop = nullptr;
    pa_io_event* wakeEvent = nullptr;
    pa_context* context = nullptr;
    pa_stream* stream = nullptr;
    pa_operation* drainOperation = nullptr;
    bool contextReady = false;
    bool contextFailed = false;
    bool streamFailed = false;
    bool drainFinished = false;
    bool outageReported = false;
    bool corked = false;
    bool uncorkWhenReady = false;
    // Silence still to be written ahead of the next sound, and how much the sink may rewrite.
    std::size_t leadFrames = 0;
    std::size_t sinkLatencyFrames = 0;

    std::atomic<std::uint64_t> connectAttempts { 0 };
    std::atomic<std::uint64_t> connectFailures { 0 };
    std::atomic<std::uint64_t> serverLosses { 0 };
    std::atomic<std::uint64_t> streamsOpened { 0 };
    std::atomic<std::uint64_t> streamsClosed { 0 };
    std::atomic<std::uint64_t> framesWritten { 0 };
    std::atomic<std::uint64_t> droppedCommands { 0 };
    std::atomic<bool> streamOpen { false };
    std::atomic<bool> streamReady { false };
};

} // namespace mewt

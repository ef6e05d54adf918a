#include "platform/AudioEngine.h"

#include "platform/AppInfo.h"

#include <QLoggingCategory>
#include <algorithm>
#include <pthread.h>
#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/mainloop.h>
#include <pulse/proplist.h>
#include <pulse/stream.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <utility>

namespace mewt {

namespace {

Q_LOGGING_CATEGORY(audioLog, "com.dovrant.mewt.direct.audio")

constexpr std::size_t bytesPerFrame = sizeof(float);
constexpr std::chrono::milliseconds requestPeriod { 10 };

std::uint32_t framesFor(std::chrono::microseconds duration)
{
    return static_cast<std::uint32_t>(duration.count() * audioSampleRate / 1000000);
}

std::uint32_t bytesFor(std::chrono::milliseconds duration)
{
    return framesFor(duration) * bytesPerFrame;
}

} // namespace

// ---- command queue: one consumer (the audio thread), producers serialised by a mutex that only
// producers take, so the audio thread never waits for the GUI.

bool AudioEngine::CommandQueue::push(AudioCommand command)
{
    const std::lock_guard lock(producers);
    const std::size_t h = head.load(std::memory_order_relaxed);
    if (h - tail.load(std::memory_order_acquire) >= capacity)
        return false;
    slots[h % capacity] = std::move(command);
    head.store(h + 1, std::memory_order_release);
    return true;
}

bool AudioEngine::CommandQueue::pop(AudioCommand& command)
{
    const std::size_t t = tail.load(std::memory_order_relaxed);
    if (t == head.load(std::memory_order_acquire))
        return false;
    command = std::move(slots[t % capacity]);
    tail.store(t + 1, std::memory_order_release);
    return true;
}

void AudioEngine::CommandQueue::clear()
{
    AudioCommand discarded;
    while (pop(discarded))
        discarded.samples.reset();
}

// ---- GUI thread

AudioEngine::AudioEngine()
    : AudioEngine(Options {})
{
}

AudioEngine::AudioEngine(Options options)
    : options(std::move(options))
    , serverName(this->options.server.toUtf8())
{
    if (this->options.latency < requestPeriod * 2)
        this->options.latency = requestPeriod * 2;
    // Until the server says what it gave: what our buffer makes it ask of the sink (half of what
    // is left after two requests), not less than one request.
    sinkLatencyFrames = framesFor(
        std::max<std::chrono::milliseconds>((this->options.latency - requestPeriod * 2) / 2, requestPeriod));
}

AudioEngine::~AudioEngine()
{
    stop();
}

bool AudioEngine::start()
{
    if (running)
        return true;
    if (options.offline) {
        running = true;
        return true;
    }
    wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    mainloop = pa_mainloop_new();
    if (wakeFd < 0 || !mainloop) {
        qCWarning(audioLog) << "cannot start the audio thread";
        stop();
        return false;
    }
    quitRequested = false;
    try {
        worker = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        qCWarning(audioLog) << "cannot start the audio thread";
        stop();
        return false;
    }
    running = true;
    return true;
}

void AudioEngine::stop()
{
    if (worker.joinable()) {
        quitRequested = true;
        wake();
        worker.join();
    }
    if (mainloop) {
        pa_mainloop_free(mainloop);
        mainloop = nullptr;
    }
    if (wakeFd >= 0) {
        ::close(wakeFd);
        wakeFd = -1;
    }
    queue.clear();
    mixer.silenceAll();
    for (CatVoiceState& state : catStates)
        state.stopped = true;
    streamOpen = false;
    running = false;
}

void AudioEngine::post(AudioCommand command)
{
    if (!running)
        return;
    if (command.kind == AudioCommand::Kind::playTactile || command.kind == AudioCommand::Kind::startCat)
        command.requestedAt = std::chrono::steady_clock::now();
    if (options.keepCommandLog && options.offline)
        postedCommands.push_back(command);
    if (!queue.push(std::move(command))) {
        ++droppedCommands;
        return;
    }
    wake();
}

void AudioEngine::wake()
{
    if (wakeFd < 0)
        return;
    const std::uint64_t one = 1;
    // Non-blocking: a full counter already means "wake up".
    [[maybe_unused]] const ssize_t written = ::write(wakeFd, &one, sizeof one);
}

void AudioEngine::playTactile(int voice, AudioSamples samples, float gain)
{
    if (voice < 0 || voice >= tactileVoiceCount || !samples)
        return;
    post({ AudioCommand::Kind::playTactile, voice, clampedGain(gain), std::move(samples), 0 });
}

int AudioEngine::reserveCatVoice()
{
    for (int voice = 0; voice < catVoiceCount; ++voice) {
        if (!catStates[voice].reserved) {
            catStates[voice].reserved = true;
            return voice;
        }
    }
    return -1;
}

void AudioEngine::startCat(int voice, AudioSamples samples, float gain)
{
    if (voice < 0 || voice >= catVoiceCount || !samples || !running)
        return;
    CatVoiceState& state = catStates[voice];
    ++state.generation;
    state.stopped = false;
    const std::uint64_t dropped = droppedCommands;
    post({ AudioCommand::Kind::startCat, voice, clampedGain(gain), std::move(samples), state.generation });
    if (droppedCommands != dropped)
        state.stopped = true;
}

void AudioEngine::setCatGain(int voice, float gain)
{
    if (voice < 0 || voice >= catVoiceCount)
        return;
    post({ AudioCommand::Kind::setCatGain, voice, clampedGain(gain), nullptr, catStates[voice].generation });
}

void AudioEngine::stopCat(int voice)
{
    if (voice < 0 || voice >= catVoiceCount || catStates[voice].stopped)
        return;
    catStates[voice].stopped = true;
    post({ AudioCommand::Kind::stopCat, voice, 0.0F, nullptr, catStates[voice].generation });
}

bool AudioEngine::isCatPlaying(int voice) const
{
    if (voice < 0 || voice >= catVoiceCount || !running)
        return false;
    const CatVoiceState& state = catStates[voice];
    return !state.stopped && mixer.catEndedGeneration(voice) < state.generation;
}

bool AudioEngine::drainCommands()
{
    bool any = false;
    AudioCommand command;
    while (queue.pop(command)) {
        mixer.apply(std::move(command));
        any = true;
    }
    return any;
}

void AudioEngine::renderOffline(float* out, std::size_t frames)
{
    if (worker.joinable()) {
        std::fill_n(out, frames, 0.0F);
        return;
    }
    drainCommands();
    // The same lifecycle as the server stream: open while anything sounds, closed once idle.
    if (!mixer.isIdle() && !streamOpen) {
        streamOpen = true;
        ++streamsOpened;
    }
    mixer.mix(out, frames);
    if (streamOpen) {
        framesWritten += frames;
        if (mixer.isIdle()) {
            streamOpen = false;
            ++streamsClosed;
        }
    }
}

AudioEngine::Statistics AudioEngine::statistics() const
{
    return { connectAttempts, connectFailures, serverLosses, streamsOpened, streamsClosed, framesWritten,
        droppedCommands, streamOpen, streamReady };
}

// ---- audio thread

struct AudioEngine::Callbacks {
    static void wake(pa_mainloop_api*, pa_io_event*, int fd, pa_io_event_flags_t, void* userdata)
    {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t read = ::read(fd, &count, sizeof count);
        auto* engine = static_cast<AudioEngine*>(userdata);
        if (engine->quitRequested) {
            pa_mainloop_quit(engine->mainloop, 0);
            return;
        }
        engine->drainCommands();
        if (!engine->mixer.isIdle())
            engine->ensureOutput();
    }

    // State changes are only noted here; `settle` acts on them after the iteration, so no object is
    // released inside its own callback.
    static void contextState(pa_context* context, void* userdata)
    {
        auto* engine = static_cast<AudioEngine*>(userdata);
        switch (pa_context_get_state(context)) {
        case PA_CONTEXT_READY:
            engine->contextReady = true;
            engine->outageReported = false;
            // Opened now, corked while nothing sounds: the first sound need not wait for it.
            engine->openStream(engine->mixer.isIdle());
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED: engine->contextFailed = true; break;
        default: break;
        }
    }

    static void streamState(pa_stream* stream, void* userdata)
    {
        auto* engine = static_cast<AudioEngine*>(userdata);
        switch (pa_stream_get_state(stream)) {
        case PA_STREAM_FAILED: engine->streamFailed = true; break;
        case PA_STREAM_READY:
            if (pa_operation* operation = pa_stream_update_timing_info(stream, &Callbacks::timing, userdata))
                pa_operation_unref(operation);
            // A sound came while the corked stream was still being set up.
            if (std::exchange(engine->uncorkWhenReady, false))
                engine->writeAndUncork();
            break;
        default: break;
        }
    }

    static void timing(pa_stream* stream, int success, void* userdata)
    {
        const pa_timing_info* info = success ? pa_stream_get_timing_info(stream) : nullptr;
        if (info && info->configured_sink_usec > 0)
            static_cast<AudioEngine*>(userdata)->sinkLatencyFrames
                = framesFor(std::chrono::microseconds(info->configured_sink_usec));
    }

    static void streamWrite(pa_stream*, std::size_t bytes, void* userdata)
    {
        static_cast<AudioEngine*>(userdata)->writeFrames(bytes);
    }

    static void drained(pa_stream*, int, void* userdata) { static_cast<AudioEngine*>(userdata)->drainFinished = true; }
};

void AudioEngine::run()
{
    pthread_setname_np(pthread_self(), "mewt-audio");
    pa_mainloop_api* api = pa_mainloop_get_api(mainloop);
    wakeEvent = api->io_new(api, wakeFd, PA_IO_EVENT_INPUT, &Callbacks::wake, this);
    // Connecting takes tens of milliseconds, which the first sound would otherwise wait for. An
    // idle connection without a stream costs no wake-ups.
    connectContext();
    settle();
    while (!quitRequested) {
        if (pa_mainloop_iterate(mainloop, 1, nullptr) < 0)
            break;
        settle();
    }
    closeStream();
    closeContext();
    api->io_free(wakeEvent);
    wakeEvent = nullptr;
}

void AudioEngine::settle()
{
    if (contextFailed) {
        contextFailed = false;
        dropConnection(contextReady);
        return;
    }
    if (streamFailed) {
        streamFailed = false;
        qCInfo(audioLog) << "sound stream failed:" << pa_strerror(pa_context_errno(context));
        closeStream();
        mixer.silenceAll();
        return;
    }
    if (drainFinished) {
        drainFinished = false;
        if (drainOperation) {
            pa_operation_unref(drainOperation);
            drainOperation = nullptr;
        }
        if (mixer.isIdle())
            cork();
        else if (stream)
            writeFrames(pa_stream_writable_size(stream));
    }
}

void AudioEngine::ensureOutput()
{
    if (!context) {
        connectContext();
        return;
    }
    if (!contextReady)
        return;
    if (!stream) {
        openStream(false);
        return;
    }
    if (corked) {
        uncork();
        return;
    }
    if (drainOperation) {
        cancelDrain();
        leadIn();
        writeFrames(pa_stream_writable_size(stream));
    }
}

void AudioEngine::connectContext()
{
    ++connectAttempts;
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, AppInfo::displayName);
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, AppInfo::bundleIdentifier);
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, AppInfo::bundleIdentifier);
    context = pa_context_new_with_proplist(pa_mainloop_get_api(mainloop), "mewt", properties);
    pa_proplist_free(properties);
    if (!context) {
        ++connectFailures;
        mixer.silenceAll();
        return;
    }
    contextReady = false;
    contextFailed = false;
    pa_context_set_state_callback(context, &Callbacks::contextState, this);
    const char* server = serverName.isEmpty() ? nullptr : serverName.constData();
    // Never spawn a server of our own: no server simply means no sound.
    if (pa_context_connect(context, server, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        contextFailed = true;
}

void AudioEngine::openStream(bool startCorked)
{
    const pa_sample_spec format { PA_SAMPLE_FLOAT32LE, audioSampleRate, 1 };
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "event");
    stream = pa_stream_new_with_proplist(context, "mewt sounds", &format, nullptr, properties);
    pa_proplist_free(properties);
    if (!stream) {
        mixer.silenceAll();
        return;
    }
    pa_stream_set_state_callback(stream, &Callbacks::streamState, this);
    pa_stream_set_write_callback(stream, &Callbacks::streamWrite, this);
    pa_buffer_attr attributes {};
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.tlength = bytesFor(options.latency);
    attributes.prebuf = static_cast<std::uint32_t>(-1);
    attributes.minreq = bytesFor(requestPeriod);
    attributes.fragsize = static_cast<std::uint32_t>(-1);
    const auto flags = static_cast<pa_stream_flags_t>(
        PA_STREAM_ADJUST_LATENCY | (startCorked ? PA_STREAM_START_CORKED : PA_STREAM_NOFLAGS));
    if (pa_stream_connect_playback(stream, nullptr, &attributes, flags, nullptr, nullptr) < 0) {
        pa_stream_unref(stream);
        stream = nullptr;
        mixer.silenceAll();
        return;
    }
    corked = startCorked;
    streamReady = true;
    if (!corked) {
        ++streamsOpened;
        streamOpen = true;
        leadIn();
    }
}

void AudioEngine::uncork()
{
    if (!stream || !corked)
        return;
    corked = false;
    ++streamsOpened;
    streamOpen = true;
    leadIn();
    if (pa_stream_get_state(stream) != PA_STREAM_READY)
        uncorkWhenReady = true;
    else
        writeAndUncork();
}

void AudioEngine::writeAndUncork()
{
    // Queued before the uncork, the sound is mixed in by the uncork's one rewind; written after it,
    // its arrival would rewind the sink a second time, beyond what the lead covers.
    writeFrames(pa_stream_writable_size(stream));
    if (pa_operation* operation = pa_stream_cork(stream, 0, nullptr, nullptr))
        pa_operation_unref(operation);
}

void AudioEngine::leadIn()
{
    // A stream that starts from empty makes PulseAudio rewind the sink and mix it into what the sink
    // had already rendered ahead (at most its latency). What was taken from there before is never
    // taken again: the sink's monitor, and so recorders and network sinks, would lose the sound's
    // first milliseconds. Silence that long goes there instead.
    leadFrames = sinkLatencyFrames;
}

void AudioEngine::cork()
{
    if (!stream || corked)
        return;
    pa_operation* operation = pa_stream_cork(stream, 1, nullptr, nullptr);
    if (!operation) {
        closeStream();
        return;
    }
    pa_operation_unref(operation);
    corked = true;
    ++streamsClosed;
    streamOpen = false;
}

void AudioEngine::writeFrames(std::size_t bytes)
{
    // A corked stream is asked for data too; silence written then would delay the next sound.
    if (!stream || drainOperation || corked)
        return;
    drainCommands();
    mixer.dropUnstartedBefore(std::chrono::steady_clock::now() - startDeadline);
    while (bytes >= bytesPerFrame) {
        void* data = nullptr;
        std::size_t size = bytes;
        if (pa_stream_begin_write(stream, &data, &size) < 0 || !data || size < bytesPerFrame)
            break;
        const std::size_t frames = std::min(size, bytes) / bytesPerFrame;
        const std::size_t silent = std::min(leadFrames, frames);
        std::fill_n(static_cast<float*>(data), silent, 0.0F);
        mixer.mix(static_cast<float*>(data) + silent, frames - silent);
        leadFrames -= silent;
        if (pa_stream_write(stream, data, frames * bytesPerFrame, nullptr, 0, PA_SEEK_RELATIVE) < 0)
            break;
        framesWritten += frames;
        bytes -= frames * bytesPerFrame;
    }
    if (mixer.isIdle())
        startDrain();
}

void AudioEngine::startDrain()
{
    if (!stream || drainOperation)
        return;
    drainOperation = pa_stream_drain(stream, &Callbacks::drained, this);
    if (!drainOperation)
        closeStream();
}

void AudioEngine::cancelDrain()
{
    if (!drainOperation)
        return;
    pa_operation_cancel(drainOperation);
    pa_operation_unref(drainOperation);
    drainOperation = nullptr;
}

void AudioEngine::closeStream()
{
    cancelDrain();
    if (!stream)
        return;
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    stream = nullptr;
    streamFailed = false;
    drainFinished = false;
    if (!corked)
        ++streamsClosed;
    corked = false;
    uncorkWhenReady = false;
    leadFrames = 0;
    streamOpen = false;
    streamReady = false;
}

void AudioEngine::closeContext()
{
    if (!context)
        return;
    pa_context_set_state_callback(context, nullptr, nullptr);
    pa_context_disconnect(context);
    pa_context_unref(context);
    context = nullptr;
    contextReady = false;
    contextFailed = false;
}

void AudioEngine::dropConnection(bool serverLost)
{
    // Said once per outage: without a server every play would otherwise log again.
    if (context && !outageReported) {
        if (serverLost)
            qCInfo(audioLog) << "sound server went away";
        else
            qCInfo(audioLog) << "no sound server:" << pa_strerror(pa_context_errno(context));
        outageReported = true;
    }
    closeStream();
    closeContext();
    // Sounds that could not be heard now must not burst out later.
    mixer.silenceAll();
    ++(serverLost ? serverLosses : connectFailures);
}

} // namespace mewt

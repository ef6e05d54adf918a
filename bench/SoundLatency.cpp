// Request-to-sound times of the audio engine on a private PulseAudio null sink: from posting a
// sound to its first frames handed to the server. The first sound after launch (the connection
// was made while the app started) and later ones should all be a few milliseconds; a sound posted
// before the connection is up shows what the first click used to cost. Not a timed test: a figure.
#include "platform/AudioEngine.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace mewt;
using Clock = std::chrono::steady_clock;

namespace {

double requestToSoundMs(AudioEngine& engine, const AudioSamples& samples)
{
    const std::uint64_t before = engine.statistics().framesWritten;
    const Clock::time_point requested = Clock::now();
    engine.playTactile(0, samples, 0.5F);
    while (engine.statistics().framesWritten == before) {
        if (Clock::now() - requested > std::chrono::seconds(2))
            return -1;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - requested).count();
}

void waitUntilClosed(AudioEngine& engine)
{
    while (engine.statistics().streamOpen)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (program.isEmpty() || !folder.isValid()) {
        std::fprintf(stderr, "needs pulseaudio\n");
        return 2;
    }
    const QString socket = folder.filePath(QStringLiteral("native"));
    QProcess daemon;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "XDG_RUNTIME_DIR", "HOME", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH" })
        environment.insert(QString::fromLatin1(name), folder.path());
    daemon.setProcessEnvironment(environment);
    daemon.start(program,
        QStringLiteral("-n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=false --disable-shm=yes "
                       "--realtime=no --log-target=stderr")
                .split(QLatin1Char(' '))
            << QStringLiteral("--load=module-null-sink sink_name=mewt_bench rate=48000 channels=1")
            << QStringLiteral("--load=module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socket));
    for (int wait = 0; wait < 200 && !QFileInfo::exists(socket); ++wait)
        QThread::msleep(25);
    if (!QFileInfo::exists(socket)) {
        std::fprintf(stderr, "pulseaudio did not start\n");
        return 2;
    }
    const QString address = QStringLiteral("unix:") + socket;
    const AudioSamples click = makeAudioSamples(std::vector<float>(2400, 0.1F));

    std::vector<double> atOnce;
    std::vector<double> firstAfterLaunch;
    std::vector<double> later;
    for (int round = 0; round < 7; ++round) {
        {
            AudioEngine engine(AudioEngine::Options { address });
            engine.start();
            atOnce.push_back(requestToSoundMs(engine, click));
        }
        AudioEngine engine(AudioEngine::Options { address });
        engine.start();
        QThread::msleep(300);
        firstAfterLaunch.push_back(requestToSoundMs(engine, click));
        for (int play = 0; play < 3; ++play) {
            waitUntilClosed(engine);
            later.push_back(requestToSoundMs(engine, click));
        }
    }
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    const auto worst = [](const std::vector<double>& values) { return *std::max_element(values.begin(), values.end()); };
    std::printf("request to first frames, median (worst) of %zu/%zu/%zu:\n", atOnce.size(), firstAfterLaunch.size(),
        later.size());
    std::printf("  posted before the connection was up: %.1f ms (%.1f)\n", median(atOnce), worst(atOnce));
    std::printf("  first sound after launch:            %.1f ms (%.1f)\n", median(firstAfterLaunch),
        worst(firstAfterLaunch));
    std::printf("  later sounds, stream reopened:       %.1f ms (%.1f)\n", median(later), worst(later));
    daemon.kill();
    daemon.waitForFinished(3000);
    return 0;
}

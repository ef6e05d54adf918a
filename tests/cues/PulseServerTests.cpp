#include "CatSoundPlayer.h"
#include "SoundRig.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <thread>

using namespace mewt;

namespace {

constexpr char sinkName[] = "mewt_test";

// A private PulseAudio daemon with one null sink, reachable only through a socket in a temporary
// folder; it never touches the desktop's own server.
class PrivateServer {
public:
    bool start(QString& problem)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty()) {
            problem = QStringLiteral("pulseaudio is not installed");
            return false;
        }
        if (!folder.isValid()) {
            problem = QStringLiteral("no temporary folder");
            return false;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : { "XDG_RUNTIME_DIR", "HOME", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH" })
            environment.insert(QString::fromLatin1(name), folder.path());
        environment.remove(QStringLiteral("PULSE_SERVER"));
        environment.remove(QStringLiteral("DISPLAY"));
        daemon.setProcessEnvironment(environment);
        daemon.setProcessChannelMode(QProcess::MergedChannels);
        daemon.start(program,
            { QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                QStringLiteral("--disallow-exit"), QStringLiteral("--use-pid-file=no"),
                QStringLiteral("--system=false"), QStringLiteral("--disable-shm=yes"), QStringLiteral("--realtime=no"),
                QStringLiteral("--high-priority=no"), QStringLiteral("--log-target=stderr"),
                QStringLiteral("--load=module-null-sink sink_name=%1 rate=48000 channels=1 format=float32le")
                    .arg(QLatin1String(sinkName)),
                QStringLiteral("--load=module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socketPath()) });
        const bool ready = daemon.waitForStarted(5000)
            && QTest::qWaitFor(
                [this] { return QFileInfo::exists(socketPath()) || daemon.state() == QProcess::NotRunning; }, 10000)
            && daemon.state() == QProcess::Running && QFileInfo::exists(socketPath());
        if (!ready)
            problem = QStringLiteral("pulseaudio did not start: ") + QString::fromLocal8Bit(daemon.readAll());
        return ready;
    }

    void kill()
    {
        if (daemon.state() != QProcess::NotRunning) {
            daemon.kill();
            daemon.waitForFinished(5000);
        }
    }

    ~PrivateServer() { kill(); }

    QString socketPath() const { return folder.filePath(QStringLiteral("native")); }
    QString address() const { return QStringLiteral("unix:") + socketPath(); }

private:
    QTemporaryDir folder;
    QProcess daemon;
};

// Records what the null sink plays, from the moment it is made.
class MonitorRecorder {
public:
    explicit MonitorRecorder(const QString& server)
    {
        const pa_sample_spec spec { PA_SAMPLE_FLOAT32LE, 48000, 1 };
        const QByteArray address = server.toUtf8();
        const QByteArray source = QByteArray(sinkName) + ".monitor";
        pa_buffer_attr attributes {};
        attributes.maxlength = static_cast<std::uint32_t>(-1);
        attributes.fragsize = 480 * sizeof(float);
        int error = 0;
        connection = pa_simple_new(address.constData(), "mewt-test", PA_STREAM_RECORD, source.constData(), "monitor",
            &spec, nullptr, &attributes, &error);
    }
    ~MonitorRecorder()
    {
        if (connection)
            pa_simple_free(connection);
    }

    bool ok() const { return connection != nullptr; }

    std::vector<float> read(double seconds)
    {
        std::vector<float> samples(static_cast<std::size_t>(seconds * 48000));
        int error = 0;
        if (pa_simple_read(connection, samples.data(), samples.size() * sizeof(float), &error) < 0)
            samples.clear();
        return samples;
    }

private:
    pa_simple* connection = nullptr;
};

// Plays silence into the sink until destroyed. An idle null sink passes nothing to its monitor, and
// the first moments of a sound that wakes it are lost there; a sink that keeps running records all.
class SilenceKeeper {
public:
    explicit SilenceKeeper(const QString& server)
    {
        const pa_sample_spec spec { PA_SAMPLE_FLOAT32LE, 48000, 1 };
        const QByteArray address = server.toUtf8();
        // A short buffer keeps the sink from rendering far ahead, which it would rewind for a new sound.
        pa_buffer_attr attributes {};
        attributes.maxlength = static_cast<std::uint32_t>(-1);
        attributes.tlength = 480 * sizeof(float);
        attributes.prebuf = static_cast<std::uint32_t>(-1);
        attributes.minreq = static_cast<std::uint32_t>(-1);
        int error = 0;
        connection = pa_simple_new(address.constData(), "mewt-test", PA_STREAM_PLAYBACK, sinkName, "silence", &spec,
            nullptr, &attributes, &error);
        if (connection) {
            writer = std::thread([this] {
                const std::vector<float> block(480, 0.0F);
                int error = 0;
                while (!stopping
                    && pa_simple_write(connection, block.data(), block.size() * sizeof(float), &error) >= 0) { }
            });
        }
    }
    ~SilenceKeeper()
    {
        stopping = true;
        if (writer.joinable())
            writer.join();
        if (connection)
            pa_simple_free(connection);
    }

    bool ok() const { return connection != nullptr; }

private:
    pa_simple* connection = nullptr;
    std::atomic<bool> stopping { false };
    std::thread writer;
};

std::size_t firstAbove(const std::vector<float>& samples, float level)
{
    const auto found = std::find_if(samples.begin(), samples.end(), [level](float s) { return std::abs(s) > level; });
    return static_cast<std::size_t>(found - samples.begin());
}

TEST(RealSoundServer, PlaysExactlyTheRenderedSoundThenClosesItsStream)
{
    PrivateServer server;
    QString problem;
    if (!server.start(problem))
        GTEST_SKIP() << problem.toStdString();

    mewt::testing::SoundRig rig;
    AudioEngine engine(AudioEngine::Options { server.address(), std::chrono::milliseconds(40), false, false });
    TactileSoundPlayer player(rig.settings, engine, rig.clock);
    player.start();
    SilenceKeeper keeper(server.address());
    ASSERT_TRUE(keeper.ok());
    MonitorRecorder recorder(server.address());
    ASSERT_TRUE(recorder.ok());
    recorder.read(0.1); // the sink runs

    // Muted: nothing reaches the server, not even a connection.
    rig.settings.setTactileSoundsEnabled(false);
    player.play(TactileSound::chime, 1.0);
    rig.settings.setTactileSoundsEnabled(true);
    EXPECT_EQ(engine.statistics().connectAttempts, 0U);

    const std::vector<float>& reference = *player.buffer(TactileSound::chime);
    player.play(TactileSound::chime, 1.0);
    const std::vector<float> heard = recorder.read(reference.size() / 48000.0 + 1.0);
    ASSERT_FALSE(heard.empty());

    // Compare sample by sample from the onset: level and length must match. The sink's monitor may
    // drop a few milliseconds where a new stream makes the sink re-render what it had queued, so the
    // recording is aligned on the best match within its first 50 ms.
    const std::size_t onset = firstAbove(heard, 1e-4F);
    ASSERT_LT(onset + 4800, heard.size());
    std::size_t lost = 0;
    double best = -1.0;
    for (std::size_t lag = 0; lag <= 2400; ++lag) {
        double match = 0.0;
        for (std::size_t i = 0; i < 4800; ++i)
            match += static_cast<double>(reference[lag + i]) * heard[onset + i];
        if (match > best) {
            best = match;
            lost = lag;
        }
    }
    ASSERT_LE(onset + reference.size() - lost, heard.size());
    double error = 0.0;
    double energy = 0.0;
    for (std::size_t i = 0; i + lost < reference.size(); ++i) {
        error += std::pow(heard[onset + i] - reference[lost + i], 2.0);
        energy += std::pow(reference[lost + i], 2.0);
    }
    EXPECT_LT(error / energy, 1e-9);
    EXPECT_TRUE(std::all_of(heard.begin() + static_cast<std::ptrdiff_t>(onset + reference.size() - lost), heard.end(),
        [](float s) { return s == 0.0F; }));

    // The stream opened once, and closes by itself after the tail.
    EXPECT_TRUE(QTest::qWaitFor([&engine] { return !engine.statistics().streamOpen; }, 3000));
    const AudioEngine::Statistics stats = engine.statistics();
    EXPECT_EQ(stats.connectAttempts, 1U);
    EXPECT_EQ(stats.streamsOpened, 1U);
    EXPECT_EQ(stats.streamsClosed, 1U);
    EXPECT_GE(stats.framesWritten, reference.size());
    player.shutdown();
}

TEST(RealSoundServer, AServerThatVanishesMidPlayOnlyEndsTheSound)
{
    PrivateServer server;
    QString problem;
    if (!server.start(problem))
        GTEST_SKIP() << problem.toStdString();

    mewt::testing::SoundRig rig;
    AudioEngine engine(AudioEngine::Options { server.address(), std::chrono::milliseconds(40), false, false });
    CatSoundPlayer cats(rig.settings, engine);
    cats.play(CatSoundPlayer::Sound::purr, 1.0);
    ASSERT_TRUE(QTest::qWaitFor([&engine] { return engine.statistics().framesWritten > 4800; }, 5000));
    server.kill();
    EXPECT_TRUE(QTest::qWaitFor([&engine] { return engine.statistics().serverLosses == 1; }, 5000));
    EXPECT_FALSE(engine.statistics().streamOpen);
    EXPECT_FALSE(cats.isPlaying(CatSoundPlayer::Sound::purr, 0));

    // The next play tries again, fails at once and stays silent.
    QElapsedTimer elapsed;
    elapsed.start();
    cats.play(CatSoundPlayer::Sound::purr, 1.0);
    EXPECT_TRUE(QTest::qWaitFor([&engine] { return engine.statistics().connectFailures == 1; }, 5000));
    engine.stop();
    EXPECT_LT(elapsed.elapsed(), 5000);
}

TEST(NoSoundServer, EveryPlayTriesAgainAndNothingBlocks)
{
    QTemporaryDir folder;
    const QString nowhere = QStringLiteral("unix:") + folder.filePath(QStringLiteral("no-server"));
    mewt::testing::SoundRig rig;
    AudioEngine engine(AudioEngine::Options { nowhere, std::chrono::milliseconds(40), false, false });
    TactileSoundPlayer player(rig.settings, engine, rig.clock);
    player.start();
    EXPECT_TRUE(engine.isRunning());
    player.play(TactileSound::success, 1.0);
    EXPECT_TRUE(QTest::qWaitFor([&engine] { return engine.statistics().connectFailures == 1; }, 5000));
    player.play(TactileSound::success, 1.0);
    EXPECT_TRUE(QTest::qWaitFor([&engine] { return engine.statistics().connectFailures == 2; }, 5000));
    const AudioEngine::Statistics stats = engine.statistics();
    EXPECT_EQ(stats.connectAttempts, 2U);
    EXPECT_EQ(stats.streamsOpened, 0U);
    EXPECT_FALSE(stats.streamOpen);
    player.shutdown();
    EXPECT_FALSE(engine.isRunning());
}

} // namespace

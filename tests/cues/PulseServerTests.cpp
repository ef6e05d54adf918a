#include "SoundRig.h"
#include "cues/CatSoundPlayer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <numeric>
#include <span>
#include <tuple>

using namespace mewt;

namespace {

// A private PulseAudio daemon with one null sink, reachable only through a socket in a temporary
// folder; it never touches the desktop's own server.
class PrivateServer {
public:
    bool start(QString& problem)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty() || !folder.isValid()) {
            problem = QStringLiteral("pulseaudio is not installed, or no temporary folder");
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
            QStringLiteral("-n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no --system=false "
                           "--disable-shm=yes --realtime=no --high-priority=no --log-target=stderr")
                    .split(QLatin1Char(' '))
                << QStringLiteral("--load=module-null-sink sink_name=mewt_test rate=48000 channels=1")
                << QStringLiteral("--load=module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socketPath()));
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

    // Records the sink's monitor from now on: what the sink plays, sample for sample; false without parec.
    bool record(QProcess& recorder) const
    {
        // Asking no lower latency than the app's stream does leaves the sink as the app alone sets it.
        recorder.start(QStringLiteral("parec"),
            QStringLiteral("--device=mewt_test.monitor --raw --format=float32le --rate=48000 --channels=1 "
                           "--latency-msec=40")
                    .split(QLatin1Char(' '))
                << QStringLiteral("--server=") + address());
        return recorder.waitForStarted(5000)
            && QTest::qWaitFor([&recorder] { return recorder.bytesAvailable() > 0; }, 5000);
    }

    QString socketPath() const { return folder.filePath(QStringLiteral("native")); }
    QString address() const { return QStringLiteral("unix:") + socketPath(); }

private:
    QTemporaryDir folder;
    QProcess daemon;
};

TEST(RealSoundServer, PlaysTheWholeSoundClosesItsStreamAndSurvivesTheServerVanishing)
{
    PrivateServer server;
    QString problem;
    if (!server.start(problem))
        GTEST_SKIP() << problem.toStdString();

    mewt::testing::SoundRig rig;
    AudioEngine engine(AudioEngine::Options { server.address() });
    TactileSoundPlayer player(rig.settings, engine, rig.clock);
    player.start();
    // The connection and a corked stream are made at start, so the first sound need not wait for
    // them; muted, nothing plays.
    ASSERT_TRUE(QTest::qWaitFor([&engine] { return engine.statistics().streamReady; }, 5000));
    EXPECT_EQ(engine.statistics().connectAttempts, 1U);
    rig.settings.setTactileSoundsEnabled(false);
    player.play(TactileSound::chime, 1.0);
    rig.settings.setTactileSoundsEnabled(true);
    QTest::qWait(100);
    EXPECT_EQ(engine.statistics().streamsOpened, 0U);
    EXPECT_FALSE(engine.statistics().streamOpen);

    // The stream plays once, on the connection made at start, takes the whole sound and corks by
    // itself after the tail; it stays ready for the next sound.
    player.play(TactileSound::chime, 1.0);
    ASSERT_TRUE(QTest::qWaitFor([&engine] { return engine.statistics().streamsClosed == 1; }, 5000));
    const AudioEngine::Statistics stats = engine.statistics();
    EXPECT_EQ(stats.connectAttempts, 1U);
    EXPECT_EQ(stats.streamsOpened, 1U);
    EXPECT_FALSE(stats.streamOpen);
    EXPECT_TRUE(stats.streamReady);
    EXPECT_GE(stats.framesWritten, player.buffer(TactileSound::chime)->size());

    // A server that vanishes mid-sound only ends the sound; the next play fails at once, silently.
    CatSoundPlayer cats(rig.settings, engine);
    cats.play(CatSoundPlayer::Sound::purr, 1.0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine.statistics().framesWritten > stats.framesWritten + 4800; }, 5000));
    server.kill();
    EXPECT_TRUE(QTest::qWaitFor([&engine] { return engine.statistics().serverLosses == 1; }, 5000));
    EXPECT_FALSE(engine.statistics().streamOpen);
    EXPECT_FALSE(cats.isPlaying(CatSoundPlayer::Sound::purr, 0));
    QElapsedTimer elapsed;
    elapsed.start();
    cats.play(CatSoundPlayer::Sound::purr, 1.0);
    EXPECT_TRUE(QTest::qWaitFor([&engine] { return engine.statistics().connectFailures == 1; }, 5000));
    player.shutdown();
    EXPECT_LT(elapsed.elapsed(), 5000);
}

bool audible(float sample)
{
    return std::abs(sample) > 1e-3F; // -60 dBFS
}

// How the first sound at or after `from` arrived: aligned with the rendered `sound` by
// cross-correlation, its first audible sample against the rendered one's, in ms (a sound that lost
// its start at the sink shows it later), and its peak against theirs, in dB.
struct Arrival {
    std::size_t at = 0;
    double firstSampleMs = 0;
    double peakDb = 0;
};

Arrival arrivalAfter(std::span<const float> recording, std::size_t from, std::span<const float> sound)
{
    const auto heard = std::size_t(
        std::find_if(recording.begin() + std::ptrdiff_t(from), recording.end(), audible) - recording.begin());
    Arrival arrival { recording.size() };
    double best = -1;
    for (std::size_t at = heard > 1440 ? heard - 1440 : 0; at <= heard && at + sound.size() <= recording.size(); ++at) {
        const double score
            = std::inner_product(sound.begin(), sound.end(), recording.begin() + std::ptrdiff_t(at), 0.0);
        if (score > best)
            std::tie(best, arrival.at) = std::pair(score, at);
    }
    if (arrival.at == recording.size())
        return arrival;
    const auto played = recording.subspan(arrival.at, sound.size());
    const auto firstAudible
        = [](std::span<const float> s) { return double(std::ranges::find_if(s, audible) - s.begin()); };
    const auto peak = [](std::span<const float> s) {
        return std::abs(std::ranges::max(s, {}, [](float v) { return std::abs(v); }));
    };
    arrival.firstSampleMs = (firstAudible(played) - firstAudible(sound)) / 48.0;
    arrival.peakDb = 20 * std::log10(std::max(peak(played), 1e-9F) / peak(sound));
    return arrival;
}

// Heard at the sink's monitor: the first sound after start, one after a second of silence, and one
// right after another all arrive whole from their first sample, as loud as rendered.
TEST(RealSoundServer, EverySoundArrivesWholeFromItsFirstSample)
{
    PrivateServer server;
    QString problem;
    if (!server.start(problem))
        GTEST_SKIP() << problem.toStdString();
    QProcess recorder;
    if (!server.record(recorder))
        GTEST_SKIP() << "parec cannot record the null sink";

    mewt::testing::SoundRig rig;
    const AudioSamples press = rig.player.buffer(TactileSound::press);
    // What the engine renders of the sound, limiter included: the reference the sink must get.
    AudioEngine offline(AudioEngine::Options { {}, std::chrono::milliseconds(40), true });
    offline.start();
    offline.playTactile(0, press, 1.0F);
    std::vector<float> rendered(press->size() + 480);
    offline.renderOffline(rendered.data(), rendered.size());

    AudioEngine engine(AudioEngine::Options { server.address() });
    engine.start();
    ASSERT_TRUE(QTest::qWaitFor([&engine] { return engine.statistics().streamReady; }, 5000));
    const auto playAndWait = [&engine, &press](std::uint64_t closed, int voice) {
        engine.playTactile(voice, press, 1.0F);
        EXPECT_TRUE(QTest::qWaitFor([&engine, closed] { return engine.statistics().streamsClosed > closed; }, 5000));
    };
    playAndWait(0, 0);
    QTest::qWait(1000);
    playAndWait(1, 1);
    QTest::qWait(1000);
    // The next starts as this one ends, while the stream still plays.
    engine.playTactile(2, press, 1.0F);
    QTest::qWait(static_cast<int>(press->size() / 48) + 10);
    playAndWait(2, 3);
    QTest::qWait(300);
    engine.stop();
    recorder.kill();
    recorder.waitForFinished(5000);
    const QByteArray raw = recorder.readAllStandardOutput();
    std::vector<float> recording(static_cast<std::size_t>(raw.size()) / sizeof(float));
    std::memcpy(recording.data(), raw.constData(), recording.size() * sizeof(float));

    std::size_t from = 0;
    for (const char* name :
        { "first after start", "after 1 s of silence", "after another second", "right after another" }) {
        const Arrival arrival = arrivalAfter(recording, from, rendered);
        ASSERT_LT(arrival.at, recording.size()) << name << ": never heard";
        EXPECT_NEAR(arrival.firstSampleMs, 0.0, 1.0) << name;
        EXPECT_NEAR(arrival.peakDb, 0.0, 1.0) << name;
        from = arrival.at + press->size();
    }
}

TEST(NoSoundServer, EveryPlayTriesAgainAndNothingBlocks)
{
    QTemporaryDir folder;
    mewt::testing::SoundRig rig;
    AudioEngine engine(AudioEngine::Options { QStringLiteral("unix:") + folder.filePath(QStringLiteral("none")) });
    TactileSoundPlayer player(rig.settings, engine, rig.clock);
    player.start();
    EXPECT_TRUE(engine.isRunning());
    // The attempt at start fails; each play tries again.
    EXPECT_TRUE(QTest::qWaitFor([&] { return engine.statistics().connectFailures == 1; }, 5000));
    for (unsigned failures = 2; failures <= 3; ++failures) {
        player.play(TactileSound::success, 1.0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return engine.statistics().connectFailures == failures; }, 5000));
    }
    EXPECT_EQ(engine.statistics().connectAttempts, 3U);
    EXPECT_EQ(engine.statistics().streamsOpened, 0U);
    EXPECT_FALSE(engine.statistics().streamOpen);
    player.shutdown();
    EXPECT_FALSE(engine.isRunning());
}

TEST(RealSoundServer, TheSoundClientGoesByTheApplicationId)
{
    const QString pactl = QStandardPaths::findExecutable(QStringLiteral("pactl"));
    PrivateServer server;
    QString problem;
    if (pactl.isEmpty() || !server.start(problem))
        GTEST_SKIP() << (pactl.isEmpty() ? "pactl is not installed" : problem.toStdString());

    mewt::testing::SoundRig rig;
    AudioEngine engine(AudioEngine::Options { server.address() });
    CatSoundPlayer cats(rig.settings, engine);
    cats.play(CatSoundPlayer::Sound::purr, 1.0);
    ASSERT_TRUE(QTest::qWaitFor([&engine] { return engine.statistics().streamOpen; }, 5000));

    // The sound settings of a desktop group streams by these two names.
    QProcess clients;
    clients.start(
        pactl, { QStringLiteral("--server=") + server.address(), QStringLiteral("list"), QStringLiteral("clients") });
    ASSERT_TRUE(clients.waitForFinished(5000));
    const QString listing = QString::fromUtf8(clients.readAllStandardOutput());
    EXPECT_TRUE(listing.contains(QStringLiteral("application.id = \"com.dovrant.mewt.direct\"")))
        << listing.toStdString();
    EXPECT_TRUE(listing.contains(QStringLiteral("application.icon_name = \"com.dovrant.mewt.direct\"")))
        << listing.toStdString();
    cats.stopAll();
}

} // namespace

#include "SoundRig.h"
#include "cues/CatSoundPlayer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

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

#include "DirectDistributionRuntime.h"
#include "LoopbackHttpServer.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace mewt;
using namespace std::chrono_literals;
using Status = DirectDistributionRuntime::Status;

namespace {

const RunningVersion running { QStringLiteral("1.2.0"), QStringLiteral("40") };

QByteArray feedWith(const QByteArray& build, const QByteArray& version)
{
    return "<rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\"><channel>"
           "<item><link>https://example.org/mewt/"
        + version + "</link><sparkle:version>" + build + "</sparkle:version><sparkle:shortVersionString>" + version
        + "</sparkle:shortVersionString></item></channel></rss>";
}

class UpdateRuntime : public ::testing::Test {
protected:
    std::unique_ptr<DirectDistributionRuntime> runtimeFor(const QByteArray& path)
    {
        auto runtime = std::make_unique<DirectDistributionRuntime>(server.url(path), running);
        runtime->updateChecker().setTimeout(3s);
        runtime->openUrl = [this](const QUrl& url) {
            opened.append(url);
            return true;
        };
        return runtime;
    }

    // Every status the runtime passes through, in order.
    void record(DirectDistributionRuntime& runtime)
    {
        QObject::connect(&runtime, &DirectDistributionRuntime::statusChanged, &runtime,
            [this, &runtime] { statuses.push_back(runtime.status()); });
    }

    bool waitForMessage(DirectDistributionRuntime& runtime)
    {
        return QTest::qWaitFor([&] { return runtime.status().kind == Status::Kind::message; }, 10'000);
    }

    LoopbackHttpServer server;
    std::vector<Status> statuses;
    QList<QUrl> opened;
};

TEST_F(UpdateRuntime, WithoutAFeedSaysSoEveryTime)
{
    DirectDistributionRuntime runtime(QUrl(), running);
    record(runtime);
    const Status notConfigured = Status::message(QStringLiteral("updates aren't configured in this build."));
    runtime.checkForUpdates();
    EXPECT_EQ(runtime.status(), notConfigured);
    runtime.checkForUpdates();
    EXPECT_EQ(runtime.status(), notConfigured);
    EXPECT_EQ(statuses, std::vector<Status> { notConfigured });

    runtime.startBackgroundProbe();
    EXPECT_FALSE(runtime.isProbing());
    EXPECT_FALSE(runtime.availableUpdate().has_value());
}

TEST_F(UpdateRuntime, CheckGoesFromCheckingToTheNewerVersion)
{
    server.route("/feed", LoopbackHttpServer::Response(200, feedWith("41", "1.3.0")));
    auto runtime = runtimeFor("/feed");
    record(*runtime);
    QSignalSpy updateChanged(runtime.get(), &DirectDistributionRuntime::availableUpdateChanged);

    runtime->checkForUpdates();
    EXPECT_EQ(runtime->status(), Status::checking());
    runtime->checkForUpdates(); // ignored while checking
    ASSERT_TRUE(waitForMessage(*runtime));

    EXPECT_EQ(statuses,
        (std::vector<Status> { Status::checking(), Status::message(QStringLiteral("mewt 1.3.0 is available.")) }));
    EXPECT_EQ(server.requests().size(), 1);
    ASSERT_TRUE(runtime->availableUpdate().has_value());
    EXPECT_EQ(*runtime->availableUpdate(),
        (DirectAvailableUpdate {
            QStringLiteral("1.3.0"), 41, QUrl(QStringLiteral("https://example.org/mewt/1.3.0")) }));
    EXPECT_EQ(updateChanged.size(), 1);

    EXPECT_TRUE(runtime->openAvailableUpdate());
    EXPECT_EQ(opened, QList<QUrl> { QUrl(QStringLiteral("https://example.org/mewt/1.3.0")) });
}

TEST_F(UpdateRuntime, UpToDateClearsAnOlderFinding)
{
    server.route("/feed", LoopbackHttpServer::Response(200, feedWith("41", "1.3.0")));
    auto runtime = runtimeFor("/feed");
    runtime->checkForUpdates();
    ASSERT_TRUE(waitForMessage(*runtime));
    ASSERT_TRUE(runtime->availableUpdate().has_value());

    server.route("/feed", LoopbackHttpServer::Response(200, feedWith("40", "1.2.0")));
    runtime->checkForUpdates();
    EXPECT_EQ(runtime->status(), Status::checking());
    ASSERT_TRUE(waitForMessage(*runtime));
    EXPECT_EQ(runtime->status(), Status::message(QStringLiteral("mewt is up to date.")));
    EXPECT_FALSE(runtime->availableUpdate().has_value());
    EXPECT_FALSE(runtime->openAvailableUpdate());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(UpdateRuntime, FailureIsAMessageAndKeepsWhatWasKnown)
{
    server.route("/feed", LoopbackHttpServer::Response(200, feedWith("41", "1.3.0")));
    auto runtime = runtimeFor("/feed");
    runtime->probe();
    ASSERT_TRUE(QTest::qWaitFor([&] { return runtime->availableUpdate().has_value(); }, 10'000));

    server.route("/feed", LoopbackHttpServer::Response(200, "not xml at all"));
    runtime->checkForUpdates();
    ASSERT_TRUE(waitForMessage(*runtime));
    EXPECT_EQ(runtime->status(), Status::message(QStringLiteral("the update feed couldn't be read.")));
    EXPECT_TRUE(runtime->availableUpdate().has_value());
}

TEST_F(UpdateRuntime, ProbeFillsTheUpdateSilently)
{
    server.route("/feed", LoopbackHttpServer::Response(200, feedWith("41", "1.3.0")));
    auto runtime = runtimeFor("/feed");
    record(*runtime);
    runtime->startBackgroundProbe();
    EXPECT_TRUE(runtime->isProbing());
    ASSERT_TRUE(QTest::qWaitFor([&] { return runtime->availableUpdate().has_value(); }, 10'000));
    EXPECT_EQ(runtime->status(), Status::idle());
    EXPECT_TRUE(statuses.empty());

    const auto* timer = runtime->findChild<QTimer*>();
    ASSERT_NE(timer, nullptr);
    const auto armed = runtime->findChildren<QTimer*>();
    const bool sixHourly = std::any_of(armed.begin(), armed.end(),
        [](const QTimer* t) { return t->isActive() && !t->isSingleShot() && t->intervalAsDuration() == 21'600s; });
    EXPECT_TRUE(sixHourly);

    runtime->shutdown();
    EXPECT_FALSE(runtime->isProbing());
}

TEST_F(UpdateRuntime, UserCheckJoinsAProbeOnItsWay)
{
    server.route("/feed", LoopbackHttpServer::Response(200, feedWith("41", "1.3.0")));
    auto runtime = runtimeFor("/feed");
    runtime->probe();
    runtime->checkForUpdates();
    ASSERT_TRUE(waitForMessage(*runtime));
    EXPECT_EQ(runtime->status(), Status::message(QStringLiteral("mewt 1.3.0 is available.")));
    EXPECT_EQ(server.requests().size(), 1);
}

TEST_F(UpdateRuntime, CheckingNeverOutlastsTheCap)
{
    server.route("/stall", LoopbackHttpServer::Response::stalled(feedWith("41", "1.3.0")));
    auto runtime = runtimeFor("/stall");
    runtime->updateChecker().setTimeout(60s);
    runtime->setCheckCap(200ms);
    runtime->checkForUpdates();
    ASSERT_TRUE(waitForMessage(*runtime));
    EXPECT_EQ(runtime->status(), Status::message(QStringLiteral("the update server didn't answer in time.")));
    EXPECT_FALSE(runtime->updateChecker().isChecking());
}

TEST_F(UpdateRuntime, ShutdownEndsACheckWithoutTouchingTheStatus)
{
    server.route("/stall", LoopbackHttpServer::Response::stalled(feedWith("41", "1.3.0")));
    auto runtime = runtimeFor("/stall");
    runtime->checkForUpdates();
    runtime->shutdown();
    EXPECT_EQ(runtime->status(), Status::checking());
    EXPECT_FALSE(runtime->updateChecker().isChecking());
}

TEST_F(UpdateRuntime, OnlyWebLinksOpen)
{
    server.route("/feed",
        { 200,
            "<rss xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\"><channel><item>"
            "<link>file:///etc/passwd</link><sparkle:version>41</sparkle:version></item></channel></rss>" });
    auto runtime = runtimeFor("/feed");
    runtime->checkForUpdates();
    ASSERT_TRUE(waitForMessage(*runtime));
    ASSERT_TRUE(runtime->availableUpdate().has_value());
    EXPECT_FALSE(runtime->openAvailableUpdate());
    EXPECT_TRUE(opened.isEmpty());
}

} // namespace

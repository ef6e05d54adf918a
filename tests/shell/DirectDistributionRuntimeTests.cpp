#include "LoopbackHttpServer.h"
#include "shell/DirectDistributionRuntime.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace mewt;
using namespace std::chrono_literals;
using Status = DirectDistributionRuntime::Status;

namespace {

const RunningVersion running { QStringLiteral("1.2.0"), QStringLiteral("40") };
const QUrl page(QStringLiteral("https://example.org/mewt/1.3.0"));

QByteArray feedWith(const QByteArray& build, const QByteArray& link = page.toEncoded())
{
    return "<rss xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\"><channel><item><link>" + link
        + "</link><sparkle:version>" + build
        + "</sparkle:version><sparkle:shortVersionString>1.3.0</sparkle:shortVersionString></item></channel></rss>";
}

class UpdateRuntime : public ::testing::Test {
protected:
    std::unique_ptr<DirectDistributionRuntime> runtimeFor(const QByteArray& path, const QByteArray& feed)
    {
        server.route(path, LoopbackHttpServer::Response(200, feed));
        auto runtime = std::make_unique<DirectDistributionRuntime>(server.url(path), running);
        runtime->updateChecker().setTimeout(3s);
        runtime->openUrl = [this](const QUrl& url) {
            opened.append(url);
            return true;
        };
        // Every status the runtime passes through, in order.
        QObject::connect(runtime.get(), &DirectDistributionRuntime::statusChanged, runtime.get(),
            [this, r = runtime.get()] { statuses.push_back(r->status()); });
        return runtime;
    }

    static bool waitForMessage(DirectDistributionRuntime& runtime)
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
    QSignalSpy statusChanged(&runtime, &DirectDistributionRuntime::statusChanged);
    runtime.checkForUpdates();
    runtime.checkForUpdates();
    EXPECT_EQ(runtime.status(), Status::message(QStringLiteral("updates aren't configured in this build.")));
    EXPECT_EQ(statusChanged.size(), 1);
    runtime.startBackgroundProbe();
    EXPECT_FALSE(runtime.isProbing());
}

TEST_F(UpdateRuntime, CheckJoinsAProbeOnItsWayAndGoesFromCheckingToTheNewerVersion)
{
    auto runtime = runtimeFor("/feed", feedWith("41"));
    QSignalSpy updateChanged(runtime.get(), &DirectDistributionRuntime::availableUpdateChanged);
    runtime->probe();
    runtime->checkForUpdates();
    runtime->checkForUpdates(); // ignored while checking
    ASSERT_TRUE(waitForMessage(*runtime));
    EXPECT_EQ(statuses,
        (std::vector<Status> { Status::checking(), Status::message(QStringLiteral("mewt 1.3.0 is available.")) }));
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_EQ(runtime->availableUpdate(), (DirectAvailableUpdate { QStringLiteral("1.3.0"), 41, page }));
    EXPECT_EQ(updateChanged.size(), 1);
    EXPECT_TRUE(runtime->openAvailableUpdate());
    EXPECT_EQ(opened, QList<QUrl> { page });
}

TEST_F(UpdateRuntime, OnlyWebLinksOpenFailureKeepsWhatWasKnownAndUpToDateClearsIt)
{
    auto runtime = runtimeFor("/feed", feedWith("41", "file:///etc/passwd"));
    runtime->probe();
    ASSERT_TRUE(QTest::qWaitFor([&] { return runtime->availableUpdate().has_value(); }, 10'000));
    EXPECT_FALSE(runtime->canOpenAvailableUpdate());
    EXPECT_FALSE(runtime->openAvailableUpdate());

    server.route("/feed", LoopbackHttpServer::Response(200, "not xml at all"));
    runtime->checkForUpdates();
    ASSERT_TRUE(waitForMessage(*runtime));
    EXPECT_EQ(runtime->status(), Status::message(QStringLiteral("the update feed couldn't be read.")));
    EXPECT_TRUE(runtime->availableUpdate().has_value());

    server.route("/feed", LoopbackHttpServer::Response(200, feedWith("40")));
    runtime->checkForUpdates();
    EXPECT_EQ(runtime->status(), Status::checking());
    ASSERT_TRUE(waitForMessage(*runtime));
    EXPECT_EQ(runtime->status(), Status::message(QStringLiteral("mewt is up to date.")));
    EXPECT_FALSE(runtime->availableUpdate().has_value());
    EXPECT_FALSE(runtime->openAvailableUpdate());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(UpdateRuntime, ProbeFillsTheUpdateSilentlyEverySixHours)
{
    auto runtime = runtimeFor("/feed", feedWith("41"));
    runtime->startBackgroundProbe();
    EXPECT_TRUE(runtime->isProbing());
    ASSERT_TRUE(QTest::qWaitFor([&] { return runtime->availableUpdate().has_value(); }, 10'000));
    EXPECT_TRUE(statuses.empty());
    // Not more often than every six hours.
    const auto timers = runtime->findChildren<QTimer*>();
    EXPECT_TRUE(std::any_of(timers.begin(), timers.end(),
        [](const QTimer* t) { return t->isActive() && !t->isSingleShot() && t->intervalAsDuration() == 21'600s; }));
    runtime->shutdown();
    EXPECT_FALSE(runtime->isProbing());
}

TEST_F(UpdateRuntime, AStalledCheckEndsAtTheCapOrAtShutdown)
{
    server.route("/stall", LoopbackHttpServer::Response::stalled(feedWith("41")));
    DirectDistributionRuntime capped(server.url("/stall"), running);
    capped.updateChecker().setTimeout(60s);
    capped.setCheckCap(200ms);
    capped.checkForUpdates();
    ASSERT_TRUE(waitForMessage(capped));
    EXPECT_EQ(capped.status(), Status::message(QStringLiteral("the update server didn't answer in time.")));
    EXPECT_FALSE(capped.updateChecker().isChecking());

    DirectDistributionRuntime stopped(server.url("/stall"), running);
    stopped.checkForUpdates();
    stopped.shutdown();
    EXPECT_EQ(stopped.status(), Status::checking());
    EXPECT_FALSE(stopped.updateChecker().isChecking());
}

} // namespace

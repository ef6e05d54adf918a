#include "FakeNotificationServer.h"
#include "FreedesktopNotificationCenter.h"
#include "MemoryUserDefaults.h"
#include "NotificationService.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;
using namespace std::chrono_literals;
using mewt::testing::FakeNotificationServer;

namespace {

const QString serverService = QStringLiteral("org.freedesktop.Notifications");
const QString serverPath = QStringLiteral("/org/freedesktop/Notifications");
const QString consentKey = QString::fromLatin1(FreedesktopNotificationCenter::authorizationKey);

// The real centre, except that right after an add it can let the deadline pass and deliver, as
// when the event loop stalls between an add and the check that follows it.
class StallingCenter final : public CompletionNotificationCenter {
public:
    StallingCenter(FreedesktopNotificationCenter& real, ManualClock& clock)
        : real(real)
        , clock(clock)
    {
    }

    void notificationSettings(SettingsHandler handler) override { real.notificationSettings(std::move(handler)); }
    void requestAuthorization(NotificationAuthorizationOptions options, AuthorizationHandler handler) override
    {
        real.requestAuthorization(options, std::move(handler));
    }
    void add(const NotificationRequest& request, AddHandler handler) override
    {
        ++adds;
        real.add(request, std::move(handler));
        if (stallsAfterAdd) {
            clock.advance(
                std::chrono::duration<double>(std::get<NotificationTimeIntervalTrigger>(request.trigger).seconds));
            real.recheck();
        }
    }
    void pendingNotificationRequests(PendingRequestsHandler handler) override
    {
        real.pendingNotificationRequests(std::move(handler));
    }
    void removePendingNotificationRequests(const QStringList& identifiers) override
    {
        real.removePendingNotificationRequests(identifiers);
    }
    void deliveredNotifications(DeliveredHandler handler) override { real.deliveredNotifications(std::move(handler)); }

    bool stallsAfterAdd = false;
    int adds = 0;

private:
    FreedesktopNotificationCenter& real;
    ManualClock& clock;
};

// The service on the freedesktop centre, talking over the session bus to a fake server.
class NotificationServiceOnTheBus : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus; run the tests under dbus-run-session";
        static int connections = 0;
        serverConnection = QStringLiteral("mewt-cue-notifications-%1").arg(++connections);
        serverBus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, serverConnection));
        ASSERT_TRUE(serverBus->registerObject(
            serverPath, &server, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        ASSERT_TRUE(serverBus->registerService(serverService)) << "another notification server owns the name";
        defaults.seed(consentKey, QStringLiteral("authorized"));
        makeService(serverService);
    }

    void TearDown() override
    {
        service.reset();
        stalling.reset();
        center.reset();
        if (serverBus) {
            serverBus->unregisterService(serverService);
            serverBus->unregisterObject(serverPath);
            serverBus.reset();
            QDBusConnection::disconnectFromBus(serverConnection);
        }
    }

    void makeService(const QString& service)
    {
        this->service.reset();
        stalling.reset();
        center = std::make_unique<FreedesktopNotificationCenter>(
            defaults, clock, NotificationServerAddress { QDBusConnection::sessionBus(), service, 2000 });
        stalling = std::make_unique<StallingCenter>(*center, clock);
        this->service = std::make_unique<NotificationService>(*stalling, clock);
        this->service->onAuthorizationChange = [this](NotificationAuthorizationState state) { authorization = state; };
        this->service->onSchedulingError = [this](const std::optional<QString>& message) { errors.push_back(message); };
    }

    QList<NotificationRequest> pending()
    {
        std::optional<QList<NotificationRequest>> result;
        center->pendingNotificationRequests([&](QList<NotificationRequest> requests) { result = requests; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 5000));
        return result.value_or(QList<NotificationRequest> {});
    }

    // Schedules and waits until the centre holds the request and the service has checked it.
    void scheduleAndSettle(Date at, const CompletionNotification& notification, bool asking = true)
    {
        service->schedule(at, notification, asking);
        ASSERT_TRUE(QTest::qWaitFor([&] { return stalling->adds > 0; }, 5000));
        flushBus();
    }

    // Two round trips through the bus: whatever the service started before has been answered.
    void flushBus()
    {
        for (int i = 0; i < 2; ++i) {
            std::optional<NotificationSettings> settings;
            center->notificationSettings([&](NotificationSettings s) { settings = s; });
            ASSERT_TRUE(QTest::qWaitFor([&] { return settings.has_value(); }, 5000));
        }
    }

    std::optional<QString> lastError() const { return errors.empty() ? std::nullopt : errors.back(); }

    FakeNotificationServer server;
    QString serverConnection;
    std::unique_ptr<QDBusConnection> serverBus;
    MemoryUserDefaults defaults;
    ManualClock clock;
    std::unique_ptr<FreedesktopNotificationCenter> center;
    std::unique_ptr<StallingCenter> stalling;
    std::unique_ptr<NotificationService> service;
    std::optional<NotificationAuthorizationState> authorization;
    std::vector<std::optional<QString>> errors;
};

TEST_F(NotificationServiceOnTheBus, AScheduledCompletionIsShownOnceAtItsDeadline)
{
    const CompletionNotification notification = CompletionNotification::forTimer(std::nullopt);
    scheduleAndSettle(addingSeconds(clock.now(), 60), notification);
    ASSERT_EQ(pending().size(), 1);
    EXPECT_EQ(lastError(), std::nullopt);
    EXPECT_EQ(authorization, NotificationAuthorizationState::allowed);

    clock.advance(59s);
    center->recheck();
    flushBus();
    EXPECT_TRUE(server.notifyCalls.isEmpty());
    clock.advance(1s);
    center->recheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.notifyCalls.isEmpty(); }, 5000));
    flushBus();
    ASSERT_EQ(server.notifyCalls.size(), 1);
    EXPECT_EQ(server.notifyCalls.front().summary, QStringLiteral("mewt timer complete"));
    EXPECT_EQ(server.notifyCalls.front().body, QStringLiteral("time to stretch, rest, or pull the paw again."));
    EXPECT_EQ(server.notifyCalls.front().hints.value("sound-name").toString(), QStringLiteral("message-new-instant"));
}

TEST_F(NotificationServiceOnTheBus, ANameWithMarkupAndPlaceholdersReachesTheServerAsWritten)
{
    scheduleAndSettle(
        addingSeconds(clock.now(), 5), CompletionNotification::forTimer(QStringLiteral("<b>%1</b> & tea")));
    clock.advance(5s);
    center->recheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.notifyCalls.isEmpty(); }, 5000));
    EXPECT_EQ(server.notifyCalls.front().summary, QStringLiteral("<b>%1</b> & tea complete"));
}

TEST_F(NotificationServiceOnTheBus, APauseBeforeTheEndShowsNothing)
{
    scheduleAndSettle(addingSeconds(clock.now(), 30), CompletionNotification::forTimer(std::nullopt));
    service->cancelPending();
    clock.advance(31s);
    center->recheck();
    flushBus();
    EXPECT_TRUE(server.notifyCalls.isEmpty());
    EXPECT_TRUE(pending().isEmpty());
}

TEST_F(NotificationServiceOnTheBus, AShortTimerShownBeforeTheCheckIsNoFailure)
{
    stalling->stallsAfterAdd = true;
    scheduleAndSettle(addingSeconds(clock.now(), 1), CompletionNotification::forTimer(std::nullopt));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.notifyCalls.isEmpty(); }, 5000));
    flushBus();
    EXPECT_EQ(server.notifyCalls.size(), 1);
    EXPECT_EQ(lastError(), std::nullopt);
}

TEST_F(NotificationServiceOnTheBus, QuitLeavesNoNotificationBehind)
{
    scheduleAndSettle(addingSeconds(clock.now(), 30), CompletionNotification::forTimer(std::nullopt));
    bool finished = false;
    service->cancelPendingForQuit([&] { finished = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 1000));
    clock.advance(31s);
    center->recheck();
    flushBus();
    EXPECT_TRUE(server.notifyCalls.isEmpty());
}

struct MissingServerCase {
    const char* name;
    const char* storedConsent;
    const char* expectedError;
};

class WithoutANotificationServer : public NotificationServiceOnTheBus,
                                   public ::testing::WithParamInterface<MissingServerCase> { };

TEST_P(WithoutANotificationServer, TheUserIsToldAndNothingWaits)
{
    if (GetParam().storedConsent)
        defaults.seed(consentKey, QString::fromUtf8(GetParam().storedConsent));
    else
        defaults.remove(consentKey);
    makeService(QStringLiteral("org.mewt.test.NobodyHere"));
    service->schedule(addingSeconds(clock.now(), 60), CompletionNotification::forTimer(std::nullopt), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return lastError().has_value(); }, 5000));
    EXPECT_EQ(lastError(), QString::fromUtf8(GetParam().expectedError));
    EXPECT_TRUE(pending().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, WithoutANotificationServer,
    ::testing::Values(MissingServerCase { "neverAsked", nullptr,
                          "couldn't request notifications: no notification service is running." },
        MissingServerCase { "allowedBefore", "authorized",
            "notifications are allowed, but alerts and sounds are off in your desktop's notification settings." }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

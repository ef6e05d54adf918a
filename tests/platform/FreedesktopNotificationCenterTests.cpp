#include "FakeNotificationServer.h"
#include "platform/FreedesktopNotificationCenter.h"
#include "platform/MemoryUserDefaults.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace mewt;
using namespace std::chrono_literals;
using mewt::testing::FakeNotificationServer;
using mewt::testing::NotifyCall;

namespace {

const QString serverService = QStringLiteral("org.freedesktop.Notifications");
const QString serverPath = QStringLiteral("/org/freedesktop/Notifications");
const QString key = QString::fromLatin1(FreedesktopNotificationCenter::authorizationKey);

NotificationRequest completion(const QString& title = QStringLiteral("tea complete"), double seconds = 60)
{
    return { QStringLiteral("mewt.timer.completed"), title,
        QStringLiteral("time to stretch, rest, or pull the paw again."), true,
        NotificationTimeIntervalTrigger { seconds } };
}

class NotificationCenterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus; run the tests under dbus-run-session";
        static int connections = 0;
        serverConnection = QStringLiteral("mewt-fake-notifications-%1").arg(++connections);
        serverBus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, serverConnection));
        ASSERT_TRUE(serverBus->registerObject(
            serverPath, &server, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        ASSERT_TRUE(serverBus->registerService(serverService))
            << "another notification server owns the name; run the tests under dbus-run-session";
        defaults.seed(key, QStringLiteral("authorized"));
        makeCenter();
    }

    void TearDown() override
    {
        center.reset();
        if (serverBus) {
            serverBus->unregisterService(serverService);
            serverBus->unregisterObject(serverPath);
            serverBus.reset();
            QDBusConnection::disconnectFromBus(serverConnection);
        }
    }

    void makeCenter(int timeoutMs = 2000, const QString& service = serverService)
    {
        center = std::make_unique<FreedesktopNotificationCenter>(
            defaults, clock, NotificationServerAddress { QDBusConnection::sessionBus(), service, timeoutMs });
    }

    template <class T> static T waitFor(const std::optional<T>& result)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 5000)) << "no answer within 5 s";
        return result.value_or(T {});
    }

    NotificationSettings settings()
    {
        std::optional<NotificationSettings> result;
        center->notificationSettings([&](NotificationSettings s) { result = s; });
        return waitFor(result);
    }

    std::variant<bool, NotificationError> requestAuthorization()
    {
        std::optional<std::variant<bool, NotificationError>> result;
        center->requestAuthorization(NotificationAuthorizationOption::alert | NotificationAuthorizationOption::sound,
            [&](std::variant<bool, NotificationError> r) { result = r; });
        return waitFor(result);
    }

    std::optional<NotificationError> add(const NotificationRequest& request)
    {
        std::optional<std::optional<NotificationError>> result;
        center->add(request, [&](std::optional<NotificationError> error) { result = error; });
        return waitFor(result);
    }

    QList<NotificationRequest> pendingRequests()
    {
        std::optional<QList<NotificationRequest>> result;
        center->pendingNotificationRequests([&](QList<NotificationRequest> requests) { result = requests; });
        return waitFor(result);
    }

    QList<DeliveredNotification> delivered()
    {
        std::optional<QList<DeliveredNotification>> result;
        center->deliveredNotifications([&](QList<DeliveredNotification> shown) { result = shown; });
        return waitFor(result);
    }

    QTimer* deliveryTimer() const { return center->findChild<QTimer*>(QStringLiteral("deliveryTimer")); }

    // Two round trips to the server: a delivery already under way (capabilities, then Notify)
    // has reached it by then.
    void flushBus()
    {
        settings();
        settings();
    }

    void waitForNotifyCalls(qsizetype count)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return server.notifyCalls.size() >= count; }, 5000));
        flushBus();
        ASSERT_EQ(server.notifyCalls.size(), count);
    }

    void deliverNow(const NotificationRequest& request = completion())
    {
        const qsizetype before = server.notifyCalls.size();
        ASSERT_EQ(add(request), std::nullopt);
        clock.advance(
            std::chrono::duration<double>(std::get<NotificationTimeIntervalTrigger>(request.trigger).seconds));
        center->recheck();
        waitForNotifyCalls(before + 1);
    }

    FakeNotificationServer server;
    QString serverConnection;
    std::unique_ptr<QDBusConnection> serverBus;
    MemoryUserDefaults defaults;
    ManualClock clock;
    std::unique_ptr<FreedesktopNotificationCenter> center;
};

// --- settings -------------------------------------------------------------------------------------

struct SettingsCase {
    const char* name;
    QVariant stored;
    QStringList capabilities;
    NotificationSettings expected;
    // What is stored after the read; a server that answers is consent unless we were turned off.
    QString storedAfter;
};

class NotificationSettingsTable : public NotificationCenterTest, public ::testing::WithParamInterface<SettingsCase> { };

TEST_P(NotificationSettingsTable, StoredConsentAndServerCapabilitiesMakeTheSettings)
{
    defaults.remove(key);
    if (GetParam().stored.isValid())
        defaults.seed(key, GetParam().stored);
    server.capabilities = GetParam().capabilities;
    EXPECT_EQ(settings(), GetParam().expected);
    EXPECT_EQ(defaults.stringValue(key), GetParam().storedAfter);
    EXPECT_EQ(add(completion()).has_value(), GetParam().storedAfter == QStringLiteral("denied"));
}

using Status = NotificationAuthorizationStatus;
INSTANTIATE_TEST_SUITE_P(Cases, NotificationSettingsTable,
    ::testing::Values(SettingsCase { "neverAsked", QVariant(), { "body", "sound" }, { Status::authorized, true, true },
                          "authorized" },
        SettingsCase {
            "authorizedNoSound", QString("authorized"), { "body" }, { Status::authorized, true, false }, "authorized" },
        SettingsCase { "denied", QString("denied"), { "sound" }, { Status::denied, true, true }, "denied" },
        SettingsCase { "storedNumber", 42, { "sound" }, { Status::authorized, true, true }, "authorized" },
        SettingsCase { "storedGarbage", QString("yes please"), {}, { Status::authorized, true, false }, "authorized" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NotificationCenterTest, WithoutAnAnsweringServerAlertsAndSoundsAreOff)
{
    server.failing = { "GetCapabilities" };
    EXPECT_EQ(settings(), (NotificationSettings { Status::authorized, false, false, false }));
    makeCenter(2000, QStringLiteral("org.mewt.test.NobodyHere"));
    EXPECT_EQ(settings(), (NotificationSettings { Status::authorized, false, false, false }));
}

// --- authorization --------------------------------------------------------------------------------

TEST_F(NotificationCenterTest, AskingSucceedsWhenAServerAnswersAndIsStoredOnce)
{
    defaults.remove(key);
    defaults.resetWriteCount();
    EXPECT_EQ(requestAuthorization(), (std::variant<bool, NotificationError>(true)));
    EXPECT_EQ(defaults.stringValue(key), QStringLiteral("authorized"));
    EXPECT_EQ(requestAuthorization(), (std::variant<bool, NotificationError>(true)));
    EXPECT_EQ(defaults.writeCount(key), 1);
    EXPECT_EQ(settings().authorizationStatus, Status::authorized);
}

TEST_F(NotificationCenterTest, TurnedOffByTheUserStaysOffWithoutAsking)
{
    defaults.seed(key, QStringLiteral("denied"));
    EXPECT_EQ(requestAuthorization(), (std::variant<bool, NotificationError>(false)));
    EXPECT_EQ(server.serverInformationCalls, 0);
    EXPECT_EQ(defaults.stringValue(key), QStringLiteral("denied"));
}

enum class Failure { missing, refuses, silent, vanishes };

struct FailureCase {
    const char* name;
    Failure failure;
    const char* message;
    // A server that still answers the settings read gives its consent there.
    NotificationAuthorizationStatus afterwards;
};

class AuthorizationFailures : public NotificationCenterTest, public ::testing::WithParamInterface<FailureCase> { };

TEST_P(AuthorizationFailures, AreReportedThroughTheHandlerAndNothingIsStored)
{
    defaults.remove(key);
    switch (GetParam().failure) {
    case Failure::missing: makeCenter(2000, QStringLiteral("org.mewt.test.NobodyHere")); break;
    case Failure::refuses: server.failing = { "GetServerInformation" }; break;
    case Failure::silent:
        server.holding = { "GetServerInformation" };
        makeCenter(150);
        break;
    case Failure::vanishes:
        // A timeout far beyond the wait, so only the server's disappearance can end the call.
        server.holding = { "GetServerInformation" };
        makeCenter(60'000);
        QTimer::singleShot(0, center.get(), [this] {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !server.held.isEmpty(); }, 5000));
            serverBus.reset();
            QDBusConnection::disconnectFromBus(serverConnection);
        });
        break;
    }
    const auto result = requestAuthorization();
    ASSERT_TRUE(std::holds_alternative<NotificationError>(result));
    EXPECT_EQ(std::get<NotificationError>(result).localizedDescription, QString::fromUtf8(GetParam().message));
    EXPECT_FALSE(defaults.contains(key));
    EXPECT_EQ(settings().authorizationStatus, GetParam().afterwards);
}

INSTANTIATE_TEST_SUITE_P(Cases, AuthorizationFailures,
    ::testing::Values(
        FailureCase { "missing", Failure::missing, "no notification service is running.", Status::notDetermined },
        FailureCase {
            "refuses", Failure::refuses, "the notification service answered with an error.", Status::authorized },
        FailureCase { "silent", Failure::silent, "the notification service didn't answer.", Status::authorized },
        FailureCase {
            "vanishes", Failure::vanishes, "the notification service didn't answer.", Status::notDetermined }),
    [](const auto& info) { return std::string(info.param.name); });

// --- adding and scheduling ------------------------------------------------------------------------

struct BadAddCase {
    const char* name;
    NotificationRequest request;
    QVariant stored;
};

class RefusedAdds : public NotificationCenterTest, public ::testing::WithParamInterface<BadAddCase> { };

TEST_P(RefusedAdds, LeaveNothingPendingAndNoTimerArmed)
{
    defaults.remove(key);
    if (GetParam().stored.isValid())
        defaults.seed(key, GetParam().stored);
    const auto error = add(GetParam().request);
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->localizedDescription.isEmpty());
    EXPECT_TRUE(pendingRequests().isEmpty());
    EXPECT_FALSE(deliveryTimer()->isActive());
}

NotificationRequest withIdentifier(NotificationRequest request, const QString& identifier)
{
    request.identifier = identifier;
    return request;
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedAdds,
    ::testing::Values(BadAddCase { "neverAsked", completion(), QVariant() },
        BadAddCase { "turnedOff", completion(), QString("denied") },
        BadAddCase { "noIdentifier", withIdentifier(completion(), {}), QString("authorized") },
        BadAddCase { "zeroInterval", completion("x", 0), QString("authorized") },
        BadAddCase { "negativeInterval", completion("x", -5), QString("authorized") },
        BadAddCase { "nanInterval", completion("x", std::nan("")), QString("authorized") },
        BadAddCase {
            "infiniteInterval", completion("x", std::numeric_limits<double>::infinity()), QString("authorized") },
        BadAddCase { "centuriesAway", completion("x", 1e12), QString("authorized") }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NotificationCenterTest, TheTimerIsArmedOnlyWhileSomethingIsPending)
{
    EXPECT_FALSE(deliveryTimer()->isActive());
    ASSERT_EQ(add(completion()), std::nullopt);
    EXPECT_TRUE(deliveryTimer()->isActive());
    EXPECT_EQ(deliveryTimer()->interval(), 60'000);
    center->removePendingNotificationRequests({ QStringLiteral("mewt.timer.completed") });
    EXPECT_FALSE(deliveryTimer()->isActive());
    EXPECT_TRUE(pendingRequests().isEmpty());

    clock.advance(2min);
    center->recheck();
    flushBus();
    EXPECT_TRUE(server.notifyCalls.isEmpty());
}

TEST_F(NotificationCenterTest, ASecondAddUnderTheSameIdentifierReplacesThePendingOne)
{
    ASSERT_EQ(add(completion(QStringLiteral("first"), 60)), std::nullopt);
    ASSERT_EQ(add(completion(QStringLiteral("second"), 120)), std::nullopt);
    const auto waiting = pendingRequests();
    ASSERT_EQ(waiting.size(), 1);
    EXPECT_EQ(waiting.front().title, QStringLiteral("second"));
    EXPECT_EQ(deliveryTimer()->interval(), 120'000);

    clock.advance(61s);
    center->recheck();
    EXPECT_EQ(pendingRequests().size(), 1);
    clock.advance(60s);
    center->recheck();
    waitForNotifyCalls(1);
    EXPECT_EQ(server.notifyCalls.front().summary, QStringLiteral("second"));
}

// --- delivery -------------------------------------------------------------------------------------

TEST_F(NotificationCenterTest, DeliversAtTheDeadlineWithTheServersArguments)
{
    ASSERT_EQ(add(completion()), std::nullopt);
    clock.advance(59'900ms);
    center->recheck();
    EXPECT_EQ(pendingRequests().size(), 1);
    EXPECT_TRUE(deliveryTimer()->isActive());
    EXPECT_EQ(deliveryTimer()->interval(), 100);

    clock.advance(100ms);
    center->recheck();
    EXPECT_TRUE(pendingRequests().isEmpty());
    EXPECT_FALSE(deliveryTimer()->isActive());
    waitForNotifyCalls(1);

    const NotifyCall& call = server.notifyCalls.front();
    EXPECT_EQ(call.appName, QStringLiteral("mewt"));
    EXPECT_EQ(call.replacesId, 0u);
    EXPECT_EQ(call.appIcon, QStringLiteral("com.dovrant.mewt.direct"));
    EXPECT_EQ(call.summary, QStringLiteral("tea complete"));
    EXPECT_EQ(call.body, QStringLiteral("time to stretch, rest, or pull the paw again."));
    EXPECT_TRUE(call.actions.isEmpty());
    EXPECT_EQ(call.expireTimeout, -1);
    EXPECT_EQ(call.hints.value("urgency").typeId(), QMetaType::UChar);
    EXPECT_EQ(call.hints.value("urgency").toInt(), 1);
    EXPECT_EQ(call.hints.value("desktop-entry").toString(), QStringLiteral("com.dovrant.mewt.direct"));
    // Run from the build tree, where no server can find the icon by the application id.
    const QUrl image(call.hints.value("image-path").toString());
    ASSERT_TRUE(image.isLocalFile()) << image.toString().toStdString();
    EXPECT_EQ(QImage(image.toLocalFile()).size(), QSize(128, 128));
    EXPECT_EQ(call.hints.value("sound-name").toString(), QStringLiteral("alarm-clock-elapsed"));
    EXPECT_EQ(call.hints.value("suppress-sound"), QVariant(false));

    const auto shown = delivered();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front(), (DeliveredNotification { completion(), 41 }));
}

TEST_F(NotificationCenterTest, ASilentRequestAsksTheServerToStayQuiet)
{
    auto request = completion();
    request.playsDefaultSound = false;
    deliverNow(request);
    const QVariantMap& hints = server.notifyCalls.front().hints;
    EXPECT_FALSE(hints.contains("sound-name"));
    EXPECT_EQ(hints.value("suppress-sound"), QVariant(true));
}

TEST_F(NotificationCenterTest, ASleepAcrossTheDeadlineDeliversExactlyOnceOnWake)
{
    ASSERT_EQ(add(completion(QStringLiteral("tea complete"), 1500)), std::nullopt);
    // Suspended for two hours: the monotonic timer has not fired, the wall clock moved on.
    clock.advance(2h);
    center->recheck();
    center->recheck();
    EXPECT_TRUE(QMetaObject::invokeMethod(deliveryTimer(), "timeout"));
    waitForNotifyCalls(1);
    EXPECT_FALSE(deliveryTimer()->isActive());
}

TEST_F(NotificationCenterTest, ADateAlreadyPastIsDeliveredByTheTimerAtOnce)
{
    auto request = completion();
    request.trigger = NotificationDateTrigger { clock.now() - 10s };
    ASSERT_EQ(add(request), std::nullopt);
    waitForNotifyCalls(1);
    EXPECT_TRUE(pendingRequests().isEmpty());
}

TEST_F(NotificationCenterTest, ALaterDeliveryReplacesTheShownNotificationInsteadOfStacking)
{
    deliverNow(completion(QStringLiteral("first")));
    deliverNow(completion(QStringLiteral("second")));
    EXPECT_EQ(server.notifyCalls.at(1).replacesId, 41u);
    const auto shown = delivered();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front().request.title, QStringLiteral("second"));
}

TEST_F(NotificationCenterTest, ANotificationTheUserClosedIsNotReplacedButShownAnew)
{
    deliverNow();
    // Only the server's own closings count.
    QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("mewt-other"));
    other.send(
        QDBusMessage::createSignal(serverPath, serverService, QStringLiteral("NotificationClosed")) << 41u << 2u);
    flushBus();
    EXPECT_EQ(delivered().size(), 1);
    QDBusConnection::disconnectFromBus(QStringLiteral("mewt-other"));
    Q_EMIT server.NotificationClosed(41, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return delivered().isEmpty(); }, 5000));
    deliverNow();
    EXPECT_EQ(server.notifyCalls.at(1).replacesId, 0u);
    // A server that restarts knows none of what it showed.
    serverBus->unregisterService(serverService);
    ASSERT_TRUE(serverBus->registerService(serverService));
    EXPECT_TRUE(QTest::qWaitFor([&] { return delivered().isEmpty(); }, 5000));
}

TEST_F(NotificationCenterTest, ARefusedNotifyLeavesNothingBehind)
{
    server.failing = { "Notify" };
    deliverNow();
    EXPECT_TRUE(delivered().isEmpty());
    EXPECT_TRUE(pendingRequests().isEmpty());
    EXPECT_FALSE(deliveryTimer()->isActive());
}

TEST_F(NotificationCenterTest, NotificationsTurnedOffAfterTheAddAreNotShown)
{
    ASSERT_EQ(add(completion()), std::nullopt);
    defaults.setString(key, QStringLiteral("denied"));
    clock.advance(2min);
    center->recheck();
    flushBus();
    EXPECT_TRUE(server.notifyCalls.isEmpty());
}

TEST_F(NotificationCenterTest, ABusThatDiedIsNoServerAndNothingWaitsOnIt)
{
    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"),
        { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
    ASSERT_TRUE(daemon.waitForStarted(5000) && daemon.waitForReadyRead(5000)) << "dbus-daemon is needed";
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    const QString name = QStringLiteral("mewt-dying-bus");
    {
        QDBusConnection bus = QDBusConnection::connectToBus(address, name);
        ASSERT_TRUE(bus.isConnected());
        center = std::make_unique<FreedesktopNotificationCenter>(
            defaults, clock, NotificationServerAddress { bus, serverService, 60'000 });
        ASSERT_EQ(add(completion()), std::nullopt);
        daemon.kill();
        daemon.waitForFinished();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !bus.isConnected(); }, 5000));
        // The end of the timer: libdbus aborts the process on a blocking call over a dead bus.
        clock.advance(1min);
        center->recheck();
        EXPECT_TRUE(pendingRequests().isEmpty());
        EXPECT_TRUE(delivered().isEmpty());
        EXPECT_FALSE(settings().serverAnswered);
        center.reset();
    }
    QDBusConnection::disconnectFromBus(name);
}

struct MarkupCase {
    const char* name;
    bool serverReadsMarkup;
    const char* expectedBody;
};

class TextsStayPlain : public NotificationCenterTest, public ::testing::WithParamInterface<MarkupCase> { };

TEST_P(TextsStayPlain, MarkupAndPlaceholdersAreNeverInterpreted)
{
    if (GetParam().serverReadsMarkup)
        server.capabilities.append(QStringLiteral("body-markup"));
    auto request = completion(QStringLiteral("%1 <b>tea</b> & co complete"));
    request.body = QStringLiteral("<i>rest</i> & %1 stretch");
    deliverNow(request);
    EXPECT_EQ(server.notifyCalls.front().summary, QStringLiteral("%1 <b>tea</b> & co complete"));
    EXPECT_EQ(server.notifyCalls.front().body, QString::fromUtf8(GetParam().expectedBody));
}

INSTANTIATE_TEST_SUITE_P(Cases, TextsStayPlain,
    ::testing::Values(MarkupCase { "markupServer", true, "&lt;i&gt;rest&lt;/i&gt; &amp; %1 stretch" },
        MarkupCase { "plainServer", false, "<i>rest</i> & %1 stretch" }),
    [](const auto& info) { return std::string(info.param.name); });

// --- removal --------------------------------------------------------------------------------------

TEST_F(NotificationCenterTest, RemovingADeliveredNotificationClosesIt)
{
    deliverNow();
    center->removeDeliveredNotifications({ QStringLiteral("mewt.timer.completed") });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.closeCalls.isEmpty(); }, 5000));
    EXPECT_EQ(server.closeCalls, QList<uint> { 41 });
    EXPECT_TRUE(delivered().isEmpty());
}

TEST_F(NotificationCenterTest, RemovingWhileTheServerIsStillShowingClosesItWhenItsIdArrives)
{
    server.holding = { "Notify" };
    ASSERT_EQ(add(completion()), std::nullopt);
    clock.advance(2min);
    center->recheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.held.isEmpty(); }, 5000));
    center->removeDeliveredNotifications({ QStringLiteral("mewt.timer.completed") });
    server.answerHeld(*serverBus, QVariant(7u));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.closeCalls.isEmpty(); }, 5000));
    EXPECT_EQ(server.closeCalls, QList<uint> { 7 });
    EXPECT_TRUE(delivered().isEmpty());
}

TEST_F(NotificationCenterTest, ACentreDestroyedWithACallInFlightDropsItsHandler)
{
    server.holding = { "GetServerInformation" };
    bool answered = false;
    center->requestAuthorization(NotificationAuthorizationOption::alert, [&](auto) { answered = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.held.isEmpty(); }, 5000));
    center.reset();
    server.answerHeld(*serverBus, QStringLiteral("fake"));
    makeCenter();
    flushBus();
    EXPECT_FALSE(answered);
}

} // namespace

#include "FakeNotificationServer.h"
#include "cues/NotificationService.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "model/TimerStore.h"
#include "platform/FreedesktopNotificationCenter.h"
#include "platform/MemoryUserDefaults.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;
using namespace std::chrono_literals;
using mewt::testing::FakeNotificationServer;

namespace {

// A name of its own, so that other test programs on the same bus can run their servers meanwhile.
const QString serverService = QStringLiteral("org.mewt.test.Delivery.p%1").arg(QCoreApplication::applicationPid());
const QString serverPath = QStringLiteral("/org/freedesktop/Notifications");

// The app's notification path end to end: timer and pomodoro stores, the service, the real centre
// and a stand-in server on the private session bus, with consent stored by an earlier run.
class DesktopNotifications : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus; run the tests under dbus-run-session";
        static int connections = 0;
        serverConnection = QStringLiteral("mewt-delivery-server-%1").arg(++connections);
        defaults.seed(
            QString::fromLatin1(FreedesktopNotificationCenter::authorizationKey), QStringLiteral("authorized"));
        defaults.seed(PomodoroSettingsStore::modeKey, QStringLiteral("pomodoro"));
        defaults.seed(PomodoroSettingsStore::autoStartsNextFocusKey, true);
        defaults.seed(PomodoroSettingsStore::autoStartsNextBreakKey, true);
        center = std::make_unique<FreedesktopNotificationCenter>(
            defaults, clock, NotificationServerAddress { QDBusConnection::sessionBus(), serverService, 500 });
        service = std::make_unique<NotificationService>(*center, clock);
        settings = std::make_unique<PomodoroSettingsStore>(defaults);
        timer = std::make_unique<TimerStore>(defaults, clock, service.get());
        pomodoro = std::make_unique<PomodoroStore>(defaults, clock, *timer, *settings);
        timer->onStateChange
            = [this](const TimerState& previous, const TimerState& current, TimerStateChangeReason reason) {
                  pomodoro->timerStateDidChange(previous, current, reason);
              };
    }

    void TearDown() override
    {
        pomodoro.reset();
        timer.reset();
        service.reset();
        center.reset();
        stopServer();
    }

    void startServer()
    {
        serverBus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, serverConnection));
        ASSERT_TRUE(serverBus->registerObject(
            serverPath, &server, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        ASSERT_TRUE(serverBus->registerService(serverService)) << "another server owns the name";
    }

    void stopServer()
    {
        if (!serverBus)
            return;
        serverBus->unregisterService(serverService);
        serverBus->unregisterObject(serverPath);
        serverBus.reset();
        QDBusConnection::disconnectFromBus(serverConnection);
    }

    qsizetype pendingInCenter()
    {
        std::optional<qsizetype> count;
        center->pendingNotificationRequests([&](QList<NotificationRequest> requests) { count = requests.size(); });
        EXPECT_TRUE(QTest::qWaitFor([&] { return count.has_value(); }, 5000));
        return count.value_or(-1);
    }

    // Until the service's add has landed in the centre.
    void waitUntilScheduled()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return service->pendingAddCount() == 0 && pendingInCenter() == 1; }, 5000));
    }

    MemoryUserDefaults defaults;
    ManualClock clock { Date(1'800'000'000s) };
    FakeNotificationServer server;
    QString serverConnection;
    std::unique_ptr<QDBusConnection> serverBus;
    std::unique_ptr<FreedesktopNotificationCenter> center;
    std::unique_ptr<NotificationService> service;
    std::unique_ptr<PomodoroSettingsStore> settings;
    std::unique_ptr<TimerStore> timer;
    std::unique_ptr<PomodoroStore> pomodoro;
};

TEST_F(DesktopNotifications, EveryPhaseThatEndsIsNotifiedThoughTheNextStartsAtOnce)
{
    startServer();
    pomodoro->commitSessions(20, clock.now());
    for (int phase = 0; phase < 20; ++phase) {
        ASSERT_TRUE(timer->state().isRunning()) << "phase " << phase;
        waitUntilScheduled();
        // The store's ticker comes first, as it does in half the runs: the next phase replaces
        // the request in the same turn in which it fell due.
        clock.set(*timer->state().endDate());
        timer->tick();
        ASSERT_TRUE(QTest::qWaitFor([&] { return server.notifyCalls.size() > phase; }, 5000)) << "phase " << phase;
    }
    // Nothing is shown twice.
    waitUntilScheduled();
    EXPECT_EQ(server.notifyCalls.size(), 20);
}

TEST_F(DesktopNotifications, AServerMissingWhenScheduledButBackByTheEndShowsTheNotification)
{
    timer->addTime(60, clock.now());
    waitUntilScheduled();
    EXPECT_EQ(timer->notificationErrorMessage(), std::nullopt) << "no server said alerts and sounds are off";

    startServer();
    clock.advance(60s);
    center->recheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.notifyCalls.size() == 1; }, 5000));
}

} // namespace

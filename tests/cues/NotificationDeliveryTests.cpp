#include "FakeNotificationServer.h"
#include "cues/NotificationService.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "platform/FreedesktopNotificationCenter.h"
#include "platform/MemoryUserDefaults.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

// A name of its own, so that other test programs on the same bus can run their servers meanwhile.
const QString service = QStringLiteral("org.mewt.test.Delivery.p%1").arg(QCoreApplication::applicationPid());
const QString path = QStringLiteral("/org/freedesktop/Notifications");

// The notification path end to end, wired as the shell wires it, on a stand-in server, with
// consent stored by an earlier run and both pomodoro autostarts on.
class DesktopNotifications : public ::testing::Test {
protected:
    void SetUp() override
    {
        timer.onStateChange
            = [this](const TimerState& previous, const TimerState& current, TimerStateChangeReason reason) {
                  pomodoro.timerStateDidChange(previous, current, reason);
              };
    }
    void TearDown() override
    {
        server.reset();
        QDBusConnection::disconnectFromBus(service);
    }

    void startServer()
    {
        server = std::make_unique<mewt::testing::FakeNotificationServer>();
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, service);
        ASSERT_TRUE(bus.registerObject(path, server.get(), QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(bus.registerService(service));
    }
    // Until the service's add has landed in the centre, whose delivery timer then runs.
    void waitUntilScheduled()
    {
        const auto* delivery = center.findChild<QTimer*>(QStringLiteral("deliveryTimer"));
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return notifications.pendingAddCount() == 0 && delivery->isActive(); }, 5000));
    }

    static MemoryUserDefaults seeded()
    {
        MemoryUserDefaults values;
        values.seed(QString::fromLatin1(FreedesktopNotificationCenter::authorizationKey), QStringLiteral("authorized"));
        values.seed(PomodoroSettingsStore::modeKey, QStringLiteral("pomodoro"));
        values.seed(PomodoroSettingsStore::autoStartsNextFocusKey, true);
        return values;
    }

    MemoryUserDefaults defaults = seeded();
    ManualClock clock { Date(1'800'000'000s) };
    std::unique_ptr<mewt::testing::FakeNotificationServer> server;
    FreedesktopNotificationCenter center { defaults, clock, { QDBusConnection::sessionBus(), service, 500 } };
    NotificationService notifications { center, clock };
    PomodoroSettingsStore settings { defaults };
    TimerStore timer { defaults, clock, &notifications };
    PomodoroStore pomodoro { defaults, clock, timer, settings };
};

TEST_F(DesktopNotifications, EveryPhaseThatEndsIsNotifiedThoughTheNextStartsAtOnce)
{
    startServer();
    pomodoro.commitSessions(20, clock.now());
    for (int phase = 0; phase < 20; ++phase) {
        waitUntilScheduled();
        // The store's ticker comes first, as it does in half the runs: the next phase replaces
        // the request in the same turn in which it fell due.
        clock.set(timer.state().endDate().value());
        timer.tick();
        ASSERT_TRUE(QTest::qWaitFor([&] { return server->notifyCalls.size() == phase + 1; }, 5000)) << phase;
    }
}

TEST_F(DesktopNotifications, AServerMissingWhenScheduledButBackByTheEndShowsTheNotification)
{
    timer.addTime(60, clock.now());
    waitUntilScheduled();
    EXPECT_EQ(timer.notificationErrorMessage(), std::nullopt) << "no server said alerts and sounds are off";
    startServer();
    clock.advance(60s);
    center.recheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->notifyCalls.size() == 1; }, 5000));
}

} // namespace

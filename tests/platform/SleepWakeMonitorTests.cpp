#include "platform/SleepWakeMonitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

TEST(SleepWakeMonitor, ResumeIsAWakeAndSuspendIsNot)
{
    SleepWakeMonitor monitor(QDBusConnection(QStringLiteral("none")), QString());
    QSignalSpy woke(&monitor, &SleepWakeMonitor::didWake);
    QSignalSpy sleeping(&monitor, &SleepWakeMonitor::willSleep);
    monitor.prepareForSleep(true);
    EXPECT_EQ(woke.size(), 0);
    EXPECT_EQ(sleeping.size(), 1);
    monitor.prepareForSleep(false);
    EXPECT_EQ(woke.size(), 1);
    EXPECT_FALSE(monitor.isListening());
}

TEST(SleepWakeMonitor, HearsLogindsSignalOnTheBus)
{
    // A private session bus stands in for the system bus; the test's second connection plays logind.
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no session bus (run under dbus-run-session)";
    QDBusConnection logind = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-logind"));
    ASSERT_TRUE(logind.isConnected());

    SleepWakeMonitor monitor(QDBusConnection::sessionBus(), logind.baseService());
    ASSERT_TRUE(monitor.isListening());
    QSignalSpy woke(&monitor, &SleepWakeMonitor::didWake);
    QDBusMessage resumed = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"));
    resumed << false;
    ASSERT_TRUE(logind.send(resumed));
    EXPECT_TRUE(woke.wait(5000));
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-logind"));
}

} // namespace

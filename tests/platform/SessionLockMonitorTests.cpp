#include "platform/SessionLockMonitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

const QString sessionPath = QStringLiteral("/org/freedesktop/login1/session/_32");

class FakeLogin final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public Q_SLOTS:
    QDBusObjectPath GetSessionByPID(uint) { return QDBusObjectPath(sessionPath); }
};

class FakeSession final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(bool LockedHint READ lockedHint)

public:
    bool locked = false;
    bool lockedHint() const { return locked; }
};

class FakeScreenSaver final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    bool active = false;

public Q_SLOTS:
    bool GetActive() { return active; }
};

// One private connection plays logind and the desktop's screen saver on the test's session bus.
class SessionLock : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus (run under dbus-run-session)";
        desktop = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-desktop")));
        ASSERT_TRUE(desktop->registerObject(
            QStringLiteral("/org/freedesktop/login1"), &login, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(desktop->registerObject(sessionPath, &session, QDBusConnection::ExportAllProperties));
        ASSERT_TRUE(desktop->registerObject(
            SessionLockMonitor::screenSaverPath, &screenSaver, QDBusConnection::ExportAllSlots));
    }
    void TearDown() override
    {
        if (!desktop)
            return;
        desktop.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-desktop"));
    }

    std::unique_ptr<SessionLockMonitor> monitor()
    {
        const QString name = desktop->baseService();
        auto made = std::make_unique<SessionLockMonitor>(
            SessionLockMonitor::Services { QDBusConnection::sessionBus(), name, QDBusConnection::sessionBus(), name });
        // The first answers come in; the lock hint is read once the session is known.
        QTest::qWait(200);
        return made;
    }

    void setLockedHint(bool locked)
    {
        session.locked = locked;
        QDBusMessage changed = QDBusMessage::createSignal(
            sessionPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
        changed << SessionLockMonitor::sessionInterface << QVariantMap { { QStringLiteral("LockedHint"), locked } }
                << QStringList();
        ASSERT_TRUE(desktop->send(changed));
    }

    void setScreenSaverActive(bool active)
    {
        screenSaver.active = active;
        QDBusMessage changed = QDBusMessage::createSignal(SessionLockMonitor::screenSaverPath,
            SessionLockMonitor::screenSaverInterface, QStringLiteral("ActiveChanged"));
        changed << active;
        ASSERT_TRUE(desktop->send(changed));
    }

    FakeLogin login;
    FakeSession session;
    FakeScreenSaver screenSaver;
    std::unique_ptr<QDBusConnection> desktop;
};

TEST_F(SessionLock, ReadsTheLockAtStartFromEitherService)
{
    const std::tuple<bool, bool, bool> cases[]
        = { { false, false, false }, { true, false, true }, { false, true, true }, { true, true, true } };
    for (const auto& [hint, saver, locked] : cases) {
        session.locked = hint;
        screenSaver.active = saver;
        EXPECT_EQ(monitor()->isLocked(), locked) << hint << saver;
    }
}

TEST_F(SessionLock, FollowsLockAndUnlockAndCountsBothServices)
{
    const auto watched = monitor();
    ASSERT_FALSE(watched->isLocked());
    QSignalSpy changes(watched.get(), &SessionLockMonitor::lockedChanged);

    setLockedHint(true);
    ASSERT_TRUE(changes.wait(3000));
    EXPECT_TRUE(watched->isLocked());

    // The screen saver comes on too; still one lock until both have gone.
    setScreenSaverActive(true);
    setLockedHint(false);
    QTest::qWait(200);
    EXPECT_EQ(changes.size(), 1);
    EXPECT_TRUE(watched->isLocked());

    setScreenSaverActive(false);
    ASSERT_TRUE(changes.wait(3000));
    EXPECT_FALSE(watched->isLocked());
    EXPECT_EQ(changes.last().at(0).toBool(), false);
}

TEST(SessionLockWithoutServices, NeverReadsAsLocked)
{
    SessionLockMonitor monitor(SessionLockMonitor::Services {
        QDBusConnection(QStringLiteral("none")), QString(), QDBusConnection(QStringLiteral("none")), QString() });
    EXPECT_FALSE(monitor.isLocked());
}

} // namespace

#include "SessionLockMonitorTests.moc"

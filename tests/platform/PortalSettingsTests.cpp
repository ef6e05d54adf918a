#include "FakePortal.h"
#include "platform/AppearanceMonitor.h"
#include "platform/MotionPreference.h"
#include "platform/PortalSettings.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace mewt;
using mewt::testing::FakePortal;

namespace {

const QString appearance = QStringLiteral("org.freedesktop.appearance");
const QString gnomeInterface = QStringLiteral("org.gnome.desktop.interface");

QPalette paletteWithWindow(const QColor& color)
{
    QPalette palette;
    palette.setColor(QPalette::Window, color);
    return palette;
}

class DesktopPortal : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus (run under dbus-run-session)";
        bus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-portal")));
        ASSERT_TRUE(bus->registerObject(PortalSettings::objectPath, &fake, QDBusConnection::ExportAllSlots));
        service = bus->baseService();
        savedMotion = qgetenv("MEWT_REDUCED_MOTION");
        qunsetenv("MEWT_REDUCED_MOTION");
    }

    void TearDown() override
    {
        if (!bus)
            return;
        qputenv("MEWT_REDUCED_MOTION", savedMotion);
        bus->unregisterObject(PortalSettings::objectPath);
        bus.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
    }

    // Replies on one connection arrive in order, so once this read is answered, every read sent
    // before it has been answered too.
    void flush(PortalSettings& portal)
    {
        bool answered = false;
        portal.read(appearance, QStringLiteral("flush"), &portal, [&](auto) { answered = true; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, 5000));
    }

    void announce(const QString& group, const QString& key, const QVariant& value)
    {
        ASSERT_TRUE(fake.announce(*bus, group, key, value));
    }

    FakePortal fake;
    std::unique_ptr<QDBusConnection> bus;
    QString service;
    QByteArray savedMotion;
};

struct SchemeCase {
    uint scheme;
    QColor window;
    bool dark;
};

class ColorSchemes : public DesktopPortal, public ::testing::WithParamInterface<SchemeCase> { };

TEST_P(ColorSchemes, PortalPreferenceWinsAndNoPreferenceFollowsThePalette)
{
    const SchemeCase& c = GetParam();
    fake.values.insert(appearance + QStringLiteral("/color-scheme"), QVariant::fromValue(c.scheme));
    PortalSettings portal(QDBusConnection::sessionBus(), service);
    AppearanceMonitor monitor(&portal, [&] { return paletteWithWindow(c.window); });
    flush(portal);
    EXPECT_EQ(monitor.isDark(), c.dark);
}

INSTANTIATE_TEST_SUITE_P(Table, ColorSchemes,
    ::testing::Values(SchemeCase { 1, Qt::white, true }, SchemeCase { 2, QColor(30, 30, 30), false },
        SchemeCase { 0, QColor(30, 30, 30), true }, SchemeCase { 0, Qt::white, false },
        SchemeCase { 7, QColor(30, 30, 30), true }));

TEST_F(DesktopPortal, AppearanceFollowsChangeNotices)
{
    PortalSettings portal(QDBusConnection::sessionBus(), service);
    AppearanceMonitor monitor(&portal, [] { return paletteWithWindow(Qt::white); });
    EXPECT_TRUE(portal.watchesChanges());
    flush(portal);
    ASSERT_FALSE(monitor.isDark());
    QSignalSpy changed(&monitor, &AppearanceMonitor::darkChanged);

    announce(appearance, QStringLiteral("color-scheme"), QVariant::fromValue(1u));
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_TRUE(monitor.isDark());
    announce(appearance, QStringLiteral("accent-color"), QVariant::fromValue(3u));
    announce(appearance, QStringLiteral("color-scheme"), QVariant::fromValue(0u));
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_FALSE(monitor.isDark());
    EXPECT_EQ(changed.size(), 2);
}

TEST(AppearanceWithoutPortal, PaletteDecidesAndPaletteChangesCount)
{
    QColor window = Qt::white;
    PortalSettings portal(QDBusConnection(QStringLiteral("none")), QString());
    AppearanceMonitor monitor(&portal, [&] { return paletteWithWindow(window); });
    EXPECT_FALSE(monitor.isDark());
    QSignalSpy changed(&monitor, &AppearanceMonitor::darkChanged);

    window = QColor(40, 40, 48);
    QEvent paletteChange(QEvent::ApplicationPaletteChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &paletteChange);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_TRUE(changed.first().first().toBool());
}

struct MotionCase {
    const char* name;
    std::optional<uint> reducedMotion;
    std::optional<bool> enableAnimations;
    bool reduces;
};

void PrintTo(const MotionCase& c, std::ostream* out)
{
    *out << c.name;
}

class MotionSettings : public DesktopPortal, public ::testing::WithParamInterface<MotionCase> { };

TEST_P(MotionSettings, DesktopSettingsDecide)
{
    const MotionCase& c = GetParam();
    if (c.reducedMotion)
        fake.values.insert(appearance + QStringLiteral("/reduced-motion"), QVariant::fromValue(*c.reducedMotion));
    if (c.enableAnimations)
        fake.values.insert(gnomeInterface + QStringLiteral("/enable-animations"), *c.enableAnimations);
    PortalSettings portal(QDBusConnection::sessionBus(), service);
    MotionPreference motion(&portal);
    flush(portal);
    EXPECT_EQ(motion.reducesMotion(), c.reduces);
}

INSTANTIATE_TEST_SUITE_P(Table, MotionSettings,
    ::testing::Values(MotionCase { "nothing known", std::nullopt, std::nullopt, false },
        MotionCase { "animations off", std::nullopt, false, true },
        MotionCase { "animations on", std::nullopt, true, false },
        MotionCase { "portal asks to reduce", 1u, true, true },
        MotionCase { "portal has no preference", 0u, false, true }));

TEST_F(DesktopPortal, MotionFollowsTheAnimationSwitch)
{
    PortalSettings portal(QDBusConnection::sessionBus(), service);
    MotionPreference motion(&portal);
    flush(portal);
    QSignalSpy changed(&motion, &MotionPreference::reducesMotionChanged);
    announce(gnomeInterface, QStringLiteral("enable-animations"), false);
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_TRUE(motion.reducesMotion());
}

TEST_F(DesktopPortal, EnvironmentOverridesTheDesktop)
{
    fake.values.insert(gnomeInterface + QStringLiteral("/enable-animations"), false);
    PortalSettings portal(QDBusConnection::sessionBus(), service);
    qputenv("MEWT_REDUCED_MOTION", "0");
    MotionPreference calm(&portal);
    qputenv("MEWT_REDUCED_MOTION", "1");
    MotionPreference reduced(&portal);
    flush(portal);
    announce(gnomeInterface, QStringLiteral("enable-animations"), true);
    flush(portal);
    EXPECT_FALSE(calm.reducesMotion());
    EXPECT_TRUE(reduced.reducesMotion());
}

TEST(MotionWithoutBus, DefaultsToFullMotion)
{
    const QByteArray saved = qgetenv("MEWT_REDUCED_MOTION");
    qunsetenv("MEWT_REDUCED_MOTION");
    PortalSettings portal(QDBusConnection(QStringLiteral("none")), QString());
    MotionPreference motion(&portal);
    EXPECT_FALSE(motion.reducesMotion());
    qputenv("MEWT_REDUCED_MOTION", saved);
}

} // namespace

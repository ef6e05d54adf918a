#include "FakeNotificationServer.h"
#include "ShellRig.h"
#include "cues/NotificationService.h"
#include "platform/FreedesktopNotificationCenter.h"
#include "popover/PopoverHeader.h"
#include "popover/TimerPopoverController.h"
#include "popover/TimerPopoverPresentation.h"
#include "popover/TimerPopoverView.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

using namespace mewt;
using namespace mewt::testing;

namespace {

class TourPresentation : public CoordinatorTest {
protected:
    void firstLaunch() { rig.defaults.remove(OnboardingStore::completionKey); }
};

TEST_F(TourPresentation, AFirstLaunchOpensThePopoverOnTheTourOnce)
{
    firstLaunch();
    AppCoordinator& app = started();
    EXPECT_TRUE(app.onboardingStore().isPresented());
    ASSERT_TRUE(app.isTourRevealPending());
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.popoverController().presentation().isVisible(); }, 3000));
    // Nothing hides it while the tour shows; skipping ends it for this launch and the next.
    app.popoverController().hide();
    EXPECT_TRUE(app.popoverController().presentation().isVisible());
    app.onboardingStore().complete();
    app.shutdown();
    coordinator.reset();
    AppCoordinator& again = started();
    EXPECT_FALSE(again.onboardingStore().isPresented());
    EXPECT_FALSE(again.isTourRevealPending());
}

TEST_F(TourPresentation, AReplayStartsAgainFromTheFirstStep)
{
    AppCoordinator& app = started();
    EXPECT_FALSE(app.isTourRevealPending());
    app.onboardingStore().setPresented(true);
    app.onboardingStore().setStep(OnboardingStore::Step::pause);
    app.onboardingStore().setPresented(false);
    app.replayOnboarding();
    EXPECT_TRUE(app.onboardingStore().isPresented());
    EXPECT_EQ(app.onboardingStore().step(), OnboardingStore::Step::meet);
    EXPECT_TRUE(app.isTourRevealPending());
    // Shutdown takes the pending reveal with it.
    app.shutdown();
    EXPECT_FALSE(app.isTourRevealPending());
    app.replayOnboarding();
    EXPECT_FALSE(app.isTourRevealPending());
}

// A first launch, the tour skipped: on a desktop whose notification server answers, nothing is
// left to allow; on one without a server the banner says the notification won't reach the user.
TEST_F(TourPresentation, AfterSkippingTheTourTheBannerShowsOnlyWithoutANotificationServer)
{
    const QString service = QStringLiteral("org.mewt.test.Tour.p%1").arg(QCoreApplication::applicationPid());
    for (const bool serverRuns : { true, false }) {
        SCOPED_TRACE(serverRuns ? "server" : "no server");
        ShellRig fresh;
        fresh.defaults.remove(OnboardingStore::completionKey);
        FakeNotificationServer server;
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, service);
        if (serverRuns) {
            ASSERT_TRUE(bus.registerObject(
                QStringLiteral("/org/freedesktop/Notifications"), &server, QDBusConnection::ExportAllSlots));
            ASSERT_TRUE(bus.registerService(service));
        }
        FreedesktopNotificationCenter center { fresh.defaults, fresh.clock,
            { QDBusConnection::sessionBus(), service, 500 } };
        NotificationService notifications { center, fresh.clock };
        AppCoordinator::Services services = fresh.services();
        services.notifications = &notifications;
        services.notificationCenter = &center;
        AppCoordinator app(services);
        app.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return app.popoverController().presentation().isVisible(); }, 3000));
        QPushButton* skip = nullptr;
        for (QPushButton* button : app.popoverController().rootView().findChildren<QPushButton*>()) {
            if (button->isVisible() && button->text() == QStringLiteral("skip"))
                skip = button;
        }
        ASSERT_NE(skip, nullptr);
        QTest::mouseClick(skip, Qt::LeftButton);
        ASSERT_FALSE(app.onboardingStore().isPresented());
        // Until the centre has answered, the state is not known either way.
        ASSERT_TRUE(QTest::qWaitFor([&] { return app.timerStore().notificationDeliveryState().has_value(); }, 3000));
        NotificationBanner& banner = app.popoverController().rootView().standardHeader().banner();
        // The view shows the stores' news on its next turn.
        app.popoverController().rootView().sync();
        EXPECT_EQ(banner.isVisible(), !serverRuns);
        app.shutdown();
        bus.unregisterService(service);
        QDBusConnection::disconnectFromBus(service);
    }
}

} // namespace

#include "ShellRig.h"
#include "popover/TimerPopoverPresentation.h"

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

} // namespace

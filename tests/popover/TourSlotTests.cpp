#include "PopoverViewRig.h"
#include "popover/ContentSwitcher.h"
#include "tour/NotificationPreview.h"
#include "tour/OnboardingView.h"

#include <QGraphicsOpacityEffect>
#include <QPushButton>
#include <gtest/gtest.h>

namespace mewt {
namespace {

class TourSlot : public ::testing::Test {
protected:
    testing::PopoverViewRig rig;

    TimerPopoverView& view() { return rig.view(); }
    void turn()
    {
        for (int i = 0; i < 10; ++i)
            testing::PopoverViewRig::settle();
    }
    void show()
    {
        view().show();
        rig.presentation.setVisible(true);
        turn();
    }
};

TEST_F(TourSlot, TheTourTakesThePlaceOfTheTimerWhilePresented)
{
    show();
    EXPECT_EQ(view().onboardingView(), nullptr);
    rig.onboarding.setPresented(true);
    turn();
    ASSERT_NE(view().onboardingView(), nullptr);
    EXPECT_TRUE(view().onboardingView()->isVisibleTo(&view()));
    EXPECT_FALSE(view().contentSwitcher().isVisibleTo(&view()));
    // "skip" ends it and the timer comes back.
    for (QPushButton* button : view().onboardingView()->findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("skip"))
            button->click();
    turn();
    EXPECT_EQ(view().onboardingView(), nullptr);
    EXPECT_TRUE(view().contentSwitcher().isVisibleTo(&view()));
    EXPECT_FALSE(rig.onboarding.isPresented());
}

TEST_F(TourSlot, TheTourAndTheTimerFadeInInEachOthersPlaceUnlessMotionIsReduced)
{
    show();
    rig.onboarding.setPresented(true);
    turn();
    ASSERT_NE(view().onboardingView(), nullptr);
    EXPECT_NE(qobject_cast<QGraphicsOpacityEffect*>(view().onboardingView()->graphicsEffect()), nullptr);
    rig.onboarding.setPresented(false);
    turn();
    EXPECT_NE(qobject_cast<QGraphicsOpacityEffect*>(view().contentSwitcher().graphicsEffect()), nullptr);

    qputenv("MEWT_REDUCED_MOTION", "1");
    view().contentSwitcher().setGraphicsEffect(nullptr);
    rig.onboarding.setPresented(true);
    turn();
    rig.onboarding.setPresented(false);
    turn();
    qputenv("MEWT_REDUCED_MOTION", "0");
    EXPECT_EQ(view().contentSwitcher().graphicsEffect(), nullptr);
}

TEST_F(TourSlot, TheTourAsksOnceOnItsLastStepAndFollowsTheAnswerInPlace)
{
    rig.onboarding.setPresented(true);
    show();
    OnboardingView* tour = view().onboardingView();
    ASSERT_NE(tour, nullptr);
    rig.onboarding.setStep(OnboardingStore::Step::notifications);
    turn();
    EXPECT_EQ(rig.notifications.permissionRequests, 1);
    rig.notifications.onAuthorizationChange(NotificationAuthorizationState::denied);
    turn();
    EXPECT_EQ(view().onboardingView(), tour) << "an answer is no new tour";
    EXPECT_EQ(tour->notificationState(), OnboardingNotificationState::needsSettings);
    int opened = 0;
    view().openNotificationSettings = [&opened] {
        ++opened;
        return false;
    };
    const auto cards = tour->findChildren<NotificationPreview*>();
    ASSERT_EQ(cards.size(), 1);
    cards.front()->actionButton()->click();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(rig.notifications.permissionRequests, 1);
    EXPECT_TRUE(cards.front()->showsSettingsUnavailable());
}

} // namespace
} // namespace mewt

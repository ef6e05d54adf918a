#include "model/FakeNotificationScheduler.h"
#include "model/OnboardingStore.h"
#include "model/ThemeStore.h"
#include "model/TimerStore.h"
#include "platform/MemoryUserDefaults.h"
#include "tour/NotificationPreview.h"
#include "tour/OnboardingNotifications.h"
#include "tour/OnboardingView.h"

#include <QApplication>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

using Auth = NotificationAuthorizationState;

struct ReportCase {
    const char* name;
    std::optional<Auth> authorization;
    std::optional<NotificationDeliveryState> delivery;
    const char* button;
    int permissionRequests;
    int settingsOpened;
};

} // namespace

class TourNotifications : public ::testing::TestWithParam<ReportCase> {
protected:
    void SetUp() override
    {
        view = std::make_unique<OnboardingView>(store, themes, OnboardingNotificationState::checking,
            CatTheme::defaultTheme().popoverPalette(ColorScheme::light));
        attachOnboardingNotifications(*view, timer, [this] {
            ++settingsOpened;
            return settingsToolExists;
        });
        store.setPresented(true);
        view->show();
        QApplication::processEvents();
    }
    void report(const ReportCase& c)
    {
        if (c.authorization)
            scheduler.onAuthorizationChange(*c.authorization);
        if (c.delivery)
            scheduler.onDeliveryStateChange(*c.delivery);
    }
    QPushButton* cardButton() const
    {
        const auto cards = view->findChildren<NotificationPreview*>();
        return cards.empty() || cards.front()->actionButton()->isHidden() ? nullptr : cards.front()->actionButton();
    }

    MemoryUserDefaults defaults;
    ManualClock clock;
    test::FakeNotificationScheduler scheduler;
    TimerStore timer { defaults, clock, &scheduler };
    OnboardingStore store { defaults };
    ThemeStore themes { defaults };
    std::unique_ptr<OnboardingView> view;
    int settingsOpened = 0;
    bool settingsToolExists = true;
};

TEST_P(TourNotifications, TheCardFollowsTheServiceAndItsButtonDoesWhatItSays)
{
    const ReportCase& c = GetParam();
    report(c);
    store.setStep(OnboardingStore::Step::notifications);
    QApplication::processEvents();
    const int askedOnArrival = scheduler.permissionRequestCount;
    QPushButton* button = cardButton();
    if (*c.button == '\0') {
        EXPECT_EQ(button, nullptr);
        EXPECT_EQ(askedOnArrival, 0);
        return;
    }
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QLatin1String(c.button));
    button->click();
    EXPECT_EQ(scheduler.permissionRequestCount - askedOnArrival, c.permissionRequests);
    EXPECT_EQ(settingsOpened, c.settingsOpened);
}

INSTANTIATE_TEST_SUITE_P(Reports, TourNotifications,
    ::testing::Values(ReportCase { "neverAsked", std::nullopt, std::nullopt, "enable", 1, 0 },
        ReportCase { "denied", Auth::denied, std::nullopt, "settings", 0, 1 },
        ReportCase { "deliveryNeverAskedOverAllowed", Auth::allowed,
            NotificationDeliveryState { Auth::unknown, false, false }, "enable", 1, 0 },
        ReportCase { "allowedButSilent", Auth::allowed, NotificationDeliveryState { Auth::allowed, false, false },
            "settings", 0, 1 },
        ReportCase { "on", Auth::allowed, NotificationDeliveryState { Auth::allowed, true, false }, "", 0, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TourNotifications, ArrivingNeverAskedAsksTheServiceAndTheAnswerChangesTheCard)
{
    store.setStep(OnboardingStore::Step::notifications);
    QApplication::processEvents();
    EXPECT_EQ(scheduler.permissionRequestCount, 1);
    scheduler.onAuthorizationChange(Auth::allowed);
    scheduler.onDeliveryStateChange({ Auth::allowed, true, true });
    QApplication::processEvents();
    EXPECT_EQ(view->notificationState(), OnboardingNotificationState::enabled);
    EXPECT_EQ(cardButton(), nullptr);
    EXPECT_EQ(scheduler.permissionRequestCount, 1);
}

TEST_F(TourNotifications, WithoutASettingsToolTheCardSaysSo)
{
    settingsToolExists = false;
    scheduler.onAuthorizationChange(Auth::denied);
    store.setStep(OnboardingStore::Step::notifications);
    QApplication::processEvents();
    ASSERT_NE(cardButton(), nullptr);
    cardButton()->click();
    EXPECT_TRUE(view->findChildren<NotificationPreview*>().front()->showsSettingsUnavailable());
}

TEST_F(TourNotifications, AFailedRequestIsExplainedUnderTheCardUntilItClears)
{
    store.setStep(OnboardingStore::Step::notifications);
    QApplication::processEvents();
    NotificationPreview* card = view->findChildren<NotificationPreview*>().front();
    EXPECT_TRUE(card->noteText().isEmpty());
    const QString failure = QStringLiteral("couldn't request notifications: <b>no server</b>");
    scheduler.onSchedulingError(failure);
    EXPECT_EQ(card->noteText(), failure);
    // The next arrival builds a new card, which still explains.
    store.back();
    store.advance();
    QApplication::processEvents();
    card = view->findChildren<NotificationPreview*>().back();
    EXPECT_EQ(card->noteText(), failure);
    scheduler.onSchedulingError(std::nullopt);
    EXPECT_TRUE(card->noteText().isEmpty());
}

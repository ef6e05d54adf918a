#include "tour/NotificationPreview.h"
#include "tour/OnboardingNotificationState.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

using Auth = NotificationAuthorizationState;
using State = OnboardingNotificationState;
using Action = OnboardingNotificationAction;

struct StateCase {
    const char* name;
    Auth authorization;
    std::optional<NotificationDeliveryState> delivery;
    State state;
    Action action;
};

} // namespace

class NotificationStateTable : public ::testing::TestWithParam<StateCase> { };

TEST_P(NotificationStateTable, TheCardAndItsActionDecideFromTheSameState)
{
    const StateCase& c = GetParam();
    const State state = onboardingNotificationState(c.authorization, c.delivery);
    EXPECT_EQ(state, c.state);
    EXPECT_EQ(onboardingNotificationAction(state), c.action);
}

INSTANTIATE_TEST_SUITE_P(Table, NotificationStateTable,
    ::testing::Values(
        StateCase { "neverAsked", Auth::unknown, std::nullopt, State::needsPermission, Action::requestPermission },
        StateCase { "allowedBeforeAnyDelivery", Auth::allowed, std::nullopt, State::checking, Action::none },
        StateCase { "deniedWithoutDelivery", Auth::denied, std::nullopt, State::needsSettings, Action::openSettings },
        // The delivery state decides: "enable" must ask, not open the settings.
        StateCase { "deliveryUnknownOverAllowed", Auth::allowed,
            NotificationDeliveryState { Auth::unknown, true, true }, State::needsPermission,
            Action::requestPermission },
        StateCase { "alertsOnly", Auth::unknown, NotificationDeliveryState { Auth::allowed, true, false },
            State::enabled, Action::none },
        StateCase { "soundsOnly", Auth::allowed, NotificationDeliveryState { Auth::allowed, false, true },
            State::enabled, Action::none },
        StateCase { "allowedButSilent", Auth::allowed, NotificationDeliveryState { Auth::allowed, false, false },
            State::needsSettings, Action::openSettings },
        StateCase { "deniedDelivery", Auth::allowed, NotificationDeliveryState { Auth::denied, true, true },
            State::needsSettings, Action::openSettings }),
    [](const auto& info) { return std::string(info.param.name); });

struct CardCase {
    const char* name;
    State state;
    const char* button; // empty: none
    const char* glyph;
};

class NotificationCard : public ::testing::TestWithParam<CardCase> { };

TEST_P(NotificationCard, OffersOnlyTheActionThatHelps)
{
    const CardCase& c = GetParam();
    NotificationPreview card(c.state, CatTheme::defaultTheme().popoverPalette(ColorScheme::light));
    int calls = 0;
    card.onAction = [&calls] {
        ++calls;
        return true;
    };
    card.show();
    EXPECT_EQ(card.glyphName(), QLatin1String(c.glyph));
    const QRect text(card.textLabel()->mapTo(&card, QPoint(0, 0)), card.textLabel()->size());
    EXPECT_DOUBLE_EQ(text.left() - card.bellRect().right(), 9.0) << "the bell stands 9 points from its text";
    const bool hasButton = *c.button != '\0';
    EXPECT_EQ(card.actionButton()->isVisible(), hasButton);
    if (hasButton) {
        EXPECT_EQ(card.actionButton()->text(), QLatin1String(c.button));
        EXPECT_EQ(card.actionButton()->objectName(), QStringLiteral("mewt.sound.ready"));
        card.actionButton()->click();
        EXPECT_EQ(calls, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(States, NotificationCard,
    ::testing::Values(CardCase { "checking", State::checking, "", "bell" },
        CardCase { "needsPermission", State::needsPermission, "enable", "bell-slash" },
        CardCase { "needsSettings", State::needsSettings, "settings", "bell-slash" },
        CardCase { "enabled", State::enabled, "", "bell-fill" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NotificationCardWithoutSettingsTool, SaysSoOnlyAfterSettingsCouldNotOpen)
{
    const CatPopoverPalette palette = CatTheme::defaultTheme().popoverPalette(ColorScheme::dark);
    NotificationPreview asking(State::needsPermission, palette);
    asking.onAction = [] { return false; };
    asking.actionButton()->click();
    EXPECT_FALSE(asking.showsSettingsUnavailable());

    NotificationPreview card(State::needsSettings, palette);
    card.onAction = [] { return false; };
    card.actionButton()->click();
    EXPECT_TRUE(card.showsSettingsUnavailable());
    // Once notifications work, the note would mislead.
    card.setState(State::enabled);
    EXPECT_FALSE(card.showsSettingsUnavailable());
}

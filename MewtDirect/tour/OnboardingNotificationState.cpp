#include "tour/OnboardingNotificationState.h"

namespace mewt {

OnboardingNotificationState onboardingNotificationState(
    NotificationAuthorizationState authorization, const std::optional<NotificationDeliveryState>& delivery)
{
    switch (delivery ? delivery->authorization : authorization) {
    case NotificationAuthorizationState::unknown: return OnboardingNotificationState::needsPermission;
    case NotificationAuthorizationState::denied: return OnboardingNotificationState::needsSettings;
    case NotificationAuthorizationState::allowed:
        if (!delivery)
            return OnboardingNotificationState::checking;
        return delivery->alertsEnabled || delivery->soundsEnabled ? OnboardingNotificationState::enabled
                                                                  : OnboardingNotificationState::needsSettings;
    }
    return OnboardingNotificationState::checking;
}

OnboardingNotificationAction onboardingNotificationAction(OnboardingNotificationState state)
{
    switch (state) {
    case OnboardingNotificationState::needsPermission: return OnboardingNotificationAction::requestPermission;
    case OnboardingNotificationState::needsSettings: return OnboardingNotificationAction::openSettings;
    case OnboardingNotificationState::checking:
    case OnboardingNotificationState::enabled: return OnboardingNotificationAction::none;
    }
    return OnboardingNotificationAction::none;
}

} // namespace mewt

#pragma once

#include "model/NotificationAuthorizationState.h"

#include <optional>

namespace mewt {

// What the tour's notification step tells about the completion notification.
enum class OnboardingNotificationState { checking, needsPermission, needsSettings, enabled };

// The delivery settings decide when the service has reported them; until then the authorisation
// alone does.
OnboardingNotificationState onboardingNotificationState(
    NotificationAuthorizationState authorization, const std::optional<NotificationDeliveryState>& delivery);

// The one thing that helps in each state. The card's button, the tour's arrival on its last step
// and the popover that carries it out all decide from the same state, so "enable" never opens the
// settings and "settings" never asks again.
enum class OnboardingNotificationAction { none, requestPermission, openSettings };
OnboardingNotificationAction onboardingNotificationAction(OnboardingNotificationState state);

} // namespace mewt

#pragma once

#include <QString>

namespace mewt {

// Whether the completion notification may be shown, as far as the notification service knows.
enum class NotificationAuthorizationState { unknown, allowed, denied };

// "Not requested", "On", "Off": shown to the user exactly as written.
QString rawValue(NotificationAuthorizationState state);

// The desktop's delivery settings as last reported by the notification service.
struct NotificationDeliveryState {
    NotificationAuthorizationState authorization = NotificationAuthorizationState::unknown;
    bool alertsEnabled = false;
    bool soundsEnabled = false;

    bool operator==(const NotificationDeliveryState&) const = default;
};

} // namespace mewt

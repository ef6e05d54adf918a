#include "model/NotificationAuthorizationState.h"

namespace mewt {

QString rawValue(NotificationAuthorizationState state)
{
    switch (state) {
    case NotificationAuthorizationState::unknown: return QStringLiteral("Not requested");
    case NotificationAuthorizationState::allowed: return QStringLiteral("On");
    case NotificationAuthorizationState::denied: return QStringLiteral("Off");
    }
    return QStringLiteral("Not requested");
}

} // namespace mewt

#pragma once

#include <functional>

namespace mewt {

class OnboardingView;
class TimerStore;

// Keeps the tour's notification state, and the service's last error, in step with what the
// notification service last told the timer store, and carries out the tour's notification action: "enable" asks the
// service (which clears a shown error first), "settings" calls `openNotificationSettings`, which returns false when
// this desktop has no settings tool to open.
void attachOnboardingNotifications(
    OnboardingView& view, TimerStore& timer, std::function<bool()> openNotificationSettings);

} // namespace mewt

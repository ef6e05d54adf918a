#pragma once

#include "NotificationScheduling.h"

#include <vector>

namespace mewt::test {

// Records what the timer store asks of the notification service and lets a test answer through
// the callbacks the store filled, as the real service would.
class FakeNotificationScheduler final : public NotificationScheduling {
public:
    struct Request {
        Date at;
        CompletionNotification notification;
        bool requestingAuthorization = false;
    };

    void schedule(Date at, const CompletionNotification& notification, bool requestingAuthorization) override
    {
        requests.push_back({ at, notification, requestingAuthorization });
        pending = requests.back();
    }
    void cancelPending() override
    {
        ++cancelCount;
        pending.reset();
    }
    void refreshSettings() override { ++refreshCount; }
    void requestPermission() override { ++permissionRequests; }
    void refreshAuthorization(bool, std::function<void(bool)> completion) override
    {
        ++refreshCount;
        completion(false);
    }
    void cancelPendingForQuit(std::function<void()> completion) override
    {
        pending.reset();
        completion();
    }

    void reportAuthorization(NotificationAuthorizationState state)
    {
        if (onAuthorizationChange)
            onAuthorizationChange(state);
    }
    void reportDeliveryState(const NotificationDeliveryState& state)
    {
        if (onDeliveryStateChange)
            onDeliveryStateChange(state);
    }
    void reportError(const std::optional<QString>& message)
    {
        if (onSchedulingError)
            onSchedulingError(message);
    }

    std::vector<Request> requests;
    std::optional<Request> pending;
    int cancelCount = 0;
    int refreshCount = 0;
    int permissionRequests = 0;
};

} // namespace mewt::test

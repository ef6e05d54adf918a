#pragma once

#include "model/NotificationScheduling.h"

#include <vector>

namespace mewt::test {

// Records what the timer store asks of the notification service; tests answer through the
// callbacks the store filled, as the real service would.
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
    }
    void cancelPending() override { ++cancelCount; }
    void refreshSettings() override { ++refreshCount; }
    void requestPermission() override { ++permissionRequestCount; }
    void refreshAuthorization(bool, std::function<void(bool)> completion) override { completion(false); }
    void cancelPendingForQuit(std::function<void()> completion) override { completion(); }

    std::vector<Request> requests;
    int cancelCount = 0;
    int refreshCount = 0;
    int permissionRequestCount = 0;
};

} // namespace mewt::test

#pragma once

#include "platform/Clock.h"
#include "model/CompletionNotification.h"
#include "model/NotificationAuthorizationState.h"

#include <QObject>
#include <functional>
#include <optional>

namespace mewt {

// How the timer store reaches the desktop's notifications. The real service lives in a higher
// layer; it is a QObject so that holders such as the popover can keep it in a QPointer.
//
// Everything runs on the GUI thread. The operations return at once and finish their work from the
// event loop; what they learn comes back through the three callbacks, which the timer store fills.
// A completion handler is called exactly once, never after the service is destroyed, and may run
// before the call returns.
class NotificationScheduling : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~NotificationScheduling() override;
    Q_DISABLE_COPY_MOVE(NotificationScheduling)

    // Replaces any pending completion notification with one shown at `at` (at least one second
    // from now). Asks the user for permission first only when `requestingAuthorization` is set and
    // permission was never asked. Each call clears an earlier error message.
    virtual void schedule(Date at, const CompletionNotification& notification, bool requestingAuthorization) = 0;

    // Stops a scheduling still under way and removes the pending completion notification.
    virtual void cancelPending() = 0;

    // Reads the current permission and delivery settings and reports them through the callbacks.
    virtual void refreshSettings() = 0;

    // Clears the error message and asks for permission when it was never asked.
    virtual void requestPermission() = 0;

    // Reports the settings like refreshSettings, asks for permission when it was never asked and
    // `requestingAuthorization` is set, and tells `completion` whether a notification can be shown.
    virtual void refreshAuthorization(bool requestingAuthorization, std::function<void(bool deliverable)> completion)
        = 0;

    // Removes the pending notification, including one whose delivery request is still in flight,
    // then calls `completion`; the application awaits it before it quits.
    virtual void cancelPendingForQuit(std::function<void()> completion) = 0;

    std::function<void(NotificationAuthorizationState)> onAuthorizationChange;
    std::function<void(const NotificationDeliveryState&)> onDeliveryStateChange;
    // A short message for the user, or none to clear the one shown.
    std::function<void(const std::optional<QString>&)> onSchedulingError;
};

} // namespace mewt

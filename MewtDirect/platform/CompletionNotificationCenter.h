#pragma once

#include "platform/Clock.h"

#include <QFlags>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>

namespace mewt {

enum class NotificationAuthorizationStatus { notDetermined, denied, authorized, provisional, ephemeral };

// What the desktop currently lets us do: our stored consent plus what the notification server
// offers right now.
struct NotificationSettings {
    NotificationAuthorizationStatus authorizationStatus = NotificationAuthorizationStatus::notDetermined;
    bool alertsEnabled = false;
    bool soundsEnabled = false;
    // False when no notification server answered: alerts and sounds are then unknown, not off.
    bool serverAnswered = true;

    friend bool operator==(const NotificationSettings&, const NotificationSettings&) = default;
};

enum class NotificationAuthorizationOption { alert = 0x1, sound = 0x2 };
Q_DECLARE_FLAGS(NotificationAuthorizationOptions, NotificationAuthorizationOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(NotificationAuthorizationOptions)

// Fires once, the given number of seconds after the request was added.
struct NotificationTimeIntervalTrigger {
    double seconds = 1;

    friend bool operator==(const NotificationTimeIntervalTrigger&, const NotificationTimeIntervalTrigger&) = default;
};

// Fires once at a wall-clock date; a date already past fires at once.
struct NotificationDateTrigger {
    Date date;

    friend bool operator==(const NotificationDateTrigger&, const NotificationDateTrigger&) = default;
};

using NotificationTrigger = std::variant<NotificationTimeIntervalTrigger, NotificationDateTrigger>;

struct NotificationRequest {
    QString identifier;
    QString title;
    QString body;
    bool playsDefaultSound = true;
    NotificationTrigger trigger;

    friend bool operator==(const NotificationRequest&, const NotificationRequest&) = default;
};

// A notification the centre has shown and that is still on screen, with the id the desktop gave it
// (0 when the desktop gives none).
struct DeliveredNotification {
    NotificationRequest request;
    uint serverId = 0;

    friend bool operator==(const DeliveredNotification&, const DeliveredNotification&) = default;
};

struct NotificationError {
    QString localizedDescription;

    friend bool operator==(const NotificationError&, const NotificationError&) = default;
};

// The desktop's notification centre. Every handler runs later on the main thread, never inside
// the call that was given it; a handler whose centre is destroyed first is dropped unrun.
class CompletionNotificationCenter {
public:
    using SettingsHandler = std::function<void(NotificationSettings)>;
    // Either whether permission was granted, or why it could not be asked for.
    using AuthorizationHandler = std::function<void(std::variant<bool, NotificationError>)>;
    // No error means the request is now held by the centre.
    using AddHandler = std::function<void(std::optional<NotificationError>)>;
    using PendingRequestsHandler = std::function<void(QList<NotificationRequest>)>;
    using DeliveredHandler = std::function<void(QList<DeliveredNotification>)>;

    CompletionNotificationCenter() = default;
    virtual ~CompletionNotificationCenter() = default;
    CompletionNotificationCenter(const CompletionNotificationCenter&) = delete;
    CompletionNotificationCenter& operator=(const CompletionNotificationCenter&) = delete;

    virtual void notificationSettings(SettingsHandler handler) = 0;
    virtual void requestAuthorization(NotificationAuthorizationOptions options, AuthorizationHandler handler) = 0;
    // A request under an identifier already pending replaces that one.
    virtual void add(const NotificationRequest& request, AddHandler handler) = 0;
    // What is scheduled and not yet delivered.
    virtual void pendingNotificationRequests(PendingRequestsHandler handler) = 0;
    virtual void removePendingNotificationRequests(const QStringList& identifiers) = 0;
    // What was shown and is still on screen, one per identifier.
    virtual void deliveredNotifications(DeliveredHandler handler) = 0;
};

} // namespace mewt

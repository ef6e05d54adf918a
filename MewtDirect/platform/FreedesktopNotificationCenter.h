#pragma once

#include "platform/Clock.h"
#include "platform/CompletionNotificationCenter.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QSet>

class QDBusMessage;
class QSocketNotifier;
class QTimer;

namespace mewt {

class UserDefaults;

// Where the notification server is reached. Tests point it at a fake server or at a name nobody
// owns; a short timeout keeps a stuck server from holding anything up.
struct NotificationServerAddress {
    QDBusConnection connection = QDBusConnection::sessionBus();
    QString service = QStringLiteral("org.freedesktop.Notifications");
    int callTimeoutMs = 2000;
};

// The notification centre on the freedesktop notification server. The server shows notifications
// only when told to, so timed requests wait in our own table until their wall-clock deadline; a
// timer is armed only while one waits. Our consent is kept in the user defaults: the desktop has
// no permission prompt, so the first server that answers (a settings read or a request) gives it.
class FreedesktopNotificationCenter final : public QObject, public CompletionNotificationCenter {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FreedesktopNotificationCenter)

public:
    // Holds "authorized" once a request succeeded, or "denied" when the user turned us off.
    static constexpr const char* authorizationKey = "notificationAuthorization";

    FreedesktopNotificationCenter(
        UserDefaults& defaults, const Clock& clock, NotificationServerAddress server = {}, QObject* parent = nullptr);
    ~FreedesktopNotificationCenter() override;

    void notificationSettings(SettingsHandler handler) override;
    void requestAuthorization(NotificationAuthorizationOptions options, AuthorizationHandler handler) override;
    void add(const NotificationRequest& request, AddHandler handler) override;
    void pendingNotificationRequests(PendingRequestsHandler handler) override;
    void removePendingNotificationRequests(const QStringList& identifiers) override;

    // The notifications the server showed and still shows, one per identifier.
    void deliveredNotifications(DeliveredHandler handler) override;
    // Takes shown notifications off the screen, including one whose showing is still under way.
    void removeDeliveredNotifications(const QStringList& identifiers);

public Q_SLOTS:
    // Delivers every request whose deadline has passed and re-arms for the rest. Runs from the
    // delivery timer and when the wall clock is set; the shell also calls it after a wake, since
    // the timer does not count suspended time.
    void recheck();

private Q_SLOTS:
    void notificationClosed(uint id, uint reason, const QDBusMessage& message);
    void serverOwnerChanged(const QString& service, const QString& oldOwner, const QString& newOwner);

private:
    struct PendingNotification {
        NotificationRequest request;
        Date deadline;
    };

    NotificationAuthorizationStatus storedStatus() const;
    void call(const QString& method, const QVariantList& arguments, std::function<void(const QDBusMessage&)> onReply);
    void arm();
    void watchClock(bool watching);
    void watchServer();
    void clockChanged();
    // A request whose deadline has come is shown before anything replaces or removes it.
    void deliverIfDue(const QString& identifier);
    void deliver(const NotificationRequest& request);
    void shown(const NotificationRequest& request, quint64 generation, const QDBusMessage& reply);
    void close(uint serverId);

    UserDefaults& defaults;
    const Clock& clock;
    NotificationServerAddress server;
    QHash<QString, PendingNotification> pending;
    QHash<QString, DeliveredNotification> delivered;
    bool watchingServer = false;
    // The unique bus name of the server that last answered, the only sender of closings we take.
    QString serverName;
    // Deliveries whose Notify has not been answered yet, by generation, and those to close at once.
    QHash<quint64, QString> deliveriesInFlight;
    QSet<quint64> closeOnArrival;
    quint64 lastDeliveryGeneration = 0;
    QTimer* deliveryTimer = nullptr;
    int clockChangeFd = -1;
    QSocketNotifier* clockChangeNotifier = nullptr;
    bool clockWatched = false;
};

} // namespace mewt

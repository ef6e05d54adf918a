#include "platform/FreedesktopNotificationCenter.h"

#include "platform/AppInfo.h"
#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace mewt {

namespace {

Q_LOGGING_CATEGORY(lcNotifications, "com.dovrant.mewt.direct.notifications")

const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");
const QString interfaceName = QStringLiteral("org.freedesktop.Notifications");
const QString appName = QString::fromUtf8(AppInfo::displayName);
// Names the desktop entry and the icon, so the server shows the paw and applies the app's policy.
const QString appId = QString::fromUtf8(AppInfo::bundleIdentifier);
const QString authorizedValue = QStringLiteral("authorized");
const QString deniedValue = QStringLiteral("denied");
constexpr double longestInterval = 10.0 * 365 * 24 * 3600;
// The delivery timer never sleeps longer than this, so no interval overflows.
constexpr double longestTimerSeconds = 3600;
constexpr std::chrono::milliseconds dueTolerance { 10 };
// Sharp at the sizes servers show (48 px and less at 1x) and at 2x.
constexpr int notificationIconSize = 128;

QString describe(const QDBusError& error)
{
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
        return QCoreApplication::translate("mewt", "no notification service is running.");
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut: return QCoreApplication::translate("mewt", "the notification service didn't answer.");
    case QDBusError::Disconnected:
        return QCoreApplication::translate("mewt", "there's no session bus to reach the notification service.");
    default: return QCoreApplication::translate("mewt", "the notification service answered with an error.");
    }
}

bool isError(const QDBusMessage& reply)
{
    return reply.type() != QDBusMessage::ReplyMessage;
}

QStringList capabilities(const QDBusMessage& reply)
{
    return isError(reply) ? QStringList() : reply.arguments().value(0).toStringList();
}

bool allowsDelivery(NotificationAuthorizationStatus status)
{
    return status == NotificationAuthorizationStatus::authorized
        || status == NotificationAuthorizationStatus::provisional
        || status == NotificationAuthorizationStatus::ephemeral;
}

// The body is the only field servers read as markup; the summary is plain text by definition.
QString plainBody(QString body, bool serverReadsMarkup)
{
    if (serverReadsMarkup) {
        body.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
        body.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
        body.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    }
    return body;
}

// The rendered icon file, as a URL, installed or in the build tree. A server finds the icon by the
// application id only once mewt is installed where it looks, and draws a broken image until then;
// the file shows on any server, wherever mewt runs from.
QString iconImagePath()
{
    static const QString path = [] {
        const QString icon = QStringLiteral("/%1x%1/apps/%2.png").arg(notificationIconSize).arg(appId);
        for (const char* folder : { AppInfo::installedIconsFromProgram, AppInfo::buildIconsFromProgram }) {
            const QFileInfo file(QCoreApplication::applicationDirPath() + u'/' + QString::fromUtf8(folder) + icon);
            if (file.isFile())
                return QUrl::fromLocalFile(file.canonicalFilePath()).toString();
        }
        return QString();
    }();
    return path;
}

QVariantList notifyArguments(const NotificationRequest& request, uint replacesId, bool serverReadsMarkup)
{
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(1)));
    hints.insert(QStringLiteral("desktop-entry"), appId);
    if (const QString image = iconImagePath(); !image.isEmpty())
        hints.insert(QStringLiteral("image-path"), image);
    if (request.playsDefaultSound) {
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("alarm-clock-elapsed"));
        hints.insert(QStringLiteral("suppress-sound"), false);
    } else {
        hints.insert(QStringLiteral("suppress-sound"), true);
    }
    return { appName, replacesId, appId, request.title, plainBody(request.body, serverReadsMarkup), QStringList(),
        hints, -1 };
}

} // namespace

FreedesktopNotificationCenter::FreedesktopNotificationCenter(
    UserDefaults& defaults, const Clock& clock, NotificationServerAddress server, QObject* parent)
    : QObject(parent)
    , defaults(defaults)
    , clock(clock)
    , server(std::move(server))
    , deliveryTimer(new QTimer(this))
{
    deliveryTimer->setObjectName(QStringLiteral("deliveryTimer"));
    deliveryTimer->setSingleShot(true);
    // A coarse timer may come 5 % late: over a minute for a long timer.
    deliveryTimer->setTimerType(Qt::PreciseTimer);
    connect(deliveryTimer, &QTimer::timeout, this, &FreedesktopNotificationCenter::recheck);

    // A realtime timerfd that cancels on clock changes tells us when the wall clock is set or the
    // machine resumes, both of which can move a deadline into the past.
    clockChangeFd = ::timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK);
    if (clockChangeFd >= 0) {
        clockChangeNotifier = new QSocketNotifier(clockChangeFd, QSocketNotifier::Read, this);
        connect(clockChangeNotifier, &QSocketNotifier::activated, this, &FreedesktopNotificationCenter::clockChanged);
    } else {
        qCWarning(lcNotifications, "cannot watch the wall clock: %s", std::strerror(errno));
    }
}

void FreedesktopNotificationCenter::watchServer()
{
    // Only what we showed can close or be forgotten: so not at launch, but before the first
    // notification goes out. Neither subscription names the server's service: Qt would look its
    // owner up with a blocking call, which libdbus turns into an abort on a bus that just died.
    // The sender of NotificationClosed is checked against the server's own name instead.
    if (watchingServer)
        return;
    watchingServer = true;
    const QString bus = QStringLiteral("org.freedesktop.DBus");
    server.connection.connect(QString(), QStringLiteral("/org/freedesktop/DBus"), bus,
        QStringLiteral("NameOwnerChanged"), { server.service }, QString(), this,
        SLOT(serverOwnerChanged(QString, QString, QString)));
    server.connection.connect(QString(), objectPath, interfaceName, QStringLiteral("NotificationClosed"), this,
        SLOT(notificationClosed(uint, uint, QDBusMessage)));
}

FreedesktopNotificationCenter::~FreedesktopNotificationCenter()
{
    if (watchingServer && server.connection.isConnected()) {
        server.connection.disconnect(QString(), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), { server.service }, QString(),
            this, SLOT(serverOwnerChanged(QString, QString, QString)));
        server.connection.disconnect(QString(), objectPath, interfaceName, QStringLiteral("NotificationClosed"), this,
            SLOT(notificationClosed(uint, uint, QDBusMessage)));
    }
    delete clockChangeNotifier;
    if (clockChangeFd >= 0)
        ::close(clockChangeFd);
}

NotificationAuthorizationStatus FreedesktopNotificationCenter::storedStatus() const
{
    const auto value = defaults.stringValue(QString::fromLatin1(authorizationKey));
    if (value == authorizedValue)
        return NotificationAuthorizationStatus::authorized;
    if (value == deniedValue)
        return NotificationAuthorizationStatus::denied;
    return NotificationAuthorizationStatus::notDetermined;
}

void FreedesktopNotificationCenter::call(
    const QString& method, const QVariantList& arguments, std::function<void(const QDBusMessage&)> onReply)
{
    QDBusMessage message = QDBusMessage::createMethodCall(server.service, objectPath, interfaceName, method);
    message.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(server.connection.asyncCall(message, server.callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [onReply = std::move(onReply)](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            onReply(finished->reply());
        });
}

void FreedesktopNotificationCenter::notificationSettings(SettingsHandler handler)
{
    call(QStringLiteral("GetCapabilities"), {}, [this, handler = std::move(handler)](const QDBusMessage& reply) {
        NotificationSettings settings;
        if (isError(reply)) {
            qCInfo(lcNotifications, "no notification server: %s", qPrintable(reply.errorMessage()));
            settings.serverAnswered = false;
        } else {
            // There is no prompt to wait for: an answering server is consent, kept as asking keeps
            // it. A stored "denied" stays.
            if (storedStatus() == NotificationAuthorizationStatus::notDetermined)
                defaults.setString(QString::fromLatin1(authorizationKey), authorizedValue);
            settings.alertsEnabled = true;
            settings.soundsEnabled = capabilities(reply).contains(QStringLiteral("sound"));
        }
        settings.authorizationStatus = storedStatus();
        handler(settings);
    });
}

void FreedesktopNotificationCenter::requestAuthorization(
    NotificationAuthorizationOptions /*options: a server shows and sounds alike*/, AuthorizationHandler handler)
{
    if (storedStatus() == NotificationAuthorizationStatus::denied) {
        QMetaObject::invokeMethod(
            this, [handler = std::move(handler)] { handler(false); }, Qt::QueuedConnection);
        return;
    }
    call(QStringLiteral("GetServerInformation"), {}, [this, handler = std::move(handler)](const QDBusMessage& reply) {
        if (isError(reply)) {
            handler(NotificationError { describe(QDBusError(reply)) });
            return;
        }
        if (storedStatus() != NotificationAuthorizationStatus::authorized)
            defaults.setString(QString::fromLatin1(authorizationKey), authorizedValue);
        handler(true);
    });
}

void FreedesktopNotificationCenter::add(const NotificationRequest& request, AddHandler handler)
{
    std::optional<NotificationError> error;
    Date deadline = clock.now();
    if (request.identifier.isEmpty()) {
        error = NotificationError { QCoreApplication::translate("mewt", "the notification has no identifier.") };
    } else if (const auto* interval = std::get_if<NotificationTimeIntervalTrigger>(&request.trigger)) {
        if (!std::isfinite(interval->seconds) || interval->seconds <= 0 || interval->seconds > longestInterval)
            error = NotificationError { QCoreApplication::translate(
                "mewt", "the notification's time interval is out of range.") };
        else
            deadline = addingSeconds(deadline, interval->seconds);
    } else {
        deadline = std::get<NotificationDateTrigger>(request.trigger).date;
    }
    if (!error && !allowsDelivery(storedStatus()))
        error = NotificationError { QCoreApplication::translate("mewt", "notifications aren't allowed for mewt.") };

    if (!error) {
        deliverIfDue(request.identifier);
        pending.insert(request.identifier, PendingNotification { request, deadline });
        arm();
    }
    QMetaObject::invokeMethod(
        this, [handler = std::move(handler), error] { handler(error); }, Qt::QueuedConnection);
}

void FreedesktopNotificationCenter::pendingNotificationRequests(PendingRequestsHandler handler)
{
    QList<PendingNotification> waiting = pending.values();
    std::sort(waiting.begin(), waiting.end(), [](const auto& a, const auto& b) { return a.deadline < b.deadline; });
    QList<NotificationRequest> requests;
    for (const auto& entry : waiting)
        requests.append(entry.request);
    QMetaObject::invokeMethod(
        this, [handler = std::move(handler), requests] { handler(requests); }, Qt::QueuedConnection);
}

void FreedesktopNotificationCenter::removePendingNotificationRequests(const QStringList& identifiers)
{
    for (const QString& identifier : identifiers) {
        deliverIfDue(identifier);
        pending.remove(identifier);
    }
    arm();
}

void FreedesktopNotificationCenter::deliveredNotifications(DeliveredHandler handler)
{
    QMetaObject::invokeMethod(
        this, [handler = std::move(handler), shownNow = delivered.values()] { handler(shownNow); },
        Qt::QueuedConnection);
}

void FreedesktopNotificationCenter::removeDeliveredNotifications(const QStringList& identifiers)
{
    for (const QString& identifier : identifiers) {
        if (const auto entry = delivered.constFind(identifier); entry != delivered.cend()) {
            close(entry->serverId);
            delivered.erase(entry);
        }
    }
    for (auto it = deliveriesInFlight.cbegin(); it != deliveriesInFlight.cend(); ++it) {
        if (identifiers.contains(it.value()))
            closeOnArrival.insert(it.key());
    }
}

void FreedesktopNotificationCenter::recheck()
{
    const Date now = clock.now();
    QList<NotificationRequest> due;
    for (auto it = pending.begin(); it != pending.end();) {
        if (it->deadline <= now) {
            due.append(it->request);
            it = pending.erase(it);
        } else {
            ++it;
        }
    }
    arm();
    for (const auto& request : due)
        deliver(request);
}

void FreedesktopNotificationCenter::arm()
{
    if (pending.isEmpty()) {
        deliveryTimer->stop();
        watchClock(false);
        return;
    }
    const auto earliest = std::min_element(pending.cbegin(), pending.cend(), [](const auto& a, const auto& b) {
        return a.deadline < b.deadline;
    })->deadline;
    const double seconds = std::clamp(secondsBetween(clock.now(), earliest), 0.0, longestTimerSeconds);
    deliveryTimer->start(static_cast<int>(std::ceil(seconds * 1000)));
    watchClock(true);
}

void FreedesktopNotificationCenter::watchClock(bool watching)
{
    if (clockChangeFd < 0 || watching == clockWatched)
        return;
    itimerspec expiry {};
    int flags = 0;
    if (watching) {
        // Far enough ahead never to expire; only a clock change makes the descriptor readable.
        timespec now {};
        ::clock_gettime(CLOCK_REALTIME, &now);
        expiry.it_value.tv_sec = now.tv_sec + 10L * 365 * 24 * 3600;
        flags = TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET;
    }
    if (::timerfd_settime(clockChangeFd, flags, &expiry, nullptr) == 0)
        clockWatched = watching;
}

void FreedesktopNotificationCenter::clockChanged()
{
    std::uint64_t expirations = 0;
    // Fails with ECANCELED after a clock change; either way the watch must be set again.
    [[maybe_unused]] const ssize_t result = ::read(clockChangeFd, &expirations, sizeof expirations);
    clockWatched = false;
    recheck();
}

void FreedesktopNotificationCenter::deliverIfDue(const QString& identifier)
{
    const auto entry = pending.constFind(identifier);
    // The deadline of a timed request is measured from the add, a moment after the caller read the
    // clock for its own end; the tolerance covers that moment, so a timer that has just ended and
    // is followed by the next one at once still gets its notification.
    if (entry == pending.cend() || entry->deadline > clock.now() + dueTolerance)
        return;
    const NotificationRequest request = entry->request;
    pending.erase(entry);
    deliver(request);
}

void FreedesktopNotificationCenter::deliver(const NotificationRequest& request)
{
    if (!allowsDelivery(storedStatus())) {
        qCInfo(lcNotifications, "notification %s dropped: turned off", qPrintable(request.identifier));
        return;
    }
    // A bus that is gone is no notification server; nothing may wait on it.
    if (!server.connection.isConnected()) {
        qCWarning(
            lcNotifications, "notification %s not shown: the session bus is gone", qPrintable(request.identifier));
        return;
    }
    watchServer();
    const quint64 generation = ++lastDeliveryGeneration;
    deliveriesInFlight.insert(generation, request.identifier);
    call(QStringLiteral("GetCapabilities"), {}, [this, request, generation](const QDBusMessage& capabilityReply) {
        // Without an answer, assume markup: nearly every server reads it, and escaping errs on the
        // side of showing the text as written.
        const bool readsMarkup
            = isError(capabilityReply) || capabilities(capabilityReply).contains(QStringLiteral("body-markup"));
        const uint replacesId = delivered.value(request.identifier).serverId;
        call(QStringLiteral("Notify"), notifyArguments(request, replacesId, readsMarkup),
            [this, request, generation](const QDBusMessage& reply) { shown(request, generation, reply); });
    });
}

void FreedesktopNotificationCenter::shown(
    const NotificationRequest& request, quint64 generation, const QDBusMessage& reply)
{
    deliveriesInFlight.remove(generation);
    const bool closeNow = closeOnArrival.remove(generation);
    if (isError(reply)) {
        qCWarning(lcNotifications, "notification %s not shown: %s", qPrintable(request.identifier),
            qPrintable(reply.errorMessage()));
        return;
    }
    serverName = reply.service();
    const uint serverId = reply.arguments().value(0).toUInt();
    if (serverId == 0) {
        qCWarning(lcNotifications, "notification %s: the server gave no id", qPrintable(request.identifier));
        return;
    }
    if (closeNow) {
        close(serverId);
        return;
    }
    delivered.insert(request.identifier, DeliveredNotification { request, serverId });
}

void FreedesktopNotificationCenter::close(uint serverId)
{
    // A notification the user already dismissed answers with an error; nothing is left to do then.
    call(QStringLiteral("CloseNotification"), { serverId }, [](const QDBusMessage&) {});
}

void FreedesktopNotificationCenter::serverOwnerChanged(
    const QString& /*service*/, const QString& /*oldOwner*/, const QString& newOwner)
{
    // A server that restarts knows none of our earlier notifications.
    delivered.clear();
    serverName = newOwner;
}

void FreedesktopNotificationCenter::notificationClosed(uint id, uint /*reason*/, const QDBusMessage& message)
{
    if (message.service() != serverName)
        return;
    for (auto it = delivered.begin(); it != delivered.end(); ++it) {
        if (it->serverId == id) {
            delivered.erase(it);
            return;
        }
    }
}

} // namespace mewt

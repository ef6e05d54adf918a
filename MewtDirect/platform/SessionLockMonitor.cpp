#include "platform/SessionLockMonitor.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QLoggingCategory>
#include <unistd.h>

namespace mewt {

namespace {

Q_LOGGING_CATEGORY(lockLog, "com.dovrant.mewt.direct.session")

constexpr int callTimeoutMs = 3000;
const QString loginPath = QStringLiteral("/org/freedesktop/login1");
const QString managerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

} // namespace

SessionLockMonitor::SessionLockMonitor(QObject* parent)
    : SessionLockMonitor(Services { QDBusConnection::systemBus(), QStringLiteral("org.freedesktop.login1"),
                             QDBusConnection::sessionBus(), QStringLiteral("org.freedesktop.ScreenSaver") },
        parent)
{
}

SessionLockMonitor::SessionLockMonitor(const Services& services, QObject* parent)
    : QObject(parent)
    , services(services)
{
    if (this->services.systemBus.isConnected()) {
        // The signal names the session's real path, never an alias, so ask for it first.
        QDBusMessage call = QDBusMessage::createMethodCall(
            services.logind, loginPath, managerInterface, QStringLiteral("GetSessionByPID"));
        call << quint32(::getpid());
        auto* watcher = new QDBusPendingCallWatcher(this->services.systemBus.asyncCall(call, callTimeoutMs), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* reply) {
            reply->deleteLater();
            const QDBusPendingReply<QDBusObjectPath> session = *reply;
            if (session.isError())
                qCInfo(lockLog, "no login session to watch: %s", qPrintable(session.error().message()));
            else
                watchSession(session.value().path());
        });
    }
    if (this->services.sessionBus.isConnected()) {
        this->services.sessionBus.connect(services.screenSaver, screenSaverPath, screenSaverInterface,
            QStringLiteral("ActiveChanged"), this, SLOT(screenSaverActiveChanged(bool)));
        const QDBusMessage call = QDBusMessage::createMethodCall(
            services.screenSaver, screenSaverPath, screenSaverInterface, QStringLiteral("GetActive"));
        auto* watcher = new QDBusPendingCallWatcher(this->services.sessionBus.asyncCall(call, callTimeoutMs), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* reply) {
            reply->deleteLater();
            const QDBusPendingReply<bool> active = *reply;
            if (!active.isError())
                set(screenSaverActive, active.value());
        });
    }
}

void SessionLockMonitor::watchSession(const QString& path)
{
    sessionPath = path;
    if (!services.systemBus.connect(services.logind, sessionPath, propertiesInterface,
            QStringLiteral("PropertiesChanged"), this,
            SLOT(sessionPropertiesChanged(QString, QVariantMap, QStringList))))
        qCWarning(lockLog, "cannot watch the session's lock: %s", qPrintable(services.systemBus.lastError().message()));
    readLockedHint();
}

void SessionLockMonitor::readLockedHint()
{
    QDBusMessage call
        = QDBusMessage::createMethodCall(services.logind, sessionPath, propertiesInterface, QStringLiteral("Get"));
    call << sessionInterface << QStringLiteral("LockedHint");
    auto* watcher = new QDBusPendingCallWatcher(services.systemBus.asyncCall(call, callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* reply) {
        reply->deleteLater();
        const QDBusPendingReply<QDBusVariant> hint = *reply;
        if (!hint.isError())
            set(logindLocked, hint.value().variant().toBool());
    });
}

void SessionLockMonitor::sessionPropertiesChanged(
    const QString& interfaceName, const QVariantMap& changed, const QStringList& invalidated)
{
    if (interfaceName != sessionInterface)
        return;
    if (const auto found = changed.constFind(QStringLiteral("LockedHint")); found != changed.constEnd())
        set(logindLocked, found->toBool());
    else if (invalidated.contains(QStringLiteral("LockedHint")))
        readLockedHint();
}

void SessionLockMonitor::screenSaverActiveChanged(bool active)
{
    set(screenSaverActive, active);
}

void SessionLockMonitor::set(bool& flag, bool value)
{
    const bool was = isLocked();
    flag = value;
    if (isLocked() != was)
        Q_EMIT lockedChanged(isLocked());
}

} // namespace mewt

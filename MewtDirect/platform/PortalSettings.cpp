#include "platform/PortalSettings.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QLoggingCategory>

namespace mewt {

namespace {

constexpr int readTimeoutMs = 3000;

Q_LOGGING_CATEGORY(portalLog, "com.dovrant.mewt.direct.portal")

// The portal's Read wraps the value in one variant more than the signature says.
QVariant unwrapped(QVariant value)
{
    for (int depth = 0; depth < 4 && value.userType() == qMetaTypeId<QDBusVariant>(); ++depth)
        value = qvariant_cast<QDBusVariant>(value).variant();
    return value;
}

} // namespace

PortalSettings::PortalSettings(QObject* parent)
    : PortalSettings(QDBusConnection::sessionBus(), desktopService, parent)
{
}

PortalSettings::PortalSettings(const QDBusConnection& bus, const QString& service, QObject* parent)
    : QObject(parent)
    , bus(bus)
    , service(service)
{
    if (!this->bus.isConnected())
        return;
    // QtDBus refuses a slot whose argument types it does not know yet, and Qt 6.4 registers
    // QDBusVariant only once something else has used it.
    qDBusRegisterMetaType<QDBusVariant>();
    watching = this->bus.connect(service, objectPath, interfaceName, QStringLiteral("SettingChanged"), this,
        SLOT(receiveSettingChanged(QString, QString, QDBusVariant)));
    if (!watching)
        qCWarning(
            portalLog, "cannot watch the desktop portal's settings: %s", qPrintable(this->bus.lastError().message()));
}

void PortalSettings::read(
    const QString& group, const QString& key, QObject* context, std::function<void(std::optional<QVariant>)> done)
{
    if (!bus.isConnected()) {
        QMetaObject::invokeMethod(
            context, [done = std::move(done)] { done(std::nullopt); }, Qt::QueuedConnection);
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(service, objectPath, interfaceName, QStringLiteral("Read"));
    message << group << key;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, readTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher, &QObject::deleteLater);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, context, [done = std::move(done)](QDBusPendingCallWatcher* call) {
            const QDBusPendingReply<QDBusVariant> reply = *call;
            if (reply.isError())
                done(std::nullopt);
            else
                done(unwrapped(QVariant::fromValue(reply.value())));
        });
}

void PortalSettings::receiveSettingChanged(const QString& group, const QString& key, const QDBusVariant& value)
{
    Q_EMIT settingChanged(group, key, unwrapped(QVariant::fromValue(value)));
}

} // namespace mewt

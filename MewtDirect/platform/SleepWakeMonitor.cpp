#include "platform/SleepWakeMonitor.h"

namespace mewt {

SleepWakeMonitor::SleepWakeMonitor(QObject* parent)
    : SleepWakeMonitor(QDBusConnection::systemBus(), QStringLiteral("org.freedesktop.login1"), parent)
{
}

SleepWakeMonitor::SleepWakeMonitor(const QDBusConnection& bus, const QString& service, QObject* parent)
    : QObject(parent)
{
    if (!bus.isConnected())
        return;
    QDBusConnection connection = bus;
    listening = connection.connect(service, QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(prepareForSleep(bool)));
}

void SleepWakeMonitor::prepareForSleep(bool start)
{
    if (start)
        Q_EMIT willSleep();
    else
        Q_EMIT didWake();
}

} // namespace mewt

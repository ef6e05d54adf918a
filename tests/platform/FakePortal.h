#pragma once

#include "platform/PortalSettings.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QHash>

namespace mewt::testing {

// Answers Read the way the desktop portal does, with the value wrapped in one variant too many.
class FakePortal final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    QHash<QString, QVariant> values; // "group/key"

    bool announce(QDBusConnection& bus, const QString& group, const QString& key, const QVariant& value)
    {
        values.insert(group + u'/' + key, value);
        QDBusMessage changed = QDBusMessage::createSignal(
            PortalSettings::objectPath, PortalSettings::interfaceName, QStringLiteral("SettingChanged"));
        changed << group << key << QVariant::fromValue(QDBusVariant(value));
        return bus.send(changed);
    }

public Q_SLOTS:
    QDBusVariant Read(const QString& group, const QString& key)
    {
        const auto found = values.constFind(group + u'/' + key);
        if (found == values.constEnd()) {
            sendErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"), QStringLiteral("no such key"));
            return {};
        }
        return QDBusVariant(QVariant::fromValue(QDBusVariant(*found)));
    }
};

} // namespace mewt::testing

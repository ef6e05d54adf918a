#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QVariantMap>

namespace mewt::testing {

struct NotifyCall {
    QString appName;
    uint replacesId = 0;
    QString appIcon;
    QString summary;
    QString body;
    QStringList actions;
    QVariantMap hints;
    int expireTimeout = 0;
};

// Plays the desktop's notification server on its own bus connection, so that the centre's calls
// travel through the bus daemon as they would to a real server.
class FakeNotificationServer final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList capabilities { QStringLiteral("body"), QStringLiteral("sound") };
    QSet<QString> failing; // methods answered with an error
    QSet<QString> holding; // methods left unanswered
    QList<QDBusMessage> held;
    QList<NotifyCall> notifyCalls;
    QList<uint> closeCalls;
    int serverInformationCalls = 0;
    uint nextId = 41;

    void answerHeld(const QDBusConnection& bus, const QVariant& value)
    {
        for (const QDBusMessage& message : std::as_const(held))
            bus.send(message.createReply(value));
        held.clear();
    }

public Q_SLOTS:
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon, const QString& summary,
        const QString& body, const QStringList& actions, const QVariantMap& hints, int expireTimeout)
    {
        notifyCalls.append({ appName, replacesId, appIcon, summary, body, actions, hints, expireTimeout });
        if (refuse(QStringLiteral("Notify")))
            return 0;
        return replacesId != 0 ? replacesId : nextId++;
    }

    QStringList GetCapabilities() { return refuse(QStringLiteral("GetCapabilities")) ? QStringList() : capabilities; }

    void CloseNotification(uint id)
    {
        closeCalls.append(id);
        refuse(QStringLiteral("CloseNotification"));
    }

    QString GetServerInformation(QString& vendor, QString& version, QString& specVersion)
    {
        ++serverInformationCalls;
        if (refuse(QStringLiteral("GetServerInformation")))
            return {};
        vendor = QStringLiteral("mewt tests");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("fake");
    }

Q_SIGNALS:
    void NotificationClosed(uint id, uint reason);

private:
    bool refuse(const QString& method)
    {
        if (failing.contains(method)) {
            sendErrorReply(QDBusError::Failed, QStringLiteral("the fake server is broken"));
            return true;
        }
        if (holding.contains(method)) {
            setDelayedReply(true);
            held.append(message());
            return true;
        }
        return false;
    }
};

} // namespace mewt::testing

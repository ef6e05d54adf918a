#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

class QDBusVariant;

namespace mewt {

// The desktop portal's settings (org.freedesktop.portal.Settings): one-off reads and change
// notices. Without a session bus or a portal it stays silent and every read answers nothing.
class PortalSettings final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PortalSettings)

public:
    static inline const QString desktopService = QStringLiteral("org.freedesktop.portal.Desktop");
    static inline const QString objectPath = QStringLiteral("/org/freedesktop/portal/desktop");
    static inline const QString interfaceName = QStringLiteral("org.freedesktop.portal.Settings");

    explicit PortalSettings(QObject* parent = nullptr);
    // Tests name their own bus and service, so they never talk to the real portal.
    PortalSettings(const QDBusConnection& bus, const QString& service, QObject* parent = nullptr);

    bool isAvailable() const { return bus.isConnected(); }
    // Change notices are subscribed; false means the desktop's changes are missed (and logged).
    bool watchesChanges() const { return watching; }

    // `done` runs later, on this thread, while `context` lives, with the value or with nothing when
    // the portal does not know the key, is missing or does not answer within a few seconds.
    void read(
        const QString& group, const QString& key, QObject* context, std::function<void(std::optional<QVariant>)> done);

Q_SIGNALS:
    void settingChanged(const QString& group, const QString& key, const QVariant& value);

private Q_SLOTS:
    // Connected by name, since QtDBus offers no pointer-to-member form for bus signals.
    void receiveSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    QDBusConnection bus;
    QString service;
    bool watching = false;
};

} // namespace mewt

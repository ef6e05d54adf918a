#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

class QDBusMessage;

namespace mewt {

// Whether the user's session is locked: logind's LockedHint on our session, and the desktop's
// screen saver (org.freedesktop.ScreenSaver) where one runs. Either being active counts as locked.
// Without either service the session never reads as locked.
class SessionLockMonitor final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionLockMonitor)

public:
    struct Services {
        QDBusConnection systemBus;
        QString logind;
        QDBusConnection sessionBus;
        QString screenSaver;
    };

    static inline const QString screenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
    static inline const QString screenSaverInterface = QStringLiteral("org.freedesktop.ScreenSaver");
    static inline const QString sessionInterface = QStringLiteral("org.freedesktop.login1.Session");

    explicit SessionLockMonitor(QObject* parent = nullptr);
    // Tests name their own buses and services.
    SessionLockMonitor(const Services& services, QObject* parent = nullptr);

    bool isLocked() const { return logindLocked || screenSaverActive; }

Q_SIGNALS:
    void lockedChanged(bool locked);

private Q_SLOTS:
    // Connected by name, since QtDBus offers no pointer-to-member form for bus signals.
    void sessionPropertiesChanged(
        const QString& interfaceName, const QVariantMap& changed, const QStringList& invalidated);
    void screenSaverActiveChanged(bool active);

private:
    void watchSession(const QString& sessionPath);
    void readLockedHint();
    void set(bool& flag, bool value);

    Services services;
    QString sessionPath;
    bool logindLocked = false;
    bool screenSaverActive = false;
};

} // namespace mewt

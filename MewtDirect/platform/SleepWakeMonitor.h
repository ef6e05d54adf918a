#pragma once

#include <QDBusConnection>
#include <QObject>

namespace mewt {

// Reports the system going to sleep and waking, from logind's PrepareForSleep on the system bus.
// Without a system bus (containers, CI) it stays silent.
class SleepWakeMonitor final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SleepWakeMonitor)

public:
    explicit SleepWakeMonitor(QObject* parent = nullptr);
    // Tests pass a private bus and their own service name.
    SleepWakeMonitor(const QDBusConnection& bus, const QString& service, QObject* parent = nullptr);

    bool isListening() const { return listening; }

Q_SIGNALS:
    void willSleep();
    void didWake();

public Q_SLOTS:
    // logind sends true before suspending and false after resuming. Connected by name, since
    // QtDBus offers no pointer-to-member form for bus signals.
    void prepareForSleep(bool start);

private:
    bool listening = false;
};

} // namespace mewt

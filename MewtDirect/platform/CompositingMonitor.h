#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>

namespace mewt {

// Whether a compositing manager blends our windows, followed as one comes or goes: session
// autostart starts programs in no set order, so it may start after us, and it may be replaced or
// quit. On X11 that manager owns the screen's _NET_WM_CM_S<n> selection, and XFixes tells of every
// change of its owner as it happens. Other platforms always blend. One for the process.
class CompositingMonitor final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CompositingMonitor)

public:
    // Made on first use, with the application's connection, and never taken down: windows ask it
    // until the very end.
    static CompositingMonitor& shared();

    bool isActive() const { return active; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

Q_SIGNALS:
    void activeChanged(bool active);

private:
    CompositingMonitor();
    ~CompositingMonitor() override = default;

    bool active = true;
    uint32_t selection = 0;
    uint8_t selectionNotify = 0;
};

} // namespace mewt

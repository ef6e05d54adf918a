#pragma once

#include "platform/GlobalPointerMonitor.h"

#include <QByteArray>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;
struct xcb_connection_t;

namespace mewt {

// The desktop's pointer from XInput 2 raw motion and raw button presses, read on a connection of
// its own so that Qt's event loop never sees them. Raw events reach us even while another client
// grabs the pointer. The event carries no usable position (raw deltas), so each move asks where
// the pointer is now. Where XInput 2 is missing, the position is polled instead, and only while
// someone follows the motion.
class X11GlobalPointerMonitor final : public GlobalPointerMonitor {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(X11GlobalPointerMonitor)

public:
    static constexpr std::chrono::milliseconds frameInterval { 16 };
    static constexpr std::chrono::milliseconds pollInterval { 33 };

    // `displayName` empty: $DISPLAY. `positionSource` empty: QCursor::pos().
    explicit X11GlobalPointerMonitor(QObject* parent = nullptr);
    X11GlobalPointerMonitor(
        const QByteArray& displayName, std::function<QPointF()> positionSource, QObject* parent = nullptr);
    ~X11GlobalPointerMonitor() override;

    QPointF position() const override;
    bool canTrackGlobally() const override { return true; }
    bool canSeeGlobalClicks() const override { return hasRawEvents; }
    bool isPolling() const { return pollTimer.isActive(); }

protected:
    void streamsChanged(bool motion, bool presses) override;

private:
    void connectToDisplay(const QByteArray& displayName);
    void select(bool motion, bool presses);
    void readEvents();
    void handle(const void* event);
    void motionArrived();
    void frameEnded();
    void emitMoveIfChanged();

    std::function<QPointF()> positionSource;
    xcb_connection_t* connection = nullptr;
    std::unique_ptr<QSocketNotifier> notifier;
    quint32 rootWindow = 0;
    quint8 inputOpcode = 0;
    bool hasRawEvents = false;
    QTimer frameTimer;
    QTimer pollTimer;
    bool movedDuringFrame = false;
    std::optional<QPointF> lastReported;
};

} // namespace mewt

#pragma once

#include "platform/Clock.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

namespace mewt {

// The process's one frame clock: a tick every frameIntervalMs while anything is subscribed, a
// single tick at the time a frame was asked for, and no timer at all otherwise. Everything that
// moves at once moves on the same tick, so two animations wake the process as often as one.
class FrameClock final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrameClock)

public:
    static FrameClock& shared();

    // `receiver` gets `onFrame` on every tick until it unsubscribes or is destroyed; subscribing
    // again replaces its callback.
    void subscribe(QObject* receiver, std::function<void()> onFrame);
    void unsubscribe(const QObject* receiver);
    bool isSubscribed(const QObject* receiver) const;

    // One frame for `receiver` at `due`, on the first tick at or after it; asking again replaces
    // the earlier request. Something that moves slowly wakes the process only when it has moved.
    void requestFrame(QObject* receiver, Uptime due, std::function<void()> onFrame);
    void cancelFrame(const QObject* receiver);
    std::optional<Uptime> requestedFrame(const QObject* receiver) const;

    Uptime now() const;
    // Tests drive the clock: time comes from `clock` and ticks only from tick(); nullptr gives both
    // back to the system.
    void drive(const Clock* clock);

    bool isRunning() const { return timer.isActive(); }
    // One tick; the timer calls it.
    void tick();

private:
    FrameClock();
    void rearm();

    struct Subscriber {
        QPointer<QObject> receiver;
        std::function<void()> onFrame;
    };
    struct Request {
        QPointer<QObject> receiver;
        Uptime due;
        std::function<void()> onFrame;
    };
    QTimer timer;
    std::vector<Subscriber> subscribers;
    std::vector<Request> requests;
    const Clock* driver = nullptr;
};

} // namespace mewt

#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <vector>

namespace mewt {

// The process's one frame clock: a tick every frameIntervalMs while anything is subscribed, and no
// timer at all otherwise. Everything that moves at once moves on the same tick, so two animations
// wake the process as often as one.
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
    bool isRunning() const { return timer.isActive(); }
    // One tick; the timer calls it.
    void tick();

private:
    FrameClock();

    struct Subscriber {
        QPointer<QObject> receiver;
        std::function<void()> onFrame;
    };
    QTimer timer;
    std::vector<Subscriber> subscribers;
};

} // namespace mewt

#pragma once

#include <QObject>
#include <QPointF>
#include <QSet>

#include <memory>

namespace mewt {

// The pointer anywhere on the desktop, in other applications too: its moves (the ending cue
// follows it) and its button presses (a click elsewhere dismisses the popover). Each stream is
// selected from the window system only while someone subscribes, so an idle app is never woken.
class GlobalPointerMonitor : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GlobalPointerMonitor)

public:
    enum class Stream { motion, presses };

    ~GlobalPointerMonitor() override;

    // A subscription ends with unsubscribe or when the subscriber is destroyed.
    void subscribe(Stream stream, QObject* subscriber);
    void unsubscribe(Stream stream, QObject* subscriber);
    [[nodiscard]] bool isSubscribed(Stream stream) const;

    // Where the pointer is now, in Qt's global logical coordinates.
    [[nodiscard]] virtual QPointF position() const = 0;
    [[nodiscard]] virtual bool canTrackGlobally() const = 0;
    [[nodiscard]] virtual bool canSeeGlobalClicks() const = 0;

Q_SIGNALS:
    // At most one a frame.
    void pointerMoved(QPointF globalPosition);
    void buttonPressed(QPointF globalPosition);

protected:
    explicit GlobalPointerMonitor(QObject* parent = nullptr);
    // Called whenever a stream gains its first or loses its last subscriber.
    virtual void streamsChanged(bool motion, bool presses) = 0;

private:
    QSet<QObject*>& subscribers(Stream stream);
    void forget(QObject* subscriber);

    QSet<QObject*> motionSubscribers;
    QSet<QObject*> pressSubscribers;
};

// For tests: moves and presses happen when the test says so.
class ManualGlobalPointerMonitor final : public GlobalPointerMonitor {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ManualGlobalPointerMonitor)

public:
    explicit ManualGlobalPointerMonitor(QObject* parent = nullptr);

    QPointF position() const override { return current; }
    bool canTrackGlobally() const override { return true; }
    bool canSeeGlobalClicks() const override { return true; }

    // Signals reach only streams someone subscribed to, as with the real monitor.
    void moveTo(QPointF globalPosition);
    void press(QPointF globalPosition);

protected:
    void streamsChanged(bool, bool) override {}

private:
    QPointF current;
};

// The desktop's monitor for the window system the app runs on: XInput 2 on X11 (polling where the
// server lacks it), null where the window system shows us nothing beyond our own windows.
std::unique_ptr<GlobalPointerMonitor> createGlobalPointerMonitor(QObject* parent = nullptr);

} // namespace mewt

#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace mewt {

// The frames of one demo: while running, a frame on every tick of the shared frame clock with the
// seconds since it started. It runs only while its demo is on screen and moving.
class DemoLoop final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DemoLoop)

public:
    // Monotonic seconds; a steady clock unless a test sets its own.
    using TimeSource = std::function<double()>;

    explicit DemoLoop(QObject* parent = nullptr);
    ~DemoLoop() override;

    void setTimeSource(TimeSource source);
    // Starts again from 0 and sends the first frame at once.
    void start();
    void stop();
    // Running while it sends frames or waits to resume them.
    bool isRunning() const { return isTicking() || wake.isActive(); }
    bool isIdle() const { return wake.isActive(); }
    // Nothing moves until `elapsedSeconds`: no frames until then.
    void idleUntil(double elapsedSeconds);
    double elapsed() const;
    // One frame; the frame clock calls it.
    void tick();

Q_SIGNALS:
    void frame(double elapsedSeconds);

private:
    bool isTicking() const;
    void startTicking();
    void stopTicking();

    QTimer wake;
    TimeSource now;
    double origin = 0.0;
};

} // namespace mewt

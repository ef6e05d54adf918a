#include "artwork/DemoLoop.h"

#include "artwork/Animation.h"

#include <chrono>

namespace mewt {

namespace {

double steadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

DemoLoop::DemoLoop(QObject* parent)
    : QObject(parent)
    , now(steadySeconds)
{
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(frameIntervalMs);
    connect(&timer, &QTimer::timeout, this, &DemoLoop::tick);
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    connect(&wake, &QTimer::timeout, this, [this] {
        timer.start();
        tick();
    });
}

void DemoLoop::setTimeSource(TimeSource source)
{
    now = source ? std::move(source) : TimeSource(steadySeconds);
}

void DemoLoop::start()
{
    origin = now();
    wake.stop();
    timer.start();
    tick();
}

void DemoLoop::stop()
{
    timer.stop();
    wake.stop();
}

void DemoLoop::idleUntil(double elapsedSeconds)
{
    if (!isRunning())
        return;
    const double wait = elapsedSeconds - elapsed();
    // Shorter waits are not worth a second timer; frames go on (or resume).
    if (wait * 1000.0 <= 2.0 * frameIntervalMs) {
        if (!timer.isActive()) {
            wake.stop();
            timer.start();
        }
        return;
    }
    timer.stop();
    wake.start(static_cast<int>(wait * 1000.0));
}

double DemoLoop::elapsed() const
{
    return now() - origin;
}

void DemoLoop::tick()
{
    Q_EMIT frame(elapsed());
}

} // namespace mewt

#include "artwork/DemoLoop.h"

#include "artwork/Animation.h"
#include "artwork/FrameClock.h"

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
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    connect(&wake, &QTimer::timeout, this, [this] {
        startTicking();
        tick();
    });
}

DemoLoop::~DemoLoop()
{
    stopTicking();
}

bool DemoLoop::isTicking() const
{
    return FrameClock::shared().isSubscribed(this);
}

void DemoLoop::startTicking()
{
    FrameClock::shared().subscribe(this, [this] { tick(); });
}

void DemoLoop::stopTicking()
{
    FrameClock::shared().unsubscribe(this);
}

void DemoLoop::setTimeSource(TimeSource source)
{
    now = source ? std::move(source) : TimeSource(steadySeconds);
}

void DemoLoop::start()
{
    origin = now();
    wake.stop();
    startTicking();
    tick();
}

void DemoLoop::stop()
{
    stopTicking();
    wake.stop();
}

void DemoLoop::idleUntil(double elapsedSeconds)
{
    if (!isRunning())
        return;
    const double wait = elapsedSeconds - elapsed();
    // Shorter waits are not worth a second timer; frames go on (or resume).
    if (wait * 1000.0 <= 2.0 * frameIntervalMs) {
        if (!isTicking()) {
            wake.stop();
            startTicking();
        }
        return;
    }
    stopTicking();
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

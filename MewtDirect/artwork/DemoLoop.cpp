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
}

void DemoLoop::setTimeSource(TimeSource source)
{
    now = source ? std::move(source) : TimeSource(steadySeconds);
}

void DemoLoop::start()
{
    origin = now();
    timer.start();
    tick();
}

void DemoLoop::stop()
{
    timer.stop();
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

#include "artwork/FrameClock.h"

#include "artwork/Animation.h"

#include <algorithm>

namespace mewt {

FrameClock& FrameClock::shared()
{
    static FrameClock* clock = new FrameClock; // lives as long as the process, like the timers it replaces
    return *clock;
}

FrameClock::FrameClock()
{
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(frameIntervalMs);
    connect(&timer, &QTimer::timeout, this, &FrameClock::tick);
}

void FrameClock::subscribe(QObject* receiver, std::function<void()> onFrame)
{
    if (!receiver || !onFrame)
        return;
    for (Subscriber& subscriber : subscribers) {
        if (subscriber.receiver == receiver) {
            subscriber.onFrame = std::move(onFrame);
            return;
        }
    }
    subscribers.push_back({ receiver, std::move(onFrame) });
    if (!timer.isActive())
        timer.start();
}

void FrameClock::unsubscribe(const QObject* receiver)
{
    std::erase_if(subscribers,
        [receiver](const Subscriber& subscriber) { return !subscriber.receiver || subscriber.receiver == receiver; });
    if (subscribers.empty())
        timer.stop();
}

bool FrameClock::isSubscribed(const QObject* receiver) const
{
    return std::any_of(subscribers.begin(), subscribers.end(),
        [receiver](const Subscriber& subscriber) { return subscriber.receiver && subscriber.receiver == receiver; });
}

void FrameClock::tick()
{
    // A callback may subscribe or unsubscribe anyone, itself included.
    const std::vector<Subscriber> now = subscribers;
    for (const Subscriber& subscriber : now) {
        if (subscriber.receiver && isSubscribed(subscriber.receiver))
            subscriber.onFrame();
    }
    std::erase_if(subscribers, [](const Subscriber& subscriber) { return !subscriber.receiver; });
    if (subscribers.empty())
        timer.stop();
}

} // namespace mewt

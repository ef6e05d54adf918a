#include "artwork/FrameClock.h"

#include "artwork/Animation.h"

#include <algorithm>
#include <chrono>

namespace mewt {

FrameClock& FrameClock::shared()
{
    static FrameClock* clock = new FrameClock; // lives as long as the process, like the timers it replaces
    return *clock;
}

FrameClock::FrameClock()
{
    timer.setTimerType(Qt::PreciseTimer);
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
    rearm();
}

void FrameClock::unsubscribe(const QObject* receiver)
{
    std::erase_if(subscribers,
        [receiver](const Subscriber& subscriber) { return !subscriber.receiver || subscriber.receiver == receiver; });
    rearm();
}

bool FrameClock::isSubscribed(const QObject* receiver) const
{
    return std::any_of(subscribers.begin(), subscribers.end(),
        [receiver](const Subscriber& subscriber) { return subscriber.receiver && subscriber.receiver == receiver; });
}

void FrameClock::requestFrame(QObject* receiver, Uptime due, std::function<void()> onFrame)
{
    if (!receiver || !onFrame)
        return;
    cancelFrame(receiver);
    requests.push_back({ receiver, due, std::move(onFrame) });
    rearm();
}

void FrameClock::cancelFrame(const QObject* receiver)
{
    const auto gone = std::erase_if(
        requests, [receiver](const Request& request) { return !request.receiver || request.receiver == receiver; });
    if (gone > 0)
        rearm();
}

std::optional<Uptime> FrameClock::requestedFrame(const QObject* receiver) const
{
    for (const Request& request : requests) {
        if (request.receiver && request.receiver == receiver)
            return request.due;
    }
    return std::nullopt;
}

Uptime FrameClock::now() const
{
    return driver ? driver->uptime() : std::chrono::steady_clock::now();
}

void FrameClock::drive(const Clock* clock)
{
    driver = clock;
    rearm();
}

void FrameClock::rearm()
{
    if (driver) {
        timer.stop();
        return;
    }
    if (!subscribers.empty()) {
        // A running clock keeps its beat; requests ride on its ticks.
        if (!timer.isActive() || timer.isSingleShot()) {
            timer.setSingleShot(false);
            timer.start(frameIntervalMs);
        }
        return;
    }
    if (requests.empty()) {
        timer.stop();
        return;
    }
    const auto earliest = std::min_element(requests.begin(), requests.end(), [](const Request& a, const Request& b) {
        return a.due < b.due;
    })->due;
    // Whole milliseconds, rounded up: a tick before the time asked for would find nothing to do.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(earliest - now());
    timer.setSingleShot(true);
    timer.start(std::max<int>(0, static_cast<int>(wait.count())));
}

void FrameClock::tick()
{
    // A callback may subscribe, unsubscribe or ask for frames for anyone, itself included.
    const std::vector<Subscriber> now = subscribers;
    for (const Subscriber& subscriber : now) {
        if (subscriber.receiver && isSubscribed(subscriber.receiver))
            subscriber.onFrame();
    }
    const Uptime time = this->now();
    std::vector<Request> due;
    for (auto it = requests.begin(); it != requests.end();) {
        if (it->receiver && it->due <= time) {
            due.push_back(std::move(*it));
            it = requests.erase(it);
        } else {
            ++it;
        }
    }
    for (const Request& request : due) {
        if (request.receiver)
            request.onFrame();
    }
    std::erase_if(subscribers, [](const Subscriber& subscriber) { return !subscriber.receiver; });
    std::erase_if(requests, [](const Request& request) { return !request.receiver; });
    rearm();
}

} // namespace mewt

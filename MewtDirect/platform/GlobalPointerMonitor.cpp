#include "platform/GlobalPointerMonitor.h"

#include "platform/X11GlobalPointerMonitor.h"

#include <QGuiApplication>

namespace mewt {

GlobalPointerMonitor::GlobalPointerMonitor(QObject* parent) : QObject(parent) {}

GlobalPointerMonitor::~GlobalPointerMonitor() = default;

QSet<QObject*>& GlobalPointerMonitor::subscribers(Stream stream) {
    return stream == Stream::motion ? motionSubscribers : pressSubscribers;
}

bool GlobalPointerMonitor::isSubscribed(Stream stream) const {
    return !(stream == Stream::motion ? motionSubscribers : pressSubscribers).isEmpty();
}

void GlobalPointerMonitor::subscribe(Stream stream, QObject* subscriber) {
    if (subscriber == nullptr) {
        return;
    }
    const bool wasMotion = isSubscribed(Stream::motion);
    const bool wasPresses = isSubscribed(Stream::presses);
    if (!motionSubscribers.contains(subscriber) && !pressSubscribers.contains(subscriber)) {
        connect(subscriber, &QObject::destroyed, this, &GlobalPointerMonitor::forget);
    }
    subscribers(stream).insert(subscriber);
    if (wasMotion != isSubscribed(Stream::motion) || wasPresses != isSubscribed(Stream::presses)) {
        streamsChanged(isSubscribed(Stream::motion), isSubscribed(Stream::presses));
    }
}

void GlobalPointerMonitor::unsubscribe(Stream stream, QObject* subscriber) {
    if (!subscribers(stream).remove(subscriber)) {
        return;
    }
    if (!motionSubscribers.contains(subscriber) && !pressSubscribers.contains(subscriber)) {
        disconnect(subscriber, &QObject::destroyed, this, &GlobalPointerMonitor::forget);
    }
    if (subscribers(stream).isEmpty()) {
        streamsChanged(isSubscribed(Stream::motion), isSubscribed(Stream::presses));
    }
}

void GlobalPointerMonitor::forget(QObject* subscriber) {
    const bool hadMotion = motionSubscribers.remove(subscriber) && motionSubscribers.isEmpty();
    const bool hadPresses = pressSubscribers.remove(subscriber) && pressSubscribers.isEmpty();
    if (hadMotion || hadPresses) {
        streamsChanged(isSubscribed(Stream::motion), isSubscribed(Stream::presses));
    }
}

ManualGlobalPointerMonitor::ManualGlobalPointerMonitor(QObject* parent)
    : GlobalPointerMonitor(parent) {}

void ManualGlobalPointerMonitor::moveTo(QPointF globalPosition) {
    current = globalPosition;
    if (isSubscribed(Stream::motion)) {
        Q_EMIT pointerMoved(globalPosition);
    }
}

void ManualGlobalPointerMonitor::press(QPointF globalPosition) {
    current = globalPosition;
    if (isSubscribed(Stream::presses)) {
        Q_EMIT buttonPressed(globalPosition);
    }
}

std::unique_ptr<GlobalPointerMonitor> createGlobalPointerMonitor(QObject* parent)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return std::make_unique<X11GlobalPointerMonitor>(parent);
    return nullptr;
}

} // namespace mewt

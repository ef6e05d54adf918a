#include "shell/FirstFrameWatcher.h"

#include <QEvent>
#include <QWidget>
#include <utility>

namespace mewt {

FirstFrameWatcher::FirstFrameWatcher(
    QWidget& widget, std::chrono::milliseconds limit, std::function<void()> callback, QObject* parent)
    : QObject(parent)
    , widget(&widget)
    , callback(std::move(callback))
{
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, this, &FirstFrameWatcher::fire);
    deadline.start(limit);
    widget.installEventFilter(this);
}

FirstFrameWatcher::~FirstFrameWatcher()
{
    cancel();
}

void FirstFrameWatcher::cancel()
{
    callback = nullptr;
    deadline.stop();
    if (widget)
        widget->removeEventFilter(this);
}

bool FirstFrameWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget && event->type() == QEvent::Paint && isPending()) {
        widget->removeEventFilter(this);
        // The frame goes to the screen when painting returns; a zero timer comes after that.
        deadline.start(0);
    }
    return false;
}

void FirstFrameWatcher::fire()
{
    std::function<void()> pending = std::exchange(callback, nullptr);
    if (widget)
        widget->removeEventFilter(this);
    if (pending)
        pending();
}

} // namespace mewt

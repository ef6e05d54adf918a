#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <functional>

class QWidget;

namespace mewt {

// Calls back once, from the event loop, after a widget has painted for the first time, so that
// work started then does not hold that frame back; or after `limit` if the widget never paints (a
// window no one exposes), so that the work is never lost.
class FirstFrameWatcher final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FirstFrameWatcher)

public:
    FirstFrameWatcher(
        QWidget& widget, std::chrono::milliseconds limit, std::function<void()> callback, QObject* parent = nullptr);
    ~FirstFrameWatcher() override;

    bool isPending() const { return static_cast<bool>(callback); }
    // Nothing is called back afterwards.
    void cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fire();

    QPointer<QWidget> widget;
    std::function<void()> callback;
    QTimer deadline;
};

} // namespace mewt

#pragma once

#include <QObject>

class QSocketNotifier;

namespace mewt {

// Reports the wall clock being set (by hand, by NTP stepping it, or on resume), which moves every
// date-based deadline at once. A realtime timerfd armed far ahead with TFD_TIMER_CANCEL_ON_SET
// becomes readable only then, so watching costs no wake-ups.
class WallClockChangeMonitor final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WallClockChangeMonitor)

public:
    explicit WallClockChangeMonitor(QObject* parent = nullptr);
    ~WallClockChangeMonitor() override;

    bool isWatching() const { return watching; }

Q_SIGNALS:
    void clockChanged();

private:
    void arm();
    void fired();

    int descriptor = -1;
    QSocketNotifier* notifier = nullptr;
    bool watching = false;
};

} // namespace mewt

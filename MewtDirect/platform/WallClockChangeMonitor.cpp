#include "platform/WallClockChangeMonitor.h"

#include <QLoggingCategory>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace mewt {

namespace {

Q_LOGGING_CATEGORY(clockLog, "com.dovrant.mewt.direct.clock")

} // namespace

WallClockChangeMonitor::WallClockChangeMonitor(QObject* parent)
    : QObject(parent)
{
    descriptor = ::timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK);
    if (descriptor < 0) {
        qCWarning(clockLog, "cannot watch the wall clock: %s", std::strerror(errno));
        return;
    }
    notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &WallClockChangeMonitor::fired);
    arm();
}

WallClockChangeMonitor::~WallClockChangeMonitor()
{
    delete notifier;
    if (descriptor >= 0)
        ::close(descriptor);
}

void WallClockChangeMonitor::arm()
{
    // Far enough ahead never to expire.
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    itimerspec expiry {};
    expiry.it_value.tv_sec = now.tv_sec + 10L * 365 * 24 * 3600;
    watching = ::timerfd_settime(descriptor, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &expiry, nullptr) == 0;
    if (!watching)
        qCWarning(clockLog, "cannot watch the wall clock: %s", std::strerror(errno));
}

void WallClockChangeMonitor::fired()
{
    std::uint64_t expirations = 0;
    // Fails with ECANCELED after a clock change, which also disarms the timer.
    [[maybe_unused]] const ssize_t result = ::read(descriptor, &expirations, sizeof expirations);
    arm();
    Q_EMIT clockChanged();
}

} // namespace mewt

#include "model/TimerStore.h"

#include <QtDebug>
#include <algorithm>

namespace mewt {

namespace {

using std::chrono::seconds;

constexpr seconds maximumTimerDuration(static_cast<qint64>(maximumTimerSeconds));

Date::duration tickStep(TimerTickCadence cadence)
{
    return cadence == TimerTickCadence::everySecond ? Date::duration(seconds(1)) : Date::duration(seconds(60));
}

} // namespace

TimerStore::TimerStore(
    UserDefaults& defaults, const Clock& clock, NotificationScheduling* notifications, QObject* parent)
    : QObject(parent)
    , defaults(defaults)
    , clock(clock)
    , scheduler(notifications)
    , current(clock.now())
{
    ticker.setSingleShot(true);
    ticker.setTimerType(Qt::PreciseTimer);
    connect(&ticker, &QTimer::timeout, this, &TimerStore::tick);
    connectNotifications();
    restore();
}

TimerStore::~TimerStore()
{
    if (scheduler) {
        scheduler->onAuthorizationChange = nullptr;
        scheduler->onDeliveryStateChange = nullptr;
        scheduler->onSchedulingError = nullptr;
    }
}

void TimerStore::restore()
{
    if (!defaults.contains(timerSnapshotKey))
        return;
    const std::optional<QByteArray> stored = defaults.dataValue(timerSnapshotKey);
    TimerSnapshot restored = stored ? decodeTimerSnapshot(*stored, current) : TimerSnapshot();
    // A timer that ended while the app was not running is over; it is not reported as a completion.
    if (restored.state.isRunning() && *restored.state.endDate() <= current) {
        endedAway = restored.state.endDate();
        restored.state = TimerState::idle();
    }

    timerState = restored.state;
    draft = restored.draftName;
    active = restored.activeName;
    total = restored.totalDurationSeconds;
    if (!stored || encodeTimerSnapshot(restored) != stored)
        persist();
    if (timerState.isRunning())
        armTicker(clock.now());
}

void TimerStore::addTime(qint64 seconds, Date date)
{
    const qint64 added = std::clamp<qint64>(seconds, 1, maximumTimerDuration.count());
    const bool hadTimeLeft = timerState.remainingSeconds(date) > 0.0;

    Fields next { timerState, active, total };
    switch (timerState.kind()) {
    case TimerState::Kind::running: {
        const Date end = std::max(*timerState.endDate(), date) + std::chrono::seconds(added);
        next.state = TimerState::running(std::min(end, date + maximumTimerDuration));
        break;
    }
    case TimerState::Kind::paused:
        next.state
            = TimerState::paused(std::min(*timerState.pausedRemainingSeconds() + double(added), maximumTimerSeconds));
        break;
    case TimerState::Kind::idle: next.state = TimerState::running(date + std::chrono::seconds(added)); break;
    }

    if (hadTimeLeft) {
        next.total = std::min(total + added, maximumTotalDurationSeconds);
    } else {
        const QString name = draft.trimmed();
        next.activeName = name.isEmpty() ? std::nullopt : std::optional(name);
        next.total = added;
    }
    apply(next, date, TimerStateChangeReason::userAction);
}

void TimerStore::pause(Date date)
{
    if (!timerState.isRunning())
        return;
    const Date end = *timerState.endDate();
    if (end <= date) {
        complete(date);
        return;
    }
    apply({ TimerState::paused(std::min(secondsBetween(date, end), maximumTimerSeconds)), active, total }, date,
        TimerStateChangeReason::userAction);
}

void TimerStore::resume(Date date)
{
    if (!timerState.isPaused())
        return;
    const double remaining = *timerState.pausedRemainingSeconds();
    const TimerState next = remaining > 0.0 ? TimerState::running(addingSeconds(date, remaining)) : TimerState::idle();
    apply({ next, active, total }, date, TimerStateChangeReason::userAction);
}

void TimerStore::cancel(Date date)
{
    apply({ TimerState::idle(), std::nullopt, 0 }, date, TimerStateChangeReason::userAction);
}

void TimerStore::refresh(Date date)
{
    if (timerState.isRunning() && *timerState.endDate() <= date) {
        complete(date);
        return;
    }
    setCurrentDate(date);
    if (timerState.isRunning())
        armTicker(clock.now());
}

void TimerStore::tick()
{
    const Date now = clock.now();
    if (!timerState.isRunning()) {
        stopTicker();
        return;
    }
    if (*timerState.endDate() <= now) {
        complete(now);
        return;
    }
    setCurrentDate(now);
    armTicker(now);
}

void TimerStore::complete(Date date)
{
    // The name and total stay: they describe the session that just ran.
    apply({ TimerState::idle(), active, total }, date, TimerStateChangeReason::completed);
}

void TimerStore::apply(const Fields& next, Date date, TimerStateChangeReason reason)
{
    const TimerState previous = timerState;
    const bool stateDiffers = next.state != timerState;
    const bool activeDiffers = next.activeName != active;
    const bool totalDiffers = next.total != total;
    timerState = next.state;
    active = next.activeName;
    total = next.total;

    persist();
    if (timerState.isRunning())
        armTicker(clock.now());
    else
        stopTicker();
    // A completion leaves the notification alone: it is due now and the desktop shows it.
    if (reason == TimerStateChangeReason::userAction) {
        if (timerState.isRunning())
            scheduleNotification(true);
        else
            cancelNotification();
    }

    setCurrentDate(date);
    if (stateDiffers)
        Q_EMIT stateChanged();
    if (activeDiffers)
        Q_EMIT activeNameChanged();
    if (totalDiffers)
        Q_EMIT totalDurationSecondsChanged();
    // Copied, so that a handler may replace the callback while it runs.
    if (const auto callback = onStateChange)
        callback(previous, TimerState(timerState), reason);
}

void TimerStore::persist()
{
    write(snapshot());
}

void TimerStore::persistIdleSnapshotAtQuit()
{
    TimerSnapshot idle;
    idle.draftName = draft;
    write(idle);
}

void TimerStore::write(const TimerSnapshot& value)
{
    if (const auto data = encodeTimerSnapshot(value)) {
        defaults.setData(timerSnapshotKey, *data);
    } else {
        // An older snapshot left in place could bring back a timer that no longer exists.
        qWarning("mewt: the timer snapshot could not be encoded; the stored one is removed");
        defaults.remove(timerSnapshotKey);
    }
}

TimerSnapshot TimerStore::snapshot() const
{
    return TimerSnapshot { timerState, draft, active, total };
}

void TimerStore::mutateDraftName(const QString& name)
{
    const QString bounded = boundedSessionName(name);
    if (bounded == draft)
        return;
    draft = bounded;
    Q_EMIT draftNameChanged();
}

void TimerStore::setCurrentDate(Date date)
{
    if (date == current)
        return;
    current = date;
    Q_EMIT currentDateChanged();
}

void TimerStore::setTickCadence(TimerTickCadence value)
{
    if (value == cadence)
        return;
    cadence = value;
    if (timerState.isRunning())
        armTicker(clock.now());
}

void TimerStore::armTicker(Date now)
{
    const Date end = *timerState.endDate();
    Date fire = now;
    if (end > now) {
        // Wake when the rounded-up remaining time shown next changes, which is never later than
        // the end and never more than one step away; the wall clock is read again then, so a
        // suspend or a clock change costs at most one step.
        const auto step = tickStep(cadence).count();
        const auto remaining = (end - now).count();
        const auto shownSteps = (remaining + step - 1) / step;
        fire = end - Date::duration((shownSteps - 1) * step);
    }
    nextTick = fire;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(fire - now);
    ticker.start(std::chrono::milliseconds(std::max<qint64>(wait.count(), 0)));
}

void TimerStore::stopTicker()
{
    ticker.stop();
    nextTick.reset();
}

void TimerStore::startNotifications()
{
    if (!scheduler)
        return;
    scheduler->refreshSettings();
    if (timerState.isRunning() && *timerState.endDate() > clock.now())
        scheduleNotification(false);
}

void TimerStore::rescheduleNotification()
{
    if (timerState.isRunning() && *timerState.endDate() > clock.now())
        scheduleNotification(false);
}

void TimerStore::scheduleNotification(bool requestingAuthorization)
{
    if (!scheduler || !timerState.isRunning())
        return;
    scheduler->schedule(*timerState.endDate(), CompletionNotification::forTimer(active), requestingAuthorization);
}

void TimerStore::cancelNotification()
{
    if (scheduler)
        scheduler->cancelPending();
}

void TimerStore::connectNotifications()
{
    if (!scheduler)
        return;
    const QPointer<TimerStore> self(this);
    scheduler->onAuthorizationChange = [self](NotificationAuthorizationState state) {
        if (self)
            self->setNotificationAuthorization(state);
    };
    scheduler->onDeliveryStateChange = [self](const NotificationDeliveryState& state) {
        if (self)
            self->setNotificationDeliveryState(state);
    };
    scheduler->onSchedulingError = [self](const std::optional<QString>& message) {
        if (self)
            self->setNotificationErrorMessage(message);
    };
}

void TimerStore::setNotificationAuthorization(NotificationAuthorizationState value)
{
    if (value == authorization)
        return;
    authorization = value;
    Q_EMIT notificationAuthorizationChanged();
}

void TimerStore::setNotificationDeliveryState(const NotificationDeliveryState& value)
{
    if (deliveryState == value)
        return;
    deliveryState = value;
    Q_EMIT notificationDeliveryStateChanged();
}

void TimerStore::setNotificationErrorMessage(const std::optional<QString>& value)
{
    if (errorMessage == value)
        return;
    errorMessage = value;
    Q_EMIT notificationErrorMessageChanged();
}

} // namespace mewt

#pragma once

#include "platform/Clock.h"
#include "model/NotificationScheduling.h"
#include "model/TimerSnapshot.h"
#include "model/TimerState.h"
#include "platform/UserDefaults.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>

namespace mewt {

// How often a running timer wakes to let the shown time move on: every second for the display
// styles that show seconds, at each change of the shown (rounded-up) minute for the others. Either
// way it also wakes exactly at the end.
enum class TimerTickCadence { everySecond, everyMinute };

// Why the state changed. Only a running timer reaching its end is a completion: the completion
// sound and the pomodoro hand-over key on it, never on a cancel.
enum class TimerStateChangeReason { userAction, completed };

// The timer: its state machine, its stored snapshot, its ticker and the completion notification.
// The snapshot is restored when the store is built; a running timer whose end has passed by then
// is idle.
class TimerStore final : public QObject {
    Q_OBJECT

public:
    // `notifications` may be null: the store then schedules nothing. It must outlive the store.
    TimerStore(
        UserDefaults& defaults, const Clock& clock, NotificationScheduling* notifications, QObject* parent = nullptr);
    ~TimerStore() override;
    Q_DISABLE_COPY_MOVE(TimerStore)

    const TimerState& state() const { return timerState; }
    // The date the store last looked at the time (an operation, a tick or a refresh).
    Date currentDate() const { return current; }
    const QString& draftName() const { return draft; }
    const std::optional<QString>& activeName() const { return active; }
    qint64 totalDurationSeconds() const { return total; }
    NotificationAuthorizationState notificationAuthorization() const { return authorization; }
    const std::optional<NotificationDeliveryState>& notificationDeliveryState() const { return deliveryState; }
    const std::optional<QString>& notificationErrorMessage() const { return errorMessage; }
    NotificationScheduling* notifications() const { return scheduler; }
    // The end of a running timer that ran out while the app was not running, as the stored snapshot
    // said; none otherwise.
    const std::optional<Date>& endedBeforeLaunch() const { return endedAway; }

    // Adds at least one second: a running timer ends that much after the later of its end and
    // `date`, a paused one keeps that much more, an idle one starts. When no time was left, the
    // trimmed draft name becomes the active name and the total starts again from `seconds`.
    void addTime(qint64 seconds, Date date);
    // A running timer keeps what is left at `date`; one already past its end completes instead.
    // Does nothing unless running.
    void pause(Date date);
    // A paused timer runs again from `date`. Does nothing unless paused.
    void resume(Date date);
    // Ends the timer without completing it and forgets the active name and total.
    void cancel(Date date);
    // Completes a running timer whose end has passed (after a sleep, say), else re-arms the ticker.
    void refresh(Date date);
    // Writes the snapshot; when it cannot be encoded, the stored one is removed instead.
    void persist();
    // Changes the draft name, cut to the name bound, in memory only; callers persist when they are done.
    void mutateDraftName(const QString& name);

    // Called once by the shell when every store exists: fetches the notification settings and
    // schedules the notification of a restored running timer without asking for permission, so
    // its title is in the chosen language.
    void startNotifications();
    // Schedules the pending notification again, for instance after the language changed.
    void rescheduleNotification();
    // Writes an idle snapshot that keeps only the draft name, for an orderly quit.
    void persistIdleSnapshotAtQuit();

    TimerTickCadence tickCadence() const { return cadence; }
    void setTickCadence(TimerTickCadence value);
    // When the ticker will look at the clock next; none while it is not armed (not running).
    std::optional<Date> nextTickDate() const { return nextTick; }
    // The ticker's handler: completes the timer when its end has passed, else lets the shown time
    // move on and re-arms.
    void tick();

    // Called after every change of state made by an operation, the ticker or a refresh, once the
    // store has stored and scheduled everything, so a handler may start the next timer.
    std::function<void(const TimerState& previous, const TimerState& current, TimerStateChangeReason reason)>
        onStateChange;

Q_SIGNALS:
    void stateChanged();
    void currentDateChanged();
    void draftNameChanged();
    void activeNameChanged();
    void totalDurationSecondsChanged();
    void notificationAuthorizationChanged();
    void notificationDeliveryStateChanged();
    void notificationErrorMessageChanged();

private:
    struct Fields {
        TimerState state;
        std::optional<QString> activeName;
        qint64 total = 0;
    };

    void restore();
    void complete(Date date);
    // Stores, re-arms the ticker, schedules or removes the notification, tells observers, and
    // finally calls onStateChange.
    void apply(const Fields& next, Date date, TimerStateChangeReason reason);
    void setCurrentDate(Date date);
    void armTicker(Date now);
    void stopTicker();
    void scheduleNotification(bool requestingAuthorization);
    void cancelNotification();
    void connectNotifications();
    void setNotificationAuthorization(NotificationAuthorizationState value);
    void setNotificationDeliveryState(const NotificationDeliveryState& value);
    void setNotificationErrorMessage(const std::optional<QString>& value);
    TimerSnapshot snapshot() const;
    void write(const TimerSnapshot& value);

    UserDefaults& defaults;
    const Clock& clock;
    QPointer<NotificationScheduling> scheduler;

    TimerState timerState;
    Date current;
    QString draft;
    std::optional<QString> active;
    qint64 total = 0;
    NotificationAuthorizationState authorization = NotificationAuthorizationState::unknown;
    std::optional<NotificationDeliveryState> deliveryState;
    std::optional<QString> errorMessage;
    std::optional<Date> endedAway;

    TimerTickCadence cadence = TimerTickCadence::everySecond;
    QTimer ticker;
    std::optional<Date> nextTick;
};

} // namespace mewt

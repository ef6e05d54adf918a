#include "cues/NotificationService.h"

#include <QCoreApplication>
#include <QPointer>
#include <algorithm>

namespace mewt {

namespace {

bool allowsDelivery(NotificationAuthorizationStatus status)
{
    return status == NotificationAuthorizationStatus::authorized
        || status == NotificationAuthorizationStatus::provisional
        || status == NotificationAuthorizationStatus::ephemeral;
}

} // namespace

NotificationService::NotificationService(CompletionNotificationCenter& center, const Clock& clock, QObject* parent)
    : NotificationScheduling(parent)
    , center(center)
    , clock(clock)
    , quitLimit(this)
{
    quitLimit.setObjectName(QStringLiteral("quitLimit"));
    quitLimit.setSingleShot(true);
    quitLimit.setInterval(quitWaitLimit);
    connect(&quitLimit, &QTimer::timeout, this, &NotificationService::quitWaitExpired);
}

NotificationService::~NotificationService() = default;

QString NotificationService::notAddedMessage()
{
    return QCoreApplication::translate(
        "mewt", "notification wasn't added. check your desktop's notification settings.");
}

QString NotificationService::alertsAndSoundsOffMessage()
{
    return QCoreApplication::translate(
        "mewt", "notifications are allowed, but alerts and sounds are off in your desktop's notification settings.");
}

QString NotificationService::requestFailedMessage(const QString& description)
{
    return QCoreApplication::translate("mewt", "couldn't request notifications: ") + description;
}

NotificationAuthorizationState NotificationService::authorizationState(NotificationAuthorizationStatus status)
{
    switch (status) {
    case NotificationAuthorizationStatus::notDetermined: return NotificationAuthorizationState::unknown;
    case NotificationAuthorizationStatus::denied: return NotificationAuthorizationState::denied;
    case NotificationAuthorizationStatus::authorized:
    case NotificationAuthorizationStatus::provisional:
    case NotificationAuthorizationStatus::ephemeral: return NotificationAuthorizationState::allowed;
    }
    return NotificationAuthorizationState::unknown;
}

void NotificationService::schedule(Date at, const CompletionNotification& notification, bool requestingAuthorization)
{
    if (scheduleTask)
        scheduleTask->cancelled = true;
    const auto task = std::make_shared<Task>();
    scheduleTask = task;

    reportError(std::nullopt);
    removeCompletionRequest();
    const QPointer<NotificationService> self(this);
    prepareAuthorization(requestingAuthorization, task, [self, task, at, notification](bool deliverable) {
        if (!self || !deliverable || task->cancelled)
            return;
        self->startAdd(task, at, notification);
    });
}

void NotificationService::cancelPending()
{
    if (scheduleTask)
        scheduleTask->cancelled = true;
    removeCompletionRequest();
}

void NotificationService::refreshSettings()
{
    const QPointer<NotificationService> self(this);
    center.notificationSettings([self](NotificationSettings settings) {
        if (self)
            self->publish(settings);
    });
}

void NotificationService::requestPermission()
{
    reportError(std::nullopt);
    prepareAuthorization(true, nullptr, [](bool) {});
}

void NotificationService::refreshAuthorization(bool requestingAuthorization, std::function<void(bool)> completion)
{
    prepareAuthorization(requestingAuthorization, nullptr, [completion = std::move(completion)](bool deliverable) {
        if (completion)
            completion(deliverable);
    });
}

void NotificationService::prepareAuthorization(
    bool requestIfNeeded, const TaskHandle& task, std::function<void(bool)> done)
{
    const QPointer<NotificationService> self(this);
    center.notificationSettings([self, requestIfNeeded, task, done = std::move(done)](NotificationSettings settings) {
        if (!self)
            return;
        if (task && task->cancelled) {
            done(false);
            return;
        }
        self->publish(settings);
        switch (settings.authorizationStatus) {
        case NotificationAuthorizationStatus::authorized:
        case NotificationAuthorizationStatus::provisional:
        case NotificationAuthorizationStatus::ephemeral:
            // Without an answering server the request still waits in the centre: a server that is
            // back by the deadline shows it.
            if (settings.alertsEnabled || settings.soundsEnabled || !settings.serverAnswered) {
                done(true);
            } else {
                self->reportError(alertsAndSoundsOffMessage());
                done(false);
            }
            return;
        case NotificationAuthorizationStatus::denied:
            self->reportAuthorization(NotificationAuthorizationState::denied);
            done(false);
            return;
        case NotificationAuthorizationStatus::notDetermined:
            if (requestIfNeeded) {
                // The desktop shows no permission prompt, so there is no window to bring forward.
                self->center.requestAuthorization(
                    NotificationAuthorizationOption::alert | NotificationAuthorizationOption::sound,
                    [self, done](std::variant<bool, NotificationError> result) {
                        if (!self)
                            return;
                        if (const auto* error = std::get_if<NotificationError>(&result)) {
                            self->reportAuthorization(NotificationAuthorizationState::unknown);
                            self->reportError(requestFailedMessage(error->localizedDescription));
                            done(false);
                            return;
                        }
                        self->afterAuthorizationRequest(std::get<bool>(result), done);
                    });
                return;
            }
            break;
        }
        self->reportAuthorization(NotificationAuthorizationState::unknown);
        done(false);
    });
}

void NotificationService::afterAuthorizationRequest(bool granted, std::function<void(bool)> done)
{
    const QPointer<NotificationService> self(this);
    center.notificationSettings([self, granted, done = std::move(done)](NotificationSettings settings) {
        if (!self)
            return;
        self->publish(settings);
        if (!granted) {
            done(false);
            return;
        }
        if (allowsDelivery(settings.authorizationStatus)
            && (settings.alertsEnabled || settings.soundsEnabled || !settings.serverAnswered)) {
            done(true);
            return;
        }
        self->reportError(alertsAndSoundsOffMessage());
        done(false);
    });
}

void NotificationService::publish(const NotificationSettings& settings)
{
    const NotificationAuthorizationState state = authorizationState(settings.authorizationStatus);
    reportAuthorization(state);
    if (onDeliveryStateChange)
        onDeliveryStateChange(NotificationDeliveryState { state, settings.alertsEnabled, settings.soundsEnabled });
}

void NotificationService::startAdd(const TaskHandle& task, Date deadline, const CompletionNotification& notification)
{
    const Date now = clock.now();
    const double seconds = std::max(secondsBetween(now, deadline), 1.0);
    const NotificationRequest request { completionIdentifier, notification.title, notification.body, true,
        NotificationTimeIntervalTrigger { seconds } };
    const Date due = addingSeconds(now, seconds);
    const quint64 number = ++lastAddNumber;
    pendingAdds.insert(number);
    const QPointer<NotificationService> self(this);
    center.add(request, [self, task, number, request, due](std::optional<NotificationError> error) {
        if (self)
            self->addFinished(task, number, request, due, error);
    });
}

void NotificationService::addFinished(const TaskHandle& task, quint64 number, const NotificationRequest& request,
    Date due, const std::optional<NotificationError>& error)
{
    pendingAdds.erase(number);
    // An add that lands after a pause or cancel would bring back the notification they removed.
    // Take it away again, unless a later add has started since: that one replaces it. A refused
    // add leaves no request either, even when an earlier add landed late.
    const bool newest = number == lastAddNumber;
    if ((error || task->cancelled) && newest)
        removeCompletionRequest();
    if (quit) {
        quit->awaitedAdds.erase(number);
        if (quit->stage == QuitStage::waitingForAdds && quit->awaitedAdds.empty())
            continueQuit();
    }
    if (error) {
        if (!task->cancelled)
            reportError(error->localizedDescription);
        return;
    }
    if (task->cancelled)
        return;
    verify(task, request, due);
}

void NotificationService::verify(const TaskHandle& task, const NotificationRequest& request, Date due)
{
    const QPointer<NotificationService> self(this);
    center.pendingNotificationRequests([self, task, request, due](QList<NotificationRequest> pending) {
        // A pause or a new schedule in the meantime removed the request on purpose.
        if (!self || task->cancelled)
            return;
        const bool held = std::any_of(pending.cbegin(), pending.cend(),
            [](const NotificationRequest& entry) { return entry.identifier == completionIdentifier; });
        if (held)
            return;
        // A short timer may already have been shown, and so is no longer pending.
        self->center.deliveredNotifications([self, task, request, due](QList<DeliveredNotification> delivered) {
            if (self)
                self->verifyDelivered(task, request, due, delivered);
        });
    });
}

void NotificationService::verifyDelivered(
    const TaskHandle& task, const NotificationRequest& request, Date due, const QList<DeliveredNotification>& delivered)
{
    if (task->cancelled)
        return;
    const bool shown = std::any_of(delivered.cbegin(), delivered.cend(),
        [&request](const DeliveredNotification& entry) { return entry.request == request; });
    // Once due, the centre takes the request off its pending list before the desktop answers.
    const bool beingShown = clock.now() >= due;
    if (!shown && !beingShown)
        reportError(notAddedMessage());
}

void NotificationService::cancelPendingForQuit(std::function<void()> completion)
{
    if (quit) {
        quit->completions.push_back(std::move(completion));
        return;
    }
    if (scheduleTask)
        scheduleTask->cancelled = true;
    removeCompletionRequest();
    quit = Quit { QuitStage::waitingForAdds, pendingAdds, { std::move(completion) } };
    quitLimit.start();
    if (quit->awaitedAdds.empty())
        continueQuit();
}

void NotificationService::continueQuit()
{
    quit->stage = QuitStage::readingPending;
    scheduleTask.reset();
    // An add that finished during the wait is removed as well.
    removeCompletionRequest();
    const QPointer<NotificationService> self(this);
    center.pendingNotificationRequests([self](QList<NotificationRequest>) {
        if (self && self->quit)
            self->finishQuit();
    });
}

void NotificationService::quitWaitExpired()
{
    if (!quit)
        return;
    if (quit->stage == QuitStage::waitingForAdds) {
        scheduleTask.reset();
        removeCompletionRequest();
    }
    finishQuit();
}

void NotificationService::finishQuit()
{
    quitLimit.stop();
    const std::vector<std::function<void()>> completions = std::move(quit->completions);
    quit.reset();
    for (const auto& completion : completions) {
        if (completion)
            completion();
    }
}

void NotificationService::removeCompletionRequest()
{
    center.removePendingNotificationRequests({ completionIdentifier });
}

void NotificationService::reportAuthorization(NotificationAuthorizationState state)
{
    if (onAuthorizationChange)
        onAuthorizationChange(state);
}

void NotificationService::reportError(const std::optional<QString>& message)
{
    if (onSchedulingError)
        onSchedulingError(message);
}

} // namespace mewt

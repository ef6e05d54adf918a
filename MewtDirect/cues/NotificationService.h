#pragma once

#include "platform/Clock.h"
#include "platform/CompletionNotificationCenter.h"
#include "model/NotificationScheduling.h"

#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace mewt {

// Schedules the one completion notification on the desktop's notification centre, checks that the
// centre really holds it, removes it on pause, cancel and quit, and reports the permission and
// delivery settings and any problem through the callbacks the timer store fills.
//
// The centre must outlive the service. Work runs from the event loop; a handler that arrives after
// the service is gone does nothing.
class NotificationService final : public NotificationScheduling {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NotificationService)

public:
    static inline const QString completionIdentifier = QStringLiteral("mewt.timer.completed");
    // Quitting never waits longer than this for the centre.
    static constexpr std::chrono::milliseconds quitWaitLimit { 1000 };

    NotificationService(CompletionNotificationCenter& center, const Clock& clock, QObject* parent = nullptr);
    ~NotificationService() override;

    void schedule(Date at, const CompletionNotification& notification, bool requestingAuthorization) override;
    void cancelPending() override;
    void refreshSettings() override;
    void requestPermission() override;
    void refreshAuthorization(bool requestingAuthorization, std::function<void(bool deliverable)> completion) override;
    void cancelPendingForQuit(std::function<void()> completion) override;

    // The messages the user sees, in the interface language.
    static QString notAddedMessage();
    static QString alertsAndSoundsOffMessage();
    static QString requestFailedMessage(const QString& description);

    static NotificationAuthorizationState authorizationState(NotificationAuthorizationStatus status);

    // Adds the centre has not answered yet.
    std::size_t pendingAddCount() const { return pendingAdds.size(); }
    // Whether a quit waits for the centre; the limit timer ends the wait.
    bool isQuitting() const { return quit.has_value(); }
    // What the quit's limit timer runs when it fires.
    void quitWaitExpired();

private:
    // Stands for one scheduling run: replacing or cancelling it only marks it, and each of its
    // steps looks at the mark before going on.
    struct Task {
        bool cancelled = false;
    };
    using TaskHandle = std::shared_ptr<Task>;

    enum class QuitStage { waitingForAdds, readingPending };
    struct Quit {
        QuitStage stage = QuitStage::waitingForAdds;
        std::set<quint64> awaitedAdds;
        std::vector<std::function<void()>> completions;
    };

    void prepareAuthorization(bool requestIfNeeded, const TaskHandle& task, std::function<void(bool)> done);
    void afterAuthorizationRequest(bool granted, std::function<void(bool)> done);
    void publish(const NotificationSettings& settings);
    void startAdd(const TaskHandle& task, Date deadline, const CompletionNotification& notification);
    void addFinished(const TaskHandle& task, quint64 number, const NotificationRequest& request, Date due,
        const std::optional<NotificationError>& error);
    void verify(const TaskHandle& task, const NotificationRequest& request, Date due);
    void verifyDelivered(const TaskHandle& task, const NotificationRequest& request, Date due,
        const QList<DeliveredNotification>& delivered);
    void removeCompletionRequest();
    void reportAuthorization(NotificationAuthorizationState state);
    void reportError(const std::optional<QString>& message);
    void continueQuit();
    void finishQuit();

    CompletionNotificationCenter& center;
    const Clock& clock;
    TaskHandle scheduleTask;
    // Adds in flight, by the number each got when it started; numbers only grow.
    std::set<quint64> pendingAdds;
    quint64 lastAddNumber = 0;
    std::optional<Quit> quit;
    QTimer quitLimit;
};

} // namespace mewt

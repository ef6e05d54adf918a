#pragma once

#include "platform/CompletionNotificationCenter.h"

#include <QCoreApplication>
#include <QMap>
#include <QObject>
#include <utility>
#include <vector>

namespace mewt::testing {

// A notification centre whose answers a test chooses. Handlers run from the event loop as the
// real centre's do; `settle` runs them. A held add stays unanswered until the test completes it,
// and only then lands in the pending table, as on a desktop whose centre applies adds late.
class FakeNotificationCenter final : public QObject, public CompletionNotificationCenter {
public:
    enum class AddMode { hold, succeed, refuse, dropSilently, deliverAtOnce };

    void notificationSettings(SettingsHandler handler) override
    {
        if (holdsSettings)
            heldSettings.push_back(std::move(handler));
        else
            post([this, handler = std::move(handler)] { handler(settings); });
    }

    void requestAuthorization(NotificationAuthorizationOptions options, AuthorizationHandler handler) override
    {
        requestedOptions.push_back(options);
        post([this, handler = std::move(handler)] {
            if (const bool* granted = std::get_if<bool>(&authorizationAnswer); granted && *granted)
                settings.authorizationStatus = NotificationAuthorizationStatus::authorized;
            handler(authorizationAnswer);
        });
    }

    void add(const NotificationRequest& request, AddHandler handler) override
    {
        adds.push_back(request);
        if (addMode == AddMode::hold)
            held.push_back({ request, std::move(handler) });
        else if (addMode == AddMode::refuse)
            post([handler = std::move(handler), this] {
                handler(NotificationError { QStringLiteral("the desktop refused it.") });
            });
        else {
            if (addMode == AddMode::succeed)
                pending.insert(request.identifier, request);
            if (addMode == AddMode::deliverAtOnce)
                delivered.push_back({ request, 7 });
            post([handler = std::move(handler)] { handler(std::nullopt); });
        }
    }

    void pendingNotificationRequests(PendingRequestsHandler handler) override
    {
        ++pendingReads;
        post([this, handler = std::move(handler)] { handler(pending.values()); });
    }

    void removePendingNotificationRequests(const QStringList& identifiers) override
    {
        for (const QString& identifier : identifiers)
            pending.remove(identifier);
    }

    void deliveredNotifications(DeliveredHandler handler) override
    {
        post([this, handler = std::move(handler)] { handler(delivered); });
    }

    // Answers the held add at `index`: on success its request lands in the pending table.
    void completeHeldAdd(std::size_t index, std::optional<NotificationError> error = std::nullopt)
    {
        auto [request, handler] = std::move(held.at(index));
        held.erase(held.begin() + static_cast<std::ptrdiff_t>(index));
        if (!error)
            pending.insert(request.identifier, request);
        post([handler = std::move(handler), error] { handler(error); });
    }

    // Answers the settings reads held so far, in order.
    void releaseSettings()
    {
        holdsSettings = false;
        for (auto& handler : std::exchange(heldSettings, {}))
            post([this, handler = std::move(handler)] { handler(settings); });
    }

    // Runs every answer posted so far and those they lead to.
    void settle()
    {
        for (int round = 0; round < 100 && outstanding > 0; ++round)
            QCoreApplication::sendPostedEvents(this);
    }

    NotificationSettings settings { NotificationAuthorizationStatus::authorized, true, true };
    std::variant<bool, NotificationError> authorizationAnswer = true;
    AddMode addMode = AddMode::succeed;
    bool holdsSettings = false;

    QMap<QString, NotificationRequest> pending;
    QList<DeliveredNotification> delivered;
    std::vector<NotificationRequest> adds;
    std::vector<std::pair<NotificationRequest, AddHandler>> held;
    std::vector<SettingsHandler> heldSettings;
    std::vector<NotificationAuthorizationOptions> requestedOptions;
    int pendingReads = 0;

private:
    template <class F> void post(F&& work)
    {
        ++outstanding;
        QMetaObject::invokeMethod(
            this,
            [this, work = std::forward<F>(work)]() mutable {
                --outstanding;
                work();
            },
            Qt::QueuedConnection);
    }

    int outstanding = 0;
};

} // namespace mewt::testing

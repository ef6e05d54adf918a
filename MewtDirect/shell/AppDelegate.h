#pragma once

#include "shell/AppCoordinator.h"

#include <QObject>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QSessionManager;

namespace mewt {

class DirectDistributionRuntime;
class FreedesktopNotificationCenter;
class GlobalPointerMonitor;
class IniUserDefaults;
class NotificationService;
class QuitSignalWatcher;
class SystemClock;

// The application's own object: it makes the notification service and takes the settings file
// when it is created, builds the coordinator once launching has finished, and runs the one
// orderly quit that every way out (a quit request, SIGTERM, SIGINT, SIGHUP, the session manager)
// goes through.
class AppDelegate final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppDelegate)

public:
    static constexpr std::chrono::milliseconds defaultQuitWaitLimit { 2000 };

    // The real app: the settings file, the system clock, the desktop's notifications and pointer.
    explicit AppDelegate(QObject* parent = nullptr);
    // Tests bring their own services; `updateFeed` empty means updates are not configured.
    AppDelegate(const AppCoordinator::Services& services, const QUrl& updateFeed, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The update runtime the general options page shows; null before launching has finished and
    // after the quit.
    static DirectDistributionRuntime* updateRuntime();

    // Builds the update runtime and the coordinator and starts it; the update probe starts once
    // the coordinator has completed the launch (after the paw's first frame). Does nothing the
    // second time, or once the app is terminating.
    void applicationDidFinishLaunching();
    // The orderly quit: shut the coordinator down, leave an idle timer snapshot that keeps the
    // draft name, remove the stored plan and the pending notification (waiting for the
    // notification centre no longer than the limit), then confirm. Later requests do nothing.
    void requestTermination();
    // The event loop is ending however it was asked to: at least shut down and leave the idle
    // snapshot; there is no waiting any more.
    void applicationWillTerminate();

    bool isTerminating() const { return terminating; }
    bool isTerminationConfirmed() const { return confirmed; }
    bool isWaitingForNotifications() const { return quitLimit.isActive(); }
    AppCoordinator* coordinator() const { return appCoordinator.get(); }
    NotificationScheduling* notifications() const { return services->notifications; }

    void setQuitWaitLimit(std::chrono::milliseconds limit) { quitLimit.setInterval(limit); }
    // Ends the event loop once the quit is done; tests watch it instead.
    std::function<void()> confirmTermination;
    // Called after the coordinator completed the launch, never after the quit began.
    std::function<void()> onLaunchComplete;

private:
    // The popover's header shows the "update" link while a newer version is known.
    void offerUpdatesInPopover();
    void launchDidComplete();
    void connectApplication();
    void commitDataRequested(QSessionManager& manager);
    void shutdown();
    void notificationsRemoved();

    // Owned only by the real app; tests hand theirs in through `services`.
    std::unique_ptr<IniUserDefaults> ownDefaults;
    std::unique_ptr<SystemClock> ownClock;
    std::unique_ptr<FreedesktopNotificationCenter> ownCenter;
    std::unique_ptr<NotificationService> ownService;
    std::unique_ptr<GlobalPointerMonitor> ownPointerMonitor;

    std::optional<AppCoordinator::Services> services;
    QUrl updateFeed;
    std::unique_ptr<QuitSignalWatcher> quitSignals;
    std::unique_ptr<DirectDistributionRuntime> runtime;
    std::unique_ptr<AppCoordinator> appCoordinator;
    QTimer quitLimit;
    bool terminating = false;
    bool shutDown = false;
    bool confirmed = false;
};

} // namespace mewt

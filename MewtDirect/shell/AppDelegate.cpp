#include "shell/AppDelegate.h"

#include "cues/NotificationService.h"
#include "platform/FreedesktopNotificationCenter.h"
#include "platform/GlobalPointerMonitor.h"
#include "platform/IniUserDefaults.h"
#include "platform/QuitSignalWatcher.h"
#include "platform/UpdateChecker.h"
#include "popover/TimerPopoverView.h"
#include "shell/DirectDistributionRuntime.h"

#include <QGuiApplication>
#include <QPointer>
#include <QSessionManager>

namespace mewt {

namespace {

DirectDistributionRuntime* sharedRuntime = nullptr;

} // namespace

AppDelegate::AppDelegate(QObject* parent)
    : QObject(parent)
    , ownDefaults(std::make_unique<IniUserDefaults>())
    , ownClock(std::make_unique<SystemClock>())
    , ownCenter(std::make_unique<FreedesktopNotificationCenter>(*ownDefaults, *ownClock))
    , ownService(std::make_unique<NotificationService>(*ownCenter, *ownClock))
    , ownPointerMonitor(createGlobalPointerMonitor())
    , updateFeed(UpdateChecker::configuredFeedUrl())
{
    services.emplace(AppCoordinator::Services {
        *ownDefaults, *ownClock, ownService.get(), ownCenter.get(), {}, {}, ownPointerMonitor.get() });
    // A log line is seen by nobody; a change that cannot be saved is told where the user looks.
    ownDefaults->setWriteFailureHandler(ownCenter.get(), [this] {
        NotificationRequest notice { QStringLiteral("settingsNotSaved"),
            QCoreApplication::translate("mewt", "settings can't be saved"),
            QCoreApplication::translate("mewt", "mewt keeps your changes and saves them as soon as the disk allows."),
            false, NotificationTimeIntervalTrigger { 0.01 } };
        ownCenter->add(notice, [](const std::optional<NotificationError>&) {});
    });
    connectApplication();
}

AppDelegate::AppDelegate(const AppCoordinator::Services& services, const QUrl& updateFeed, QObject* parent)
    : QObject(parent)
    , services(services)
    , updateFeed(updateFeed)
{
    connectApplication();
}

AppDelegate::~AppDelegate()
{
    shutdown();
    appCoordinator.reset();
    // The service holds the centre, which the defaults and the clock serve.
    if (ownDefaults)
        ownDefaults->setWriteFailureHandler(nullptr, {});
    ownService.reset();
    ownCenter.reset();
}

DirectDistributionRuntime* AppDelegate::updateRuntime()
{
    return sharedRuntime;
}

void AppDelegate::connectApplication()
{
    quitLimit.setSingleShot(true);
    quitLimit.setInterval(defaultQuitWaitLimit);
    connect(&quitLimit, &QTimer::timeout, this, &AppDelegate::notificationsRemoved);
    confirmTermination = [] { QCoreApplication::exit(0); };

    quitSignals = std::make_unique<QuitSignalWatcher>();
    connect(quitSignals.get(), &QuitSignalWatcher::quitRequested, this, &AppDelegate::requestTermination);
    if (qGuiApp) {
        connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &AppDelegate::commitDataRequested);
        connect(qGuiApp, &QCoreApplication::aboutToQuit, this, &AppDelegate::applicationWillTerminate);
    }
}

void AppDelegate::applicationDidFinishLaunching()
{
    if (terminating || appCoordinator)
        return;
    runtime = std::make_unique<DirectDistributionRuntime>(updateFeed, RunningVersion::current());
    sharedRuntime = runtime.get();
    appCoordinator = std::make_unique<AppCoordinator>(*services);
    const QPointer<AppDelegate> self(this);
    appCoordinator->onTerminateRequest = [self] {
        if (self)
            self->requestTermination();
    };
    appCoordinator->onLaunchComplete = [self] {
        if (self)
            self->launchDidComplete();
    };
    appCoordinator->start();
}

void AppDelegate::launchDidComplete()
{
    offerUpdatesInPopover();
    runtime->startBackgroundProbe();
    if (onLaunchComplete)
        onLaunchComplete();
}

void AppDelegate::offerUpdatesInPopover()
{
    TimerPopoverView& root = appCoordinator->popoverController().rootView();
    const QPointer<DirectDistributionRuntime> updates(runtime.get());
    const auto offer = [updates, &root] {
        if (!updates)
            return;
        const std::optional<DirectAvailableUpdate>& update = updates->availableUpdate();
        root.setUpdateOffer(update ? std::optional<QString>(update->version) : std::nullopt,
            updates->status().kind == DirectDistributionRuntime::Status::Kind::checking);
    };
    connect(runtime.get(), &DirectDistributionRuntime::availableUpdateChanged, &root, offer);
    connect(runtime.get(), &DirectDistributionRuntime::statusChanged, &root, offer);
    offer();
}

void AppDelegate::commitDataRequested(QSessionManager&)
{
    // The session is ending; the app does not ask to stay.
    requestTermination();
}

void AppDelegate::requestTermination()
{
    if (terminating)
        return;
    terminating = true;
    shutdown();
    NotificationScheduling* notifications = services->notifications;
    if (!notifications) {
        notificationsRemoved();
        return;
    }
    // A notification server that never answers must not keep the app from quitting.
    quitLimit.start();
    notifications->cancelPendingForQuit([self = QPointer<AppDelegate>(this)] {
        if (self)
            self->notificationsRemoved();
    });
}

void AppDelegate::applicationWillTerminate()
{
    terminating = true;
    const bool alreadyShutDown = shutDown;
    shutdown();
    // Reached without the orderly quit: take the pending notification away at least.
    if (!alreadyShutDown && services->notifications)
        services->notifications->cancelPending();
}

void AppDelegate::shutdown()
{
    if (shutDown)
        return;
    shutDown = true;
    if (appCoordinator) {
        appCoordinator->onTerminateRequest = nullptr;
        appCoordinator->shutdown();
        appCoordinator->timerStore().persistIdleSnapshotAtQuit();
        appCoordinator->pomodoroStore().removeStoredPlanAtQuit();
    }
    // Changes are written in the background; the quit waits until they are on disk.
    services->defaults.flush();
    if (runtime)
        runtime->shutdown();
    if (sharedRuntime == runtime.get())
        sharedRuntime = nullptr;
}

void AppDelegate::notificationsRemoved()
{
    if (confirmed)
        return;
    confirmed = true;
    quitLimit.stop();
    if (confirmTermination)
        confirmTermination();
}

} // namespace mewt

#include "shell/AppCoordinator.h"

#include "artwork/ReducedMotion.h"
#include "cues/TrillPlayer.h"
#include "model/NotificationScheduling.h"
#include "options/GeneralOptionsPage.h"
#include "options/OptionsPalette.h"
#include "platform/FreedesktopNotificationCenter.h"
#include "popover/TimerPopoverPanel.h"
#include "popover/TimerPopoverView.h"
#include "pull/PomodoroDurationPullController.h"
#include "pull/PullHandlePanel.h"
#include "shell/AppDelegate.h"
#include "shell/DirectDistributionRuntime.h"
#include "shell/FirstFrameWatcher.h"
#include "shell/PawStatusView.h"
#include "shell/StatusItemWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QToolTip>

namespace mewt {

TimerTickCadence tickCadence(TimeDisplayStyle style)
{
    return style == TimeDisplayStyle::compact ? TimerTickCadence::everyMinute : TimerTickCadence::everySecond;
}

AppCoordinator::AppCoordinator(const Services& services, QObject* parent)
    : QObject(parent)
    , services(services)
    , timer(services.defaults, services.clock, services.notifications)
    , themes(services.defaults)
    , catBeds(services.defaults)
    , popoverAppearance(services.defaults)
    , loginItems(
          services.loginItemEntryPath.isEmpty() ? LoginItemService::defaultEntryPath() : services.loginItemEntryPath,
          LoginItemService::runningExecutablePath())
    , pullSettings(services.defaults)
    , timeDisplay(services.defaults)
    , interfaceSettings(services.defaults)
    , engine(services.audio)
    , tactileSounds(interfaceSettings, engine, services.clock)
    , catSounds(interfaceSettings, engine)
    , pomodoroSettings(services.defaults)
    , onboarding(services.defaults)
    , pomodoro(services.defaults, services.clock, timer, pomodoroSettings)
    , statusItem(timer, pomodoro, interfaceSettings, timeDisplay.style(), themes.selected(), engine, services.clock)
    , optionsNavigation(
          [this] { return OptionsSettingsAvailability { int(interfaceSettings.availableLanguages().size()) }; })
    , optionsWindow(optionsNavigation, optionsChrome,
          OptionsWindowController::Stores { timer, themes, catBeds, popoverAppearance, pullSettings, timeDisplay,
              interfaceSettings, pomodoroSettings, pomodoro, tactileSounds, catSounds })
    , pullInteraction(pullSettings, pomodoroSettings, timer, interfaceSettings, themes, tactileSounds, catSounds,
          pullOverlay, services.clock)
    , popoverPlacement(
          services.defaults, QStringLiteral("timerPopoverIsDetached"), QStringLiteral("timerPopoverDetachedPlacement"))
{
}

AppCoordinator::~AppCoordinator()
{
    shutdown();
}

void AppCoordinator::start()
{
    if (started || shutDown)
        return;
    started = true;

    // First, so that everything said from here on (a restored timer's notification) is in the
    // chosen language.
    interfaceTranslator.install(interfaceSettings.language(), interfaceSettings.availableLanguages());

    const QPointer<AppCoordinator> self(this);
    timer.onStateChange = [self](const TimerState& previous, const TimerState& current, TimerStateChangeReason reason) {
        if (self)
            self->timerStateDidChange(previous, current, reason);
    };
    interfaceSettings.onEndingCueChange = [self](bool) {
        if (self)
            self->updateEndingCue();
    };
    interfaceSettings.onLanguageChange = [self](AppLanguage language) {
        if (self)
            self->languageDidChange(language);
    };
    themes.onSelectionChange = [self](const CatTheme& theme) {
        if (!self)
            return;
        self->statusItem.applyTheme(theme);
        self->applyColors();
        if (self->endingCue)
            self->endingCue->setTheme(theme);
    };
    timeDisplay.onChange = [self](TimeDisplayStyle style) {
        if (self)
            self->timeDisplayStyleDidChange(style);
    };
    pomodoroSettings.onConfigurationChange = [self](const PomodoroConfiguration& configuration) {
        if (self)
            self->pomodoro.configurationDidChange(configuration);
    };
    statusItem.onPull = [self](const PullGestureEvent& event) {
        if (self)
            self->handlePull(event);
    };
    pullInteraction.onCommit = [self](const PullCommit& commit) {
        if (self)
            self->commitPull(commit);
    };
    pullInteraction.pomodoroContext = [self] { return self ? self->pomodoroPullContext() : PomodoroPullContext {}; };
    optionsWindow.onReplayOnboarding = [self] {
        if (self)
            self->replayOnboarding();
    };
    optionsWindow.registerPage(OptionsCategory::general, [self]() -> QWidget* {
        if (!self)
            return nullptr;
        return new GeneralOptionsPage(
            self->loginItems, self->interfaceSettings, AppDelegate::updateRuntime(),
            [self] {
                if (self)
                    self->optionsWindow.replayOnboarding();
            },
            [self](QWidget* relativeTo) {
                if (self)
                    self->feedbackWindow.showFeedbackWindow(relativeTo);
            });
    });
    feedbackWindow.keepClearOf = [self] {
        if (!self)
            return QRect();
        const QWidget& paw = self->statusItem.window();
        return paw.frameGeometry().adjusted(0, 0, 0, StatusItemWindow::screenMargin);
    };
    // The handle waits while the popover is being worked with, and then goes with it.
    statusItem.shouldAutoDismiss = [self] { return !self || !self->popover || !self->popover->isInUse(); };
    statusItem.onAutoDismiss = [self] {
        if (self && self->popover)
            self->popover->hide();
    };
    statusItem.isPullHandleCovered = [self] {
        return self && self->popover && self->popover->presentation().isVisible()
            && !self->popover->presentation().isDetached();
    };
    connect(&statusItem.view(), &PawStatusView::pawPressed, this, &AppCoordinator::pawPressed);
    connect(&statusItem.view(), &PawStatusView::accessibleShowControlsRequested, this, &AppCoordinator::pawPressed);
    // The arm hangs from the paw's place until it has drawn back up.
    connect(&pullOverlay.model(), &PullOverlayModel::changed, this,
        [this] { statusItem.window().setPawLifted(pullOverlay.isShowing()); });

    statusItem.applyTheme(themes.selected());
    tactileSounds.start();
    pomodoro.reconcileWithTimer();
    timer.setTickCadence(tickCadence(timeDisplay.style()));

    applyDark(AppearanceMonitor::paletteLooksDark(QGuiApplication::palette()));
    connect(&clockChanges, &WallClockChangeMonitor::clockChanged, this, &AppCoordinator::clockDidChange);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &AppCoordinator::applicationStateDidChange);

    timer.startNotifications();
    statusItem.refresh();
    statusItem.show();
    firstFrame = std::make_unique<FirstFrameWatcher>(statusItem.view(), launchCompletionLimit, [self] {
        if (self)
            self->completeLaunch();
    });

    // Welcome tour: due on a first launch (or after an older tour), shown in the popover.
    tourReveal.setSingleShot(true);
    tourReveal.setInterval(tourRevealDelayMs);
    connect(&tourReveal, &QTimer::timeout, this, &AppCoordinator::revealTour);
    if (onboarding.presentIfNeeded())
        tourReveal.start();
}

void AppCoordinator::completeLaunch()
{
    if (!started || shutDown || launchComplete)
        return;
    launchComplete = true;
    if (firstFrame)
        firstFrame->cancel();
    // On threads of their own, while the popover is built here.
    tactileSounds.renderSounds();
    catSounds.loadSounds();
    statusItem.trillPlayer().loadSounds();
    buildDeferredParts();
    if (onLaunchComplete)
        onLaunchComplete();
}

void AppCoordinator::watchDesktop()
{
    if (!appearance) {
        sleepWake.emplace();
        sessionLock.emplace();
        appearance.emplace();
        motionPreference.emplace();
    }
    if (!started || shutDown || desktopWatched)
        return;
    desktopWatched = true;
    // Every animation asks this before it moves; the desktop's setting applies from here on.
    setMotionPreference(&*motionPreference);
    connect(&*appearance, &AppearanceMonitor::darkChanged, this, &AppCoordinator::applyDark);
    applyDark(appearance->isDark());
    connect(&*sleepWake, &SleepWakeMonitor::didWake, this, &AppCoordinator::didWake);
    connect(&*sessionLock, &SessionLockMonitor::lockedChanged, this, &AppCoordinator::sessionLockDidChange);
}

void AppCoordinator::applyDark(bool dark)
{
    desktopDark = dark;
    statusItem.setDark(dark);
    if (popover)
        popover->setSystemColorScheme(dark ? ColorScheme::dark : ColorScheme::light);
    optionsWindow.setDark(dark);
    applyColors();
}

void AppCoordinator::applyColors()
{
    const ColorScheme scheme = desktopDark ? ColorScheme::dark : ColorScheme::light;
    const QColor accent = themes.selected().popoverPalette(scheme).accentColor;
    const QPalette colors = optionsPalette(desktopDark, accent);
    // For every widget, so that windows and popups that take no palette from a parent follow too:
    // submenus, drop-down lists, dialogs. The application palette itself stays the desktop's, which
    // the appearance monitor reads. Drop-down lists draw their rows as menu items in the palette
    // asked for by that class's name.
    QApplication::setPalette(colors, "QWidget");
    QApplication::setPalette(colors, "QMenu");
    QToolTip::setPalette(colors);
    feedbackWindow.setColorScheme(scheme, accent);
}

SleepWakeMonitor& AppCoordinator::sleepWakeMonitor()
{
    watchDesktop();
    return *sleepWake;
}

AppearanceMonitor& AppCoordinator::appearanceMonitor()
{
    watchDesktop();
    return *appearance;
}

void AppCoordinator::buildDeferredParts()
{
    watchDesktop();
    if (!popover) {
        endingCue.emplace(themes.selected(), interfaceSettings, &catSounds, services.clock, services.pointerMonitor);
        popover.emplace(TimerPopoverStores { timer, themes, popoverAppearance, interfaceSettings, pullSettings,
                            pomodoroSettings, pomodoro, onboarding },
            initialPopoverContentSize,
            TimerPopoverController::Services { tactileSounds, services.clock, services.pointerMonitor, {}, {},
                &popoverPlacement, {}, {}, [self = QPointer<AppCoordinator>(this)] {
                    return self ? self->statusItem.window().pawStrip() : QRect();
                } });
        endingCue->stayBelow(&popover->panel());
        // Asked for only after the quit: it never shows.
        if (shutDown)
            popover->close();
    }
    if (!started || shutDown || deferredPartsWired)
        return;
    deferredPartsWired = true;
    wirePopover();
    // A restored timer may already be inside its lead time, or a restored plan waiting.
    updateEndingCue();
}

EndingCueController& AppCoordinator::endingCueController()
{
    buildDeferredParts();
    return *endingCue;
}

TimerPopoverController& AppCoordinator::popoverController()
{
    buildDeferredParts();
    return *popover;
}

void AppCoordinator::wirePopover()
{
    const QPointer<AppCoordinator> self(this);
    popover->onShowOptions = [self] {
        if (self)
            self->showOptions();
    };
    popover->onDismissRequest = [self] {
        if (self)
            self->dismissPopover();
    };
    // The time beside the paw is as much the paw as its drawing: the popover hangs from the
    // drawing, and the pointer on either keeps it.
    popover->pawControlFrame
        = [self] { return self ? QRectF(self->statusItem.window().controlScreenRect()) : QRectF(); };
    // The popover restored a pinned window while it was built, before this callback was set.
    popover->onDetachedChange = [self](bool detached) {
        if (self)
            self->statusItem.setPopoverDetached(detached);
    };
    statusItem.setPopoverDetached(popover->presentation().isDetached());
    // One closure for both: the popover's callback and the rope that calls it.
    popover->onDurationInteractionChange = [self](bool pulling) {
        if (self)
            self->durationPulling = pulling;
    };
    popover->durationPullController().onInteractionChange = popover->onDurationInteractionChange;
    TimerPopoverView& popoverRoot = popover->rootView();
    popoverRoot.onQuit = [self] {
        if (self)
            self->requestTermination();
    };
    popoverRoot.onShowWelcomeTour = [self] {
        if (self)
            self->replayOnboarding();
    };
    popoverRoot.onCheckForUpdates = [self] {
        if (self)
            self->checkForUpdates();
    };
    popoverRoot.onSendFeedback = [self] {
        if (!self)
            return;
        QWidget* over = QApplication::activeWindow();
        if (!over)
            over = self->popover->rootView().window();
        // The attached popover stays on top of everything: left up, it would cover the panel's
        // title bar. It slides away as it does for the settings; a pinned one stays.
        self->popover->hide();
        self->feedbackWindow.showFeedbackWindow(over);
    };
    popover->setSystemColorScheme(appearance->isDark() ? ColorScheme::dark : ColorScheme::light);
}

void AppCoordinator::replayOnboarding()
{
    if (!started || shutDown)
        return;
    if (onboarding.step() != OnboardingStore::Step::meet)
        onboarding.setStep(OnboardingStore::Step::meet);
    onboarding.setPresented(true);
    // A pending reveal gives way to this one.
    tourReveal.start();
}

void AppCoordinator::revealTour()
{
    if (shutDown || !onboarding.isPresented())
        return;
    pawPressed();
}

void AppCoordinator::shutdown()
{
    if (shutDown)
        return;
    shutDown = true;
    tourReveal.stop();
    if (firstFrame)
        firstFrame->cancel();
    // Ending the plan and the timer below is neither a completion nor anything to react to.
    clearCallbacks();
    if (appearance) {
        disconnect(&*appearance, nullptr, this, nullptr);
        disconnect(&*sleepWake, nullptr, this, nullptr);
        disconnect(&*sessionLock, nullptr, this, nullptr);
    }
    disconnect(&clockChanges, nullptr, this, nullptr);
    disconnect(&statusItem.view(), nullptr, this, nullptr);
    if (qGuiApp)
        disconnect(qGuiApp, nullptr, this, nullptr);

    if (pomodoro.plan())
        pomodoro.endPlan();
    if (!timer.state().isIdle())
        timer.cancel(services.clock.now());
    pullInteraction.stop();
    pullOverlay.close();
    if (endingCue) {
        endingCue->stopOverdueAlerts();
        endingCue->hide(false);
    }
    catSounds.stopAll();
    tactileSounds.shutdown();
    if (popover)
        popover->close();
    feedbackWindow.close();
    optionsWindow.shutdown();
    statusItem.close();
    setMotionPreference(nullptr);
}

void AppCoordinator::clearCallbacks()
{
    timer.onStateChange = nullptr;
    interfaceSettings.onLanguageChange = nullptr;
    interfaceSettings.onEndingCueChange = nullptr;
    themes.onSelectionChange = nullptr;
    timeDisplay.onChange = nullptr;
    pomodoroSettings.onConfigurationChange = nullptr;
    statusItem.onPull = nullptr;
    pullInteraction.onCommit = nullptr;
    pullInteraction.pomodoroContext = nullptr;
    optionsWindow.onReplayOnboarding = nullptr;
    if (popover) {
        popover->onDismissRequest = nullptr;
        popover->pawControlFrame = nullptr;
        popover->onShowOptions = nullptr;
        popover->onDetachedChange = nullptr;
        popover->onDurationInteractionChange = nullptr;
        popover->durationPullController().onInteractionChange = nullptr;
        popover->rootView().onQuit = nullptr;
        popover->rootView().onShowWelcomeTour = nullptr;
        popover->rootView().onSendFeedback = nullptr;
        popover->rootView().onCheckForUpdates = nullptr;
    }
    statusItem.shouldAutoDismiss = nullptr;
    statusItem.onAutoDismiss = nullptr;
    statusItem.isPullHandleCovered = nullptr;
}

void AppCoordinator::timerStateDidChange(
    const TimerState& previous, const TimerState& current, TimerStateChangeReason reason)
{
    // Only a timer that ran out sounds: a cancel, a skip or an ended plan is the user's own doing.
    if (reason == TimerStateChangeReason::completed)
        playCompletionSound();
    pomodoro.timerStateDidChange(previous, current, reason);
    // The pomodoro store may have started the next phase meanwhile: show what is now.
    updateEndingCue();
    statusItem.refresh();
}

void AppCoordinator::updateEndingCue()
{
    // Not built yet: building it judges the timer as it is then.
    if (!endingCue)
        return;
    endingCue->update(
        timer.state(), services.clock.now(), pomodoro.plan(), interfaceSettings.showsEndingCue(), themes.selected());
}

void AppCoordinator::playCompletionSound()
{
    if (interfaceSettings.completionSound() == CompletionSound::catChitter)
        catSounds.play(CatSoundPlayer::Sound::chitter, chitterVolume);
    else
        tactileSounds.play(TactileSound::chime, chimeVolume);
}

void AppCoordinator::languageDidChange(AppLanguage language)
{
    interfaceTranslator.install(language, interfaceSettings.availableLanguages());
    // The pending notification's title was written in the old language.
    timer.rescheduleNotification();
}

void AppCoordinator::timeDisplayStyleDidChange(TimeDisplayStyle style)
{
    statusItem.setTimeDisplayStyle(style);
    timer.setTickCadence(tickCadence(style));
}

void AppCoordinator::commitPull(const PullCommit& commit)
{
    if (shutDown)
        return;
    const Date now = services.clock.now();
    if (pomodoro.plan() || commit.mode == TimerMode::pomodoro)
        pomodoro.commitSessions(commit.steps, now);
    else
        timer.addTime(commit.seconds, now);
    statusItem.showPawAgain();
}

void AppCoordinator::handlePull(const PullGestureEvent& event)
{
    if (shutDown)
        return;
    if (onboarding.isPresented()) {
        // The tour took over mid-pull: the pull ends without a commit.
        if (pullInteraction.isPulling())
            pullInteraction.stop();
        return;
    }
    // One rope at a time: a paw pull waits until the popover's duration pull has ended.
    if (event.phase == PullGestureEvent::Phase::began && durationPulling)
        return;
    // The pull's animations ask the desktop's motion setting.
    watchDesktop();
    if (event.phase == PullGestureEvent::Phase::began && popover)
        popover->hide();
    pullInteraction.handle(event);
}

void AppCoordinator::pawPressed()
{
    if (shutDown)
        return;
    popoverController().updatePawFrame(QRectF(statusItem.window().pawScreenRect()));
    // The paw stays above the popover hanging from it; the popover covers the peeking handle, which
    // would otherwise hide the header's buttons.
    statusItem.window().raise();
}

void AppCoordinator::showOptions()
{
    if (shutDown || onboarding.isPresented())
        return;
    presentOptions();
}

void AppCoordinator::presentOptions()
{
    statusItem.concealPullHandle();
    optionsWindow.show();
}

void AppCoordinator::checkForUpdates()
{
    if (shutDown)
        return;
    // The attached popover stays on top of everything and would cover the window; a pinned one
    // stays where the user put it, and so does the tour, which goes on beside the settings (unlike
    // the menu's settings row, the link acts during the tour: it leads to the found version).
    popoverController().hide();
    optionsNavigation.showSetting(OptionsSetting::generalUpdates);
    presentOptions();
    if (DirectDistributionRuntime* updates = AppDelegate::updateRuntime())
        updates->checkForUpdates();
}

void AppCoordinator::dismissPopover()
{
    if (shutDown)
        return;
    statusItem.concealPullHandle();
    if (popover)
        popover->hide();
}

PomodoroPullContext AppCoordinator::pomodoroPullContext() const
{
    const auto& plan = pomodoro.plan();
    return { plan.has_value(), plan && !plan->isPhaseRunning };
}

void AppCoordinator::didWake()
{
    if (shutDown)
        return;
    timer.refresh(services.clock.now());
    if (endingCue)
        endingCue->recheck();
    if (services.notificationCenter)
        services.notificationCenter->recheck();
}

void AppCoordinator::clockDidChange()
{
    if (shutDown)
        return;
    // A timer the new time puts past its end completes; one that moved away from its end takes
    // the cue down until its lead time comes again.
    timer.refresh(services.clock.now());
    updateEndingCue();
    statusItem.refresh();
}

void AppCoordinator::sessionLockDidChange(bool locked)
{
    if (shutDown)
        return;
    endingCueController().setSessionLocked(locked);
    if (!locked)
        updateEndingCue();
}

void AppCoordinator::didBecomeActive()
{
    if (shutDown)
        return;
    loginItems.refresh();
    if (services.notifications)
        services.notifications->refreshSettings();
}

void AppCoordinator::applicationStateDidChange(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationActive)
        didBecomeActive();
}

void AppCoordinator::requestTermination()
{
    if (onTerminateRequest)
        onTerminateRequest();
}

} // namespace mewt

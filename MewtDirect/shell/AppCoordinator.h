#pragma once

#include "cues/CatSoundPlayer.h"
#include "cues/EndingCueController.h"
#include "cues/TactileSoundPlayer.h"
#include "model/CatBedStore.h"
#include "model/InterfaceSettingsStore.h"
#include "model/OnboardingStore.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/PullSettingsStore.h"
#include "model/ThemeStore.h"
#include "model/TimeDisplaySettingsStore.h"
#include "model/TimerStore.h"
#include "options/FeedbackWindowController.h"
#include "options/OptionsChromeState.h"
#include "options/OptionsNavigationModel.h"
#include "options/OptionsWindowController.h"
#include "platform/AppearanceMonitor.h"
#include "platform/AudioEngine.h"
#include "platform/Clock.h"
#include "platform/MotionPreference.h"
#include "platform/SessionLockMonitor.h"
#include "platform/SleepWakeMonitor.h"
#include "platform/WallClockChangeMonitor.h"
#include "popover/TimerPopoverController.h"
#include "popover/TimerPopoverPlacementStore.h"
#include "pull/PullAmount.h"
#include "pull/PullInteractionController.h"
#include "pull/PullOverlayController.h"
#include "shell/InterfaceTranslator.h"
#include "shell/LoginItemService.h"
#include "shell/StatusItemController.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace mewt {

class FirstFrameWatcher;
class FreedesktopNotificationCenter;
class NotificationScheduling;
class UserDefaults;

// The compact style shows whole minutes, so a running timer need only wake once a minute for it.
TimerTickCadence tickCadence(TimeDisplayStyle style);

// Builds every store and controller of the app once, wires their callbacks in `start`, and takes
// them down in `shutdown`. It owns them all for the life of the process.
class GlobalPointerMonitor;

class AppCoordinator final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppCoordinator)

public:
    // What the application delegate hands down. Everything referenced must outlive the coordinator.
    struct Services {
        UserDefaults& defaults;
        const Clock& clock;
        // Null schedules no notifications.
        NotificationScheduling* notifications = nullptr;
        // Rechecked after a wake, since its delivery timer does not count suspended time.
        FreedesktopNotificationCenter* notificationCenter = nullptr;
        AudioEngine::Options audio {};
        // Empty: the user's autostart folder.
        QString loginItemEntryPath;
        // The pointer anywhere on the desktop; null sees only the app's own windows.
        GlobalPointerMonitor* pointerMonitor = nullptr;
    };

    static constexpr double chimeVolume = 0.9;
    static constexpr double chitterVolume = 0.85;
    static constexpr QSize initialPopoverContentSize { 300, 132 };

    explicit AppCoordinator(const Services& services, QObject* parent = nullptr);
    ~AppCoordinator() override;

    // Wires the callbacks and observers, starts the sounds, settles the restored timer and plan,
    // and shows the paw. A second call does nothing; so does a call after shutdown.
    void start();
    // Once the paw has painted its first frame (or at the latest after this long), the rest of the
    // launch: the sounds start rendering and decoding aside, the desktop's watchers (appearance,
    // reduced motion, sleep, the session's lock) are made, the popover and the ending cue are
    // built and wired, and the cue is judged for the restored timer. Whatever needs them sooner (a
    // press on the paw, a pull, a timer that ends, a sound) makes them at once. Until then the
    // paw takes its look from the palette, as the appearance watcher does until the desktop's
    // portal answers. Does nothing before start, the second time, or after shutdown.
    static constexpr std::chrono::milliseconds launchCompletionLimit { 1000 };
    void completeLaunch();
    bool isLaunchComplete() const { return launchComplete; }
    // Called once the launch is complete; the delegate fills it.
    std::function<void()> onLaunchComplete;
    // Ends the plan and the timer and takes everything down; nothing is called back afterwards.
    // A second call does nothing.
    void shutdown();
    bool isStarted() const { return started; }
    bool isShutDown() const { return shutDown; }

    // A pull ended over the paw with at least one step: a plan takes it as sessions (a plan,
    // running or waiting, always wins over the mode); otherwise the timer takes the seconds.
    void commitPull(const PullCommit& commit);
    // The handle's events reach the pull only while the welcome tour is not showing.
    void handlePull(const PullGestureEvent& event);
    // After the machine slept: a timer whose end passed completes now, and the ending cue and the
    // notifications due meanwhile catch up.
    void didWake();
    // The wall clock was set: the timer, the paw and the ending cue are judged again together.
    void clockDidChange();
    // No ending cue above the lock screen; the unlock shows what is due then.
    void sessionLockDidChange(bool locked);
    // The app came to the front: the login item and notification settings may have changed.
    void didBecomeActive();
    // Shows the welcome tour again from its first step and opens the popover on it.
    void replayOnboarding();
    // A first launch, or a replay, opens the popover on the tour once the paw is on screen.
    static constexpr int tourRevealDelayMs = 400;
    bool isTourRevealPending() const { return tourReveal.isActive(); }
    // Between the begin and the end of a pull on a pomodoro duration in the popover.
    bool isDurationPullActive() const { return durationPulling; }
    void revealTour();

    // Asks the application to quit in order; the delegate fills it.
    std::function<void()> onTerminateRequest;
    void requestTermination();

    TimerStore& timerStore() { return timer; }
    ThemeStore& themeStore() { return themes; }
    CatBedStore& catBedStore() { return catBeds; }
    PopoverAppearanceStore& popoverAppearanceStore() { return popoverAppearance; }
    LoginItemService& loginItemService() { return loginItems; }
    PullSettingsStore& pullSettingsStore() { return pullSettings; }
    TimeDisplaySettingsStore& timeDisplaySettingsStore() { return timeDisplay; }
    InterfaceSettingsStore& interfaceSettingsStore() { return interfaceSettings; }
    AudioEngine& audioEngine() { return engine; }
    TactileSoundPlayer& tactileSoundPlayer() { return tactileSounds; }
    CatSoundPlayer& catSoundPlayer() { return catSounds; }
    PomodoroSettingsStore& pomodoroSettingsStore() { return pomodoroSettings; }
    OnboardingStore& onboardingStore() { return onboarding; }
    PomodoroStore& pomodoroStore() { return pomodoro; }
    StatusItemController& statusItemController() { return statusItem; }
    EndingCueController& endingCueController();
    PullOverlayController& pullOverlayController() { return pullOverlay; }
    PullInteractionController& pullInteractionController() { return pullInteraction; }
    TimerPopoverController& popoverController();
    TimerPopoverPlacementStore& popoverPlacementStore() { return popoverPlacement; }
    SleepWakeMonitor& sleepWakeMonitor();
    AppearanceMonitor& appearanceMonitor();
    const InterfaceTranslator& translator() const { return interfaceTranslator; }
    // What the popover's menu and the general page call to open the feedback panel.
    FeedbackWindowController& feedbackWindowController() { return feedbackWindow; }
    // What the popover's menu and others call: shows the options window on its last page, unless
    // the welcome tour is showing.
    void showOptions();
    // The popover's "update" link: checks for a newer version and opens the options window at the
    // updates row, where the check's progress and outcome show, the tour or not.
    void checkForUpdates();
    OptionsNavigationModel& optionsNavigationModel() { return optionsNavigation; }
    OptionsWindowController& optionsWindowController() { return optionsWindow; }

private:
    // The options window in front, the pull handle put away.
    void presentOptions();
    void timerStateDidChange(const TimerState& previous, const TimerState& current, TimerStateChangeReason reason);
    void playCompletionSound();
    void updateEndingCue();
    // The paw was pressed: the handle is out, and the popover slides in beneath both.
    void pawPressed();
    // A click elsewhere or Escape: the handle goes with the popover.
    void dismissPopover();
    void languageDidChange(AppLanguage language);
    void timeDisplayStyleDidChange(TimeDisplayStyle style);
    void applicationStateDidChange(Qt::ApplicationState state);
    PomodoroPullContext pomodoroPullContext() const;
    void clearCallbacks();
    // Builds the popover and the ending cue the first time; wires them unless shut down.
    void buildDeferredParts();
    // Makes the desktop's watchers the first time; follows them unless shut down.
    void watchDesktop();
    void applyDark(bool dark);
    // The app-wide palette and the feedback panel's colours, from the desktop's look and the cat.
    void applyColors();
    void wirePopover();

    Services services;

    // Built in this order, which is the order of declaration.
    TimerStore timer;
    ThemeStore themes;
    CatBedStore catBeds;
    PopoverAppearanceStore popoverAppearance;
    LoginItemService loginItems;
    PullSettingsStore pullSettings;
    TimeDisplaySettingsStore timeDisplay;
    InterfaceSettingsStore interfaceSettings;
    AudioEngine engine;
    TactileSoundPlayer tactileSounds;
    CatSoundPlayer catSounds;
    PomodoroSettingsStore pomodoroSettings;
    OnboardingStore onboarding;
    PomodoroStore pomodoro;
    StatusItemController statusItem;
    // These two wait for the paw's first frame (see completeLaunch).
    std::optional<EndingCueController> endingCue;
    OptionsNavigationModel optionsNavigation;
    OptionsChromeState optionsChrome;
    OptionsWindowController optionsWindow;
    // The interaction drives the overlay, so the overlay comes first.
    PullOverlayController pullOverlay;
    PullInteractionController pullInteraction;
    TimerPopoverPlacementStore popoverPlacement;
    std::optional<TimerPopoverController> popover;
    FeedbackWindowController feedbackWindow;

    // These four subscribe on D-Bus, each waiting for an answer: they too come after the paw.
    std::optional<SleepWakeMonitor> sleepWake;
    WallClockChangeMonitor clockChanges;
    std::optional<SessionLockMonitor> sessionLock;
    std::optional<AppearanceMonitor> appearance;
    std::optional<MotionPreference> motionPreference;
    InterfaceTranslator interfaceTranslator;

    QTimer tourReveal;
    std::unique_ptr<FirstFrameWatcher> firstFrame;
    bool launchComplete = false;
    bool deferredPartsWired = false;
    bool desktopWatched = false;
    bool desktopDark = false;
    bool durationPulling = false;
    bool started = false;
    bool shutDown = false;
};

} // namespace mewt

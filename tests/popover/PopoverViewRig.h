#pragma once

#include "cues/TactileSoundPlayer.h"
#include "model/InterfaceSettingsStore.h"
#include "model/OnboardingStore.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/PullSettingsStore.h"
#include "model/ThemeStore.h"
#include "model/TimerStore.h"
#include "platform/AudioEngine.h"
#include "platform/Clock.h"
#include "platform/MemoryUserDefaults.h"
#include "popover/TimerPopoverPresentation.h"
#include "popover/TimerPopoverStores.h"
#include "popover/TimerPopoverView.h"

#include <QCoreApplication>
#include <memory>

namespace mewt::testing {

// Counts what the popover asks of the notification service.
class CountingNotifications final : public NotificationScheduling {
public:
    void schedule(Date, const CompletionNotification&, bool) override { }
    void cancelPending() override { }
    void refreshSettings() override { }
    void requestPermission() override { ++permissionRequests; }
    void refreshAuthorization(bool, std::function<void(bool)> completion) override { completion(true); }
    void cancelPendingForQuit(std::function<void()> completion) override { completion(); }
    int permissionRequests = 0;
};

// Real stores over memory defaults and a manual clock, wired as the shell wires them, and the root
// view over them. The view is made on first use, so a test may set the stores up before.
struct PopoverViewRig {
    MemoryUserDefaults defaults;
    ManualClock clock;
    InterfaceSettingsStore interfaceSettings { defaults, { AppLanguage::system } };
    PullSettingsStore pullSettings { defaults };
    PomodoroSettingsStore pomodoroSettings { defaults };
    ThemeStore theme { defaults };
    PopoverAppearanceStore appearance { defaults };
    OnboardingStore onboarding { defaults };
    CountingNotifications notifications;
    TimerStore timer { defaults, clock, &notifications };
    PomodoroStore pomodoro { defaults, clock, timer, pomodoroSettings };
    TimerPopoverPresentation presentation;
    AudioEngine engine { AudioEngine::Options { {}, std::chrono::milliseconds(40), true, true } };
    TactileSoundPlayer sounds { interfaceSettings, engine, clock };
    std::unique_ptr<TimerPopoverView> root;

    PopoverViewRig()
    {
        engine.start();
        timer.onStateChange
            = [this](const TimerState& previous, const TimerState& current, TimerStateChangeReason reason) {
                  pomodoro.timerStateDidChange(previous, current, reason);
              };
        pomodoroSettings.onConfigurationChange
            = [this](const PomodoroConfiguration& configuration) { pomodoro.configurationDidChange(configuration); };
    }
    ~PopoverViewRig() { root.reset(); }

    TimerPopoverView& view()
    {
        if (!root) {
            root = std::make_unique<TimerPopoverView>(TimerPopoverStores { timer, theme, appearance, interfaceSettings,
                                                          pullSettings, pomodoroSettings, pomodoro, onboarding },
                presentation, &sounds, clock);
        }
        return *root;
    }

    // How many times `sound` was asked for since the engine started.
    int played(TactileSound sound) const
    {
        int count = 0;
        for (const AudioCommand& command : engine.commandLog())
            count += command.kind == AudioCommand::Kind::playTactile && sounds.buffer(sound) == command.samples;
        return count;
    }

    // Lets queued syncs run.
    static void settle() { QCoreApplication::processEvents(); }
};

} // namespace mewt::testing

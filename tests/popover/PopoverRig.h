#pragma once

#include "model/InterfaceSettingsStore.h"
#include "model/OnboardingStore.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/PullSettingsStore.h"
#include "model/ThemeStore.h"
#include "model/TimerStore.h"
#include "platform/Clock.h"
#include "platform/MemoryUserDefaults.h"
#include "popover/TimerPopoverPresentation.h"
#include "popover/TimerPopoverStores.h"
#include "popover/TimerPopoverView.h"

#include <QCoreApplication>
#include <memory>

namespace mewt::testing {

// Real stores over memory defaults and a manual clock, wired as the shell wires them, and the root
// view over them. The view is made on first use, so a test may set the stores up before.
struct PopoverRig {
    MemoryUserDefaults defaults;
    ManualClock clock;
    InterfaceSettingsStore interfaceSettings { defaults, { AppLanguage::system } };
    PullSettingsStore pullSettings { defaults };
    PomodoroSettingsStore pomodoroSettings { defaults };
    ThemeStore theme { defaults };
    PopoverAppearanceStore appearance { defaults };
    OnboardingStore onboarding { defaults };
    TimerStore timer { defaults, clock, nullptr };
    PomodoroStore pomodoro { defaults, clock, timer, pomodoroSettings };
    TimerPopoverPresentation presentation;
    std::unique_ptr<TimerPopoverView> root;

    PopoverRig()
    {
        timer.onStateChange
            = [this](const TimerState& previous, const TimerState& current, TimerStateChangeReason reason) {
                  pomodoro.timerStateDidChange(previous, current, reason);
              };
        pomodoroSettings.onConfigurationChange
            = [this](const PomodoroConfiguration& configuration) { pomodoro.configurationDidChange(configuration); };
    }
    ~PopoverRig() { root.reset(); }

    TimerPopoverView& view()
    {
        if (!root) {
            root = std::make_unique<TimerPopoverView>(TimerPopoverStores { timer, theme, appearance, interfaceSettings,
                                                          pullSettings, pomodoroSettings, pomodoro, onboarding },
                presentation, nullptr, clock);
        }
        return *root;
    }

    // Lets queued syncs run.
    static void settle() { QCoreApplication::processEvents(); }
};

} // namespace mewt::testing

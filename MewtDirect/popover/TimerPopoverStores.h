#pragma once

namespace mewt {

class InterfaceSettingsStore;
class OnboardingStore;
class PomodoroSettingsStore;
class PomodoroStore;
class PopoverAppearanceStore;
class PullSettingsStore;
class ThemeStore;
class TimerStore;

// The eight stores the popover reads and drives, handed down from the coordinator in one piece.
struct TimerPopoverStores {
    TimerStore& timer;
    ThemeStore& theme;
    PopoverAppearanceStore& appearance;
    InterfaceSettingsStore& interfaceSettings;
    PullSettingsStore& pullSettings;
    PomodoroSettingsStore& pomodoroSettings;
    PomodoroStore& pomodoro;
    OnboardingStore& onboarding;
};

} // namespace mewt

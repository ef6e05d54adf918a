#pragma once

#include "cues/CatSoundPlayer.h"
#include "cues/TactileSoundPlayer.h"
#include "model/CatBedStore.h"
#include "model/InterfaceSettingsStore.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PomodoroStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/PullSettingsStore.h"
#include "model/ThemeStore.h"
#include "model/TimeDisplaySettingsStore.h"
#include "model/TimerStore.h"
#include "options/OptionsChromeState.h"
#include "options/OptionsNavigationModel.h"
#include "options/OptionsWindowController.h"
#include "platform/AudioEngine.h"
#include "platform/Clock.h"
#include "platform/MemoryUserDefaults.h"

namespace mewt::testing {

// Every store the options pages edit, over in-memory defaults, with a silent offline engine, and
// the window's controller over them.
struct OptionsWindowRig {
    MemoryUserDefaults defaults;
    ManualClock clock;
    InterfaceSettingsStore interfaceSettings { defaults, { AppLanguage::system } };
    PullSettingsStore pullSettings { defaults };
    PomodoroSettingsStore pomodoroSettings { defaults };
    ThemeStore themes { defaults };
    CatBedStore catBeds { defaults };
    PopoverAppearanceStore appearance { defaults };
    TimeDisplaySettingsStore timeDisplay { defaults };
    TimerStore timer { defaults, clock, nullptr };
    PomodoroStore pomodoro { defaults, clock, timer, pomodoroSettings };
    AudioEngine engine { AudioEngine::Options { {}, std::chrono::milliseconds(40), true, true } };
    TactileSoundPlayer sounds { interfaceSettings, engine, clock };
    CatSoundPlayer catSounds { interfaceSettings, engine };
    OptionsNavigationModel navigation { [] { return OptionsSettingsAvailability { 2 }; } };
    OptionsChromeState chrome;
    OptionsWindowController controller { navigation, chrome,
        OptionsWindowController::Stores { timer, themes, catBeds, appearance, pullSettings, timeDisplay,
            interfaceSettings, pomodoroSettings, pomodoro, sounds, catSounds } };

    int writes(const QString& key) const { return defaults.writeCount(key); }
};

} // namespace mewt::testing

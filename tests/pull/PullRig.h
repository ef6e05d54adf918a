#pragma once

#include "platform/AudioEngine.h"
#include "cues/CatSoundPlayer.h"
#include "platform/Clock.h"
#include "model/InterfaceSettingsStore.h"
#include "platform/MemoryUserDefaults.h"
#include "model/PomodoroSettingsStore.h"
#include "pull/PullOverlayController.h"
#include "model/PullSettingsStore.h"
#include "cues/TactileSoundPlayer.h"
#include "model/ThemeStore.h"
#include "model/TimerStore.h"

#include <optional>
#include <vector>

namespace mewt::testing {

// Real stores over memory defaults and the real players over an offline engine that remembers
// every command, so a test sees exactly which sounds a pull asked for.
struct PullRig {
    MemoryUserDefaults defaults;
    ManualClock clock;
    InterfaceSettingsStore interfaceSettings { defaults, { AppLanguage::system } };
    PullSettingsStore pullSettings { defaults };
    PomodoroSettingsStore pomodoroSettings { defaults };
    ThemeStore themeStore { defaults };
    TimerStore timerStore { defaults, clock, nullptr };
    AudioEngine engine { AudioEngine::Options { {}, std::chrono::milliseconds(40), true, true } };
    TactileSoundPlayer tactileSounds { interfaceSettings, engine, clock };
    CatSoundPlayer catSounds { interfaceSettings, engine };
    PullOverlayController overlay;

    PullRig() { engine.start(); }

    std::size_t mark() const { return engine.commandLog().size(); }

    // The interface sounds asked for since `from`, in order.
    std::vector<TactileSound> soundsSince(std::size_t from) const
    {
        std::vector<TactileSound> sounds;
        const auto& log = engine.commandLog();
        for (std::size_t i = from; i < log.size(); ++i) {
            if (log[i].kind != AudioCommand::Kind::playTactile)
                continue;
            for (TactileSound sound : allTactileSounds) {
                if (tactileSounds.buffer(sound) == log[i].samples)
                    sounds.push_back(sound);
            }
        }
        return sounds;
    }

    bool purrPlaying() const { return catSounds.isPlaying(CatSoundPlayer::Sound::purr, 0); }
};

} // namespace mewt::testing

#pragma once

#include "platform/AudioEngine.h"
#include "platform/Clock.h"
#include "model/InterfaceSettingsStore.h"
#include "platform/MemoryUserDefaults.h"
#include "cues/TactileSoundPlayer.h"

#include <vector>

namespace mewt::testing {

// A player over an offline engine that remembers every command, with settings in memory and a
// clock the test drives.
struct SoundRig {
    MemoryUserDefaults defaults;
    InterfaceSettingsStore settings { defaults, { AppLanguage::system } };
    ManualClock clock;
    AudioEngine engine { AudioEngine::Options { {}, std::chrono::milliseconds(40), true, true } };
    TactileSoundPlayer player { settings, engine, clock };

    std::size_t mark() const { return engine.commandLog().size(); }

    // The interface sounds posted since `from`, in order.
    std::vector<TactileSound> soundsSince(std::size_t from) const
    {
        std::vector<TactileSound> sounds;
        const auto& log = engine.commandLog();
        for (std::size_t i = from; i < log.size(); ++i) {
            for (TactileSound sound : allTactileSounds) {
                if (log[i].kind == AudioCommand::Kind::playTactile && player.buffer(sound) == log[i].samples)
                    sounds.push_back(sound);
            }
        }
        return sounds;
    }
};

} // namespace mewt::testing

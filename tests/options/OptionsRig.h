#pragma once

#include "model/PomodoroSettingsStore.h"
#include "model/PullSettingsStore.h"
#include "options/SettingBinding.h"
#include "platform/MemoryUserDefaults.h"

namespace mewt::testing {

// Real stores over in-memory defaults, which count every write per key.
struct OptionsRig {
    MemoryUserDefaults defaults;
    PullSettingsStore pull { defaults };
    PomodoroSettingsStore pomodoro { defaults };

    int writes(const QString& key) const { return defaults.writeCount(key); }

    SettingBinding<int> quickTimeMinutes()
    {
        return bindSetting<int>(pull, &PullSettingsStore::quickTimeMinutes, &PullSettingsStore::setQuickTimeMinutes,
            &PullSettingsStore::quickTimeMinutesChanged);
    }

    // A length kept in seconds, edited in whole minutes, as the pomodoro rows do.
    SettingBinding<int> minutes(int PomodoroConfiguration::*field)
    {
        PomodoroSettingsStore& store = pomodoro;
        return {
            [&store, field] { return store.configuration().*field / 60; },
            [&store, field](int minutes) {
                PomodoroConfiguration changed = store.configuration();
                changed.*field = minutes * 60;
                store.setConfiguration(changed);
            },
            [&store](QObject* context, std::function<void()> refresh) {
                QObject::connect(
                    &store, &PomodoroSettingsStore::configurationChanged, context, [refresh] { refresh(); });
            },
        };
    }

    void setSeconds(int PomodoroConfiguration::*field, int seconds)
    {
        PomodoroConfiguration changed = pomodoro.configuration();
        changed.*field = seconds;
        pomodoro.setConfiguration(changed);
    }
};

} // namespace mewt::testing

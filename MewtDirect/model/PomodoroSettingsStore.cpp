#include "model/PomodoroSettingsStore.h"

#include "model/SettingsLoading.h"
#include "platform/UserDefaults.h"

namespace mewt {

PomodoroSettingsStore::PomodoroSettingsStore(UserDefaults& defaults, QObject* parent)
    : QObject(parent)
    , defaults(defaults)
{
    currentMode = loadEnum(
        defaults, modeKey, TimerMode::timer, timerModeFromRawValue, [](TimerMode mode) { return rawValue(mode); });
    startsNextFocus = loadBool(defaults, autoStartsNextFocusKey, false);
    startsNextBreak = loadBool(defaults, autoStartsNextBreakKey, true);
    continuousMode = loadBool(defaults, continuousModeKey, false);

    if (defaults.contains(configurationKey)) {
        bool adjusted = true;
        if (const auto data = defaults.dataValue(configurationKey))
            currentConfiguration = PomodoroConfiguration::decoded(*data, &adjusted);
        if (adjusted)
            defaults.setData(configurationKey, currentConfiguration.encoded());
    }
}

void PomodoroSettingsStore::setMode(TimerMode mode)
{
    if (mode == currentMode)
        return;
    currentMode = mode;
    defaults.setString(modeKey, rawValue(mode));
    Q_EMIT modeChanged(mode);
}

void PomodoroSettingsStore::setConfiguration(const PomodoroConfiguration& configuration)
{
    const PomodoroConfiguration held = configuration.normalized();
    const bool changed = held != currentConfiguration;
    currentConfiguration = held;
    defaults.setData(configurationKey, held.encoded());
    if (changed)
        Q_EMIT configurationChanged(held);
    if (onConfigurationChange)
        onConfigurationChange(held);
}

void PomodoroSettingsStore::setContinuousModeEnabled(bool enabled)
{
    if (enabled == continuousMode)
        return;
    continuousMode = enabled;
    defaults.setBool(continuousModeKey, enabled);
    Q_EMIT isContinuousModeEnabledChanged(enabled);
}

void PomodoroSettingsStore::setAutoStartsNextFocus(bool enabled)
{
    if (enabled == startsNextFocus)
        return;
    startsNextFocus = enabled;
    defaults.setBool(autoStartsNextFocusKey, enabled);
    Q_EMIT autoStartsNextFocusChanged(enabled);
}

void PomodoroSettingsStore::setAutoStartsNextBreak(bool enabled)
{
    if (enabled == startsNextBreak)
        return;
    startsNextBreak = enabled;
    defaults.setBool(autoStartsNextBreakKey, enabled);
    Q_EMIT autoStartsNextBreakChanged(enabled);
}

} // namespace mewt

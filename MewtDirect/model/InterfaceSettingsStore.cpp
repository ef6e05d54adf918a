#include "model/InterfaceSettingsStore.h"

#include "model/SettingsLoading.h"
#include "platform/UserDefaults.h"

#include <QTranslator>
#include <algorithm>
#include <cmath>

namespace mewt {

QString rawValue(TimerIdleLayout layout)
{
    return layout == TimerIdleLayout::clock ? QStringLiteral("clock") : QStringLiteral("mewt");
}

std::optional<TimerIdleLayout> timerIdleLayoutFromRawValue(const QString& raw)
{
    for (const TimerIdleLayout layout : allTimerIdleLayouts) {
        if (rawValue(layout) == raw)
            return layout;
    }
    return std::nullopt;
}

QString rawValue(CompletionSound sound)
{
    return sound == CompletionSound::catChitter ? QStringLiteral("catChitter") : QStringLiteral("ding");
}

std::optional<CompletionSound> completionSoundFromRawValue(const QString& raw)
{
    for (const CompletionSound sound : allCompletionSounds) {
        if (rawValue(sound) == raw)
            return sound;
    }
    return std::nullopt;
}

QString displayName(CompletionSound sound)
{
    return sound == CompletionSound::catChitter ? QStringLiteral("cat chitter") : QStringLiteral("ding");
}

QString endingCueLeadTimeLabel(int seconds)
{
    if (seconds > 59)
        return QStringLiteral("%1 min").arg(seconds / 60);
    return QStringLiteral("%1 sec").arg(seconds);
}

QString pomodoroOverdueCueIntervalLabel(int minutes)
{
    return QStringLiteral("every %1 min").arg(minutes);
}

bool translationIsUsable(const QString& resource)
{
    if (resource.isEmpty())
        return false;
    QTranslator translator;
    if (!translator.load(resource))
        return false;
    const QString key = QStringLiteral("mewt timer complete");
    const QString translated = translator.translate("mewt", "mewt timer complete");
    return !translated.isEmpty() && translated != key;
}

std::vector<AppLanguage> compiledInLanguages()
{
    std::vector<AppLanguage> languages;
    for (const AppLanguage language : allAppLanguages) {
        if (language == AppLanguage::system || translationIsUsable(translationResource(language)))
            languages.push_back(language);
    }
    return languages;
}

double InterfaceSettingsStore::normalizedTactileSoundVolume(double volume)
{
    if (!std::isfinite(volume) || volume >= 1.0)
        return 1.0;
    return volume < 0.0 ? 0.0 : volume;
}

int InterfaceSettingsStore::normalizedEndingCueLeadTimeSeconds(qint64 seconds)
{
    const auto& choices = endingCueLeadTimeChoices;
    return std::find(choices.begin(), choices.end(), seconds) != choices.end() ? static_cast<int>(seconds)
                                                                               : defaultEndingCueLeadTimeSeconds;
}

int InterfaceSettingsStore::normalizedPomodoroOverdueCueIntervalMinutes(qint64 minutes)
{
    const auto& choices = pomodoroOverdueCueIntervalChoices;
    return std::find(choices.begin(), choices.end(), minutes) != choices.end()
        ? static_cast<int>(minutes)
        : defaultPomodoroOverdueCueIntervalMinutes;
}

InterfaceSettingsStore::InterfaceSettingsStore(
    UserDefaults& defaults, std::vector<AppLanguage> availableLanguages, QObject* parent)
    : QObject(parent)
    , defaults(defaults)
{
    for (const AppLanguage language : allAppLanguages) {
        const bool listed
            = std::find(availableLanguages.begin(), availableLanguages.end(), language) != availableLanguages.end();
        if (language == AppLanguage::system || listed)
            offeredLanguages.push_back(language);
    }

    loadLanguage();
    loadTimerIdleLayout();
    zenMode = loadBool(defaults, zenModeKey, false);
    modePicker = loadBool(defaults, showsTimerModePickerKey, true);
    instructions = loadBool(defaults, showsTimerInstructionsKey, true);
    autoDismiss = loadBool(defaults, automaticallyDismissesControlsKey, true);
    soundsEnabled = loadBool(defaults, tactileSoundsEnabledKey, true);
    loadTactileSoundVolume();
    currentCompletionSound = loadEnum(defaults, completionSoundKey, CompletionSound::ding, completionSoundFromRawValue,
        [](CompletionSound sound) { return rawValue(sound); });
    endingCue = loadBool(defaults, showsEndingCueKey, true);
    leadTime = static_cast<int>(
        loadInt(defaults, endingCueLeadTimeKey, defaultEndingCueLeadTimeSeconds, normalizedEndingCueLeadTimeSeconds));
    overdueInterval = static_cast<int>(loadInt(defaults, overdueCueIntervalKey,
        defaultPomodoroOverdueCueIntervalMinutes, normalizedPomodoroOverdueCueIntervalMinutes));
}

bool InterfaceSettingsStore::isOffered(AppLanguage language) const
{
    return std::find(offeredLanguages.begin(), offeredLanguages.end(), language) != offeredLanguages.end();
}

void InterfaceSettingsStore::loadLanguage()
{
    if (!defaults.contains(languageKey))
        return;
    if (const auto raw = defaults.stringValue(languageKey)) {
        const auto language = appLanguageFromRawValue(*raw);
        if (language && isOffered(*language)) {
            currentLanguage = *language;
            return;
        }
    }
    // Unknown, or a language whose translation is gone: the picker could not show it.
    currentLanguage = AppLanguage::system;
    defaults.setString(languageKey, rawValue(currentLanguage));
}

void InterfaceSettingsStore::loadTimerIdleLayout()
{
    if (const auto raw = defaults.stringValue(timerIdleLayoutKey)) {
        if (const auto layout = timerIdleLayoutFromRawValue(*raw)) {
            idleLayout = *layout;
            return;
        }
    }
    // Older versions had a switch for the start controls; the clock layout is what replaced it.
    idleLayout = defaults.boolValue(legacyShowsStartControlsKey).value_or(false) ? TimerIdleLayout::clock
                                                                                 : TimerIdleLayout::mewt;
    defaults.setString(timerIdleLayoutKey, rawValue(idleLayout));
}

void InterfaceSettingsStore::loadTactileSoundVolume()
{
    if (!defaults.contains(tactileSoundVolumeKey))
        return;
    const auto stored = defaults.doubleValue(tactileSoundVolumeKey);
    soundVolume = normalizedTactileSoundVolume(stored.value_or(1.0));
    if (!stored || soundVolume != *stored)
        defaults.setDouble(tactileSoundVolumeKey, soundVolume);
}

void InterfaceSettingsStore::setLanguage(AppLanguage language)
{
    if (!isOffered(language) || language == currentLanguage)
        return;
    currentLanguage = language;
    defaults.setString(languageKey, rawValue(language));
    Q_EMIT languageChanged(language);
    if (onLanguageChange)
        onLanguageChange(language);
}

void InterfaceSettingsStore::setTimerIdleLayout(TimerIdleLayout layout)
{
    if (layout == idleLayout)
        return;
    idleLayout = layout;
    defaults.setString(timerIdleLayoutKey, rawValue(layout));
    Q_EMIT timerIdleLayoutChanged(layout);
}

void InterfaceSettingsStore::setIsZenModeEnabled(bool enabled)
{
    if (enabled == zenMode)
        return;
    zenMode = enabled;
    defaults.setBool(zenModeKey, enabled);
    Q_EMIT isZenModeEnabledChanged(enabled);
}

void InterfaceSettingsStore::setShowsTimerModePicker(bool shows)
{
    if (shows == modePicker)
        return;
    modePicker = shows;
    defaults.setBool(showsTimerModePickerKey, shows);
    Q_EMIT showsTimerModePickerChanged(shows);
}

void InterfaceSettingsStore::setShowsTimerInstructions(bool shows)
{
    if (shows == instructions)
        return;
    instructions = shows;
    defaults.setBool(showsTimerInstructionsKey, shows);
    Q_EMIT showsTimerInstructionsChanged(shows);
}

void InterfaceSettingsStore::setAutomaticallyDismissesControls(bool dismisses)
{
    if (dismisses == autoDismiss)
        return;
    autoDismiss = dismisses;
    defaults.setBool(automaticallyDismissesControlsKey, dismisses);
    Q_EMIT automaticallyDismissesControlsChanged(dismisses);
}

void InterfaceSettingsStore::setTactileSoundsEnabled(bool enabled)
{
    if (enabled == soundsEnabled)
        return;
    soundsEnabled = enabled;
    defaults.setBool(tactileSoundsEnabledKey, enabled);
    Q_EMIT tactileSoundsEnabledChanged(enabled);
}

void InterfaceSettingsStore::setTactileSoundVolume(double volume)
{
    const double held = normalizedTactileSoundVolume(volume);
    if (held == soundVolume)
        return;
    soundVolume = held;
    defaults.setDouble(tactileSoundVolumeKey, held);
    Q_EMIT tactileSoundVolumeChanged(held);
}

void InterfaceSettingsStore::setCompletionSound(CompletionSound sound)
{
    if (sound == currentCompletionSound)
        return;
    currentCompletionSound = sound;
    defaults.setString(completionSoundKey, rawValue(sound));
    Q_EMIT completionSoundChanged(sound);
}

void InterfaceSettingsStore::setShowsEndingCue(bool shows)
{
    if (shows == endingCue)
        return;
    endingCue = shows;
    defaults.setBool(showsEndingCueKey, shows);
    Q_EMIT showsEndingCueChanged(shows);
    notifyEndingCueChange();
}

void InterfaceSettingsStore::setEndingCueLeadTimeSeconds(qint64 seconds)
{
    const int held = normalizedEndingCueLeadTimeSeconds(seconds);
    if (held == leadTime)
        return;
    leadTime = held;
    defaults.setInt(endingCueLeadTimeKey, held);
    Q_EMIT endingCueLeadTimeSecondsChanged(held);
    notifyEndingCueChange();
}

void InterfaceSettingsStore::setPomodoroOverdueCueIntervalMinutes(qint64 minutes)
{
    const int held = normalizedPomodoroOverdueCueIntervalMinutes(minutes);
    if (held == overdueInterval)
        return;
    overdueInterval = held;
    defaults.setInt(overdueCueIntervalKey, held);
    Q_EMIT pomodoroOverdueCueIntervalMinutesChanged(held);
    notifyEndingCueChange();
}

void InterfaceSettingsStore::notifyEndingCueChange()
{
    if (onEndingCueChange)
        onEndingCueChange(endingCue);
}

} // namespace mewt

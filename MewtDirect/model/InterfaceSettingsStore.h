#pragma once

#include "model/AppLanguage.h"

#include <QObject>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace mewt {

class UserDefaults;

// Which layout the popover shows while no timer runs.
enum class TimerIdleLayout { mewt, clock };
inline constexpr std::array allTimerIdleLayouts = { TimerIdleLayout::mewt, TimerIdleLayout::clock };
QString rawValue(TimerIdleLayout layout);
std::optional<TimerIdleLayout> timerIdleLayoutFromRawValue(const QString& raw);

// What plays when a timer or a pomodoro phase finishes.
enum class CompletionSound { ding, catChitter };
inline constexpr std::array allCompletionSounds = { CompletionSound::ding, CompletionSound::catChitter };
QString rawValue(CompletionSound sound);
std::optional<CompletionSound> completionSoundFromRawValue(const QString& raw);
// "ding" or "cat chitter", as the sounds page lists them.
QString displayName(CompletionSound sound);

// 15 gives "15 sec", 60 gives "1 min", 300 gives "5 min".
QString endingCueLeadTimeLabel(int seconds);
// "every 5 min".
QString pomodoroOverdueCueIntervalLabel(int minutes);

// True when the compiled translation at `resource` loads and translates "mewt timer complete" to
// something other than the key: only then is it worth offering.
bool translationIsUsable(const QString& resource);
// `system` first, then every language whose compiled translation is usable, in declared order.
std::vector<AppLanguage> compiledInLanguages();

// The interface settings: language, popover controls, interface sounds and the ending cue.
class InterfaceSettingsStore final : public QObject {
    Q_OBJECT

public:
    // `availableLanguages` is the list to offer; it is put in declared order with `system` first.
    explicit InterfaceSettingsStore(UserDefaults& defaults,
        std::vector<AppLanguage> availableLanguages = compiledInLanguages(), QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(InterfaceSettingsStore)

    static inline const QString languageKey = QStringLiteral("appLanguage");
    static inline const QString timerIdleLayoutKey = QStringLiteral("timerIdleLayout");
    static inline const QString legacyShowsStartControlsKey = QStringLiteral("showsStartControls");
    static inline const QString zenModeKey = QStringLiteral("isZenModeEnabled");
    static inline const QString showsTimerModePickerKey = QStringLiteral("showsTimerModePicker");
    static inline const QString showsTimerInstructionsKey = QStringLiteral("showsTimerInstructions");
    static inline const QString automaticallyDismissesControlsKey = QStringLiteral("automaticallyDismissesControls");
    static inline const QString tactileSoundsEnabledKey = QStringLiteral("tactileSoundsEnabled");
    static inline const QString tactileSoundVolumeKey = QStringLiteral("tactileSoundVolume");
    static inline const QString completionSoundKey = QStringLiteral("completionSound");
    static inline const QString showsEndingCueKey = QStringLiteral("showsEndingCue");
    static inline const QString endingCueLeadTimeKey = QStringLiteral("endingCueLeadTimeSeconds");
    static inline const QString overdueCueIntervalKey = QStringLiteral("pomodoroOverdueCueIntervalMinutes");

    static constexpr std::array endingCueLeadTimeChoices = { 15, 30, 60, 120, 300 };
    static constexpr int defaultEndingCueLeadTimeSeconds = 60;
    static constexpr std::array pomodoroOverdueCueIntervalChoices = { 1, 5, 10, 15, 30, 60 };
    static constexpr int defaultPomodoroOverdueCueIntervalMinutes = 5;

    // Below 0 gives 0; 1 or more, and anything that is not finite, give 1.
    static double normalizedTactileSoundVolume(double volume);
    // A value outside the choices gives the default.
    static int normalizedEndingCueLeadTimeSeconds(qint64 seconds);
    static int normalizedPomodoroOverdueCueIntervalMinutes(qint64 minutes);

    AppLanguage language() const { return currentLanguage; }
    const std::vector<AppLanguage>& availableLanguages() const { return offeredLanguages; }
    TimerIdleLayout timerIdleLayout() const { return idleLayout; }
    bool isZenModeEnabled() const { return zenMode; }
    bool showsTimerModePicker() const { return modePicker; }
    bool showsTimerInstructions() const { return instructions; }
    bool automaticallyDismissesControls() const { return autoDismiss; }
    bool tactileSoundsEnabled() const { return soundsEnabled; }
    double tactileSoundVolume() const { return soundVolume; }
    CompletionSound completionSound() const { return currentCompletionSound; }
    bool showsEndingCue() const { return endingCue; }
    int endingCueLeadTimeSeconds() const { return leadTime; }
    int pomodoroOverdueCueIntervalMinutes() const { return overdueInterval; }

    // Ignores a language that is not offered.
    void setLanguage(AppLanguage language);
    void setTimerIdleLayout(TimerIdleLayout layout);
    void setIsZenModeEnabled(bool enabled);
    void setZenModeEnabled(bool enabled) { setIsZenModeEnabled(enabled); }
    void setShowsTimerModePicker(bool shows);
    void setShowsTimerInstructions(bool shows);
    void setAutomaticallyDismissesControls(bool dismisses);
    void setTactileSoundsEnabled(bool enabled);
    void setTactileSoundVolume(double volume);
    void setCompletionSound(CompletionSound sound);
    void setShowsEndingCue(bool shows);
    void setEndingCueLeadTimeSeconds(qint64 seconds);
    void setPomodoroOverdueCueIntervalMinutes(qint64 minutes);

    // Called with whether the ending cue shows, after any of the three ending-cue settings changed.
    std::function<void(bool)> onEndingCueChange;
    std::function<void(AppLanguage)> onLanguageChange;

Q_SIGNALS:
    void languageChanged(mewt::AppLanguage language);
    void timerIdleLayoutChanged(mewt::TimerIdleLayout layout);
    void isZenModeEnabledChanged(bool enabled);
    void showsTimerModePickerChanged(bool shows);
    void showsTimerInstructionsChanged(bool shows);
    void automaticallyDismissesControlsChanged(bool dismisses);
    void tactileSoundsEnabledChanged(bool enabled);
    void tactileSoundVolumeChanged(double volume);
    void completionSoundChanged(mewt::CompletionSound sound);
    void showsEndingCueChanged(bool shows);
    void endingCueLeadTimeSecondsChanged(int seconds);
    void pomodoroOverdueCueIntervalMinutesChanged(int minutes);

private:
    bool isOffered(AppLanguage language) const;
    void loadLanguage();
    void loadTimerIdleLayout();
    void loadTactileSoundVolume();
    void notifyEndingCueChange();

    UserDefaults& defaults;
    std::vector<AppLanguage> offeredLanguages;
    AppLanguage currentLanguage = AppLanguage::system;
    TimerIdleLayout idleLayout = TimerIdleLayout::mewt;
    bool zenMode = false;
    bool modePicker = true;
    bool instructions = true;
    bool autoDismiss = true;
    bool soundsEnabled = true;
    double soundVolume = 1.0;
    CompletionSound currentCompletionSound = CompletionSound::ding;
    bool endingCue = true;
    int leadTime = defaultEndingCueLeadTimeSeconds;
    int overdueInterval = defaultPomodoroOverdueCueIntervalMinutes;
};

} // namespace mewt

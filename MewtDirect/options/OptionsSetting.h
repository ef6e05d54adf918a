#pragma once

#include "options/OptionsCategory.h"
#include "options/OptionsSettingVisibility.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace mewt {

// Every setting the options window can search for and scroll to. Declared order is the catalogue
// order, which is also the order of search results.
enum class OptionsSetting {
    generalLanguage,
    generalOpenAtLogin,
    generalAppVersion,
    generalOpenSourceLicenses,
    generalUpdates,
    aboutWelcomeTour,
    aboutFeedback,
    appearanceCat,
    appearancePopover,
    appearanceBed,
    appearanceMenuBarTime,
    timerDefaultMode,
    timerQuickTime,
    pomodoroFocus,
    pomodoroShortBreak,
    pomodoroLongBreak,
    pomodoroLongBreakEvery,
    pomodoroAutoStartFocus,
    pomodoroAutoStartBreak,
    pomodoroContinuousMode,
    timerStepDistance,
    timerPullStep,
    timerIdleLayout,
    timerModePicker,
    appearanceZenMode,
    appearanceInstructions,
    appearanceAutoDismiss,
    soundsInterface,
    soundsVolume,
    soundsCompletion,
    soundsEndingCue,
    soundsShowBefore,
    soundsOverdue,
    soundsNotifications,
};

inline constexpr int optionsSettingCount = int(OptionsSetting::soundsNotifications) + 1;

// Every setting in catalogue order.
const std::array<OptionsSetting, optionsSettingCount>& allOptionsSettings();

// The case name.
QString rawValue(OptionsSetting setting);
std::optional<OptionsSetting> optionsSettingFromRawValue(const QString& raw);

// What a setting's row shows and the words a search finds it by. The texts are shown as they are,
// untranslated, like the rest of the catalogue.
struct OptionsSettingDefinition {
    OptionsCategory category = OptionsCategory::general;
    QString title;
    // The label of the control on its page; the title unless the catalogue says otherwise.
    QString controlTitle;
    std::optional<QString> description;
    QStringList searchAliases;
    OptionsSettingVisibility visibility = OptionsSettingVisibility::always;

    bool operator==(const OptionsSettingDefinition&) const = default;
};

// Built on every call; the lists that name themes, beds, languages, sizes and so on come from the
// model's own enumerations, so they never drift from what the stores accept.
OptionsSettingDefinition definition(OptionsSetting setting);

// The settings whose title, control title, description, aliases or category title contain the
// text (trimmed, case ignored), in catalogue order; none for blank text.
QList<OptionsSetting> searchResults(const QString& text, const OptionsSettingsAvailability& availability);

} // namespace mewt

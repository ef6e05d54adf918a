#include "options/OptionsSetting.h"

#include "model/AppLanguage.h"
#include "model/CatBed.h"
#include "model/CatTheme.h"
#include "model/InterfaceSettingsStore.h"
#include "model/PopoverAppearance.h"
#include "model/PullGranularity.h"
#include "model/TimeDisplayStyle.h"
#include "model/TimerMode.h"

namespace mewt {

namespace {

constexpr std::array<const char*, optionsSettingCount> rawValues = {
    "generalLanguage",
    "generalOpenAtLogin",
    "generalAppVersion",
    "generalOpenSourceLicenses",
    "generalUpdates",
    "aboutWelcomeTour",
    "aboutFeedback",
    "appearanceCat",
    "appearancePopover",
    "appearanceBed",
    "appearanceMenuBarTime",
    "timerDefaultMode",
    "timerQuickTime",
    "pomodoroFocus",
    "pomodoroShortBreak",
    "pomodoroLongBreak",
    "pomodoroLongBreakEvery",
    "pomodoroAutoStartFocus",
    "pomodoroAutoStartBreak",
    "pomodoroContinuousMode",
    "timerStepDistance",
    "timerPullStep",
    "timerIdleLayout",
    "timerModePicker",
    "appearanceZenMode",
    "appearanceInstructions",
    "appearanceAutoDismiss",
    "soundsInterface",
    "soundsVolume",
    "soundsCompletion",
    "soundsEndingCue",
    "soundsShowBefore",
    "soundsOverdue",
    "soundsNotifications",
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

OptionsSettingDefinition make(
    OptionsCategory category, const char* title, const char* description = nullptr, QStringList aliases = {})
{
    OptionsSettingDefinition definition;
    definition.category = category;
    definition.title = text(title);
    definition.controlTitle = definition.title;
    if (description)
        definition.description = text(description);
    definition.searchAliases = std::move(aliases);
    return definition;
}

const QStringList pomodoroLengthAliases
    = { "pomodoro defaults", "changes apply to future phases while continuous mode is running", "minutes" };

// The words a pull step size goes by, in the order of the step sizes.
const std::array<std::array<const char*, 2>, allPullGranularities.size()> pullStepWords = { {
    { "1 second", "every second" },
    { "30 seconds", "every 30 seconds" },
    { "1 minute", "every minute" },
    { "5 minutes", "every 5 minutes" },
    { "15 minutes", "15-minute stages" },
    { "30 minutes", "30-minute stages" },
} };

QStringList languageAliases()
{
    QStringList aliases { "locale" };
    for (const AppLanguage language : allAppLanguages)
        aliases.append(nativeName(language));
    return aliases;
}

QStringList catAliases()
{
    QStringList aliases { "cat theme", "paw" };
    for (const CatTheme& theme : CatTheme::all())
        aliases.append(theme.name);
    return aliases;
}

QStringList popoverAliases()
{
    QStringList aliases;
    for (const PopoverAppearance appearance : allPopoverAppearances)
        aliases.append(rawValue(appearance));
    return aliases;
}

QStringList bedAliases()
{
    QStringList aliases { "cat bed" };
    for (const CatBed& bed : CatBed::all())
        aliases.append(bed.name);
    return aliases;
}

QStringList menuBarTimeAliases()
{
    QStringList aliases { "clock", "remaining time" };
    for (const TimeDisplayStyle style : allTimeDisplayStyles)
        aliases.append(sampleText(style));
    return aliases;
}

QStringList defaultModeAliases()
{
    QStringList aliases { "timer mode", "pomodoro mode", "timer & pulling" };
    for (const TimerMode mode : allTimerModes)
        aliases.append(rawValue(mode));
    return aliases;
}

QStringList pullStepAliases()
{
    QStringList aliases { "pull step", "pull granularity", "interval" };
    for (const PullGranularity granularity : allPullGranularities)
        aliases.append(label(granularity));
    for (const auto& words : pullStepWords) {
        aliases.append(text(words[0]));
        aliases.append(text(words[1]));
    }
    return aliases;
}

QStringList completionAliases()
{
    QStringList aliases { "preview sound", "preview completion sound" };
    for (const CompletionSound sound : allCompletionSounds)
        aliases.append(displayName(sound));
    return aliases;
}

QStringList showBeforeAliases()
{
    QStringList aliases { "lead time", "ending cue" };
    for (const int seconds : InterfaceSettingsStore::endingCueLeadTimeChoices)
        aliases.append(endingCueLeadTimeLabel(seconds));
    return aliases;
}

QStringList overdueAliases()
{
    QStringList aliases { "ending cue" };
    for (const int minutes : InterfaceSettingsStore::pomodoroOverdueCueIntervalChoices)
        aliases.append(pomodoroOverdueCueIntervalLabel(minutes));
    return aliases;
}

} // namespace

const std::array<OptionsSetting, optionsSettingCount>& allOptionsSettings()
{
    static const auto all = [] {
        std::array<OptionsSetting, optionsSettingCount> settings {};
        for (int i = 0; i < optionsSettingCount; ++i)
            settings[size_t(i)] = OptionsSetting(i);
        return settings;
    }();
    return all;
}

QString rawValue(OptionsSetting setting)
{
    return QString::fromLatin1(rawValues.at(size_t(setting)));
}

std::optional<OptionsSetting> optionsSettingFromRawValue(const QString& raw)
{
    for (const OptionsSetting setting : allOptionsSettings()) {
        if (rawValue(setting) == raw)
            return setting;
    }
    return std::nullopt;
}

OptionsSettingDefinition definition(OptionsSetting setting)
{
    using C = OptionsCategory;
    switch (setting) {
    case OptionsSetting::generalLanguage: {
        auto language = make(C::general, "language", nullptr, languageAliases());
        language.visibility = OptionsSettingVisibility::multipleLanguages;
        return language;
    }
    case OptionsSetting::generalOpenAtLogin:
        return make(C::general, "open at login", nullptr, { "startup", "launch", "review login items…" });
    case OptionsSetting::generalAppVersion:
        return make(C::general, "app version", nullptr, { "version", "build", "copyright", "about" });
    case OptionsSetting::generalOpenSourceLicenses:
        return make(C::general, "Open Source Licenses", nullptr, { "third party", "acknowledgments", "attributions" });
    case OptionsSetting::generalUpdates:
        return make(C::general, "updates", "check for new mewt versions", { "check for updates…" });
    case OptionsSetting::aboutWelcomeTour:
        return make(C::general, "replay welcome tour", "open mewt's guide again", { "replay", "help", "about" });
    case OptionsSetting::aboutFeedback:
        return make(C::general, "send feedback", "bugs, ideas, or tiny joys. i read every note",
            { "support", "email", "about", "about & support", "write…" });
    case OptionsSetting::appearanceCat: return make(C::appearance, "cat", nullptr, catAliases());
    case OptionsSetting::appearancePopover: return make(C::appearance, "popover", nullptr, popoverAliases());
    case OptionsSetting::appearanceBed: return make(C::appearance, "bed", nullptr, bedAliases());
    case OptionsSetting::appearanceMenuBarTime:
        return make(C::appearance, "top bar time", nullptr, menuBarTimeAliases());
    case OptionsSetting::timerDefaultMode: return make(C::timer, "default mode", nullptr, defaultModeAliases());
    case OptionsSetting::timerQuickTime:
        return make(C::timer, "quick start time", "used by Start or Return in Timer mode",
            { "quick time", "timer duration", "keyboard pull duration" });
    case OptionsSetting::pomodoroFocus: return make(C::timer, "focus", nullptr, pomodoroLengthAliases);
    case OptionsSetting::pomodoroShortBreak: return make(C::timer, "short break", nullptr, pomodoroLengthAliases);
    case OptionsSetting::pomodoroLongBreak: return make(C::timer, "long break", nullptr, pomodoroLengthAliases);
    case OptionsSetting::pomodoroLongBreakEvery:
        return make(C::timer, "long break every", nullptr,
            { pomodoroLengthAliases.at(0), pomodoroLengthAliases.at(1), "focus sessions", "blocks" });
    case OptionsSetting::pomodoroAutoStartFocus:
        return make(C::timer, "autostart next focus", "starts focus automatically when a break ends",
            { "auto start focus", "pomodoro flow" });
    case OptionsSetting::pomodoroAutoStartBreak:
        return make(C::timer, "autostart next break", "starts a break automatically when focus ends",
            { "auto start break", "pomodoro flow" });
    case OptionsSetting::pomodoroContinuousMode:
        return make(C::timer, "continuous mode", "keeps creating focus and break phases until you stop",
            { "runs until you stop", "infinite pomodoro", "pomodoro flow" });
    case OptionsSetting::timerStepDistance:
        return make(C::pulling, "distance per step", "how far you pull before another step is added",
            { "step distance", "pull distance per step", "slider", "points", "timer & pulling" });
    case OptionsSetting::timerPullStep:
        return make(C::pulling, "time per step", "how much time each pull step adds", pullStepAliases());
    case OptionsSetting::timerIdleLayout:
        return make(C::controls, "timer layout",
            "mewt centers the name; clock puts it above the time and always shows Play",
            { "idle layout", "mewt layout", "clock layout", "play button", "start button", "show start controls",
                "start without dragging", "accessibility" });
    case OptionsSetting::timerModePicker:
        return make(C::controls, "show timer | pomodoro switch", "shows the mode switch in normal and zen controls",
            { "hide timer | pomodoro switch", "timer / pomodoro switch", "mode switch", "mode picker" });
    case OptionsSetting::appearanceZenMode: return make(C::controls, "zen mode", "shows only essential timer controls");
    case OptionsSetting::appearanceInstructions:
        return make(C::controls, "show instructions", "shows interaction hints below timers in normal mode");
    case OptionsSetting::appearanceAutoDismiss:
        return make(C::controls, "auto-dismiss controls",
            "hides controls after 2.5 seconds or when you click elsewhere",
            { "autodismiss", "auto-hide", "keep popover open", "keep controls open", "stay open" });
    case OptionsSetting::soundsInterface:
        return make(C::sounds, "interface sounds", "adds soft feedback when controls are pressed and released",
            { "tactile sounds" });
    case OptionsSetting::soundsVolume:
        return make(C::sounds, "volume", "controls interface sounds and cat trills", { "sound level" });
    case OptionsSetting::soundsCompletion:
        return make(C::sounds, "completion sound", "plays when a timer or pomodoro phase finishes; use play to preview",
            completionAliases());
    case OptionsSetting::soundsEndingCue: {
        auto endingCue = make(C::sounds, "ending cue", "shows a cat-themed cue before time ends");
        endingCue.controlTitle = QStringLiteral("enabled");
        return endingCue;
    }
    case OptionsSetting::soundsShowBefore: return make(C::sounds, "show before", nullptr, showBeforeAliases());
    case OptionsSetting::soundsOverdue:
        return make(
            C::sounds, "pomodoro overdue", "repeat the cue while a pomodoro phase is overdue", overdueAliases());
    case OptionsSetting::soundsNotifications:
        return make(C::sounds, "manage notifications", nullptr, { "notification settings", "alerts" });
    }
    return make(C::general, "");
}

QList<OptionsSetting> searchResults(const QString& text, const OptionsSettingsAvailability& availability)
{
    const QString query = text.trimmed();
    QList<OptionsSetting> results;
    if (query.isEmpty())
        return results;
    for (const OptionsSetting setting : allOptionsSettings()) {
        const OptionsSettingDefinition found = definition(setting);
        if (!isVisible(found.visibility, availability))
            continue;
        QStringList terms { found.title, found.controlTitle };
        if (found.description)
            terms.append(*found.description);
        terms.append(found.searchAliases);
        terms.append(title(found.category));
        const bool matches = std::any_of(terms.cbegin(), terms.cend(),
            [&query](const QString& term) { return term.contains(query, Qt::CaseInsensitive); });
        if (matches)
            results.append(setting);
    }
    return results;
}

} // namespace mewt

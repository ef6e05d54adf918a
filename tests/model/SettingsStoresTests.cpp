#include "CatBedStore.h"
#include "InterfaceSettingsStore.h"
#include "MemoryUserDefaults.h"
#include "OnboardingStore.h"
#include "PomodoroSettingsStore.h"
#include "PopoverAppearanceStore.h"
#include "PullSettingsStore.h"
#include "ThemeStore.h"
#include "TimeDisplaySettingsStore.h"

#include <QSignalSpy>
#include <QTemporaryFile>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;

namespace {

// Every settings store of the model over one defaults store; only Korean is offered besides system.
struct Stores {
    explicit Stores(MemoryUserDefaults& defaults)
        : interface(defaults, { AppLanguage::korean })
        , pull(defaults)
        , pomodoro(defaults)
        , theme(defaults)
        , bed(defaults)
        , appearance(defaults)
        , timeDisplay(defaults)
    {
    }

    // What the store that owns `key` reports, in the form it is stored.
    QVariant reported(const QString& key) const
    {
        const QHash<QString, std::function<QVariant()>> getters = {
            { InterfaceSettingsStore::languageKey, [&] { return QVariant(rawValue(interface.language())); } },
            { InterfaceSettingsStore::timerIdleLayoutKey,
                [&] { return QVariant(rawValue(interface.timerIdleLayout())); } },
            { InterfaceSettingsStore::zenModeKey, [&] { return QVariant(interface.isZenModeEnabled()); } },
            { InterfaceSettingsStore::showsTimerModePickerKey,
                [&] { return QVariant(interface.showsTimerModePicker()); } },
            { InterfaceSettingsStore::showsTimerInstructionsKey,
                [&] { return QVariant(interface.showsTimerInstructions()); } },
            { InterfaceSettingsStore::automaticallyDismissesControlsKey,
                [&] { return QVariant(interface.automaticallyDismissesControls()); } },
            { InterfaceSettingsStore::tactileSoundsEnabledKey,
                [&] { return QVariant(interface.tactileSoundsEnabled()); } },
            { InterfaceSettingsStore::showsEndingCueKey, [&] { return QVariant(interface.showsEndingCue()); } },
            { InterfaceSettingsStore::tactileSoundVolumeKey, [&] { return QVariant(interface.tactileSoundVolume()); } },
            { InterfaceSettingsStore::completionSoundKey,
                [&] { return QVariant(rawValue(interface.completionSound())); } },
            { InterfaceSettingsStore::endingCueLeadTimeKey,
                [&] { return QVariant(interface.endingCueLeadTimeSeconds()); } },
            { InterfaceSettingsStore::overdueCueIntervalKey,
                [&] { return QVariant(interface.pomodoroOverdueCueIntervalMinutes()); } },
            { PullSettingsStore::stepDistanceKey, [&] { return QVariant(pull.stepDistancePoints()); } },
            { PullSettingsStore::granularityKey, [&] { return QVariant(rawValue(pull.granularity())); } },
            { PullSettingsStore::quickTimeKey, [&] { return QVariant(pull.quickTimeMinutes()); } },
            { PomodoroSettingsStore::modeKey, [&] { return QVariant(rawValue(pomodoro.mode())); } },
            { PomodoroSettingsStore::autoStartsNextFocusKey, [&] { return QVariant(pomodoro.autoStartsNextFocus()); } },
            { PomodoroSettingsStore::autoStartsNextBreakKey, [&] { return QVariant(pomodoro.autoStartsNextBreak()); } },
            { PomodoroSettingsStore::continuousModeKey, [&] { return QVariant(pomodoro.isContinuousModeEnabled()); } },
            { ThemeStore::selectedKey, [&] { return QVariant(theme.selected().id); } },
            { CatBedStore::selectedKey, [&] { return QVariant(bed.selected().id); } },
            { PopoverAppearanceStore::selectedKey, [&] { return QVariant(rawValue(appearance.selected())); } },
            { TimeDisplaySettingsStore::styleKey, [&] { return QVariant(rawValue(timeDisplay.style())); } },
        };
        const auto getter = getters.value(key);
        return getter ? getter() : QVariant();
    }

    InterfaceSettingsStore interface;
    PullSettingsStore pull;
    PomodoroSettingsStore pomodoro;
    ThemeStore theme;
    CatBedStore bed;
    PopoverAppearanceStore appearance;
    TimeDisplaySettingsStore timeDisplay;
};

TEST(SettingsDefaults, FirstLaunchUsesTheDefaultsAndWritesOnlyTheIdleLayout)
{
    MemoryUserDefaults defaults;
    const Stores stores(defaults);

    EXPECT_EQ(stores.interface.language(), AppLanguage::system);
    EXPECT_EQ(stores.interface.timerIdleLayout(), TimerIdleLayout::mewt);
    EXPECT_FALSE(stores.interface.isZenModeEnabled());
    EXPECT_TRUE(stores.interface.showsTimerModePicker());
    EXPECT_TRUE(stores.interface.showsTimerInstructions());
    EXPECT_TRUE(stores.interface.automaticallyDismissesControls());
    EXPECT_TRUE(stores.interface.tactileSoundsEnabled());
    EXPECT_EQ(stores.interface.tactileSoundVolume(), 1.0);
    EXPECT_EQ(stores.interface.completionSound(), CompletionSound::ding);
    EXPECT_TRUE(stores.interface.showsEndingCue());
    EXPECT_EQ(stores.interface.endingCueLeadTimeSeconds(), 60);
    EXPECT_EQ(stores.interface.pomodoroOverdueCueIntervalMinutes(), 5);
    EXPECT_EQ(stores.pull.stepDistancePoints(), 20);
    EXPECT_EQ(stores.pull.granularity(), PullGranularity::minute);
    EXPECT_EQ(stores.pull.quickTimeMinutes(), 25);
    EXPECT_EQ(stores.pomodoro.mode(), TimerMode::timer);
    EXPECT_EQ(stores.pomodoro.configuration(), (PomodoroConfiguration { 1500, 300, 900, 4 }));
    EXPECT_FALSE(stores.pomodoro.autoStartsNextFocus());
    EXPECT_TRUE(stores.pomodoro.autoStartsNextBreak());
    EXPECT_FALSE(stores.pomodoro.isContinuousModeEnabled());
    EXPECT_EQ(stores.theme.selected().id, QStringLiteral("tuxedo"));
    EXPECT_EQ(stores.bed.selected().id, QStringLiteral("classic"));
    EXPECT_EQ(stores.appearance.selected(), PopoverAppearance::system);
    EXPECT_EQ(stores.timeDisplay.style(), TimeDisplayStyle::compact);

    EXPECT_EQ(defaults.writeCount(), 1);
    EXPECT_EQ(defaults.stored(InterfaceSettingsStore::timerIdleLayoutKey), QVariant(QStringLiteral("mewt")));
}

TEST(SettingsDefaults, TheOlderStartControlsSwitchChoosesTheClockLayout)
{
    MemoryUserDefaults defaults;
    defaults.seed(InterfaceSettingsStore::legacyShowsStartControlsKey, true);
    const InterfaceSettingsStore store(defaults, {});
    EXPECT_EQ(store.timerIdleLayout(), TimerIdleLayout::clock);
    EXPECT_EQ(defaults.stored(InterfaceSettingsStore::timerIdleLayoutKey), QVariant(QStringLiteral("clock")));
}

struct LoadCase {
    const char* name;
    QString key;
    QVariant stored;
    QVariant expected;
    bool writesBack;
};

class LoadNormalisation : public ::testing::TestWithParam<LoadCase> { };

TEST_P(LoadNormalisation, UsesTheHeldValueAndWritesItBackOnlyWhenItDiffers)
{
    const LoadCase& c = GetParam();
    MemoryUserDefaults defaults;
    defaults.seed(InterfaceSettingsStore::timerIdleLayoutKey, QStringLiteral("mewt"));
    defaults.seed(c.key, c.stored);
    const Stores stores(defaults);

    EXPECT_EQ(stores.reported(c.key), c.expected);
    EXPECT_EQ(defaults.writeCount(c.key), c.writesBack ? 1 : 0);
    EXPECT_EQ(defaults.writeCount(), c.writesBack ? 1 : 0) << "no other setting may be touched";
    if (c.writesBack) {
        EXPECT_EQ(defaults.stored(c.key), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(StoredValues, LoadNormalisation,
    ::testing::Values(LoadCase { "offeredLanguage", InterfaceSettingsStore::languageKey, "ko", "ko", false },
        LoadCase { "languageNoLongerOffered", InterfaceSettingsStore::languageKey, "ja", "system", true },
        LoadCase { "unknownLanguage", InterfaceSettingsStore::languageKey, "fr", "system", true },
        LoadCase { "languageOfWrongType", InterfaceSettingsStore::languageKey, 7, "system", true },
        LoadCase { "idleLayout", InterfaceSettingsStore::timerIdleLayoutKey, "clock", "clock", false },
        LoadCase { "unknownIdleLayout", InterfaceSettingsStore::timerIdleLayoutKey, "grid", "mewt", true },
        LoadCase { "boolAsText", InterfaceSettingsStore::zenModeKey, "true", true, false },
        LoadCase { "boolGarbage", InterfaceSettingsStore::zenModeKey, "maybe", false, true },
        LoadCase { "volumeInRange", InterfaceSettingsStore::tactileSoundVolumeKey, 0.35, 0.35, false },
        LoadCase { "volumeAboveOne", InterfaceSettingsStore::tactileSoundVolumeKey, 1.5, 1.0, true },
        LoadCase { "volumeBelowZero", InterfaceSettingsStore::tactileSoundVolumeKey, -0.2, 0.0, true },
        LoadCase { "volumeNotANumber", InterfaceSettingsStore::tactileSoundVolumeKey, std::nan(""), 1.0, true },
        LoadCase { "volumeInfinite", InterfaceSettingsStore::tactileSoundVolumeKey, "inf", 1.0, true },
        LoadCase { "volumeGarbage", InterfaceSettingsStore::tactileSoundVolumeKey, "loud", 1.0, true },
        LoadCase { "completionSound", InterfaceSettingsStore::completionSoundKey, "catChitter", "catChitter", false },
        LoadCase { "unknownCompletionSound", InterfaceSettingsStore::completionSoundKey, "meow", "ding", true },
        LoadCase { "leadTimeChoice", InterfaceSettingsStore::endingCueLeadTimeKey, 120, 120, false },
        LoadCase { "leadTimeNotAChoice", InterfaceSettingsStore::endingCueLeadTimeKey, 45, 60, true },
        LoadCase { "leadTimeGarbage", InterfaceSettingsStore::endingCueLeadTimeKey, "soon", 60, true },
        LoadCase { "overdueChoice", InterfaceSettingsStore::overdueCueIntervalKey, 30, 30, false },
        LoadCase { "overdueNotAChoice", InterfaceSettingsStore::overdueCueIntervalKey, 7, 5, true },
        LoadCase { "stepDistance", PullSettingsStore::stepDistanceKey, 60, 60, false },
        LoadCase { "stepDistanceBetweenSteps", PullSettingsStore::stepDistanceKey, 30, 40, true },
        LoadCase { "stepDistanceTooFar", PullSettingsStore::stepDistanceKey, 500, 140, true },
        LoadCase { "stepDistanceFraction", PullSettingsStore::stepDistanceKey, 2.5, 20, true },
        LoadCase { "granularity", PullSettingsStore::granularityKey, "fiveMinutes", "fiveMinutes", false },
        LoadCase { "unknownGranularity", PullSettingsStore::granularityKey, "hour", "minute", true },
        LoadCase { "quickTime", PullSettingsStore::quickTimeKey, 25, 25, false },
        LoadCase { "quickTimeZero", PullSettingsStore::quickTimeKey, 0, 5, true },
        LoadCase { "quickTimeRoundsUp", PullSettingsStore::quickTimeKey, 118, 120, true },
        LoadCase { "mode", PomodoroSettingsStore::modeKey, "pomodoro", "pomodoro", false },
        LoadCase { "unknownMode", PomodoroSettingsStore::modeKey, "zen", "timer", true },
        LoadCase { "switchGarbage", PomodoroSettingsStore::autoStartsNextBreakKey, "nope", true, true },
        LoadCase { "theme", ThemeStore::selectedKey, "siamese", "siamese", false },
        LoadCase { "unknownTheme", ThemeStore::selectedKey, "lion", "tuxedo", true },
        LoadCase { "bed", CatBedStore::selectedKey, "nest", "nest", false },
        LoadCase { "unknownBed", CatBedStore::selectedKey, "hammock", "classic", true },
        LoadCase { "appearance", PopoverAppearanceStore::selectedKey, "dark", "dark", false },
        LoadCase { "unknownAppearance", PopoverAppearanceStore::selectedKey, "sepia", "system", true },
        LoadCase { "timeStyle", TimeDisplaySettingsStore::styleKey, "totalMinutes", "totalMinutes", false },
        LoadCase { "unknownTimeStyle", TimeDisplaySettingsStore::styleKey, "digital", "compact", true }),
    [](const auto& info) { return std::string(info.param.name); });

// One setter of one store, given a value that differs from the default.
struct SetterCase {
    const char* name;
    QString key;
    std::function<void(Stores&)> change;
    std::function<std::unique_ptr<QSignalSpy>(Stores&)> spy;
};

template <typename Store, typename Signal>
std::function<std::unique_ptr<QSignalSpy>(Stores&)> spyOn(Store Stores::*store, Signal signal)
{
    return [=](Stores& stores) { return std::make_unique<QSignalSpy>(&(stores.*store), signal); };
}

class SetterWrites : public ::testing::TestWithParam<SetterCase> { };

TEST_P(SetterWrites, WritesAndSignalsOnceForARealChangeAndNeverForTheSameValue)
{
    MemoryUserDefaults defaults;
    Stores stores(defaults);
    defaults.resetWriteCount();
    const auto spy = GetParam().spy(stores);

    GetParam().change(stores);
    GetParam().change(stores);

    EXPECT_EQ(defaults.writeCount(GetParam().key), 1);
    EXPECT_EQ(defaults.writeCount(), 1);
    EXPECT_EQ(spy->count(), 1);
    ASSERT_TRUE(stores.reported(GetParam().key).isValid());
    EXPECT_EQ(defaults.stored(GetParam().key), stores.reported(GetParam().key));
}

using IS = InterfaceSettingsStore;
INSTANTIATE_TEST_SUITE_P(Setters, SetterWrites,
    ::testing::Values(
        SetterCase { "language", IS::languageKey, [](Stores& s) { s.interface.setLanguage(AppLanguage::korean); },
            spyOn(&Stores::interface, &IS::languageChanged) },
        SetterCase { "idleLayout", IS::timerIdleLayoutKey,
            [](Stores& s) { s.interface.setTimerIdleLayout(TimerIdleLayout::clock); },
            spyOn(&Stores::interface, &IS::timerIdleLayoutChanged) },
        SetterCase { "zenByOneName", IS::zenModeKey, [](Stores& s) { s.interface.setIsZenModeEnabled(true); },
            spyOn(&Stores::interface, &IS::isZenModeEnabledChanged) },
        SetterCase { "zenByBothNames", IS::zenModeKey,
            [](Stores& s) {
                s.interface.setZenModeEnabled(true);
                s.interface.setIsZenModeEnabled(true);
            },
            spyOn(&Stores::interface, &IS::isZenModeEnabledChanged) },
        SetterCase { "modePicker", IS::showsTimerModePickerKey,
            [](Stores& s) { s.interface.setShowsTimerModePicker(false); },
            spyOn(&Stores::interface, &IS::showsTimerModePickerChanged) },
        SetterCase { "instructions", IS::showsTimerInstructionsKey,
            [](Stores& s) { s.interface.setShowsTimerInstructions(false); },
            spyOn(&Stores::interface, &IS::showsTimerInstructionsChanged) },
        SetterCase { "autoDismiss", IS::automaticallyDismissesControlsKey,
            [](Stores& s) { s.interface.setAutomaticallyDismissesControls(false); },
            spyOn(&Stores::interface, &IS::automaticallyDismissesControlsChanged) },
        SetterCase { "sounds", IS::tactileSoundsEnabledKey,
            [](Stores& s) { s.interface.setTactileSoundsEnabled(false); },
            spyOn(&Stores::interface, &IS::tactileSoundsEnabledChanged) },
        SetterCase { "volumeThenTheSameAfterHolding", IS::tactileSoundVolumeKey,
            [](Stores& s) {
                s.interface.setTactileSoundVolume(-3.0);
                s.interface.setTactileSoundVolume(0.0);
            },
            spyOn(&Stores::interface, &IS::tactileSoundVolumeChanged) },
        SetterCase { "completionSound", IS::completionSoundKey,
            [](Stores& s) { s.interface.setCompletionSound(CompletionSound::catChitter); },
            spyOn(&Stores::interface, &IS::completionSoundChanged) },
        SetterCase { "endingCue", IS::showsEndingCueKey, [](Stores& s) { s.interface.setShowsEndingCue(false); },
            spyOn(&Stores::interface, &IS::showsEndingCueChanged) },
        SetterCase { "leadTime", IS::endingCueLeadTimeKey,
            [](Stores& s) { s.interface.setEndingCueLeadTimeSeconds(300); },
            spyOn(&Stores::interface, &IS::endingCueLeadTimeSecondsChanged) },
        SetterCase { "overdue", IS::overdueCueIntervalKey,
            [](Stores& s) { s.interface.setPomodoroOverdueCueIntervalMinutes(60); },
            spyOn(&Stores::interface, &IS::pomodoroOverdueCueIntervalMinutesChanged) },
        SetterCase { "stepDistanceRounded", PullSettingsStore::stepDistanceKey,
            [](Stores& s) {
                s.pull.setStepDistancePoints(91);
                s.pull.setStepDistancePoints(100);
            },
            spyOn(&Stores::pull, &PullSettingsStore::stepDistancePointsChanged) },
        SetterCase { "granularity", PullSettingsStore::granularityKey,
            [](Stores& s) { s.pull.setGranularity(PullGranularity::thirtyMinutes); },
            spyOn(&Stores::pull, &PullSettingsStore::granularityChanged) },
        SetterCase { "quickTimeRounded", PullSettingsStore::quickTimeKey,
            [](Stores& s) {
                s.pull.setQuickTimeMinutes(8);
                s.pull.setQuickTimeMinutes(10);
            },
            spyOn(&Stores::pull, &PullSettingsStore::quickTimeMinutesChanged) },
        SetterCase { "mode", PomodoroSettingsStore::modeKey, [](Stores& s) { s.pomodoro.setMode(TimerMode::pomodoro); },
            spyOn(&Stores::pomodoro, &PomodoroSettingsStore::modeChanged) },
        SetterCase { "autoFocus", PomodoroSettingsStore::autoStartsNextFocusKey,
            [](Stores& s) { s.pomodoro.setAutoStartsNextFocus(true); },
            spyOn(&Stores::pomodoro, &PomodoroSettingsStore::autoStartsNextFocusChanged) },
        SetterCase { "autoBreak", PomodoroSettingsStore::autoStartsNextBreakKey,
            [](Stores& s) { s.pomodoro.setAutoStartsNextBreak(false); },
            spyOn(&Stores::pomodoro, &PomodoroSettingsStore::autoStartsNextBreakChanged) },
        SetterCase { "continuous", PomodoroSettingsStore::continuousModeKey,
            [](Stores& s) { s.pomodoro.setContinuousModeEnabled(true); },
            spyOn(&Stores::pomodoro, &PomodoroSettingsStore::isContinuousModeEnabledChanged) },
        SetterCase { "theme", ThemeStore::selectedKey, [](Stores& s) { s.theme.setSelected(CatTheme::all().at(6)); },
            spyOn(&Stores::theme, &ThemeStore::selectedChanged) },
        SetterCase { "bed", CatBedStore::selectedKey, [](Stores& s) { s.bed.setSelected(CatBed::all().at(0)); },
            spyOn(&Stores::bed, &CatBedStore::selectedChanged) },
        SetterCase { "appearance", PopoverAppearanceStore::selectedKey,
            [](Stores& s) { s.appearance.setSelected(PopoverAppearance::dark); },
            spyOn(&Stores::appearance, &PopoverAppearanceStore::selectedChanged) },
        SetterCase { "timeStyle", TimeDisplaySettingsStore::styleKey,
            [](Stores& s) { s.timeDisplay.setStyle(TimeDisplayStyle::clock); },
            spyOn(&Stores::timeDisplay, &TimeDisplaySettingsStore::styleChanged) }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettersThatRefuse, ValuesThatHoldToTheCurrentOneWriteNothing)
{
    MemoryUserDefaults defaults;
    Stores stores(defaults);
    defaults.resetWriteCount();

    stores.interface.setLanguage(AppLanguage::japanese); // not offered
    stores.interface.setTactileSoundVolume(std::numeric_limits<double>::infinity());
    stores.interface.setTactileSoundVolume(7.0);
    stores.interface.setEndingCueLeadTimeSeconds(45);
    stores.interface.setPomodoroOverdueCueIntervalMinutes(2);
    stores.pull.setStepDistancePoints(-40);
    stores.pull.setQuickTimeMinutes(27);
    stores.theme.setSelected(CatTheme::withId(QStringLiteral("no such cat")));
    stores.bed.setSelected(CatBed::withId(QStringLiteral("no such bed")));

    EXPECT_EQ(defaults.writeCount(), 0);
    EXPECT_EQ(stores.interface.language(), AppLanguage::system);
}

TEST(SettingsCallbacks, EndingCueCallbackReportsWhetherTheCueShowsAfterEachOfItsSettings)
{
    MemoryUserDefaults defaults;
    InterfaceSettingsStore store(defaults, {});
    std::vector<bool> calls;
    store.onEndingCueChange = [&](bool shows) { calls.push_back(shows); };

    store.setShowsEndingCue(false);
    store.setShowsEndingCue(false);
    store.setEndingCueLeadTimeSeconds(15);
    store.setEndingCueLeadTimeSeconds(15);
    store.setPomodoroOverdueCueIntervalMinutes(10);
    store.setShowsEndingCue(true);
    store.setIsZenModeEnabled(true);
    store.setTactileSoundVolume(0.5);

    EXPECT_EQ(calls, (std::vector<bool> { false, false, false, true }));
}

TEST(SettingsCallbacks, LanguageCallbackFiresOnlyForAnOfferedChange)
{
    MemoryUserDefaults defaults;
    InterfaceSettingsStore store(defaults, { AppLanguage::catalan });
    std::vector<AppLanguage> calls;
    store.onLanguageChange = [&](AppLanguage language) { calls.push_back(language); };

    store.setLanguage(AppLanguage::catalan);
    store.setLanguage(AppLanguage::catalan);
    store.setLanguage(AppLanguage::korean);
    store.setLanguage(AppLanguage::system);

    EXPECT_EQ(calls, (std::vector<AppLanguage> { AppLanguage::catalan, AppLanguage::system }));
    EXPECT_EQ(defaults.stored(IS::languageKey), QVariant(QStringLiteral("system")));
}

TEST(SettingsCallbacks, ThemeAndTimeStyleCallbacksFireOnceForEachChange)
{
    MemoryUserDefaults defaults;
    ThemeStore themes(defaults);
    TimeDisplaySettingsStore times(defaults);
    QStringList themeCalls;
    std::vector<TimeDisplayStyle> styleCalls;
    themes.onSelectionChange = [&](const CatTheme& theme) { themeCalls << theme.id; };
    times.onChange = [&](TimeDisplayStyle style) { styleCalls.push_back(style); };

    themes.setSelected(CatTheme::withId(QStringLiteral("calico")));
    themes.setSelected(CatTheme::withId(QStringLiteral("calico")));
    themes.setSelected(CatTheme::withId(QStringLiteral("tuxedo")));
    times.setStyle(TimeDisplayStyle::totalMinutes);
    times.setStyle(TimeDisplayStyle::totalMinutes);

    EXPECT_EQ(themeCalls, (QStringList { QStringLiteral("calico"), QStringLiteral("tuxedo") }));
    EXPECT_EQ(styleCalls, std::vector<TimeDisplayStyle> { TimeDisplayStyle::totalMinutes });
}

TEST(AvailableLanguages, SystemComesFirstAndTheRestKeepTheirDeclaredOrder)
{
    MemoryUserDefaults defaults;
    const InterfaceSettingsStore store(defaults, { AppLanguage::simplifiedChinese, AppLanguage::catalan });
    EXPECT_EQ(store.availableLanguages(),
        (std::vector<AppLanguage> { AppLanguage::system, AppLanguage::catalan, AppLanguage::simplifiedChinese }));
}

TEST(AvailableLanguages, EveryCompiledTranslationIsOffered)
{
    EXPECT_EQ(compiledInLanguages(), std::vector<AppLanguage>(allAppLanguages.begin(), allAppLanguages.end()));
}

TEST(AvailableLanguages, ATranslationThatCannotLoadIsNotUsable)
{
    EXPECT_FALSE(translationIsUsable(QString()));
    EXPECT_FALSE(translationIsUsable(QStringLiteral(":/i18n/mewt_fr.qm")));
    QTemporaryFile garbage;
    ASSERT_TRUE(garbage.open());
    garbage.write("this is not a compiled translation");
    garbage.close();
    EXPECT_FALSE(translationIsUsable(garbage.fileName()));
    EXPECT_TRUE(translationIsUsable(translationResource(AppLanguage::japanese)));
}

TEST(EndingCueLabels, LeadTimesAndOverdueIntervalsReadAsThePagesShowThem)
{
    QStringList leadTimes;
    for (const int seconds : IS::endingCueLeadTimeChoices)
        leadTimes << endingCueLeadTimeLabel(seconds);
    EXPECT_EQ(leadTimes, (QStringList { "15 sec", "30 sec", "1 min", "2 min", "5 min" }));
    EXPECT_EQ(endingCueLeadTimeLabel(59), QStringLiteral("59 sec"));
    EXPECT_EQ(endingCueLeadTimeLabel(119), QStringLiteral("1 min"));
    EXPECT_EQ(pomodoroOverdueCueIntervalLabel(60), QStringLiteral("every 60 min"));
}

} // namespace

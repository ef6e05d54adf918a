#include "model/CatBedStore.h"
#include "platform/IniUserDefaults.h"
#include "model/InterfaceSettingsStore.h"
#include "platform/MemoryUserDefaults.h"
#include "model/OnboardingStore.h"
#include "model/PomodoroSettingsStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/PullSettingsStore.h"
#include "model/ThemeStore.h"
#include "model/TimeDisplaySettingsStore.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;

namespace {

using IS = InterfaceSettingsStore;
using PS = PullSettingsStore;
using PoS = PomodoroSettingsStore;

// Every settings store of the model over one defaults store; only Korean is offered besides system.
struct Stores {
    explicit Stores(UserDefaults& defaults)
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
            { IS::languageKey, [&] { return QVariant(rawValue(interface.language())); } },
            { IS::timerIdleLayoutKey, [&] { return QVariant(rawValue(interface.timerIdleLayout())); } },
            { IS::zenModeKey, [&] { return QVariant(interface.isZenModeEnabled()); } },
            { IS::showsTimerModePickerKey, [&] { return QVariant(interface.showsTimerModePicker()); } },
            { IS::showsTimerInstructionsKey, [&] { return QVariant(interface.showsTimerInstructions()); } },
            { IS::automaticallyDismissesControlsKey,
                [&] { return QVariant(interface.automaticallyDismissesControls()); } },
            { IS::tactileSoundsEnabledKey, [&] { return QVariant(interface.tactileSoundsEnabled()); } },
            { IS::showsEndingCueKey, [&] { return QVariant(interface.showsEndingCue()); } },
            { IS::tactileSoundVolumeKey, [&] { return QVariant(interface.tactileSoundVolume()); } },
            { IS::completionSoundKey, [&] { return QVariant(rawValue(interface.completionSound())); } },
            { IS::endingCueLeadTimeKey, [&] { return QVariant(interface.endingCueLeadTimeSeconds()); } },
            { IS::overdueCueIntervalKey, [&] { return QVariant(interface.pomodoroOverdueCueIntervalMinutes()); } },
            { PS::stepDistanceKey, [&] { return QVariant(pull.stepDistancePoints()); } },
            { PS::granularityKey, [&] { return QVariant(rawValue(pull.granularity())); } },
            { PS::quickTimeKey, [&] { return QVariant(pull.quickTimeMinutes()); } },
            { PoS::modeKey, [&] { return QVariant(rawValue(pomodoro.mode())); } },
            { PoS::autoStartsNextFocusKey, [&] { return QVariant(pomodoro.autoStartsNextFocus()); } },
            { PoS::autoStartsNextBreakKey, [&] { return QVariant(pomodoro.autoStartsNextBreak()); } },
            { PoS::continuousModeKey, [&] { return QVariant(pomodoro.isContinuousModeEnabled()); } },
            { ThemeStore::selectedKey, [&] { return QVariant(theme.selected().id); } },
            { CatBedStore::selectedKey, [&] { return QVariant(bed.selected().id); } },
            { PopoverAppearanceStore::selectedKey, [&] { return QVariant(rawValue(appearance.selected())); } },
            { TimeDisplaySettingsStore::styleKey, [&] { return QVariant(rawValue(timeDisplay.style())); } },
            { PoS::configurationKey, [&] { return QVariant(pomodoro.configuration().encoded()); } },
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

TEST(SettingsDefaults, FirstLaunchWritesOnlyTheIdleLayoutWhichTheOlderStartControlsSwitchChooses)
{
    for (const bool olderSwitch : { false, true }) {
        MemoryUserDefaults defaults;
        if (olderSwitch)
            defaults.seed(IS::legacyShowsStartControlsKey, true);
        const Stores stores(defaults);
        EXPECT_EQ(defaults.writeCount(), 1);
        EXPECT_EQ(
            defaults.stored(IS::timerIdleLayoutKey), QVariant(QString::fromLatin1(olderSwitch ? "clock" : "mewt")));
    }
}

QVariant configuration(int focusSeconds)
{
    return PomodoroConfiguration { focusSeconds, 300, 900, 4 }.encoded();
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
    defaults.seed(IS::timerIdleLayoutKey, QStringLiteral("mewt"));
    defaults.seed(c.key, c.stored);
    const Stores stores(defaults);
    EXPECT_EQ(stores.reported(c.key), c.expected);
    EXPECT_EQ(defaults.writeCount(c.key), c.writesBack ? 1 : 0);
    EXPECT_EQ(defaults.writeCount(), c.writesBack ? 1 : 0) << "no other setting may be touched";
    EXPECT_EQ(defaults.stored(c.key), c.writesBack ? c.expected : c.stored);
}

INSTANTIATE_TEST_SUITE_P(StoredValues, LoadNormalisation,
    ::testing::Values(LoadCase { "languageNoLongerOffered", IS::languageKey, "ja", "system", true },
        LoadCase { "unknownLanguage", IS::languageKey, "fr", "system", true },
        LoadCase { "languageOfWrongType", IS::languageKey, 7, "system", true },
        LoadCase { "unknownIdleLayout", IS::timerIdleLayoutKey, "grid", "mewt", true },
        LoadCase { "boolAsText", IS::zenModeKey, "true", true, false },
        LoadCase { "volumeBelowZero", IS::tactileSoundVolumeKey, -0.2, 0.0, true },
        LoadCase { "volumeNotANumber", IS::tactileSoundVolumeKey, std::nan(""), 1.0, true },
        LoadCase { "volumeInfinite", IS::tactileSoundVolumeKey, "inf", 1.0, true },
        LoadCase { "volumeGarbage", IS::tactileSoundVolumeKey, "loud", 1.0, true },
        LoadCase { "unknownCompletionSound", IS::completionSoundKey, "meow", "ding", true },
        LoadCase { "leadTimeNotAChoice", IS::endingCueLeadTimeKey, 45, 60, true },
        LoadCase { "leadTimeGarbage", IS::endingCueLeadTimeKey, "soon", 60, true },
        LoadCase { "overdueNotAChoice", IS::overdueCueIntervalKey, 7, 5, true },
        LoadCase { "stepDistanceTooFar", PS::stepDistanceKey, 500, 140, true },
        LoadCase { "stepDistanceFraction", PS::stepDistanceKey, 2.5, 20, true },
        LoadCase { "unknownGranularity", PS::granularityKey, "hour", "minute", true },
        LoadCase { "quickTimeZero", PS::quickTimeKey, 0, 5, true },
        LoadCase { "quickTimeRoundsUp", PS::quickTimeKey, 118, 120, true },
        LoadCase { "unknownMode", PoS::modeKey, "zen", "timer", true },
        LoadCase { "switchGarbage", PoS::autoStartsNextBreakKey, "nope", true, true },
        LoadCase { "configuration", PoS::configurationKey, configuration(1800), configuration(1800), false },
        LoadCase { "configurationMended", PoS::configurationKey, QByteArray(R"({"focusSeconds":0})"), configuration(60),
            true },
        LoadCase { "unknownTheme", ThemeStore::selectedKey, "lion", "tuxedo", true },
        LoadCase { "unknownAppearance", PopoverAppearanceStore::selectedKey, "sepia", "system", true }),
    [](const auto& info) { return std::string(info.param.name); });

// One setter of one store, given a value that differs from the default.
struct SetterCase {
    const char* name;
    QString key;
    std::function<void(Stores&)> change;
};

class SetterWrites : public ::testing::TestWithParam<SetterCase> { };

TEST_P(SetterWrites, WritesAndSignalsOnceForARealChangeAndNeverForTheSameValue)
{
    MemoryUserDefaults defaults;
    Stores stores(defaults);
    defaults.resetWriteCount();
    // Every signal of every store, so a stray one counts too.
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const QObject* store : std::initializer_list<const QObject*> { &stores.interface, &stores.pull,
             &stores.pomodoro, &stores.theme, &stores.bed, &stores.appearance, &stores.timeDisplay }) {
        const QMetaObject* meta = store->metaObject();
        for (int index = meta->methodOffset(); index < meta->methodCount(); ++index) {
            if (meta->method(index).methodType() == QMetaMethod::Signal)
                spies.push_back(std::make_unique<QSignalSpy>(store, meta->method(index)));
        }
    }
    GetParam().change(stores);
    GetParam().change(stores);
    int emitted = 0;
    for (const auto& spy : spies)
        emitted += int(spy->count());
    EXPECT_EQ(emitted, 1);
    EXPECT_EQ(defaults.writeCount(GetParam().key), 1);
    EXPECT_EQ(defaults.writeCount(), 1);
    ASSERT_TRUE(stores.reported(GetParam().key).isValid());
    EXPECT_EQ(defaults.stored(GetParam().key), stores.reported(GetParam().key));
    const Stores relaunched(defaults);
    EXPECT_EQ(relaunched.reported(GetParam().key), stores.reported(GetParam().key));
    EXPECT_EQ(defaults.writeCount(), 1) << "what a setter writes must load back untouched";
}

// Each call is made on the stores as `s`.
#define SETTER(name, key, calls) (SetterCase { #name, key, [](Stores& s) { s.calls; } })
INSTANTIATE_TEST_SUITE_P(Setters, SetterWrites,
    ::testing::Values(SETTER(language, IS::languageKey, interface.setLanguage(AppLanguage::korean)),
        SETTER(idleLayout, IS::timerIdleLayoutKey, interface.setTimerIdleLayout(TimerIdleLayout::clock)),
        SETTER(zenByBothNames, IS::zenModeKey, interface.setZenModeEnabled(true);
               s.interface.setIsZenModeEnabled(true)),
        SETTER(modePicker, IS::showsTimerModePickerKey, interface.setShowsTimerModePicker(false)),
        SETTER(instructions, IS::showsTimerInstructionsKey, interface.setShowsTimerInstructions(false)),
        SETTER(autoDismiss, IS::automaticallyDismissesControlsKey, interface.setAutomaticallyDismissesControls(false)),
        SETTER(sounds, IS::tactileSoundsEnabledKey, interface.setTactileSoundsEnabled(false)),
        SETTER(volumeHeld, IS::tactileSoundVolumeKey, interface.setTactileSoundVolume(-3);
               s.interface.setTactileSoundVolume(0)),
        SETTER(completionSound, IS::completionSoundKey, interface.setCompletionSound(CompletionSound::catChitter)),
        SETTER(endingCue, IS::showsEndingCueKey, interface.setShowsEndingCue(false)),
        SETTER(leadTime, IS::endingCueLeadTimeKey, interface.setEndingCueLeadTimeSeconds(300)),
        SETTER(overdue, IS::overdueCueIntervalKey, interface.setPomodoroOverdueCueIntervalMinutes(60)),
        SETTER(stepDistanceRounded, PS::stepDistanceKey, pull.setStepDistancePoints(91);
               s.pull.setStepDistancePoints(100)),
        SETTER(granularity, PS::granularityKey, pull.setGranularity(PullGranularity::thirtyMinutes)),
        SETTER(quickTimeRounded, PS::quickTimeKey, pull.setQuickTimeMinutes(8); s.pull.setQuickTimeMinutes(10)),
        SETTER(mode, PoS::modeKey, pomodoro.setMode(TimerMode::pomodoro)),
        SETTER(autoFocus, PoS::autoStartsNextFocusKey, pomodoro.setAutoStartsNextFocus(true)),
        SETTER(autoBreak, PoS::autoStartsNextBreakKey, pomodoro.setAutoStartsNextBreak(false)),
        SETTER(continuous, PoS::continuousModeKey, pomodoro.setContinuousModeEnabled(true)),
        SETTER(theme, ThemeStore::selectedKey, theme.setSelected(CatTheme::all().at(6))),
        SETTER(bed, CatBedStore::selectedKey, bed.setSelected(CatBed::all().at(0))),
        SETTER(appearance, PopoverAppearanceStore::selectedKey, appearance.setSelected(PopoverAppearance::dark)),
        SETTER(timeStyle, TimeDisplaySettingsStore::styleKey, timeDisplay.setStyle(TimeDisplayStyle::clock))),
    [](const auto& info) { return std::string(info.param.name); });
#undef SETTER

TEST(SettingsCallbacks, FireOnlyForRealChangesAndTheEndingCueOneForEachOfItsSettings)
{
    MemoryUserDefaults defaults;
    Stores stores(defaults);
    std::vector<bool> cues;
    std::vector<AppLanguage> languages;
    QStringList themes;
    std::vector<TimeDisplayStyle> styles;
    stores.interface.onEndingCueChange = [&](bool shows) { cues.push_back(shows); };
    stores.interface.onLanguageChange = [&](AppLanguage language) { languages.push_back(language); };
    stores.theme.onSelectionChange = [&](const CatTheme& theme) { themes << theme.id; };
    stores.timeDisplay.onChange = [&](TimeDisplayStyle style) { styles.push_back(style); };

    // Values that hold to the current one change nothing and write nothing.
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
    for (int twice = 0; twice < 2; ++twice) {
        stores.interface.setShowsEndingCue(false);
        stores.interface.setEndingCueLeadTimeSeconds(15);
        stores.interface.setLanguage(AppLanguage::korean);
        stores.theme.setSelected(CatTheme::withId(QStringLiteral("calico")));
        stores.timeDisplay.setStyle(TimeDisplayStyle::totalMinutes);
    }
    stores.interface.setPomodoroOverdueCueIntervalMinutes(10);
    stores.interface.setShowsEndingCue(true);
    stores.interface.setIsZenModeEnabled(true);
    stores.interface.setTactileSoundVolume(0.5);
    stores.interface.setLanguage(AppLanguage::catalan); // not offered
    stores.interface.setLanguage(AppLanguage::system);
    stores.theme.setSelected(CatTheme::withId(QStringLiteral("tuxedo")));
    EXPECT_EQ(cues, (std::vector<bool> { false, false, false, true }));
    EXPECT_EQ(languages, (std::vector<AppLanguage> { AppLanguage::korean, AppLanguage::system }));
    EXPECT_EQ(themes, (QStringList { QStringLiteral("calico"), QStringLiteral("tuxedo") }));
    EXPECT_EQ(styles, std::vector<TimeDisplayStyle> { TimeDisplayStyle::totalMinutes });
}

TEST(AvailableLanguages, SystemComesFirstEveryCompiledTranslationIsOfferedAndNoBrokenOne)
{
    MemoryUserDefaults defaults;
    const InterfaceSettingsStore store(defaults, { AppLanguage::simplifiedChinese, AppLanguage::catalan });
    EXPECT_EQ(store.availableLanguages(),
        (std::vector<AppLanguage> { AppLanguage::system, AppLanguage::catalan, AppLanguage::simplifiedChinese }));
    // Each one loads and really translates.
    EXPECT_EQ(compiledInLanguages(), std::vector<AppLanguage>(allAppLanguages.begin(), allAppLanguages.end()));
    EXPECT_FALSE(translationIsUsable(QString()));
    EXPECT_FALSE(translationIsUsable(QStringLiteral(":/i18n/mewt_fr.qm")));
    QTemporaryFile garbage;
    ASSERT_TRUE(garbage.open());
    garbage.write("this is not a compiled translation");
    garbage.close();
    EXPECT_FALSE(translationIsUsable(garbage.fileName()));
}

TEST(EndingCueLabels, LeadTimesAndOverdueIntervalsReadAsThePagesShowThem)
{
    EXPECT_EQ(endingCueLeadTimeLabel(59), QStringLiteral("59 sec"));
    EXPECT_EQ(endingCueLeadTimeLabel(60), QStringLiteral("1 min"));
    EXPECT_EQ(endingCueLeadTimeLabel(119), QStringLiteral("1 min"));
    EXPECT_EQ(pomodoroOverdueCueIntervalLabel(60), QStringLiteral("every 60 min"));
}

// ---- pull and pomodoro settings ----

TEST(PullSettingsRounding, StepDistanceRoundsToTwentiesHalvesUpAndQuickTimeToFivesThreeUp)
{
    using Cases = std::initializer_list<std::pair<qint64, int>>;
    for (const auto& [points, held] : Cases { { -1000, 20 }, { 0, 20 }, { 20, 20 }, { 29, 20 }, { 30, 40 }, { 49, 40 },
             { 50, 60 }, { 129, 120 }, { 130, 140 }, { 140, 140 }, { 1LL << 40, 140 } })
        EXPECT_EQ(PullSettingsStore::normalizedStepDistancePoints(points), held) << points;
    for (const auto& [minutes, held] : Cases { { -3, 5 }, { 0, 5 }, { 5, 5 }, { 7, 5 }, { 8, 10 }, { 62, 60 },
             { 63, 65 }, { 118, 120 }, { 120, 120 }, { 500, 120 } })
        EXPECT_EQ(PullSettingsStore::normalizedQuickTimeMinutes(minutes), held) << minutes;
}

// A stored configuration whose four fields hold these JSON texts.
QByteArray configurationJson(const char* focus, const char* shortBreak, const char* longBreak, const char* blocks)
{
    return QStringLiteral(
        R"({"focusSeconds":%1,"shortBreakSeconds":%2,"longBreakSeconds":%3,"blocksBeforeLongBreak":%4})")
        .arg(QLatin1String(focus), QLatin1String(shortBreak), QLatin1String(longBreak), QLatin1String(blocks))
        .toUtf8();
}

struct DecodeCase {
    const char* name;
    QByteArray json;
    PomodoroConfiguration expected;
    bool adjusted;
};

class ConfigurationDecoding : public ::testing::TestWithParam<DecodeCase> { };

TEST_P(ConfigurationDecoding, ToleratesMissingAndBadFieldsAndHoldsTheRest)
{
    bool adjusted = !GetParam().adjusted;
    EXPECT_EQ(PomodoroConfiguration::decoded(GetParam().json, &adjusted), GetParam().expected);
    EXPECT_EQ(adjusted, GetParam().adjusted);
}

INSTANTIATE_TEST_SUITE_P(Json, ConfigurationDecoding,
    ::testing::Values(
        DecodeCase { "complete", configurationJson("1800", "600", "1200", "3"), { 1800, 600, 1200, 3 }, false },
        DecodeCase { "missingKeys", R"({"focusSeconds":1800})", { 1800, 300, 900, 4 }, true },
        DecodeCase { "zeroLengths", configurationJson("0", "-5", "59", "4"), { 60, 60, 60, 4 }, true },
        DecodeCase { "longLengths", configurationJson("99999", "300", "10800", "4"), { 10800, 300, 10800, 4 }, true },
        DecodeCase { "blocksBelow", configurationJson("1500", "300", "900", "1"), { 1500, 300, 900, 2 }, true },
        DecodeCase { "blocksAbove", configurationJson("1500", "300", "900", "80"), { 1500, 300, 900, 8 }, true },
        DecodeCase { "wrongTypes", configurationJson("\"1800\"", "null", "[1]", "true"), {}, true },
        DecodeCase { "hugeNumber", configurationJson("1e300", "300", "900", "4"), {}, true },
        DecodeCase { "fraction", configurationJson("1530.4", "300", "900", "4"), { 1530, 300, 900, 4 }, true },
        DecodeCase { "truncated", R"({"focusSeconds":18)", {}, true },
        DecodeCase { "array", "[1500,300,900,4]", {}, true }, DecodeCase { "empty", "", {}, true }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PomodoroSettings, SetConfigurationHoldsTheFieldsWritesAndReportsEachCallButSignalsOnlyChanges)
{
    MemoryUserDefaults defaults;
    PomodoroSettingsStore store(defaults);
    std::vector<PomodoroConfiguration> reported;
    store.onConfigurationChange = [&](const PomodoroConfiguration& c) { reported.push_back(c); };
    QSignalSpy changes(&store, &PomodoroSettingsStore::configurationChanged);
    store.setConfiguration(PomodoroConfiguration {});
    store.setConfiguration({ 0, -60, 1000000, 1 });
    store.setConfiguration({ 60, 60, 10800, 2 });
    const PomodoroConfiguration held { 60, 60, 10800, 2 };
    EXPECT_EQ(store.configuration(), held);
    EXPECT_EQ(reported, (std::vector<PomodoroConfiguration> { {}, held, held }));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(defaults.writeCount(PoS::configurationKey), 3);
    EXPECT_EQ(PomodoroConfiguration::decoded(defaults.stored(PoS::configurationKey).toByteArray()), held);
    store.setConfiguration({ 1500, 300, 900, 99 });
    EXPECT_EQ(store.configuration().blocksBeforeLongBreak, 8);
}

// ---- settings files on disk ----

// The stores of one run of the app over a real settings file.
struct AppRun {
    explicit AppRun(const QString& path)
        : defaults(path)
        , stores(defaults)
    {
    }
    IniUserDefaults defaults;
    Stores stores;
};

class SettingsFile : public ::testing::Test {
protected:
    void writeFile(const QByteArray& contents)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
    }
    QByteArray fileContents() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The first run mends the file; a later one reads the mended values and finds nothing to change.
    void launchTwice(const std::function<void(const Stores&)>& check)
    {
        QByteArray mended;
        for (int launch = 0; launch < 2; ++launch) {
            check(AppRun(path).stores);
            if (launch == 0)
                mended = fileContents();
        }
        EXPECT_EQ(fileContents(), mended);
    }
    QTemporaryDir directory;
    QString path = directory.filePath(QStringLiteral("mewt.conf"));
};

TEST_F(SettingsFile, HandEditedNonsenseIsMendedOnDiskAndEverythingElseSurvives)
{
    writeFile("[General]\n"
              "someoneElsesKey=keep me\n"
              "selectedTheme=siamese\n"
              "selectedCatBed=hammock\n"
              "tactileSoundVolume=11\n"
              "endingCueLeadTimeSeconds=-5\n"
              "isZenModeEnabled=perhaps\n"
              "pullStepDistancePoints=33\n"
              "quickTimeMinutes=lots\n"
              "timerMode=pomodoro\n"
              "timeDisplayStyle=sundial\n"
              "pomodoroConfiguration=\"{\\\"focusSeconds\\\": 0, \\\"blocksBeforeLongBreak\\\": 99}\"\n");
    launchTwice([](const Stores& run) {
        EXPECT_EQ(run.theme.selected().id, QStringLiteral("siamese"));
        EXPECT_EQ(run.bed.selected().id, QStringLiteral("classic"));
        EXPECT_EQ(run.interface.tactileSoundVolume(), 1.0);
        EXPECT_EQ(run.interface.endingCueLeadTimeSeconds(), 60);
        EXPECT_FALSE(run.interface.isZenModeEnabled());
        EXPECT_EQ(run.pull.stepDistancePoints(), 40);
        EXPECT_EQ(run.pull.quickTimeMinutes(), 25);
        EXPECT_EQ(run.pomodoro.mode(), TimerMode::pomodoro);
        EXPECT_EQ(run.timeDisplay.style(), TimeDisplayStyle::compact);
        EXPECT_EQ(run.pomodoro.configuration(), (PomodoroConfiguration { 60, 300, 900, 8 }));
    });
    EXPECT_EQ(IniUserDefaults(path).stringValue(QStringLiteral("someoneElsesKey")), QStringLiteral("keep me"));
}

TEST_F(SettingsFile, GarbageAndTruncatedFilesLoadAsDefaultsAndAreMended)
{
    static const char garbage[] = "\x00\xff\xfe garbage \x01\x02 [[[ === ]]]\n\x7f";
    for (const QByteArray& contents : { QByteArray(garbage, sizeof garbage - 1),
             QByteArray("[General]\npomodoroConfiguration=@ByteArray({\"focusSeconds\":18"),
             QByteArray("[General]\ntimerMode=pomo") }) {
        writeFile(contents);
        launchTwice([](const Stores& run) {
            EXPECT_EQ(run.pomodoro.configuration(), PomodoroConfiguration {});
            EXPECT_EQ(run.pomodoro.mode(), TimerMode::timer);
            EXPECT_EQ(run.theme.selected().id, QStringLiteral("tuxedo"));
        });
        EXPECT_EQ(
            IniUserDefaults(path).stringValue(InterfaceSettingsStore::timerIdleLayoutKey), QStringLiteral("mewt"));
    }
}

// ---- the tour ----

using Step = OnboardingStore::Step;

TEST(OnboardingStore, TheTourRunsItsStepsOnceAndRemembersOnlyItsCompletion)
{
    MemoryUserDefaults defaults;
    OnboardingStore store(defaults);
    std::vector<bool> presentations;
    store.onPresentationChange = [&](bool presented) { presentations.push_back(presented); };
    store.setStep(Step::notifications);
    ASSERT_TRUE(store.presentIfNeeded());
    EXPECT_EQ(store.step(), Step::meet) << "presenting starts from the first step";
    EXPECT_TRUE(store.presentIfNeeded());
    std::vector<Step> steps;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(store.advance());
        steps.push_back(store.step());
    }
    EXPECT_EQ(steps, (std::vector<Step> { Step::pull, Step::pause, Step::notifications }));
    store.back();
    EXPECT_EQ(store.step(), Step::pause);
    EXPECT_EQ(defaults.writeCount(), 0) << "moving between steps is not persisted";
    store.advance();
    EXPECT_TRUE(store.advance());
    EXPECT_FALSE(store.isPresented());
    EXPECT_EQ(store.step(), Step::meet);
    EXPECT_EQ(defaults.intValue(OnboardingStore::completionKey), 3);
    EXPECT_EQ(presentations, (std::vector<bool> { true, false }));
    EXPECT_FALSE(store.presentIfNeeded());
    store.back();
    EXPECT_EQ(store.step(), Step::meet) << "back stops at the first step";
    defaults.remove(OnboardingStore::completionKey);
    store.setStep(Step::pause);
    store.complete();
    EXPECT_EQ(defaults.intValue(OnboardingStore::completionKey), 3);
    EXPECT_EQ(store.step(), Step::meet);
    EXPECT_EQ(presentations.size(), 2u) << "completing a tour that is not showing changes no presentation";
}

TEST(OnboardingStore, ShowsTheTourOnlyWhenNoVersionFromThreeOnIsStored)
{
    for (const auto& [stored, shows] : std::initializer_list<std::pair<QVariant, bool>> { { QVariant(), true },
             { 2, true }, { 3, false }, { 7, false }, { -1, true }, { QStringLiteral("seen"), true } }) {
        MemoryUserDefaults defaults;
        if (stored.isValid())
            defaults.seed(OnboardingStore::completionKey, stored);
        OnboardingStore store(defaults);
        EXPECT_EQ(store.presentIfNeeded(), shows) << stored.toString().toStdString();
        EXPECT_EQ(store.isPresented(), shows);
    }
}

} // namespace

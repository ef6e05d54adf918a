#include "CatBedStore.h"
#include "IniUserDefaults.h"
#include "InterfaceSettingsStore.h"
#include "PomodoroSettingsStore.h"
#include "PopoverAppearanceStore.h"
#include "PullSettingsStore.h"
#include "ThemeStore.h"
#include "TimeDisplaySettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

// The stores of one run of the app over a real settings file.
struct AppRun {
    explicit AppRun(const QString& path)
        : defaults(path)
        , interface(defaults)
        , pull(defaults)
        , pomodoro(defaults)
        , theme(defaults)
        , bed(defaults)
        , appearance(defaults)
        , timeDisplay(defaults)
    {
    }

    IniUserDefaults defaults;
    InterfaceSettingsStore interface;
    PullSettingsStore pull;
    PomodoroSettingsStore pomodoro;
    ThemeStore theme;
    CatBedStore bed;
    PopoverAppearanceStore appearance;
    TimeDisplaySettingsStore timeDisplay;
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
    {
        const AppRun run(path);
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
    }

    const IniUserDefaults reread(path);
    EXPECT_EQ(reread.stringValue(QStringLiteral("someoneElsesKey")), QStringLiteral("keep me"));
    EXPECT_EQ(reread.stringValue(ThemeStore::selectedKey), QStringLiteral("siamese"));
    EXPECT_EQ(reread.stringValue(CatBedStore::selectedKey), QStringLiteral("classic"));
    EXPECT_EQ(reread.doubleValue(InterfaceSettingsStore::tactileSoundVolumeKey), 1.0);
    EXPECT_EQ(reread.intValue(InterfaceSettingsStore::endingCueLeadTimeKey), 60);
    EXPECT_EQ(reread.boolValue(InterfaceSettingsStore::zenModeKey), false);
    EXPECT_EQ(reread.intValue(PullSettingsStore::stepDistanceKey), 40);
    EXPECT_EQ(reread.intValue(PullSettingsStore::quickTimeKey), 25);
    EXPECT_EQ(reread.stringValue(TimeDisplaySettingsStore::styleKey), QStringLiteral("compact"));
    EXPECT_EQ(PomodoroConfiguration::decoded(*reread.dataValue(PomodoroSettingsStore::configurationKey)),
        (PomodoroConfiguration { 60, 300, 900, 8 }));

    // Once mended, a later launch finds nothing to change.
    const QByteArray mended = fileContents();
    {
        const AppRun again(path);
    }
    EXPECT_EQ(fileContents(), mended);
}

TEST_F(SettingsFile, GarbageAndTruncatedFilesLoadAsDefaultsAndAreMended)
{
    static const char garbage[] = "\x00\xff\xfe garbage \x01\x02 [[[ === ]]]\n\x7f";
    const QList<QByteArray> files = {
        QByteArray(garbage, sizeof garbage - 1),
        QByteArray("[General]\npomodoroConfiguration=@ByteArray({\"focusSeconds\":18"),
        QByteArray("[General]\ntimerMode=pomo"),
    };
    for (const QByteArray& contents : files) {
        writeFile(contents);
        {
            const AppRun run(path);
            EXPECT_EQ(run.pomodoro.configuration(), PomodoroConfiguration {});
            EXPECT_EQ(run.pomodoro.mode(), TimerMode::timer);
            EXPECT_EQ(run.theme.selected().id, QStringLiteral("tuxedo"));
            EXPECT_EQ(run.pull.stepDistancePoints(), 20);
        }
        const IniUserDefaults reread(path);
        EXPECT_EQ(reread.stringValue(InterfaceSettingsStore::timerIdleLayoutKey), QStringLiteral("mewt"));
        if (reread.contains(PomodoroSettingsStore::modeKey)) {
            EXPECT_EQ(reread.stringValue(PomodoroSettingsStore::modeKey), QStringLiteral("timer"));
        }
        if (reread.contains(PomodoroSettingsStore::configurationKey)) {
            EXPECT_EQ(PomodoroConfiguration::decoded(*reread.dataValue(PomodoroSettingsStore::configurationKey)),
                PomodoroConfiguration {});
        }
    }
}

TEST_F(SettingsFile, EveryChangeSurvivesARestart)
{
    {
        AppRun run(path);
        run.interface.setLanguage(AppLanguage::korean);
        run.interface.setTactileSoundVolume(0.35);
        run.interface.setTimerIdleLayout(TimerIdleLayout::clock);
        run.pull.setGranularity(PullGranularity::fiveMinutes);
        run.pull.setStepDistancePoints(80);
        run.pomodoro.setConfiguration({ 1800, 420, 1200, 3 });
        run.pomodoro.setContinuousModeEnabled(true);
        run.theme.setSelected(CatTheme::withId(QStringLiteral("tortie")));
        run.bed.setSelected(CatBed::withId(QStringLiteral("donut")));
        run.appearance.setSelected(PopoverAppearance::dark);
        run.timeDisplay.setStyle(TimeDisplayStyle::totalMinutes);
    }
    const AppRun run(path);
    EXPECT_EQ(run.interface.language(), AppLanguage::korean);
    EXPECT_EQ(run.interface.tactileSoundVolume(), 0.35);
    EXPECT_EQ(run.interface.timerIdleLayout(), TimerIdleLayout::clock);
    EXPECT_EQ(run.pull.granularity(), PullGranularity::fiveMinutes);
    EXPECT_EQ(run.pull.stepDistancePoints(), 80);
    EXPECT_EQ(run.pomodoro.configuration(), (PomodoroConfiguration { 1800, 420, 1200, 3 }));
    EXPECT_TRUE(run.pomodoro.isContinuousModeEnabled());
    EXPECT_EQ(run.theme.selected().id, QStringLiteral("tortie"));
    EXPECT_EQ(run.bed.selected().id, QStringLiteral("donut"));
    EXPECT_EQ(run.appearance.selected(), PopoverAppearance::dark);
    EXPECT_EQ(run.timeDisplay.style(), TimeDisplayStyle::totalMinutes);
}

} // namespace

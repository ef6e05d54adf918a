#include "PawStatusView.h"
#include "PullHandlePanel.h"
#include "ShellRig.h"
#include "StatusItemWindow.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <gtest/gtest.h>

using namespace mewt;
using namespace mewt::testing;
using namespace std::chrono_literals;

namespace {

class Coordinator : public ::testing::Test {
protected:
    AppCoordinator& started()
    {
        coordinator = std::make_unique<AppCoordinator>(rig.services());
        coordinator->start();
        return *coordinator;
    }

    int chimes() const
    {
        const AudioSamples chime = coordinator->tactileSoundPlayer().buffer(TactileSound::chime);
        const auto& log = coordinator->audioEngine().commandLog();
        return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const AudioCommand& command) {
            return command.kind == AudioCommand::Kind::playTactile && command.samples == chime;
        }));
    }

    int catSoundsStarted() const
    {
        const auto& log = coordinator->audioEngine().commandLog();
        return static_cast<int>(std::count_if(log.begin(), log.end(),
            [](const AudioCommand& command) { return command.kind == AudioCommand::Kind::startCat; }));
    }

    bool chitterPlays() const
    {
        const CatSoundPlayer& cats = coordinator->catSoundPlayer();
        for (int variant = 0; variant < cats.variantCount(CatSoundPlayer::Sound::chitter); ++variant) {
            if (cats.isPlaying(CatSoundPlayer::Sound::chitter, variant))
                return true;
        }
        return false;
    }

    // Lets the running timer reach its end the way the ticker finds it.
    void runOut()
    {
        const auto end = coordinator->timerStore().state().endDate();
        ASSERT_TRUE(end);
        rig.clock.set(*end + 1ms);
        coordinator->timerStore().tick();
    }

    QString title() const { return coordinator->statusItemController().view().title().text; }

    ShellRig rig;
    std::unique_ptr<AppCoordinator> coordinator;
};

TEST_F(Coordinator, StartShowsThePawAndSettlesTheRestoredTimer)
{
    rig.seedSnapshot(
        { TimerState::running(rig.clock.now() + 754s), QStringLiteral("tea"), QStringLiteral("tea"), 900 });
    AppCoordinator& app = started();
    EXPECT_TRUE(app.statusItemController().window().isVisible());
    EXPECT_EQ(title(), QStringLiteral("13m"));
    EXPECT_EQ(app.timerStore().tickCadence(), TimerTickCadence::everyMinute);
    // The restored timer's notification is scheduled once the language is in place, without asking.
    ASSERT_EQ(rig.scheduler.requests.size(), 1U);
    EXPECT_FALSE(rig.scheduler.requests[0].requestingAuthorization);
    EXPECT_EQ(rig.scheduler.requests[0].notification.title, QStringLiteral("tea complete"));
    EXPECT_TRUE(app.tactileSoundPlayer().isMonitorInstalled());
}

TEST_F(Coordinator, WiresNothingUntilStarted)
{
    coordinator = std::make_unique<AppCoordinator>(rig.services());
    EXPECT_FALSE(coordinator->timerStore().onStateChange);
    EXPECT_FALSE(coordinator->statusItemController().window().isVisible());
    coordinator->start();
    coordinator->start();
    EXPECT_TRUE(coordinator->timerStore().onStateChange);
    EXPECT_EQ(rig.scheduler.count("refreshSettings"), 1);
}

struct CompletionCase {
    const char* name;
    CompletionSound sound;
    bool completes; // false: the timer is cancelled instead
    int chimes;
    bool chitter;
};

class CompletionSoundRule : public Coordinator, public ::testing::WithParamInterface<CompletionCase> { };

TEST_P(CompletionSoundRule, PlaysOnlyForATimerThatRanOut)
{
    const CompletionCase& c = GetParam();
    AppCoordinator& app = started();
    app.interfaceSettingsStore().setCompletionSound(c.sound);
    // Longer than the ending cue's lead, so its chirrup stays out of the count.
    app.timerStore().addTime(600, rig.clock.now());
    if (c.completes)
        runOut();
    else
        app.timerStore().cancel(rig.clock.now());
    EXPECT_TRUE(app.timerStore().state().isIdle());
    EXPECT_EQ(chimes(), c.chimes);
    EXPECT_EQ(chitterPlays(), c.chitter);
    EXPECT_EQ(catSoundsStarted(), c.chitter ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(BySetting, CompletionSoundRule,
    ::testing::Values(CompletionCase { "dingOnCompletion", CompletionSound::ding, true, 1, false },
        CompletionCase { "chitterOnCompletion", CompletionSound::catChitter, true, 0, true },
        CompletionCase { "silentCancelWithDing", CompletionSound::ding, false, 0, false },
        CompletionCase { "silentCancelWithChitter", CompletionSound::catChitter, false, 0, false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Coordinator, APomodoroPhaseThatRunsOutChimesOnceAndMovesThePlanOn)
{
    AppCoordinator& app = started();
    app.pomodoroSettingsStore().setMode(TimerMode::pomodoro);
    app.commitPull({ 2, 3000, TimerMode::pomodoro });
    ASSERT_TRUE(app.pomodoroStore().plan());
    EXPECT_EQ(app.pomodoroStore().plan()->phase, PomodoroPhase::focus);
    runOut();
    EXPECT_EQ(chimes(), 1);
    ASSERT_TRUE(app.pomodoroStore().plan());
    EXPECT_NE(app.pomodoroStore().plan()->phase, PomodoroPhase::focus);
    EXPECT_EQ(app.pomodoroStore().plan()->completedBlocks, 1);
}

TEST_F(Coordinator, SkippingOrEndingAPhaseIsNoCompletion)
{
    AppCoordinator& app = started();
    app.commitPull({ 2, 3000, TimerMode::pomodoro });
    app.pomodoroStore().skipPhase(rig.clock.now());
    app.pomodoroStore().endPlan();
    EXPECT_EQ(chimes(), 0);
    EXPECT_FALSE(app.pomodoroStore().plan());
}

TEST_F(Coordinator, ACommitGoesToTheTimerInTimerMode)
{
    AppCoordinator& app = started();
    app.commitPull({ 5, 300, TimerMode::timer });
    ASSERT_TRUE(app.timerStore().state().isRunning());
    EXPECT_EQ(*app.timerStore().state().endDate(), rig.clock.now() + 300s);
    EXPECT_FALSE(app.pomodoroStore().plan());
    EXPECT_EQ(title(), QStringLiteral("5m"));
    EXPECT_TRUE(app.statusItemController().isPawMomentPending());
}

TEST_F(Coordinator, APlanTakesTheCommitWhateverTheMode)
{
    AppCoordinator& app = started();
    app.commitPull({ 1, 1500, TimerMode::pomodoro });
    const Date end = *app.timerStore().state().endDate();
    // A pull that began in timer mode still extends the plan's phase by focus lengths.
    app.commitPull({ 1, 60, TimerMode::timer });
    ASSERT_TRUE(app.pomodoroStore().plan());
    EXPECT_EQ(*app.timerStore().state().endDate(), end + 1500s);
}

TEST_F(Coordinator, PullsAreIgnoredWhileTheTourShows)
{
    AppCoordinator& app = started();
    app.onboardingStore().setPresented(true);
    const QRectF screen(0, 0, 800, 600);
    app.handlePull({ PullGestureEvent::Phase::began, { 700, 30 }, { 700, 30 }, screen });
    EXPECT_FALSE(app.pullInteractionController().isPulling());
    app.onboardingStore().setPresented(false);
    app.handlePull({ PullGestureEvent::Phase::began, { 700, 30 }, { 700, 30 }, screen });
    EXPECT_TRUE(app.pullInteractionController().isPulling());
    app.onboardingStore().setPresented(true);
    app.handlePull({ PullGestureEvent::Phase::ended, { 700, 30 }, { 700, 300 }, screen });
    EXPECT_FALSE(app.pullInteractionController().isPulling());
    EXPECT_TRUE(app.timerStore().state().isIdle());
}

TEST_F(Coordinator, APullOnTheHandleStartsATimer)
{
    AppCoordinator& app = started();
    app.pullSettingsStore().setGranularity(PullGranularity::minute);
    const QRectF screen(0, 0, 800, 600);
    const int stepDistance = static_cast<int>(app.pullSettingsStore().stepDistancePoints());
    app.statusItemController().pullHandle().onPull(
        { PullGestureEvent::Phase::began, { 700, 30 }, { 700, 30 }, screen });
    app.statusItemController().pullHandle().onPull(
        { PullGestureEvent::Phase::ended, { 700, 30 }, { 700, 30.0 + 3 * stepDistance }, screen });
    ASSERT_TRUE(app.timerStore().state().isRunning());
    EXPECT_EQ(*app.timerStore().state().endDate(), rig.clock.now() + 180s);
}

TEST_F(Coordinator, WakingCompletesATimerThatEndedInSleep)
{
    AppCoordinator& app = started();
    app.timerStore().addTime(600, rig.clock.now());
    rig.clock.advance(2h);
    app.sleepWakeMonitor().prepareForSleep(false);
    EXPECT_TRUE(app.timerStore().state().isIdle());
    EXPECT_EQ(chimes(), 1);
    EXPECT_EQ(title(), QString());
}

TEST_F(Coordinator, WakingLeavesATimerStillRunningAndShowsItsTime)
{
    AppCoordinator& app = started();
    app.timeDisplaySettingsStore().setStyle(TimeDisplayStyle::clock);
    app.timerStore().addTime(600, rig.clock.now());
    rig.clock.advance(200s);
    app.sleepWakeMonitor().prepareForSleep(false);
    EXPECT_TRUE(app.timerStore().state().isRunning());
    EXPECT_EQ(title(), QStringLiteral("6:40"));
    EXPECT_EQ(chimes(), 0);
}

TEST_F(Coordinator, ComingToTheFrontRereadsTheLoginItemAndNotificationSettings)
{
    AppCoordinator& app = started();
    EXPECT_FALSE(app.loginItemService().isEnabled());
    const int refreshes = rig.scheduler.count("refreshSettings");
    // Someone turned it on in the desktop's autostart settings meanwhile.
    QDir().mkpath(rig.home.filePath(QStringLiteral("autostart")));
    QFile entry(rig.home.filePath(QStringLiteral("autostart/mewt.desktop")));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=mewt\nExec=/usr/bin/mewt\n");
    entry.close();
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(app.loginItemService().isEnabled());
    EXPECT_EQ(rig.scheduler.count("refreshSettings"), refreshes + 1);
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(rig.scheduler.count("refreshSettings"), refreshes + 1);
}

class StyleCadence : public Coordinator, public ::testing::WithParamInterface<TimeDisplayStyle> { };

TEST_P(StyleCadence, TheTitleAndTheTickFollowTheStyleAtOnce)
{
    AppCoordinator& app = started();
    app.timerStore().addTime(125, rig.clock.now());
    app.timeDisplaySettingsStore().setStyle(GetParam());
    EXPECT_EQ(title(), format(125, GetParam()));
    EXPECT_EQ(app.timerStore().tickCadence(), tickCadence(GetParam()));
    const auto wake = *app.timerStore().nextTickDate() - rig.clock.now();
    EXPECT_EQ(wake, GetParam() == TimeDisplayStyle::compact ? Date::duration(5s) : Date::duration(1s));
}

INSTANTIATE_TEST_SUITE_P(EveryStyle, StyleCadence, ::testing::ValuesIn(allTimeDisplayStyles));

TEST_F(Coordinator, TheEndingCueFollowsEveryChangeOfTheTimer)
{
    AppCoordinator& app = started();
    EndingCueController& cue = app.endingCueController();
    app.timerStore().addTime(600, rig.clock.now());
    const Date end = *app.timerStore().state().endDate();
    EXPECT_EQ(cue.activationDeadline(), end);
    EXPECT_FALSE(cue.countdownDeadline());

    rig.clock.set(end - 30s);
    app.timerStore().pause(rig.clock.now());
    EXPECT_FALSE(cue.activationDeadline());
    app.timerStore().resume(rig.clock.now());
    EXPECT_EQ(cue.countdownDeadline(), *app.timerStore().state().endDate());

    app.interfaceSettingsStore().setShowsEndingCue(false);
    EXPECT_FALSE(cue.countdownDeadline());
    EXPECT_FALSE(cue.isCountingDown());
    app.interfaceSettingsStore().setShowsEndingCue(true);
    EXPECT_TRUE(cue.isCountingDown());
    app.timerStore().cancel(rig.clock.now());
    EXPECT_FALSE(cue.isCountingDown());
}

TEST_F(Coordinator, ARestoredTimerNearItsEndShowsTheCueAtStart)
{
    rig.seedSnapshot({ TimerState::running(rig.clock.now() + 20s), {}, std::nullopt, 600 });
    AppCoordinator& app = started();
    EXPECT_TRUE(app.endingCueController().isCountingDown());
    app.shutdown();
    EXPECT_FALSE(app.endingCueController().isCountingDown());
    EXPECT_FALSE(app.endingCueController().isShown());
}

TEST_F(Coordinator, AnotherCatShowsAtOnce)
{
    AppCoordinator& app = started();
    const CatTheme& calico = CatTheme::withId(QStringLiteral("calico"));
    app.themeStore().setSelected(calico);
    EXPECT_EQ(app.statusItemController().view().theme(), calico);
}

TEST_F(Coordinator, AnotherLanguageRewritesThePendingNotification)
{
    AppCoordinator& app = started();
    const auto& languages = app.interfaceSettingsStore().availableLanguages();
    if (std::find(languages.begin(), languages.end(), AppLanguage::catalan) == languages.end())
        GTEST_SKIP() << "no Catalan translation compiled in";
    app.timerStore().addTime(600, rig.clock.now());
    const std::size_t before = rig.scheduler.requests.size();
    app.interfaceSettingsStore().setLanguage(AppLanguage::catalan);
    EXPECT_EQ(app.translator().installedLanguage(), AppLanguage::catalan);
    ASSERT_EQ(rig.scheduler.requests.size(), before + 1);
    EXPECT_NE(rig.scheduler.requests.back().notification.title, QStringLiteral("mewt timer complete"));
    app.interfaceSettingsStore().setLanguage(AppLanguage::system);
}

TEST_F(Coordinator, ShutdownEndsPlanAndTimerQuietlyAndOnlyOnce)
{
    AppCoordinator& app = started();
    app.commitPull({ 2, 3000, TimerMode::pomodoro });
    app.shutdown();
    EXPECT_FALSE(app.pomodoroStore().plan());
    EXPECT_FALSE(rig.defaults.contains(PomodoroStore::planKey));
    EXPECT_TRUE(app.timerStore().state().isIdle());
    EXPECT_EQ(chimes(), 0);
    EXPECT_FALSE(app.timerStore().onStateChange);
    EXPECT_FALSE(app.statusItemController().window().isVisible());
    EXPECT_FALSE(app.tactileSoundPlayer().isMonitorInstalled());

    const int writes = rig.defaults.writeCount();
    app.shutdown();
    app.start();
    EXPECT_EQ(rig.defaults.writeCount(), writes);
    EXPECT_FALSE(app.statusItemController().window().isVisible());
    // A late commit (a pull released during the quit) changes nothing any more.
    app.commitPull({ 1, 60, TimerMode::timer });
    EXPECT_TRUE(app.timerStore().state().isIdle());
}

} // namespace

#include "pull/PullInteractionController.h"
#include "pull/PullOverlayView.h"
#include "PullRig.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace mewt;
using namespace mewt::testing;
using Phase = PullGestureEvent::Phase;

namespace {

const QRectF screen(0, 0, 1920, 1080);
const QPointF anchor(1700, 12);

PullGestureEvent pullEvent(Phase phase, double dy, double dx = 0.0)
{
    return { phase, anchor, anchor + QPointF(dx, dy), screen };
}

} // namespace

class PullInteraction : public ::testing::Test {
protected:
    void SetUp() override
    {
        controller.onCommit = [this](const PullCommit& commit) { commits.push_back(commit); };
    }

    // Began at the anchor, moved down in 10 pt steps to `dy`, then `last` there.
    void pull(double dy, Phase last = Phase::ended)
    {
        controller.handle(pullEvent(Phase::began, 0));
        for (double y = 10; y < dy; y += 10)
            controller.handle(pullEvent(Phase::changed, y));
        controller.handle(pullEvent(Phase::changed, dy));
        controller.handle(pullEvent(last, dy));
    }

    PullRig rig;
    PullInteractionController controller { rig.pullSettings, rig.pomodoroSettings, rig.timerStore,
        rig.interfaceSettings, rig.themeStore, rig.tactileSounds, rig.catSounds, rig.overlay, rig.clock };
    std::vector<PullCommit> commits;
};

TEST_F(PullInteraction, AReleaseCommitsItsStepsOnceWithAWhisper)
{
    pull(200);
    ASSERT_EQ(commits.size(), 1U);
    EXPECT_EQ(commits[0], (PullCommit { 10, 600, TimerMode::timer }));
    const std::vector<TactileSound> sounds = rig.soundsSince(0);
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), TactileSound::whisper), 1);
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), TactileSound::cancel), 0);
    EXPECT_FALSE(controller.isPulling());
    // Events after the end belong to no pull.
    controller.handle(pullEvent(Phase::ended, 300));
    EXPECT_EQ(commits.size(), 1U);
}

TEST_F(PullInteraction, FollowsTheSettingsOfTheMomentAndTheGranularity)
{
    rig.pullSettings.setStepDistancePoints(40);
    rig.pullSettings.setGranularity(PullGranularity::fiveMinutes);
    pull(130);
    ASSERT_EQ(commits.size(), 1U);
    EXPECT_EQ(commits[0], (PullCommit { 4, 1200, TimerMode::timer }));
}

TEST_F(PullInteraction, AReleaseOverTheCancelAreaPlaysCancelAndCommitsNothing)
{
    controller.handle(pullEvent(Phase::began, 0));
    controller.handle(pullEvent(Phase::changed, 300));
    controller.handle(pullEvent(Phase::changed, -11));
    EXPECT_TRUE(controller.isOverCancelArea());
    EXPECT_EQ(rig.overlay.model().state().statusText, QStringLiteral("release to cancel"));
    EXPECT_TRUE(rig.overlay.model().state().isCancel);
    controller.handle(pullEvent(Phase::ended, -11));
    EXPECT_TRUE(commits.empty());
    const std::vector<TactileSound> sounds = rig.soundsSince(0);
    EXPECT_EQ(sounds, std::vector<TactileSound> { TactileSound::cancel });
}

TEST_F(PullInteraction, AReleaseWithoutAStepCommitsNothingAndStaysQuiet)
{
    controller.handle(pullEvent(Phase::began, 0));
    controller.handle(pullEvent(Phase::ended, 0));
    EXPECT_TRUE(commits.empty());
    EXPECT_TRUE(rig.soundsSince(0).empty());
    EXPECT_EQ(rig.timerStore.state(), TimerState::idle());
}

TEST_F(PullInteraction, ACancelledPullCommitsNothingAndMakesNoSound)
{
    pull(200, Phase::cancelled);
    EXPECT_TRUE(commits.empty());
    EXPECT_TRUE(rig.soundsSince(0).empty());
    EXPECT_FALSE(controller.isPulling());
}

class PullEndings : public PullInteraction, public ::testing::WithParamInterface<Phase> { };

TEST_P(PullEndings, FadeThePurrThatTheTravelStarted)
{
    controller.handle(pullEvent(Phase::began, 0));
    controller.handle(pullEvent(Phase::changed, 40));
    ASSERT_TRUE(rig.purrPlaying());
    EXPECT_NEAR(rig.catSounds.volume(CatSoundPlayer::Sound::purr, 0), 0.0875, 1e-9);
    EXPECT_TRUE(controller.isPurrRestTimerRunning());
    controller.handle(pullEvent(GetParam(), GetParam() == Phase::ended ? -30 : 40));
    EXPECT_TRUE(rig.catSounds.isPurrFading());
    EXPECT_FALSE(controller.isPurrRestTimerRunning());
    for (int step = 0; step < CatSoundPlayer::purrFadeSteps; ++step)
        rig.catSounds.purrFadeStep();
    EXPECT_FALSE(rig.purrPlaying());
}

INSTANTIATE_TEST_SUITE_P(Phases, PullEndings, ::testing::Values(Phase::ended, Phase::cancelled));

TEST_F(PullInteraction, ThePurrFollowsOnlyATravellingPointer)
{
    controller.handle(pullEvent(Phase::began, 0));
    EXPECT_FALSE(rig.purrPlaying());
    controller.handle(pullEvent(Phase::changed, 0.2));
    EXPECT_FALSE(rig.purrPlaying()); // a tremble is no travel
    controller.handle(pullEvent(Phase::changed, 25));
    EXPECT_TRUE(rig.purrPlaying());
    controller.stop();
    EXPECT_TRUE(rig.catSounds.isPurrFading());
    EXPECT_FALSE(rig.overlay.isShowing());
}

TEST_F(PullInteraction, ThousandsOfStepsDoNotOverflow)
{
    rig.pullSettings.setGranularity(PullGranularity::thirtyMinutes);
    controller.handle(pullEvent(Phase::began, 0));
    controller.handle(pullEvent(Phase::ended, 1e12));
    ASSERT_EQ(commits.size(), 1U);
    EXPECT_EQ(commits[0].steps, maximumPullSteps);
    EXPECT_EQ(commits[0].seconds, maximumPullSteps * 1800);
    // The timer holds itself to its own limit.
    rig.timerStore.addTime(commits[0].seconds, rig.clock.now());
    EXPECT_TRUE(rig.timerStore.state().isRunning());
}

TEST_F(PullInteraction, APointerThatIsNotANumberKeepsTheLastPlace)
{
    controller.handle(pullEvent(Phase::began, 0));
    controller.handle(pullEvent(Phase::changed, 60));
    controller.handle({ Phase::ended, anchor, QPointF(NAN, INFINITY), screen });
    ASSERT_EQ(commits.size(), 1U);
    EXPECT_EQ(commits[0].steps, 3);
}

TEST_F(PullInteraction, PomodoroModeCommitsTheStepsAsFocusSessions)
{
    rig.pomodoroSettings.setMode(TimerMode::pomodoro);
    pull(50);
    ASSERT_EQ(commits.size(), 1U);
    EXPECT_EQ(commits[0], (PullCommit { 3, 3 * 1500, TimerMode::pomodoro }));
}

TEST_F(PullInteraction, APlanInProgressMakesItAPomodoroPull)
{
    controller.pomodoroContext = [] { return PomodoroPullContext { true, false }; };
    pull(20);
    ASSERT_EQ(commits.size(), 1U);
    EXPECT_EQ(commits[0].mode, TimerMode::pomodoro);
    EXPECT_EQ(commits[0].steps, 1);
}

TEST_F(PullInteraction, TheOverlayPreviewsTheStepsWhileThePointerMoves)
{
    controller.handle(pullEvent(Phase::began, 0));
    EXPECT_TRUE(rig.overlay.isShowing());
    EXPECT_EQ(rig.overlay.model().state().statusText, QStringLiteral("pull down to add time"));
    controller.handle(pullEvent(Phase::changed, 200, 40));
    EXPECT_EQ(controller.currentSteps(), 10);
    const PullOverlayModel::State& state = rig.overlay.model().state();
    EXPECT_TRUE(state.statusText.startsWith(QStringLiteral("10 min · ")));
    EXPECT_EQ(state.pointer, anchor + QPointF(40, 200));
    ASSERT_NE(rig.overlay.view(), nullptr);
    EXPECT_TRUE(rig.overlay.view()->isVisible());
    controller.handle(pullEvent(Phase::ended, 200, 40));
    EXPECT_TRUE(rig.overlay.isRetreating());
}

// The pill's words, with a fixed locale and local clock.
class PullStatusTexts : public ::testing::Test {
protected:
    static Date at(int hour, int minute)
    {
        return Date(std::chrono::milliseconds(QDateTime(QDate(2026, 3, 2), QTime(hour, minute)).toMSecsSinceEpoch()));
    }

    PullStatusInput preview(qint64 steps, qint64 seconds) const
    {
        PullStatusInput p;
        p.steps = steps;
        p.seconds = seconds;
        p.now = at(12, 0);
        return p;
    }

    // The C locale's short format is "HH:mm:ss"; the pill leaves the seconds out.
    static QString time(int hour, int minute) { return QTime(hour, minute).toString(QStringLiteral("HH:mm")); }

    QLocale locale { QLocale::c() };
};

TEST_F(PullStatusTexts, DurationsReadAsSecondsMinutesAndHours)
{
    EXPECT_EQ(pullDurationText(45), QStringLiteral("45 sec"));
    EXPECT_EQ(pullDurationText(600), QStringLiteral("10 min"));
    EXPECT_EQ(pullDurationText(90), QStringLiteral("1 min 30 sec"));
    EXPECT_EQ(pullDurationText(7200), QStringLiteral("2 h"));
    EXPECT_EQ(pullDurationText(3900), QStringLiteral("1 h 5 min"));
    EXPECT_EQ(pullDurationText(-5), QStringLiteral("0 sec"));
}

TEST_F(PullStatusTexts, ANewTimerFinishesThatLongFromNow)
{
    EXPECT_EQ(pullStatusText(preview(10, 600), locale), QStringLiteral("10 min · ") + time(12, 10));
}

TEST_F(PullStatusTexts, ARunningTimerIsExtendedFromItsEndAndAPausedOneHasNoFinish)
{
    PullStatusInput running = preview(10, 600);
    running.timerState = TimerState::running(at(12, 30));
    EXPECT_EQ(pullStatusText(running, locale), QStringLiteral("+10 min · ") + time(12, 40));
    // An end already behind us counts from now.
    running.timerState = TimerState::running(at(11, 0));
    EXPECT_EQ(pullStatusText(running, locale), QStringLiteral("+10 min · ") + time(12, 10));
    PullStatusInput paused = preview(2, 120);
    paused.timerState = TimerState::paused(300);
    EXPECT_EQ(pullStatusText(paused, locale), QStringLiteral("+2 min"));
}

TEST_F(PullStatusTexts, AFinishOnAnotherDayShowsTheDate)
{
    const QString text = pullStatusText(preview(30, 30 * 3600), locale);
    EXPECT_EQ(text, QStringLiteral("30 h · ") + locale.toString(QDate(2026, 3, 3), QLocale::ShortFormat) + " 18:00");
}

TEST_F(PullStatusTexts, PomodoroCountsFocusSessions)
{
    PullStatusInput p = preview(2, 3000);
    p.mode = TimerMode::pomodoro;
    EXPECT_EQ(pullStatusText(p, locale), QStringLiteral("2 focus · 50 min"));
    p.continuousMode = true;
    EXPECT_EQ(pullStatusText(p, locale), QStringLiteral("1 focus · 25 min"));
    p.pomodoro.planExists = true;
    EXPECT_EQ(pullStatusText(p, locale), QStringLiteral("+2 focus · 50 min"));
    p.pomodoro.planWaiting = true;
    EXPECT_EQ(pullStatusText(p, locale), QStringLiteral("start the next phase"));
    p.steps = 0;
    EXPECT_EQ(pullStatusText(p, locale), QStringLiteral("pull down to start the next phase"));
}

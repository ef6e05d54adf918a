#include "FakePortal.h"
#include "ShellRig.h"
#include "options/FeedbackPanel.h"
#include "options/GeneralOptionsPage.h"
#include "options/OptionsWindow.h"
#include "platform/AppearanceMonitor.h"
#include "platform/PortalSettings.h"
#include "popover/MoreActionsMenu.h"
#include "popover/TimerPopoverPanel.h"
#include "popover/TimerPopoverPlacementStore.h"
#include "popover/TimerPopoverPresentation.h"
#include "popover/TimerPopoverView.h"
#include "pull/PomodoroDurationPullController.h"
#include "pull/PullHandlePanel.h"
#include "shell/PawStatusView.h"
#include "shell/StatusItemWindow.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QToolTip>

using namespace mewt;
using namespace mewt::testing;
using namespace std::chrono_literals;

namespace {

class Coordinator : public CoordinatorTest {
protected:
    int chimes() const
    {
        return soundCommands(*coordinator, AudioCommand::Kind::playTactile,
            coordinator->tactileSoundPlayer().buffer(TactileSound::chime));
    }

    // Lets the running timer reach its end the way the ticker finds it.
    void runOut()
    {
        rig.clock.set(coordinator->timerStore().state().endDate().value() + 1ms);
        coordinator->timerStore().tick();
    }
};

TEST_F(Coordinator, StartShowsThePawAndSettlesTheRestoredTimerUntilShutdown)
{
    rig.seedSnapshot({ TimerState::running(rig.clock.now() + 20s), QStringLiteral("tea"), QStringLiteral("tea"), 900 });
    AppCoordinator& app = started();
    EXPECT_TRUE(app.statusItemController().window().isVisible());
    EXPECT_EQ(title(), QStringLiteral("1m"));
    EXPECT_EQ(app.timerStore().tickCadence(), TimerTickCadence::everyMinute);
    EXPECT_TRUE(app.tactileSoundPlayer().isMonitorInstalled());
    // The restored timer's notification is scheduled once the language is in place, without asking.
    ASSERT_EQ(rig.scheduler.requests.size(), 1U);
    EXPECT_FALSE(rig.scheduler.requests[0].requestingAuthorization);
    EXPECT_EQ(rig.scheduler.requests[0].notification.title, QStringLiteral("tea complete"));
    // It is already inside the ending cue's lead.
    EXPECT_TRUE(app.endingCueController().isCountingDown());
    const CatTheme& calico = CatTheme::withId(QStringLiteral("calico"));
    app.themeStore().setSelected(calico);
    EXPECT_EQ(app.statusItemController().view().theme(), calico);
    app.shutdown();
    EXPECT_FALSE(app.endingCueController().isCountingDown());
    EXPECT_FALSE(app.endingCueController().isShown());
}

class CompletionSoundRule : public Coordinator,
                            public ::testing::WithParamInterface<std::tuple<CompletionSound, bool>> { };

TEST_P(CompletionSoundRule, PlaysOnlyForATimerThatRanOut)
{
    const auto [sound, completes] = GetParam(); // not completing: cancelled
    AppCoordinator& app = started();
    app.interfaceSettingsStore().setCompletionSound(sound);
    // Longer than the ending cue's lead, so its chirrup stays out of the count.
    app.timerStore().addTime(600, rig.clock.now());
    completes ? runOut() : app.timerStore().cancel(rig.clock.now());
    const bool chitter = completes && sound == CompletionSound::catChitter;
    EXPECT_EQ(chimes(), completes && !chitter ? 1 : 0);
    EXPECT_EQ(soundCommands(app, AudioCommand::Kind::startCat), chitter ? 1 : 0);
    bool chitterPlays = false;
    for (int variant = 0; variant < app.catSoundPlayer().variantCount(CatSoundPlayer::Sound::chitter); ++variant)
        chitterPlays = chitterPlays || app.catSoundPlayer().isPlaying(CatSoundPlayer::Sound::chitter, variant);
    EXPECT_EQ(chitterPlays, chitter);
}

INSTANTIATE_TEST_SUITE_P(BySetting, CompletionSoundRule,
    ::testing::Combine(::testing::Values(CompletionSound::ding, CompletionSound::catChitter), ::testing::Bool()));

TEST_F(Coordinator, APhaseThatRunsOutChimesAndMovesOnButSkippingOrEndingIsSilent)
{
    AppCoordinator& app = started();
    app.commitPull({ 2, 3000, TimerMode::pomodoro });
    runOut();
    EXPECT_EQ(chimes(), 1);
    EXPECT_EQ(app.pomodoroStore().plan().value().completedBlocks, 1);
    app.pomodoroStore().skipPhase(rig.clock.now());
    app.pomodoroStore().endPlan();
    EXPECT_EQ(chimes(), 1);
}

TEST_F(Coordinator, APlanTakesTheCommitWhateverTheMode)
{
    AppCoordinator& app = started();
    app.commitPull({ 1, 1500, TimerMode::pomodoro });
    const Date end = *app.timerStore().state().endDate();
    // A pull that began in timer mode still extends the plan's phase by focus lengths.
    app.commitPull({ 1, 60, TimerMode::timer });
    ASSERT_TRUE(app.pomodoroStore().plan());
    EXPECT_EQ(app.timerStore().state().endDate(), end + 1500s);
}

TEST_F(Coordinator, APullOnTheHandleStartsATimerUnlessTheTourShows)
{
    AppCoordinator& app = started();
    app.pullSettingsStore().setGranularity(PullGranularity::minute);
    const auto pull = [&](PullGestureEvent::Phase phase, double steps) {
        const double y = 30.0 + steps * app.pullSettingsStore().stepDistancePoints();
        app.statusItemController().pullHandle().onPull({ phase, { 700, 30 }, { 700, y }, QRectF(0, 0, 800, 600) });
    };
    PawStatusView& paw = app.statusItemController().view();
    const auto pawShows = [&] { return paw.grab().toImage().pixelColor(paw.pawRect().center()).alpha() > 0; };
    EXPECT_TRUE(pawShows());
    pull(PullGestureEvent::Phase::began, 0);
    // The arm hangs from the paw's place: no edge of the paw may show beside it.
    EXPECT_FALSE(pawShows());
    pull(PullGestureEvent::Phase::ended, 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pawShows(); }, 2000));
    const Date end = rig.clock.now() + 180s;
    EXPECT_EQ(app.timerStore().state().endDate(), end);
    EXPECT_FALSE(app.pomodoroStore().plan());

    // While the popover's duration rope is out, the coordinator hears of it and the paw takes no
    // pull; the rope's end frees the paw.
    PomodoroDurationPullController& rope = app.popoverController().durationPullController();
    rope.begin(PomodoroDurationKind::focus, { 400, 300 });
    EXPECT_TRUE(app.isDurationPullActive());
    pull(PullGestureEvent::Phase::began, 0);
    EXPECT_FALSE(app.pullInteractionController().isPulling());
    rope.end();
    EXPECT_FALSE(app.isDurationPullActive());

    // The tour taking over mid-pull ends the pull without a commit.
    pull(PullGestureEvent::Phase::began, 0);
    EXPECT_TRUE(app.pullInteractionController().isPulling());
    app.onboardingStore().setPresented(true);
    pull(PullGestureEvent::Phase::ended, 3);
    EXPECT_FALSE(app.pullInteractionController().isPulling());
    EXPECT_EQ(app.timerStore().state().endDate(), end);
}

TEST_F(Coordinator, AScreenReaderPressesThePawAsAButtonAndGetsTheControls)
{
    AppCoordinator& app = started();
    QAccessibleInterface* paw = QAccessible::queryAccessibleInterface(&app.statusItemController().view());
    ASSERT_NE(paw, nullptr);
    EXPECT_EQ(paw->role(), QAccessible::Button);
    ASSERT_NE(paw->actionInterface(), nullptr);
    paw->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.popoverController().presentation().isVisible(); }, 2000));
    EXPECT_FALSE(app.statusItemController().pullHandle().isRevealed()) << "no pull without a pointer";
}

TEST_F(Coordinator, APressOnThePawShowsThePopoverUntilAPullOrADismissal)
{
    AppCoordinator& app = started();
    TimerPopoverController& popover = app.popoverController();
    // The view's first size report arrives as at start-up, before any press.
    QCoreApplication::processEvents();
    const auto pressPaw = [&] {
        Q_EMIT app.statusItemController().view().pawPressed();
        // The slide in ends before the test goes on.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !popover.entryAnimationGeneration(); }, 2000));
    };
    pressPaw();
    const QRect paw = app.statusItemController().window().pawScreenRect();
    // It slides down into place, hanging from the paw.
    (void)QTest::qWaitFor([&] { return popover.panel().contentGeometry().top() == paw.top() + paw.height(); }, 1000);
    ASSERT_EQ(popover.panel().contentGeometry().top(), paw.top() + paw.height());

    app.statusItemController().pullHandle().onPull(
        { PullGestureEvent::Phase::began, { 700, 30 }, { 700, 30 }, QRectF(0, 0, 800, 600) });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !popover.presentation().isVisible(); }, 2000));
    app.pullInteractionController().stop();

    // A click elsewhere or Escape takes the handle away with the popover.
    pressPaw();
    ASSERT_TRUE(app.statusItemController().pullHandle().isRevealed());
    popover.onDismissRequest();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !app.statusItemController().pullHandle().isRevealed(); }, 2000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !popover.presentation().isVisible(); }, 2000));

    pressPaw();
    app.shutdown();
    EXPECT_TRUE(popover.isClosed() && !popover.panel().isVisible());
    popover.updatePawFrame(QRectF(paw));
    EXPECT_FALSE(popover.panel().isVisible()) << "closed for good";
}

TEST_F(Coordinator, TheStyleSetsTitleAndTickAndWakingCompletesATimerThatEndedInSleep)
{
    AppCoordinator& app = started();
    app.timeDisplaySettingsStore().setStyle(TimeDisplayStyle::clock);
    app.timerStore().addTime(600, rig.clock.now());
    EXPECT_EQ(app.timerStore().nextTickDate(), rig.clock.now() + 1s);
    rig.clock.advance(200s);
    app.sleepWakeMonitor().prepareForSleep(false);
    EXPECT_EQ(title(), QStringLiteral("6:40"));
    EXPECT_EQ(chimes(), 0);
    rig.clock.advance(2h);
    app.sleepWakeMonitor().prepareForSleep(false);
    EXPECT_TRUE(app.timerStore().state().isIdle());
    EXPECT_EQ(chimes(), 1);
    EXPECT_EQ(title(), QString());
}

TEST_F(Coordinator, ASetClockJudgesTheTimerThePawAndTheCueTogether)
{
    AppCoordinator& app = started();
    app.timeDisplaySettingsStore().setStyle(TimeDisplayStyle::clock);
    app.timerStore().addTime(90, rig.clock.now());
    rig.clock.advance(50s);
    app.endingCueController().recheck();
    app.timerStore().refresh(rig.clock.now());
    ASSERT_TRUE(app.endingCueController().isShown());

    rig.clock.advance(-1h);
    app.clockDidChange();
    app.endingCueController().completeFade();
    EXPECT_FALSE(app.endingCueController().isShown());
    EXPECT_EQ(title(), QStringLiteral("1:00:40"));

    rig.clock.advance(2h);
    app.clockDidChange();
    EXPECT_TRUE(app.timerStore().state().isIdle());
    EXPECT_EQ(chimes(), 1);
    EXPECT_EQ(title(), QString());
}

TEST_F(Coordinator, NoCueShowsAboveTheLockScreenAndTheUnlockShowsWhatIsDue)
{
    AppCoordinator& app = started();
    EndingCueController& cue = app.endingCueController();
    app.timerStore().addTime(90, rig.clock.now());
    rig.clock.advance(50s);
    cue.recheck();
    ASSERT_TRUE(cue.isShown());

    app.sessionLockDidChange(true);
    EXPECT_FALSE(cue.isShown()) << "gone at once, without a fade";
    rig.clock.advance(10s);
    cue.recheck();
    app.timerStore().refresh(rig.clock.now());
    EXPECT_FALSE(cue.isShown());

    app.sessionLockDidChange(false);
    ASSERT_TRUE(cue.isShown());
    EXPECT_EQ(cue.model().cue().remainingSeconds, 30);

    // Locked through the end: the completion still sounds.
    app.sessionLockDidChange(true);
    rig.clock.advance(31s);
    app.timerStore().refresh(rig.clock.now());
    EXPECT_EQ(chimes(), 1);
    EXPECT_FALSE(cue.isShown());
}

TEST_F(Coordinator, ComingToTheFrontRereadsTheLoginItemAndNotificationSettings)
{
    AppCoordinator& app = started();
    const int refreshes = rig.scheduler.count("refreshSettings");
    // Turned on from elsewhere meanwhile.
    LoginItemService(rig.home.filePath(QStringLiteral("autostart/mewt.desktop")), QStringLiteral("mewt"))
        .setEnabled(true);
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(app.loginItemService().isEnabled());
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(rig.scheduler.count("refreshSettings"), refreshes + 1);
}

TEST_F(Coordinator, TheEndingCueFollowsTheTimerAndItsSetting)
{
    AppCoordinator& app = started();
    EndingCueController& cue = app.endingCueController();
    app.timerStore().addTime(600, rig.clock.now());
    EXPECT_EQ(cue.activationDeadline(), app.timerStore().state().endDate());
    app.interfaceSettingsStore().setShowsEndingCue(false);
    EXPECT_FALSE(cue.activationDeadline());
    app.interfaceSettingsStore().setShowsEndingCue(true);
    EXPECT_TRUE(cue.activationDeadline());
    app.timerStore().cancel(rig.clock.now());
    EXPECT_FALSE(cue.activationDeadline());
}

TEST_F(Coordinator, AnotherLanguageRewritesThePendingNotification)
{
    AppCoordinator& app = started();
    app.timerStore().addTime(600, rig.clock.now());
    const std::size_t before = rig.scheduler.requests.size();
    app.interfaceSettingsStore().setLanguage(AppLanguage::catalan);
    ASSERT_EQ(rig.scheduler.requests.size(), before + 1);
    EXPECT_NE(rig.scheduler.requests.back().notification.title, QStringLiteral("mewt timer complete"));
}

TEST_F(Coordinator, StartAndShutdownEachRunOnceAndShutdownIsQuiet)
{
    coordinator = std::make_unique<AppCoordinator>(rig.services());
    AppCoordinator& app = *coordinator;
    EXPECT_FALSE(app.timerStore().onStateChange);
    app.start();
    app.start();
    EXPECT_EQ(rig.scheduler.count("refreshSettings"), 1);

    app.commitPull({ 2, 3000, TimerMode::pomodoro });
    app.shutdown();
    EXPECT_FALSE(app.pomodoroStore().plan());
    EXPECT_TRUE(app.timerStore().state().isIdle());
    EXPECT_EQ(chimes(), 0);
    EXPECT_FALSE(app.timerStore().onStateChange);
    EXPECT_FALSE(app.tactileSoundPlayer().isMonitorInstalled());

    const int writes = rig.defaults.writeCount();
    app.shutdown();
    app.start();
    // A late commit (a pull released during the quit) changes nothing any more.
    app.commitPull({ 1, 60, TimerMode::timer });
    EXPECT_EQ(rig.defaults.writeCount(), writes);
    EXPECT_TRUE(app.timerStore().state().isIdle());
    EXPECT_FALSE(app.statusItemController().window().isVisible());
}

TEST_F(Coordinator, OwnsTheOneFeedbackPanelAndClosesItAtShutdown)
{
    AppCoordinator& app = started();
    app.feedbackWindowController().showFeedbackWindow(nullptr);
    ASSERT_NE(app.feedbackWindowController().panel(), nullptr);
    EXPECT_TRUE(app.feedbackWindowController().panel()->isVisible());
    app.shutdown();
    EXPECT_EQ(app.feedbackWindowController().panel(), nullptr);
}

TEST_F(Coordinator, OpensTheOptionsOnTheLastPageUnlessTheTourShowsAndClosesThemAtShutdown)
{
    AppCoordinator& app = started();
    EXPECT_EQ(app.optionsWindowController().window(), nullptr) << "built on first use only";

    app.onboardingStore().setPresented(true);
    app.popoverController().onShowOptions();
    EXPECT_EQ(app.optionsWindowController().window(), nullptr);

    app.onboardingStore().setPresented(false);
    app.optionsNavigationModel().navigate(OptionsCategory::pulling);
    app.popoverController().onShowOptions();
    OptionsWindow* window = app.optionsWindowController().window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(app.optionsNavigationModel().currentCategory(), OptionsCategory::pulling);

    // The general page's replay: the window goes, the tour starts over from its first step.
    app.onboardingStore().setStep(OnboardingStore::Step::pause);
    app.optionsNavigationModel().navigate(OptionsCategory::general);
    QCoreApplication::processEvents();
    auto* general = qobject_cast<GeneralOptionsPage*>(app.optionsWindowController().view()->currentPage());
    ASSERT_NE(general, nullptr) << "the coordinator registers the general page";
    general->replayButton()->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(app.onboardingStore().isPresented());
    EXPECT_EQ(app.onboardingStore().step(), OnboardingStore::Step::meet);

    app.onboardingStore().setPresented(false);
    app.showOptions();
    app.shutdown();
    EXPECT_FALSE(window->isVisible());
    app.showOptions();
    EXPECT_FALSE(window->isVisible());
}

bool windowExists(const std::function<bool(QWidget*)>& match)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), match);
}

bool popoverBuilt()
{
    return windowExists([](QWidget* window) { return qobject_cast<TimerPopoverPanel*>(window) != nullptr; });
}

bool cueBuilt()
{
    return windowExists([](QWidget* window) { return window->objectName() == QLatin1String("endingCuePanel"); });
}

// The popover and the ending cue wait for the paw's first frame; whatever needs them sooner gets
// them at once, and a quit meanwhile leaves nothing to build.
class DeferredLaunch : public Coordinator {
protected:
    AppCoordinator& startedUncompleted()
    {
        coordinator = std::make_unique<AppCoordinator>(rig.services());
        coordinator->onLaunchComplete = [this] { ++completions; };
        coordinator->start();
        return *coordinator;
    }
    int completions = 0;
};

TEST_F(DeferredLaunch, ThePawShowsFirstAndTheRestFollowsItsFirstFrame)
{
    rig.seedSnapshot({ TimerState::running(rig.clock.now() + 20s), QStringLiteral("tea"), QStringLiteral("tea"), 900 });
    AppCoordinator& app = startedUncompleted();
    EXPECT_TRUE(app.statusItemController().window().isVisible());
    EXPECT_EQ(title(), QStringLiteral("1m"));
    EXPECT_EQ(rig.scheduler.requests.size(), 1U) << "the restored timer's notification does not wait";
    EXPECT_FALSE(app.isLaunchComplete());
    EXPECT_FALSE(popoverBuilt());
    EXPECT_FALSE(cueBuilt());

    QElapsedTimer waited;
    waited.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.isLaunchComplete(); }, 3000));
    EXPECT_LT(waited.elapsed(), AppCoordinator::launchCompletionLimit.count()) << "the frame, not the limit";
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(popoverBuilt());
    EXPECT_TRUE(app.endingCueController().isCountingDown()) << "the restored timer is inside the cue's lead";
    ASSERT_TRUE(app.popoverController().rootView().onQuit) << "wired";
    app.completeLaunch();
    QTest::qWait(50);
    EXPECT_EQ(completions, 1);
}

struct Meanwhile {
    const char* name;
    std::function<void(AppCoordinator&, ShellRig&)> act;
    std::function<void(AppCoordinator&, ShellRig&)> check;
};

class BeforeTheFirstFrame : public DeferredLaunch, public ::testing::WithParamInterface<Meanwhile> { };

TEST_P(BeforeTheFirstFrame, EverythingWorksAsAfterIt)
{
    AppCoordinator& app = startedUncompleted();
    ASSERT_FALSE(app.isLaunchComplete());
    GetParam().act(app, rig);
    GetParam().check(app, rig);
}

INSTANTIATE_TEST_SUITE_P(DeferredLaunch, BeforeTheFirstFrame,
    ::testing::Values(Meanwhile { "aPressOnThePawOpensThePopover",
                          [](AppCoordinator& app, ShellRig&) { Q_EMIT app.statusItemController().view().pawPressed(); },
                          [](AppCoordinator& app, ShellRig&) {
                              ASSERT_TRUE(QTest::qWaitFor(
                                  [&] { return app.popoverController().presentation().isVisible(); }, 2000));
                              EXPECT_TRUE(app.popoverController().onDismissRequest) << "wired";
                          } },
        Meanwhile { "aTimerThatEndsChimesAndItsCueCameFirst",
            [](AppCoordinator& app, ShellRig& rig) {
                app.timerStore().addTime(30, rig.clock.now());
                rig.clock.advance(31s);
                app.timerStore().tick();
            },
            [](AppCoordinator& app, ShellRig&) {
                EXPECT_EQ(soundCommands(app, AudioCommand::Kind::playTactile,
                              app.tactileSoundPlayer().buffer(TactileSound::chime)),
                    1);
                EXPECT_TRUE(app.timerStore().state().isIdle());
                EXPECT_FALSE(app.endingCueController().isCountingDown());
            } },
        Meanwhile { "aPullStartsATimerWhoseCueIsJudgedOnceBuilt",
            [](AppCoordinator& app, ShellRig&) {
                app.commitPull({ 1, 45, TimerMode::timer });
            },
            [](AppCoordinator& app, ShellRig&) {
                EXPECT_TRUE(app.timerStore().state().isRunning());
                EXPECT_TRUE(app.endingCueController().isCountingDown());
            } },
        Meanwhile { "aLockedSessionKeepsTheCueAwayOnceItIsBuilt",
            [](AppCoordinator& app, ShellRig& rig) {
                app.sessionLockDidChange(true);
                app.timerStore().addTime(30, rig.clock.now());
            },
            [](AppCoordinator& app, ShellRig&) {
                ASSERT_TRUE(QTest::qWaitFor([&] { return app.isLaunchComplete(); }, 3000));
                EXPECT_TRUE(app.endingCueController().isSessionLocked());
                EXPECT_FALSE(app.endingCueController().isShown());
            } },
        Meanwhile { "aQuitLeavesNothingToBuild", [](AppCoordinator& app, ShellRig&) { app.shutdown(); },
            [](AppCoordinator& app, ShellRig&) {
                QTest::qWait(int(AppCoordinator::launchCompletionLimit.count()) + 200);
                EXPECT_FALSE(app.isLaunchComplete());
                EXPECT_FALSE(popoverBuilt());
                EXPECT_FALSE(cueBuilt());
                EXPECT_FALSE(app.popoverController().rootView().onQuit) << "asked for after the quit: never wired";
                EXPECT_FALSE(app.popoverController().panel().isVisible());
            } }),
    [](const ::testing::TestParamInfo<Meanwhile>& info) { return std::string(info.param.name); });

// The popover menu's rows that reach past the popover.
TEST_F(Coordinator, ThePopoverMenuQuitsInOrderReplaysTheTourAndOpensFeedbackAndOptions)
{
    AppCoordinator& app = started();
    int terminations = 0;
    app.onTerminateRequest = [&] { ++terminations; };
    MoreActionsMenu& menu = app.popoverController().rootView().moreActionsMenu();

    app.onboardingStore().setStep(OnboardingStore::Step::pause);
    menu.rowAction(TimerPopoverUtilityAction::welcomeTour)->trigger();
    EXPECT_TRUE(app.onboardingStore().isPresented());
    EXPECT_EQ(app.onboardingStore().step(), OnboardingStore::Step::meet);

    app.onboardingStore().setPresented(false);
    Q_EMIT app.statusItemController().view().pawPressed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.popoverController().presentation().isVisible(); }, 2000));
    menu.rowAction(TimerPopoverUtilityAction::sendFeedback)->trigger();
    ASSERT_NE(app.feedbackWindowController().panel(), nullptr);
    EXPECT_TRUE(app.feedbackWindowController().panel()->isVisible());
    // Centred over the popover in the paw's corner, it still opens below the paw.
    EXPECT_FALSE(app.feedbackWindowController().panel()->frameGeometry().intersects(
        app.statusItemController().window().frameGeometry()));

    menu.rowAction(TimerPopoverUtilityAction::settings)->trigger();
    ASSERT_NE(app.optionsWindowController().window(), nullptr);
    EXPECT_TRUE(app.optionsWindowController().window()->isVisible());
    menu.rowAction(TimerPopoverUtilityAction::quit)->trigger();
    EXPECT_EQ(terminations, 1);
    app.shutdown();
    menu.rowAction(TimerPopoverUtilityAction::quit)->trigger();
    EXPECT_EQ(terminations, 1);
}

TEST_F(Coordinator, APinnedPopoverComesBackPinnedAndKeepsThePawQuietUntilReattached)
{
    rig.defaults.seed(QStringLiteral("timerPopoverIsDetached"), true);
    rig.defaults.seed(QStringLiteral("timerPopoverDetachedPlacement"), SavedPlacement { 200, 150 }.encoded());
    AppCoordinator& app = started();
    TimerPopoverController& popover = app.popoverController();
    EXPECT_TRUE(popover.presentation().isDetached());
    EXPECT_TRUE(app.statusItemController().isPopoverDetached()) << "read once, since the restoration ran first";
    QCoreApplication::processEvents();
    EXPECT_TRUE(popover.panel().isVisible());
    EXPECT_EQ(popover.panel().contentGeometry().topLeft(), QPoint(200, 150));
    app.commitPull({ 1, 60, TimerMode::timer });
    EXPECT_FALSE(app.statusItemController().isPawMomentPending()) << "no peek while the window is pinned";

    popover.presentation().setDetached(false, TimerPopoverPresentation::DetachmentCause::interactive);
    EXPECT_FALSE(app.statusItemController().isPopoverDetached());
    app.commitPull({ 1, 60, TimerMode::timer });
    EXPECT_TRUE(app.statusItemController().isPawMomentPending());
    popover.presentation().setDetached(true, TimerPopoverPresentation::DetachmentCause::interactive);
    popover.panel().moveContentTo({ 120, 90 });
    app.shutdown();
    EXPECT_TRUE(rig.defaults.stored(QStringLiteral("timerPopoverIsDetached")).toBool());
    EXPECT_EQ(app.popoverPlacementStore().placement(), (SavedPlacement { 120, 90 })) << "kept for the next launch";
}

// The desktop switches between light and dark while the app runs (its palette stays light, as
// with a portal-only desktop). Every surface follows, windows and popups that take nothing from a
// parent included, and the highlight is the cat's accent.
TEST_F(Coordinator, EverySurfaceFollowsTheDesktopsSchemeLiveWithTheAccentAsHighlight)
{
    const QString appearance = QStringLiteral("org.freedesktop.appearance");
    FakePortal portal;
    portal.values.insert(appearance + QStringLiteral("/color-scheme"), QVariant::fromValue(2u));
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("scheme-portal"));
    const auto leave = qScopeGuard([&bus] {
        bus.unregisterService(PortalSettings::desktopService);
        QDBusConnection::disconnectFromBus(bus.name());
    });
    if (!bus.registerObject(PortalSettings::objectPath, &portal, QDBusConnection::ExportAllSlots)
        || !bus.registerService(PortalSettings::desktopService))
        GTEST_SKIP() << "no session bus of our own (run under dbus-run-session)";
    AppCoordinator& app = started();
    MoreActionsMenu& menu = app.popoverController().rootView().moreActionsMenu();
    menu.rowAction(TimerPopoverUtilityAction::sendFeedback)->trigger();
    QComboBox list;
    list.addItems({ QStringLiteral("system"), QStringLiteral("light") });
    QDialog notices;
    QLineEdit field;
    const auto looksDark = [](const QWidget& widget) { return AppearanceMonitor::paletteLooksDark(widget.palette()); };

    for (const bool dark : { true, false, true }) {
        ASSERT_TRUE(
            portal.announce(bus, appearance, QStringLiteral("color-scheme"), QVariant::fromValue(dark ? 1u : 2u)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return app.appearanceMonitor().isDark() == dark; }, 5000));
        QCoreApplication::processEvents();
        const QColor accent
            = app.themeStore().selected().popoverPalette(dark ? ColorScheme::dark : ColorScheme::light).accentColor;
        list.showPopup();
        const QWidget& popup = *list.view()->window();
        EXPECT_EQ(looksDark(popup), dark);
        const QImage rows = list.view()->grab().toImage();
        const QRect unchosen = list.view()->visualRect(list.model()->index(1, 0));
        EXPECT_EQ(rows.pixelColor(unchosen.left() + 2, unchosen.center().y()).lightness() < 128, dark)
            << "the rows are drawn in it too";
        list.hidePopup();
        EXPECT_EQ(looksDark(menu), dark);
        EXPECT_EQ(looksDark(*menu.layoutMenu()), dark) << "a submenu is a window of its own";
        EXPECT_EQ(menu.palette().color(QPalette::Highlight), accent);
        EXPECT_EQ(looksDark(notices), dark);
        EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase).lightness() < 128, dark);
        EXPECT_EQ(looksDark(*app.feedbackWindowController().panel()), dark);
        EXPECT_EQ(app.feedbackWindowController().panel()->palette().color(QPalette::Highlight), accent);
        EXPECT_EQ(field.palette().color(QPalette::Highlight), accent) << "text selection";
    }
}

} // namespace

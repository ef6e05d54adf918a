#include "SoundRig.h"
#include "artwork/CharacterSlotText.h"
#include "artwork/FrameClock.h"
#include "cues/CatSoundPlayer.h"
#include "cues/EndingCueController.h"
#include "cues/EndingCueView.h"
#include "model/ColorContrast.h"

#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace mewt;
using namespace std::chrono_literals;
using Kind = EndingCueKind;
using Phase = PomodoroPhase;

namespace {

const QRectF mainScreen(0, 0, 1920, 1080);
const QRectF rightScreen(1920, 0, 1280, 1024);
const Date start = ManualClock().now(); // where every test's clock starts

Date at(std::chrono::duration<double> from)
{
    return start + std::chrono::duration_cast<Date::duration>(from);
}

PomodoroPlan plan(Phase phase, bool running, std::optional<Date> endedAt = std::nullopt)
{
    PomodoroPlan plan = PomodoroPlan::starting(4, PomodoroConfiguration {}, false);
    plan.phase = phase;
    plan.isPhaseRunning = running;
    plan.phaseEndedAt = endedAt;
    return plan;
}

// A controller on two screens with the pointer at (500, 400), a clock the test drives and settings
// in memory.
class EndingCueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        controller = std::make_unique<EndingCueController>(
            CatTheme::defaultTheme(), rig.settings, nullptr, rig.clock, &pointerMonitor);
        controller->pointerLocation = [this] { return pointer; };
        controller->screenFrames = [] { return QList<QRectF> { mainScreen, rightScreen }; };
    }

    Date in(std::chrono::duration<double> from) const
    {
        return rig.clock.now() + std::chrono::duration_cast<Date::duration>(from);
    }
    void update(const TimerState& state, const std::optional<PomodoroPlan>& plan = std::nullopt, bool shows = true)
    {
        controller->update(state, rig.clock.now(), plan, shows, CatTheme::defaultTheme());
    }
    void running(std::chrono::duration<double> left) { update(TimerState::running(in(left))); }
    QTimer* timer(const char* name) const { return controller->findChild<QTimer*>(QString::fromLatin1(name)); }
    EndingCue cue() const { return controller->model().cue(); }
    bool anyTimerActive() const
    {
        const auto timers = controller->findChildren<QTimer*>();
        return std::any_of(timers.begin(), timers.end(), [](const QTimer* t) { return t->isActive(); });
    }
    void finishFade()
    {
        controller->completeFade();
        EXPECT_FALSE(controller->isHiding());
    }
    void advanceAndFire(std::chrono::duration<double> by, void (EndingCueController::*fire)())
    {
        rig.clock.advance(by);
        (controller.get()->*fire)();
    }

    mewt::testing::SoundRig rig;
    QPointF pointer { 500, 400 };
    ManualGlobalPointerMonitor pointerMonitor;
    std::unique_ptr<EndingCueController> controller;
};

// --- when the cue shows -----------------------------------------------------------------------------

struct DecisionCase {
    const char* name;
    TimerState state;
    std::optional<PomodoroPlan> plan;
    bool shows;
    std::optional<EndingCue> cue = std::nullopt; // none: not shown
    bool activationArmed = false;
    bool overdueRunning = false;
};

class UpdateDecisions : public EndingCueTest, public ::testing::WithParamInterface<DecisionCase> { };

TEST_P(UpdateDecisions, ShowScheduleOrHide)
{
    const DecisionCase& c = GetParam();
    update(c.state, c.plan, c.shows);
    EXPECT_EQ(controller->isShown() ? std::optional(cue()) : std::nullopt, c.cue);
    EXPECT_EQ(controller->activationDeadline().has_value(), c.activationArmed);
    EXPECT_EQ(controller->overduePhaseEnd().has_value(), c.overdueRunning);
    EXPECT_EQ(controller->isFollowingPointer(), c.cue.has_value());
    EXPECT_EQ(controller->chirrupCount(), c.cue ? 1 : 0);
}

const DecisionCase decisionCases[] = {
    { "withinLead", TimerState::running(at(44.2s)), plan(Phase::focus, true), true, EndingCue { Kind::focus, 45 } },
    { "atLead", TimerState::running(at(60s)), std::nullopt, true, EndingCue { Kind::timer, 60 } },
    { "beyondLead", TimerState::running(at(600s)), std::nullopt, true, std::nullopt, true },
    { "paused", TimerState::paused(30), std::nullopt, true },
    { "idle", TimerState::idle(), std::nullopt, true },
    { "endPassed", TimerState::running(at(-2s)), std::nullopt, true },
    { "overdue", TimerState::idle(), plan(Phase::shortBreak, false, at(-6min)), true, EndingCue { Kind::focus, -300 },
        false, true },
    { "waitingWithoutAnEnd", TimerState::idle(), plan(Phase::focus, false), true },
    { "disabled", TimerState::running(at(30s)), std::nullopt, false },
};
INSTANTIATE_TEST_SUITE_P(Table, UpdateDecisions, ::testing::ValuesIn(decisionCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EndingCueTest, ADeadlineMovedWithinTheLeadCountsOnWithoutAChirrupAndBeyondItHidesUntilTheNewLead)
{
    running(45s);
    rig.clock.advance(3s);
    update(TimerState::running(at(45s)));
    EXPECT_EQ(cue().remainingSeconds, 42);
    running(50s);
    EXPECT_EQ(std::tuple(controller->chirrupCount(), controller->countdownDeadline(), cue().remainingSeconds),
        std::tuple(1, std::optional(in(50s)), 50));
    EXPECT_TRUE(controller->isCountingDown());
    running(20min);
    EXPECT_TRUE(controller->isHiding());
    finishFade();
    EXPECT_FALSE(controller->isShown() || controller->isCountingDown());
    EXPECT_EQ(controller->activationDeadline(), in(20min));
}

TEST_F(EndingCueTest, SwitchingTheCueOffStopsEverythingAndOnAgainDecidesAtOnce)
{
    update(TimerState::idle(), plan(Phase::focus, false, in(-6min)));
    ASSERT_TRUE(controller->isShown());
    update(TimerState::idle(), plan(Phase::focus, false, in(-6min)), false);
    finishFade();
    EXPECT_FALSE(controller->isShown() || anyTimerActive());
    running(30s);
    EXPECT_EQ(cue(), (EndingCue { Kind::timer, 30 }));
}

TEST_F(EndingCueTest, AThemeChangeRedrawsAShownCueWithoutRestartingIt)
{
    running(40s);
    const CatTheme& calico = CatTheme::withId(QStringLiteral("calico"));
    controller->setTheme(calico);
    EXPECT_EQ(controller->model().theme(), calico);
    EXPECT_EQ(std::tuple(controller->chirrupCount(), controller->countdownDeadline(), controller->isShown()),
        std::tuple(1, std::optional(in(40s)), true));
    const CatTheme& siamese = CatTheme::withId(QStringLiteral("siamese"));
    controller->update(TimerState::idle(), rig.clock.now(), std::nullopt, false, siamese);
    EXPECT_EQ(controller->model().theme(), siamese);
}

// --- activation, countdown and fades --------------------------------------------------------------------

TEST_F(EndingCueTest, ALongTimerShowsTheCueOneLeadBeforeItsEndButNotAfterIt)
{
    running(10min);
    QTimer* activation = timer("activationTimer");
    ASSERT_TRUE(activation->isActive());
    EXPECT_LE(activation->intervalAsDuration(), 60s) << "looks at the wall clock at least once a minute";
    advanceAndFire(8min, &EndingCueController::activationTimerFired);
    EXPECT_FALSE(controller->isShown()) << "still a minute before the lead";
    EXPECT_TRUE(activation->isActive());
    advanceAndFire(60s, &EndingCueController::activationTimerFired);
    EXPECT_EQ(cue(), (EndingCue { Kind::timer, 60 }));
    EXPECT_EQ(controller->chirrupCount(), 1);
    EXPECT_TRUE(controller->isCountingDown());

    running(10min);
    finishFade();
    advanceAndFire(11min, &EndingCueController::recheck); // asleep across the end
    EXPECT_FALSE(controller->isShown() || controller->activationDeadline());
}

TEST_F(EndingCueTest, TheCountdownTicksOnTheSecondBoundariesAndHidesAtTheEnd)
{
    running(45s);
    QTimer* countdown = timer("countdownTimer");
    ASSERT_TRUE(countdown->isActive());
    EXPECT_GE(countdown->intervalAsDuration(), 1000ms);
    EXPECT_LE(countdown->intervalAsDuration(), 1010ms);
    advanceAndFire(400ms, &EndingCueController::countdownTick);
    EXPECT_EQ(cue().remainingSeconds, 45);
    EXPECT_LE(countdown->intervalAsDuration(), 610ms) << "wakes when 45 runs out, not a second later";
    advanceAndFire(600ms, &EndingCueController::countdownTick);
    EXPECT_EQ(cue().remainingSeconds, 44);
    advanceAndFire(43s, &EndingCueController::countdownTick);
    EXPECT_EQ(cue().remainingSeconds, 1);
    advanceAndFire(1s, &EndingCueController::countdownTick);
    EXPECT_TRUE(controller->isHiding());
    finishFade();
    EXPECT_FALSE(controller->isShown() || anyTimerActive());
}

TEST_F(EndingCueTest, FadesUnlessMotionIsReducedAndAPresentationDuringTheFadeOutKeepsTheCueUp)
{
    running(30s);
    EXPECT_LT(controller->panel()->windowOpacity(), 0.5);
    update(TimerState::paused(30));
    ASSERT_TRUE(controller->isHiding());
    running(20s);
    EXPECT_EQ(controller->chirrupCount(), 2) << "it was on its way out";
    finishFade();
    EXPECT_TRUE(controller->isShown());
    EXPECT_DOUBLE_EQ(controller->panel()->windowOpacity(), 1.0);

    qputenv("MEWT_REDUCED_MOTION", "1");
    update(TimerState::paused(30));
    EXPECT_FALSE(controller->isShown() || controller->isHiding());
    running(30s);
    EXPECT_DOUBLE_EQ(controller->panel()->windowOpacity(), 1.0);
    EXPECT_DOUBLE_EQ(controller->view()->displayedPawProgress(), 0.55);
    qputenv("MEWT_REDUCED_MOTION", "0");
}

// With a lead of 15 s the paw climbs 25/15 px a second: each second's glide of 0.9 s draws the one
// frame where it has moved a pixel, on the glide's line, and asks for none after.
TEST_F(EndingCueTest, ThePawIsDrawnOnlyWhenItsGlideHasMovedAPixel)
{
    FrameClock& frames = FrameClock::shared();
    frames.drive(&rig.clock);
    const auto undrive = qScopeGuard([&frames] { frames.drive(nullptr); });
    rig.settings.setEndingCueLeadTimeSeconds(15);
    running(15s);
    const EndingCueView* view = controller->view();
    EXPECT_FALSE(frames.requestedFrame(view));
    advanceAndFire(1s, &EndingCueController::countdownTick);
    ASSERT_TRUE(frames.requestedFrame(view));
    const auto wait = *frames.requestedFrame(view) - rig.clock.uptime();
    EXPECT_NEAR(std::chrono::duration<double>(wait).count(), 0.54, 1e-6);
    rig.clock.advance(wait);
    frames.tick();
    EXPECT_NEAR(view->displayedPawProgress(), 0.6 / 15, 1e-9);
    EXPECT_FALSE(frames.requestedFrame(view));
}

TEST_F(EndingCueTest, TheChirrupPlaysOnceOnTheCatSoundPlayer)
{
    rig.engine.start();
    CatSoundPlayer cats(rig.settings, rig.engine);
    EndingCueController withSound(CatTheme::defaultTheme(), rig.settings, &cats, rig.clock);
    withSound.screenFrames = [] { return QList<QRectF> { mainScreen }; };
    withSound.update(TimerState::running(in(30s)), rig.clock.now(), std::nullopt, true, CatTheme::defaultTheme());
    const auto& log = rig.engine.commandLog();
    ASSERT_EQ(std::count_if(log.begin(), log.end(), [](auto& c) { return c.kind == AudioCommand::Kind::startCat; }), 1);
    EXPECT_FLOAT_EQ(log.back().gain, 0.8F);
}

// --- overdue reminders ----------------------------------------------------------------------------------

TEST_F(EndingCueTest, OverdueRemindersShowTheLatestDueAndSkipThoseMissedAsleep)
{
    const Date ended = in(-12min);
    update(TimerState::idle(), plan(Phase::shortBreak, false, ended));
    EXPECT_EQ(cue(), (EndingCue { Kind::focus, -600 })) << "the second reminder, at once";
    EXPECT_EQ(controller->lastOverdueIndex(), 2);
    EXPECT_EQ(controller->view()->timeText()->value(), QStringLiteral("10:00"));
    EXPECT_FALSE(controller->view()->timeText()->countsDown());
    EXPECT_EQ(controller->view()->accessibleName(), QStringLiteral("focus ended"));
    QTimer* overdue = timer("overdueTimer");
    EXPECT_EQ(overdue->intervalAsDuration(), 3000ms);
    advanceAndFire(3s, &EndingCueController::overdueTimerFired);
    finishFade();
    advanceAndFire(ended + 14min + 59s - rig.clock.now(), &EndingCueController::overdueTimerFired);
    EXPECT_FALSE(controller->isShown());
    EXPECT_EQ(overdue->intervalAsDuration(), 1000ms) << "at least a second, to the next due";
    advanceAndFire(1s, &EndingCueController::overdueTimerFired);
    EXPECT_EQ(cue(), (EndingCue { Kind::focus, -900 }));
    advanceAndFire(3s, &EndingCueController::overdueTimerFired);
    finishFade();
    // Asleep from minute 15 to minute 47: only the ninth reminder shows.
    advanceAndFire(ended + 47min - rig.clock.now(), &EndingCueController::overdueTimerFired);
    EXPECT_EQ(cue(), (EndingCue { Kind::focus, -45 * 60 }));
    EXPECT_EQ(std::tuple(controller->lastOverdueIndex(), controller->chirrupCount()), std::tuple(9, 3));
}

TEST_F(EndingCueTest, TheSamePhaseKeepsItsRemindersAndANewIntervalStartsThemAgain)
{
    const PomodoroPlan waiting = plan(Phase::focus, false, in(-12min));
    update(TimerState::idle(), waiting);
    EXPECT_EQ(cue(), (EndingCue { Kind::break_, -600 }));
    advanceAndFire(3s, &EndingCueController::overdueTimerFired);
    finishFade();
    update(TimerState::idle(), waiting);
    EXPECT_EQ(controller->lastOverdueIndex(), 2);
    EXPECT_FALSE(controller->isShown()) << "the reminder already shown is not repeated";
    rig.settings.setPomodoroOverdueCueIntervalMinutes(10);
    update(TimerState::idle(), waiting);
    EXPECT_EQ(controller->lastOverdueIndex(), 1);
    EXPECT_EQ(cue(), (EndingCue { Kind::break_, -600 }));
}

TEST(OverdueSchedule, CountsWholeIntervalsSinceTheEndAndNamesThePhaseThatEnded)
{
    const std::tuple<qint64, int, qint64> cases[] = { { 0, 5, 0 }, { 299, 5, 0 }, { 300, 5, 1 }, { 2820, 5, 9 },
        { 59, 1, 0 }, { 3600, 60, 1 }, { -40, 5, 0 }, { 120, 0, 2 } };
    for (const auto& [elapsed, interval, index] : cases)
        EXPECT_EQ(overdueAlertIndex(elapsed, interval), index) << elapsed << " / " << interval;
    EXPECT_EQ(nextOverdueAlertDate(start, 0, 5), start + 5min);
    EXPECT_EQ(nextOverdueAlertDate(start, 9, 15), start + 150min);

    EXPECT_EQ(
        overdueCueContext(plan(Phase::shortBreak, false, start)), (PomodoroOverdueCueContext { Kind::focus, start }));
    EXPECT_EQ(overdueCueContext(plan(Phase::longBreak, false, start))->kind, Kind::focus);
    EXPECT_EQ(overdueCueContext(plan(Phase::focus, false, start))->kind, Kind::break_);
    EXPECT_EQ(overdueCueContext(plan(Phase::focus, true)), std::nullopt);
    EXPECT_EQ(endingCueKind(plan(Phase::longBreak, true)), Kind::break_);
    EXPECT_EQ(endingCueKind(std::nullopt), Kind::timer);
}

// --- placement, size and content ------------------------------------------------------------------------

TEST(PanelPlacement, KeepsThePanelBesideThePointerAndInsideItsScreen)
{
    const std::tuple<QPointF, QSizeF, QPointF> cases[] = { { { 500, 400 }, { 140, 42 }, { 512, 412 } },
        { { 1900, 400 }, { 140, 42 }, { 1772, 412 } }, { { 500, 1075 }, { 140, 42 }, { 512, 1030 } },
        { { 1919, 1079 }, { 140, 42 }, { 1772, 1030 } }, { { -10, -10 }, { 140, 42 }, { 8, 8 } },
        { { 3190, 1000 }, { 140, 42 }, { 3052, 974 } }, { { 1925, 10 }, { 140, 42 }, { 1937, 22 } },
        { { 5000, 5000 }, { 140, 42 }, { 1772, 1030 } }, { { 100, 100 }, { 2000, 1200 }, { -88, 8 } } };
    for (const auto& [pointer, panel, origin] : cases)
        EXPECT_EQ(endingCuePanelOrigin(pointer, { mainScreen, rightScreen }, panel), origin) << pointer.x();
    EXPECT_EQ(endingCuePanelOrigin({ 10, 10 }, {}, { 140, 42 }), std::nullopt);
}

TEST_F(EndingCueTest, ThePanelIsTheContentPlusTheShadowAndFollowsThePointerWhileShown)
{
    running(30s);
    const QSizeF content = endingCueContentSize(Kind::timer, 30);
    EXPECT_EQ(controller->panel()->size(), (content + QSizeF(12, 12)).toSize());
    EXPECT_EQ(controller->view()->contentRect(), QRectF(QPointF(6, 6), content));
    EXPECT_EQ(controller->panel()->pos(), QPoint(512, 412));
    EXPECT_TRUE(pointerMonitor.isSubscribed(GlobalPointerMonitor::Stream::motion));
    pointerMonitor.moveTo({ 2000, 50 });
    EXPECT_EQ(controller->panel()->pos(), QPoint(2012, 62));

    // An hour since the end widens the card, and the panel with it.
    rig.settings.setPomodoroOverdueCueIntervalMinutes(60);
    update(TimerState::idle(), plan(Phase::shortBreak, false, in(-61min)));
    ASSERT_EQ(cue(), (EndingCue { Kind::focus, -3600 }));
    EXPECT_EQ(controller->panelSize(), endingCueContentSize(Kind::focus, -3600) + QSizeF(12, 12));
    EXPECT_GT(controller->panelSize().width(), endingCueContentSize(Kind::focus, -3599).width() + 12);
    update(TimerState::paused(30));
    EXPECT_FALSE(controller->isFollowingPointer());
    EXPECT_FALSE(pointerMonitor.isSubscribed(GlobalPointerMonitor::Stream::motion));
    const QPoint left = controller->panel()->pos();
    pointerMonitor.moveTo({ 100, 100 });
    EXPECT_EQ(controller->panel()->pos(), left);
}

TEST_F(EndingCueTest, AClockSetBackTakesTheCueDownUntilItsLeadTimeComesAgain)
{
    const Date end = in(40s);
    update(TimerState::running(end));
    ASSERT_TRUE(controller->isShown());
    rig.clock.advance(-1h);
    controller->countdownTick();
    finishFade();
    EXPECT_FALSE(controller->isShown());
    EXPECT_FALSE(controller->isFollowingPointer());
    EXPECT_EQ(controller->activationDeadline(), end);
    EXPECT_FALSE(controller->isCountingDown());

    rig.clock.set(end - 30s);
    controller->activationTimerFired();
    EXPECT_TRUE(controller->isShown());
    EXPECT_EQ(cue(), (EndingCue { Kind::timer, 30 }));
}

// A still pointer costs little: while the cue counts down, only the countdown's one-second step
// and the pointer check run. The check finds moves that bring no raw motion (injected input) and
// waits while raw motion flows; without a desktop-wide monitor the cue catches up with the pointer
// on the countdown's step.
TEST_F(EndingCueTest, AStillPointerLeavesTheCountdownAndTheCheckForMovesWithoutRawMotion)
{
    running(30s);
    ASSERT_TRUE(controller->isShown());
    for (QTimer* t : controller->findChildren<QTimer*>())
        EXPECT_EQ(t->isActive(), t == timer("countdownTimer") || t == timer("pointerCheck"))
            << t->objectName().toStdString();
    EXPECT_GE(timer("countdownTimer")->remainingTime(), 900);
    EXPECT_EQ(controller->panel()->pos(), QPoint(512, 412));
    pointer = { 700, 600 };
    EXPECT_TRUE(QTest::qWaitFor([&] { return controller->panel()->pos() == QPoint(712, 612); }, 1000));
    EXPECT_TRUE(controller->isCheckingPointer());
    QTest::qWait(120);
    pointerMonitor.moveTo({ 800, 600 });
    EXPECT_GT(timer("pointerCheck")->remainingTime(), 150);
    EXPECT_EQ(controller->panel()->pos(), QPoint(812, 612));
    // The countdown's step looks too and the check starts over from it; a look that would come
    // just before the next step is left to that step.
    pointer = { 600, 500 };
    advanceAndFire(1s, &EndingCueController::countdownTick);
    EXPECT_EQ(controller->panel()->pos(), QPoint(612, 512));
    EXPECT_GT(timer("pointerCheck")->remainingTime(), 200);
    advanceAndFire(700ms, &EndingCueController::countdownTick);
    EXPECT_FALSE(controller->isCheckingPointer());
    pointer = { 650, 500 };
    advanceAndFire(300ms, &EndingCueController::countdownTick);
    EXPECT_EQ(controller->panel()->pos(), QPoint(662, 512));
    EXPECT_TRUE(controller->isCheckingPointer());
    update(TimerState::idle());
    EXPECT_FALSE(controller->isCheckingPointer());

    controller.reset();
    EXPECT_FALSE(pointerMonitor.isSubscribed(GlobalPointerMonitor::Stream::motion));
    controller = std::make_unique<EndingCueController>(CatTheme::defaultTheme(), rig.settings, nullptr, rig.clock);
    controller->pointerLocation = [this] { return pointer; };
    controller->screenFrames = [] { return QList<QRectF> { mainScreen, rightScreen }; };
    running(30s);
    EXPECT_FALSE(controller->isCheckingPointer());
    pointer = { 900, 700 };
    advanceAndFire(1s, &EndingCueController::countdownTick);
    EXPECT_EQ(controller->panel()->pos(), QPoint(912, 712));
}

TEST(CueContent, TextsNameTheKindAndTheDistanceFromTheEndInDigitsOfOneWidth)
{
    const std::tuple<Kind, qint64, const char*, const char*> cases[] = { { Kind::timer, 45, "timer ending in", "0:45" },
        { Kind::focus, 0, "focus ending in", "0:00" }, { Kind::break_, 3600, "break ending in", "1:00:00" },
        { Kind::timer, -1, "timer ended", "0:01" }, { Kind::break_, -5400, "break ended", "1:30:00" },
        { Kind::timer, std::numeric_limits<qint64>::min(), "timer ended", "99999:59:59" } };
    for (const auto& [kind, remaining, title, time] : cases) {
        EXPECT_EQ(endingCueTitle(kind, remaining), QString::fromUtf8(title));
        EXPECT_EQ(endingCueTimeText(remaining), QString::fromUtf8(time));
    }
    EXPECT_EQ(endingCueTimeTextWidth(QStringLiteral("1:11")), endingCueTimeTextWidth(QStringLiteral("8:08")));
    EXPECT_EQ(endingCueContentSize(Kind::focus, 11), endingCueContentSize(Kind::focus, 48));
    EXPECT_GE(endingCueContentSize(Kind::timer, 5).width(), 104);
}

TEST(CueContent, TheInkReadsOnEveryFurAndTheBorderStandsOut)
{
    for (const CatTheme& theme : CatTheme::all()) {
        const EndingCueView::CueColors colors = EndingCueView::cueColors(theme);
        EXPECT_EQ(colors.fill, theme.furColor) << theme.id.toStdString();
        EXPECT_GE(contrastRatio(colors.ink, colors.fill), 4.5) << theme.id.toStdString();
        EXPECT_TRUE(contrastRatio(colors.border, colors.fill) >= 3.0 || colors.border == colors.ink);
    }
}

} // namespace

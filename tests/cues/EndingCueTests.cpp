#include "CatSoundPlayer.h"
#include "CharacterSlotText.h"
#include "ColorContrast.h"
#include "EndingCueController.h"
#include "EndingCueView.h"
#include "SoundRig.h"

#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace mewt;
using namespace std::chrono_literals;
using Kind = EndingCueKind;

namespace {

const QRectF mainScreen(0, 0, 1920, 1080);
const QRectF rightScreen(1920, 0, 1280, 1024);

PomodoroPlan waitingPlan(PomodoroPhase next, Date endedAt)
{
    PomodoroPlan plan = PomodoroPlan::starting(4, PomodoroConfiguration {}, false);
    plan.phase = next;
    plan.isPhaseRunning = false;
    plan.phaseEndedAt = endedAt;
    return plan;
}

PomodoroPlan runningPlan(PomodoroPhase phase)
{
    PomodoroPlan plan = PomodoroPlan::starting(4, PomodoroConfiguration {}, false);
    plan.phase = phase;
    return plan;
}

// A controller on one 1920 x 1080 screen with the pointer at (500, 400), a clock the test drives
// and settings in memory.
class EndingCueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        controller = std::make_unique<EndingCueController>(CatTheme::defaultTheme(), rig.settings, nullptr, rig.clock);
        controller->pointerLocation = [this] { return pointer; };
        controller->screenFrames = [this] { return screens; };
    }

    Date in(std::chrono::duration<double> from) const
    {
        return rig.clock.now() + std::chrono::duration_cast<Date::duration>(from);
    }
    void update(const TimerState& state, const std::optional<PomodoroPlan>& plan = std::nullopt, bool shows = true)
    {
        controller->update(state, rig.clock.now(), plan, shows, CatTheme::defaultTheme());
    }
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

    mewt::testing::SoundRig rig;
    QPointF pointer { 500, 400 };
    QList<QRectF> screens { mainScreen, rightScreen };
    std::unique_ptr<EndingCueController> controller;
};

// --- when the cue shows -----------------------------------------------------------------------------

enum class Situation { withinLead, atLead, beyondLead, paused, idle, endPassed, overdue, disabled };

struct DecisionCase {
    const char* name;
    Situation situation;
    bool shown;
    std::optional<EndingCue> cue;
    bool activationArmed;
    bool overdueRunning;
    int chirrups;
};

class UpdateDecisions : public EndingCueTest, public ::testing::WithParamInterface<DecisionCase> { };

TEST_P(UpdateDecisions, ShowScheduleOrHide)
{
    const DecisionCase& c = GetParam();
    switch (c.situation) {
    case Situation::withinLead: update(TimerState::running(in(44.2s)), runningPlan(PomodoroPhase::focus)); break;
    case Situation::atLead: update(TimerState::running(in(60s))); break;
    case Situation::beyondLead: update(TimerState::running(in(600s))); break;
    case Situation::paused: update(TimerState::paused(30)); break;
    case Situation::idle: update(TimerState::idle()); break;
    case Situation::endPassed: update(TimerState::running(in(-2s))); break;
    case Situation::overdue: update(TimerState::idle(), waitingPlan(PomodoroPhase::shortBreak, in(-6min))); break;
    case Situation::disabled: update(TimerState::running(in(30s)), std::nullopt, false); break;
    }
    EXPECT_EQ(controller->isShown(), c.shown);
    if (c.cue) {
        EXPECT_EQ(cue(), *c.cue);
    }
    EXPECT_EQ(controller->activationDeadline().has_value(), c.activationArmed);
    EXPECT_EQ(controller->overduePhaseEnd().has_value(), c.overdueRunning);
    EXPECT_EQ(controller->isFollowingPointer(), c.shown);
    EXPECT_EQ(controller->chirrupCount(), c.chirrups);
}

INSTANTIATE_TEST_SUITE_P(Table, UpdateDecisions,
    ::testing::Values(
        DecisionCase { "withinLead", Situation::withinLead, true, EndingCue { Kind::focus, 45 }, false, false, 1 },
        DecisionCase { "atLead", Situation::atLead, true, EndingCue { Kind::timer, 60 }, false, false, 1 },
        DecisionCase { "beyondLead", Situation::beyondLead, false, std::nullopt, true, false, 0 },
        DecisionCase { "paused", Situation::paused, false, std::nullopt, false, false, 0 },
        DecisionCase { "idle", Situation::idle, false, std::nullopt, false, false, 0 },
        DecisionCase { "endPassed", Situation::endPassed, false, std::nullopt, false, false, 0 },
        DecisionCase { "overdue", Situation::overdue, true, EndingCue { Kind::focus, -300 }, false, true, 1 },
        DecisionCase { "disabled", Situation::disabled, false, std::nullopt, false, false, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EndingCueTest, TheSameDeadlineTwiceKeepsTheCountdownAndChirrupsOnce)
{
    const Date end = in(45s);
    update(TimerState::running(end));
    rig.clock.advance(3s);
    update(TimerState::running(end));
    EXPECT_EQ(controller->chirrupCount(), 1);
    EXPECT_EQ(controller->countdownDeadline(), end);
    EXPECT_EQ(cue().remainingSeconds, 42);
    EXPECT_TRUE(controller->isCountingDown());
}

TEST_F(EndingCueTest, ExtendingWithinTheLeadCountsToTheNewEndWithoutAnotherChirrup)
{
    update(TimerState::running(in(20s)));
    update(TimerState::running(in(50s)));
    EXPECT_EQ(controller->chirrupCount(), 1);
    EXPECT_EQ(controller->countdownDeadline(), in(50s));
    EXPECT_EQ(cue().remainingSeconds, 50);
}

TEST_F(EndingCueTest, ExtendingBeyondTheLeadHidesAndWaitsForTheNewEnd)
{
    update(TimerState::running(in(20s)));
    update(TimerState::running(in(20min)));
    EXPECT_TRUE(controller->isHiding());
    finishFade();
    EXPECT_FALSE(controller->isShown());
    EXPECT_EQ(controller->activationDeadline(), in(20min));
    EXPECT_FALSE(controller->isCountingDown());
}

TEST_F(EndingCueTest, SwitchingTheCueOffStopsEverythingAndOnAgainDecidesAtOnce)
{
    update(TimerState::idle(), waitingPlan(PomodoroPhase::focus, in(-6min)));
    ASSERT_TRUE(controller->isShown());
    update(TimerState::idle(), waitingPlan(PomodoroPhase::focus, in(-6min)), false);
    finishFade();
    EXPECT_FALSE(controller->isShown());
    EXPECT_FALSE(anyTimerActive());
    update(TimerState::running(in(30s)));
    EXPECT_TRUE(controller->isShown());
    EXPECT_EQ(cue(), (EndingCue { Kind::timer, 30 }));
}

TEST_F(EndingCueTest, EachUpdateTakesTheTheme)
{
    const CatTheme& siamese = CatTheme::withId(QStringLiteral("siamese"));
    controller->update(TimerState::idle(), rig.clock.now(), std::nullopt, false, siamese);
    EXPECT_EQ(controller->model().theme(), siamese);
}

TEST_F(EndingCueTest, AThemeChangeRedrawsAShownCueWithoutRestartingIt)
{
    const Date end = in(40s);
    update(TimerState::running(end));
    const CatTheme& calico = CatTheme::withId(QStringLiteral("calico"));
    controller->setTheme(calico);
    EXPECT_EQ(controller->model().theme(), calico);
    EXPECT_EQ(controller->chirrupCount(), 1);
    EXPECT_EQ(controller->countdownDeadline(), end);
    EXPECT_TRUE(controller->isShown());
}

TEST_F(EndingCueTest, NothingRunsWhileNothingIsPending)
{
    update(TimerState::running(in(30s)));
    update(TimerState::paused(30), std::nullopt);
    finishFade();
    EXPECT_FALSE(anyTimerActive());
    EXPECT_FALSE(controller->isShown());
}

// --- activation and countdown -------------------------------------------------------------------------

TEST_F(EndingCueTest, ALongTimerShowsTheCueOneLeadBeforeItsEnd)
{
    const Date end = in(10min);
    update(TimerState::running(end));
    QTimer* activation = timer("activationTimer");
    ASSERT_TRUE(activation->isActive());
    EXPECT_LE(activation->intervalAsDuration(), 60s) << "looks at the wall clock at least once a minute";

    rig.clock.advance(8min);
    controller->activationTimerFired();
    EXPECT_FALSE(controller->isShown()) << "still two minutes before the lead";
    EXPECT_TRUE(activation->isActive());

    rig.clock.advance(60s);
    controller->activationTimerFired();
    EXPECT_TRUE(controller->isShown());
    EXPECT_EQ(cue(), (EndingCue { Kind::timer, 60 }));
    EXPECT_EQ(controller->chirrupCount(), 1);
    EXPECT_TRUE(controller->isCountingDown());
}

TEST_F(EndingCueTest, AnActivationAfterTheEndShowsNothing)
{
    update(TimerState::running(in(10min)));
    rig.clock.advance(11min); // asleep across the end
    controller->recheck();
    EXPECT_FALSE(controller->isShown());
    EXPECT_FALSE(controller->activationDeadline());
}

TEST_F(EndingCueTest, TheCountdownTicksOnTheSecondBoundariesAndHidesAtTheEnd)
{
    const Date end = in(45s);
    update(TimerState::running(end));
    QTimer* countdown = timer("countdownTimer");
    ASSERT_TRUE(countdown->isActive());
    EXPECT_GE(countdown->intervalAsDuration(), 1000ms);
    EXPECT_LE(countdown->intervalAsDuration(), 1010ms);

    rig.clock.advance(400ms);
    controller->countdownTick();
    EXPECT_EQ(cue().remainingSeconds, 45);
    EXPECT_LE(countdown->intervalAsDuration(), 610ms) << "wakes when 45 runs out, not a second later";
    rig.clock.advance(600ms);
    controller->countdownTick();
    EXPECT_EQ(cue().remainingSeconds, 44);

    rig.clock.set(end - 1s);
    controller->countdownTick();
    EXPECT_EQ(cue().remainingSeconds, 1);
    rig.clock.set(end);
    controller->countdownTick();
    EXPECT_TRUE(controller->isHiding());
    finishFade();
    EXPECT_FALSE(controller->isShown());
    EXPECT_FALSE(anyTimerActive());
}

TEST_F(EndingCueTest, APresentationDuringTheFadeOutKeepsTheCueUp)
{
    update(TimerState::running(in(30s)));
    update(TimerState::paused(30));
    ASSERT_TRUE(controller->isHiding());
    update(TimerState::running(in(20s)));
    EXPECT_EQ(controller->chirrupCount(), 2) << "it was on its way out";
    finishFade();
    EXPECT_TRUE(controller->isShown());
    EXPECT_DOUBLE_EQ(controller->panel()->windowOpacity(), 1.0);
}

TEST_F(EndingCueTest, WithReducedMotionTheCueAppearsAndGoesAtOnce)
{
    qputenv("MEWT_REDUCED_MOTION", "1");
    update(TimerState::running(in(30s)));
    EXPECT_TRUE(controller->isShown());
    EXPECT_DOUBLE_EQ(controller->panel()->windowOpacity(), 1.0);
    EXPECT_DOUBLE_EQ(controller->view()->displayedPawProgress(), 0.55);
    update(TimerState::paused(30));
    EXPECT_FALSE(controller->isShown());
    EXPECT_FALSE(controller->isHiding());
    qputenv("MEWT_REDUCED_MOTION", "0");
}

TEST_F(EndingCueTest, ShowingFadesIn)
{
    update(TimerState::running(in(30s)));
    EXPECT_LT(controller->panel()->windowOpacity(), 0.5);
    controller->completeFade();
    EXPECT_DOUBLE_EQ(controller->panel()->windowOpacity(), 1.0);
}

TEST_F(EndingCueTest, TheChirrupPlaysOnTheCatSoundPlayer)
{
    rig.engine.start();
    CatSoundPlayer cats(rig.settings, rig.engine);
    EndingCueController withSound(CatTheme::defaultTheme(), rig.settings, &cats, rig.clock);
    withSound.screenFrames = [this] { return screens; };
    withSound.update(TimerState::running(in(30s)), rig.clock.now(), std::nullopt, true, CatTheme::defaultTheme());
    const auto& log = rig.engine.commandLog();
    const auto starts = std::count_if(
        log.begin(), log.end(), [](const AudioCommand& c) { return c.kind == AudioCommand::Kind::startCat; });
    EXPECT_EQ(starts, 1);
    ASSERT_FALSE(log.empty());
    EXPECT_FLOAT_EQ(log.back().gain, 0.8F);
}

// --- overdue reminders ----------------------------------------------------------------------------------

TEST_F(EndingCueTest, OverdueRemindersShowTheLatestDueAndSkipThoseMissedAsleep)
{
    const Date ended = in(-12min);
    update(TimerState::idle(), waitingPlan(PomodoroPhase::shortBreak, ended));
    EXPECT_EQ(cue(), (EndingCue { Kind::focus, -600 })) << "the second reminder, at once";
    EXPECT_EQ(controller->lastOverdueIndex(), 2);
    EXPECT_EQ(controller->view()->timeText()->value(), QStringLiteral("10:00"));
    EXPECT_FALSE(controller->view()->timeText()->countsDown());
    QTimer* overdue = timer("overdueTimer");
    EXPECT_EQ(overdue->intervalAsDuration(), 3000ms);

    rig.clock.advance(3s);
    controller->overdueTimerFired();
    EXPECT_TRUE(controller->isHiding());
    finishFade();
    EXPECT_FALSE(controller->isShown());
    EXPECT_LE(overdue->intervalAsDuration(), 60s);

    // Asleep from minute 13 to minute 47: only the ninth reminder shows.
    rig.clock.set(ended + 47min);
    controller->overdueTimerFired();
    EXPECT_TRUE(controller->isShown());
    EXPECT_EQ(cue(), (EndingCue { Kind::focus, -45 * 60 }));
    EXPECT_EQ(controller->lastOverdueIndex(), 9);
    EXPECT_EQ(controller->chirrupCount(), 2);
}

TEST_F(EndingCueTest, BetweenRemindersNothingShowsBeforeTheNextIsDue)
{
    const Date ended = in(-6min);
    update(TimerState::idle(), waitingPlan(PomodoroPhase::focus, ended));
    EXPECT_EQ(cue(), (EndingCue { Kind::break_, -300 }));
    rig.clock.advance(3s);
    controller->overdueTimerFired();
    finishFade();
    rig.clock.set(ended + 9min + 59s);
    controller->overdueTimerFired();
    EXPECT_FALSE(controller->isShown());
    EXPECT_EQ(timer("overdueTimer")->intervalAsDuration(), 1000ms) << "at least a second, to the next due";
    rig.clock.set(ended + 10min);
    controller->overdueTimerFired();
    EXPECT_EQ(cue(), (EndingCue { Kind::break_, -600 }));
}

TEST_F(EndingCueTest, TheSamePhaseKeepsItsRemindersAndANewIntervalStartsThemAgain)
{
    const PomodoroPlan plan = waitingPlan(PomodoroPhase::shortBreak, in(-12min));
    update(TimerState::idle(), plan);
    rig.clock.advance(3s);
    controller->overdueTimerFired();
    finishFade();
    update(TimerState::idle(), plan);
    EXPECT_EQ(controller->lastOverdueIndex(), 2);
    EXPECT_FALSE(controller->isShown()) << "the reminder already shown is not repeated";

    rig.settings.setPomodoroOverdueCueIntervalMinutes(10);
    update(TimerState::idle(), plan);
    EXPECT_EQ(controller->lastOverdueIndex(), 1);
    EXPECT_EQ(cue(), (EndingCue { Kind::focus, -600 }));
}

TEST_F(EndingCueTest, AWaitingPlanWithoutAnEndHasNoReminders)
{
    PomodoroPlan plan = waitingPlan(PomodoroPhase::focus, in(-30min));
    plan.phaseEndedAt.reset();
    update(TimerState::idle(), plan);
    EXPECT_FALSE(controller->overduePhaseEnd());
    EXPECT_FALSE(controller->isShown());
}

struct IndexCase {
    qint64 elapsed;
    int interval;
    qint64 index;
};

class OverdueIndex : public ::testing::TestWithParam<IndexCase> { };

TEST_P(OverdueIndex, CountsWholeIntervalsSinceTheEnd)
{
    EXPECT_EQ(overdueAlertIndex(GetParam().elapsed, GetParam().interval), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Table, OverdueIndex,
    ::testing::Values(IndexCase { 0, 5, 0 }, IndexCase { 299, 5, 0 }, IndexCase { 300, 5, 1 }, IndexCase { 720, 5, 2 },
        IndexCase { 2820, 5, 9 }, IndexCase { 59, 1, 0 }, IndexCase { 3600, 60, 1 }, IndexCase { -40, 5, 0 },
        IndexCase { 120, 0, 2 }));

TEST(OverdueSchedule, TheNextReminderFollowsTheLastShown)
{
    const Date ended = Date(std::chrono::seconds(1'800'000'000));
    EXPECT_EQ(nextOverdueAlertDate(ended, 0, 5), ended + 5min);
    EXPECT_EQ(nextOverdueAlertDate(ended, 2, 5), ended + 15min);
    EXPECT_EQ(nextOverdueAlertDate(ended, 9, 15), ended + 150min);
}

// --- placement -------------------------------------------------------------------------------------------

struct PlacementCase {
    const char* name;
    QPointF pointer;
    QSizeF panel;
    QPointF origin;
};

class PanelPlacement : public ::testing::TestWithParam<PlacementCase> { };

TEST_P(PanelPlacement, KeepsThePanelBesideThePointerAndInsideItsScreen)
{
    const PlacementCase& c = GetParam();
    EXPECT_EQ(endingCuePanelOrigin(c.pointer, { mainScreen, rightScreen }, c.panel), c.origin);
}

INSTANTIATE_TEST_SUITE_P(Table, PanelPlacement,
    ::testing::Values(PlacementCase { "free", { 500, 400 }, { 140, 42 }, { 512, 412 } },
        PlacementCase { "rightEdge", { 1900, 400 }, { 140, 42 }, { 1920 - 8 - 140, 412 } },
        PlacementCase { "bottomEdge", { 500, 1075 }, { 140, 42 }, { 512, 1080 - 8 - 42 } },
        PlacementCase { "bottomRightCorner", { 1919, 1079 }, { 140, 42 }, { 1772, 1030 } },
        PlacementCase { "topLeftCorner", { -10, -10 }, { 140, 42 }, { 8, 8 } },
        PlacementCase { "secondScreenRightEdge", { 3190, 1000 }, { 140, 42 }, { 3200 - 8 - 140, 1024 - 8 - 42 } },
        PlacementCase { "secondScreenLeftEdge", { 1925, 10 }, { 140, 42 }, { 1937, 22 } },
        PlacementCase { "offEveryScreen", { 5000, 5000 }, { 140, 42 }, { 1772, 1030 } },
        PlacementCase { "largerThanTheScreen", { 100, 100 }, { 2000, 1200 }, { 1912 - 2000, 8 } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PanelPlacementWithoutScreens, LeavesThePanelWhereItIs)
{
    EXPECT_EQ(endingCuePanelOrigin({ 10, 10 }, {}, { 140, 42 }), std::nullopt);
}

TEST_F(EndingCueTest, ThePanelFollowsThePointerWhileShown)
{
    update(TimerState::running(in(30s)));
    EXPECT_EQ(controller->panel()->pos(), QPoint(512, 412));
    EXPECT_EQ(timer("followTimer")->intervalAsDuration(), 16ms);
    pointer = { 2000, 50 };
    controller->followPointer();
    EXPECT_EQ(controller->panel()->pos(), QPoint(2012, 62));
    update(TimerState::paused(30));
    EXPECT_FALSE(controller->isFollowingPointer());
}

// --- size and content -------------------------------------------------------------------------------------

TEST(EndingCueSize, IsTheTitleTheTimeAndPaddingAtLeast104By30)
{
    for (const Kind kind : { Kind::timer, Kind::focus, Kind::break_ }) {
        for (const qint64 remaining : { 5LL, 59LL, 600LL, 3600LL, -300LL }) {
            const QSizeF size = endingCueContentSize(kind, remaining);
            const double measured = endingCueTitleWidth(endingCueTitle(kind, remaining))
                + endingCueTimeTextWidth(endingCueTimeText(remaining)) + 52;
            EXPECT_EQ(size.height(), 30);
            EXPECT_EQ(size.width(), std::max(104.0, std::ceil(measured)));
        }
    }
    EXPECT_GT(endingCueContentSize(Kind::timer, 3600).width(), endingCueContentSize(Kind::timer, 3599).width());
}

TEST(EndingCueSize, DigitsTakeTheWidestDigitSoTheWidthHoldsWhileCounting)
{
    EXPECT_EQ(endingCueTimeTextWidth(QStringLiteral("1:11")), endingCueTimeTextWidth(QStringLiteral("8:08")));
    EXPECT_EQ(endingCueContentSize(Kind::focus, 11), endingCueContentSize(Kind::focus, 48));
}

TEST_F(EndingCueTest, ThePanelIsTheContentPlusTheShadowMargin)
{
    update(TimerState::running(in(30s)));
    const QSizeF content = endingCueContentSize(Kind::timer, 30);
    EXPECT_EQ(controller->panelSize(), content + QSizeF(12, 12));
    EXPECT_EQ(controller->panel()->size(), (content + QSizeF(12, 12)).toSize());
    EXPECT_EQ(controller->view()->contentRect(), QRectF(QPointF(6, 6), content));

    // An hour since the end widens the card, and the panel with it.
    rig.settings.setPomodoroOverdueCueIntervalMinutes(60);
    update(TimerState::idle(), waitingPlan(PomodoroPhase::shortBreak, in(-61min)));
    ASSERT_EQ(cue(), (EndingCue { Kind::focus, -3600 }));
    EXPECT_EQ(controller->panelSize(), endingCueContentSize(Kind::focus, -3600) + QSizeF(12, 12));
    EXPECT_EQ(controller->panel()->width(), controller->view()->width());
    EXPECT_GT(controller->panelSize().width(), endingCueContentSize(Kind::focus, -3599).width() + 12);
}

struct TitleCase {
    Kind kind;
    qint64 remaining;
    const char* title;
    const char* time;
};

class CueTexts : public ::testing::TestWithParam<TitleCase> { };

TEST_P(CueTexts, NameTheKindAndTheDistanceFromTheEnd)
{
    EXPECT_EQ(endingCueTitle(GetParam().kind, GetParam().remaining), QString::fromUtf8(GetParam().title));
    EXPECT_EQ(endingCueTimeText(GetParam().remaining), QString::fromUtf8(GetParam().time));
}

INSTANTIATE_TEST_SUITE_P(Table, CueTexts,
    ::testing::Values(TitleCase { Kind::timer, 45, "timer ending in", "0:45" },
        TitleCase { Kind::focus, 0, "focus ending in", "0:00" },
        TitleCase { Kind::break_, 3600, "break ending in", "1:00:00" },
        TitleCase { Kind::timer, -1, "timer ended", "0:01" }, TitleCase { Kind::focus, -300, "focus ended", "5:00" },
        TitleCase { Kind::break_, -5400, "break ended", "1:30:00" },
        TitleCase { Kind::timer, std::numeric_limits<qint64>::min(), "timer ended", "99999:59:59" }));

TEST(OverdueContext, NamesThePhaseThatEnded)
{
    const Date ended = Date(std::chrono::seconds(1'800'000'000));
    EXPECT_EQ(overdueCueContext(waitingPlan(PomodoroPhase::shortBreak, ended)),
        (PomodoroOverdueCueContext { Kind::focus, ended }));
    EXPECT_EQ(overdueCueContext(waitingPlan(PomodoroPhase::longBreak, ended))->kind, Kind::focus);
    EXPECT_EQ(overdueCueContext(waitingPlan(PomodoroPhase::focus, ended))->kind, Kind::break_);
    EXPECT_EQ(overdueCueContext(runningPlan(PomodoroPhase::focus)), std::nullopt);
    EXPECT_EQ(overdueCueContext(std::nullopt), std::nullopt);
    EXPECT_EQ(endingCueKind(runningPlan(PomodoroPhase::longBreak)), Kind::break_);
    EXPECT_EQ(endingCueKind(std::nullopt), Kind::timer);
}

// --- the card ---------------------------------------------------------------------------------------------------

struct PawCase {
    qint64 remaining;
    bool reduceMotion;
    double height;
};

class PawHeight : public ::testing::TestWithParam<PawCase> { };

TEST_P(PawHeight, RisesFromBelowTheCardToTheFishOverTheLead)
{
    const double p = EndingCueView::pawProgress(GetParam().remaining, 60, GetParam().reduceMotion);
    EXPECT_NEAR(EndingCueView::pawHeight(p), GetParam().height, 0.01);
}

INSTANTIATE_TEST_SUITE_P(Table, PawHeight,
    ::testing::Values(PawCase { 60, false, 40 }, PawCase { 30, false, 27.5 }, PawCase { 1, false, 15.42 },
        PawCase { 600, false, 40 }, PawCase { -300, false, 22 }, PawCase { 30, true, 26.25 },
        PawCase { -300, true, 18.75 }));

TEST(CueColors, InkReadsOnTheFurAndTheBorderStandsOut)
{
    for (const CatTheme& theme : CatTheme::all()) {
        const EndingCueView::CueColors colors = EndingCueView::cueColors(theme);
        EXPECT_EQ(colors.fill, theme.furColor) << theme.id.toStdString();
        EXPECT_GE(contrastRatio(colors.ink, colors.fill), 4.5) << theme.id.toStdString();
        EXPECT_TRUE(contrastRatio(colors.border, colors.fill) >= 3.0 || colors.border == colors.ink)
            << theme.id.toStdString();
    }
    EXPECT_EQ(EndingCueView::cueColors(CatTheme::withId(QStringLiteral("calico"))).ink, QColor(Qt::black));
    EXPECT_EQ(EndingCueView::cueColors(CatTheme::withId(QStringLiteral("tuxedo"))).ink, QColor(Qt::white));
}

TEST(CueArtwork, PawAndFishFillTheirBoxes)
{
    const QRectF box(10, 20, 16, 16);
    const QRectF paw = EndingCueView::catPawPath(box).boundingRect();
    EXPECT_TRUE(box.adjusted(-0.5, -0.5, 0.5, 0.5).contains(paw));
    EXPECT_GT(paw.width(), 12);
    EXPECT_DOUBLE_EQ(paw.bottom(), box.bottom());
    const QRectF fishBox(0, 0, 9, 6);
    const QPainterPath fish = EndingCueView::cueFishPath(fishBox);
    EXPECT_TRUE(fishBox.contains(fish.boundingRect()));
    EXPECT_FALSE(fish.contains(QPointF(4.3 * 0.5, 5.3 * 0.5))) << "the eye is left open";
    EXPECT_TRUE(fish.contains(QPointF(3.2, 3.6)));
}

TEST_F(EndingCueTest, TheViewReadsTitleAndTimeAsOne)
{
    update(TimerState::idle(), waitingPlan(PomodoroPhase::shortBreak, in(-5min)));
    EXPECT_EQ(controller->view()->accessibleName(), QStringLiteral("focus ended, 5:00"));
}

} // namespace

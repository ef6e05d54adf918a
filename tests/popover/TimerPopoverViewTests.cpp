#include "PopoverViewRig.h"
#include "artwork/FrameClock.h"
#include "popover/ActiveDisplayPage.h"
#include "popover/CapsuleButton.h"
#include "popover/ContentSwitcher.h"
#include "popover/IdleDisplayPage.h"
#include "popover/InstructionsBlock.h"
#include "popover/TimeButton.h"
#include "popover/TimerModePicker.h"
#include "popover/TimerPopoverBackgroundView.h"
#include "popover/TimerStartControls.h"
#include "popover/ToolbarIconButton.h"
#include "popover/WaitingDisplayPage.h"
#include "popover/YarnTimeline.h"
#include "popover/ZenProgressBar.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace mewt {
namespace {

using namespace std::chrono_literals;

// The texts a screen reader reads from the labels under a node, through their text interface.
QStringList readLabels(QAccessibleInterface* node)
{
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child->role() == QAccessible::StaticText && child->textInterface())
            texts << child->textInterface()->text(0, -1);
        texts << readLabels(child);
    }
    return texts;
}

class PopoverTest : public ::testing::Test {
protected:
    testing::PopoverViewRig rig;

    TimerPopoverView& view() { return rig.view(); }
    // A few event-loop turns: the coalesced sync, then layout requests climbing to the root.
    void turn()
    {
        for (int i = 0; i < 10; ++i)
            testing::PopoverViewRig::settle();
    }
    void show()
    {
        view().show();
        rig.presentation.setVisible(true);
        turn();
    }
    int configurationWrites() const { return rig.defaults.writeCount(PomodoroSettingsStore::configurationKey); }
};

// Commits of typed values.
using PopoverEditing = PopoverTest;

TEST_F(PopoverEditing, ADurationCommitsItsHeldValueAndKeepsItAsTheDraft)
{
    view().openDurationEdit(PomodoroDurationKind::focus);
    view().editing().durationDrafts[PomodoroDurationKind::focus] = QStringLiteral("45");
    view().commitDurationEdit();
    EXPECT_EQ(rig.pomodoroSettings.configuration().focusSeconds, 2700);
    EXPECT_EQ(view().editing().durationDrafts.at(PomodoroDurationKind::focus), QStringLiteral("45"));
    EXPECT_FALSE(view().editing().editingDurationKind);
}

TEST_F(PopoverEditing, UnreadableTextWritesTheSavedLengthBackAndShowsIt)
{
    view().openDurationEdit(PomodoroDurationKind::break_);
    view().editing().durationDrafts[PomodoroDurationKind::break_] = QStringLiteral("soon");
    const int before = configurationWrites();
    view().commitDurationEdit();
    EXPECT_EQ(rig.pomodoroSettings.configuration().shortBreakSeconds, 300);
    EXPECT_EQ(configurationWrites(), before + 1);
    EXPECT_EQ(view().editing().durationDrafts.at(PomodoroDurationKind::break_), QStringLiteral("5"));
    view().commitDurationEdit(); // nothing open any more
    EXPECT_EQ(configurationWrites(), before + 1);
}

struct ClockCase {
    const char* name;
    TimerMode mode;
    const char* draft;
    int quickTimeMinutes;
    int focusSeconds;
};

class ClockTimeCommit : public PopoverTest, public ::testing::WithParamInterface<ClockCase> { };

TEST_P(ClockTimeCommit, StoresTheParsedMinutesForTheModeItWasOpenedIn)
{
    view().openClockTimeEdit(GetParam().mode);
    view().editing().clockTimeDraft = QString::fromUtf8(GetParam().draft);
    view().commitClockTimeEdit();
    EXPECT_EQ(rig.pullSettings.quickTimeMinutes(), GetParam().quickTimeMinutes);
    EXPECT_EQ(rig.pomodoroSettings.configuration().focusSeconds, GetParam().focusSeconds);
    EXPECT_FALSE(view().editing().clockTimeEditing);
    EXPECT_FALSE(view().editing().clockTimeEditingMode);
}

INSTANTIATE_TEST_SUITE_P(Drafts, ClockTimeCommit,
    ::testing::Values(ClockCase { "timerRounds", TimerMode::timer, "23", 25, 1500 },
        ClockCase { "timerBeyondInt", TimerMode::timer, "4294967301", 120, 1500 },
        ClockCase { "pomodoroMinutes", TimerMode::pomodoro, "23", 25, 1380 },
        ClockCase { "pomodoroHeld", TimerMode::pomodoro, "300", 25, 10800 },
        ClockCase { "pomodoroZero", TimerMode::pomodoro, "0:00", 25, 60 },
        ClockCase { "secondsRejected", TimerMode::pomodoro, "25:30", 25, 1500 },
        ClockCase { "lettersRejected", TimerMode::timer, "ten", 25, 1500 }),
    [](const auto& info) { return std::string(info.param.name); });

struct TapCase {
    const char* name;
    QPointF tap;
    bool timeStaysOpen;
    bool nameStaysOpen;
    bool durationStaysOpen;
};

class EditingTap : public PopoverTest, public ::testing::WithParamInterface<TapCase> { };

TEST_P(EditingTap, ClosesEachOpenFieldTheTapFallsOutsideOf)
{
    auto& edits = view().editing();
    edits.clockTimeEditing = true;
    edits.clockTimeFrame = QRectF(0, 0, 100, 20);
    edits.clockTimeDraft = QStringLiteral("40");
    edits.clockNameEditing = true;
    edits.clockNameFrame = QRectF(0, 30, 100, 20);
    edits.editingDurationKind = PomodoroDurationKind::longBreak;
    edits.durationControlFrames[PomodoroDurationKind::longBreak] = QRectF(0, 60, 40, 20);
    view().handleEditingTap(GetParam().tap);
    EXPECT_EQ(edits.clockTimeEditing, GetParam().timeStaysOpen);
    EXPECT_EQ(edits.clockNameEditing, GetParam().nameStaysOpen);
    EXPECT_EQ(edits.editingDurationKind.has_value(), GetParam().durationStaysOpen);
    EXPECT_EQ(rig.pullSettings.quickTimeMinutes(), GetParam().timeStaysOpen ? 25 : 40);
}

INSTANTIATE_TEST_SUITE_P(Taps, EditingTap,
    ::testing::Values(TapCase { "insideTime", { 10, 10 }, true, false, false },
        TapCase { "insideName", { 10, 40 }, false, true, false },
        TapCase { "insideDuration", { 10, 70 }, false, false, true },
        TapCase { "outsideAll", { 200, 200 }, false, false, false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PopoverEditing, AFieldWhoseFrameIsNotKnownYetStaysOpen)
{
    view().openDurationEdit(PomodoroDurationKind::focus);
    view().handleEditingTap({ 5, 5 });
    EXPECT_TRUE(view().editing().editingDurationKind);
}

TEST_F(PopoverEditing, AClickOutsideTheOpenFieldInTheWindowCommitsItOnce)
{
    show();
    view().openClockTimeEdit(TimerMode::timer);
    view().editing().clockTimeFrame = QRectF(0, 0, 10, 10);
    view().editing().clockTimeDraft = QStringLiteral("50");
    QTest::mouseClick(view().windowHandle(), Qt::LeftButton, {}, QPoint(150, 30));
    EXPECT_FALSE(view().editing().clockTimeEditing);
    EXPECT_EQ(rig.pullSettings.quickTimeMinutes(), 50);
    EXPECT_EQ(rig.defaults.writeCount(PullSettingsStore::quickTimeKey), 1);
}

TEST_F(PopoverEditing, ClicksInsideTheOpenFieldKeepItOpenUntilOneLandsOutside)
{
    show();
    view().openDurationEdit(PomodoroDurationKind::longBreakInterval);
    view().editing().durationControlFrames[PomodoroDurationKind::longBreakInterval] = QRectF(100, 10, 40, 20);
    view().editing().durationDrafts[PomodoroDurationKind::longBreakInterval] = QStringLiteral("6");
    QTest::mouseClick(view().windowHandle(), Qt::LeftButton, {}, QPoint(110, 15));
    EXPECT_TRUE(view().editing().editingDurationKind);
    QTest::mouseClick(view().windowHandle(), Qt::LeftButton, {}, QPoint(10, 60));
    EXPECT_FALSE(view().editing().editingDurationKind);
    EXPECT_EQ(rig.pomodoroSettings.configuration().blocksBeforeLongBreak, 6);
    const int writes = configurationWrites();
    QTest::mouseClick(view().windowHandle(), Qt::LeftButton, {}, QPoint(10, 60));
    EXPECT_EQ(configurationWrites(), writes); // nothing open: the click is not judged
}

// What settles the open edits.
using PopoverSettlement = PopoverTest;

TEST_F(PopoverSettlement, HidingRequestsAndSettingChangesEachCommitTheOpenEdit)
{
    const std::vector<std::function<void()>> triggers = {
        [&] { rig.presentation.setVisible(false); },
        [&] { rig.presentation.requestEditorSettlement(); },
        [&] { rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock); },
        [&] { rig.interfaceSettings.setZenModeEnabled(true); },
    };
    int focusMinutes = 30;
    rig.presentation.setVisible(true);
    for (const auto& trigger : triggers) {
        view().openDurationEdit(PomodoroDurationKind::focus);
        view().editing().durationDrafts[PomodoroDurationKind::focus] = QString::number(focusMinutes);
        view().openClockNameEdit(); // opening a field settles the others
        EXPECT_EQ(rig.pomodoroSettings.configuration().focusSeconds, focusMinutes * 60);
        view().editing().durationDrafts[PomodoroDurationKind::focus] = QString::number(++focusMinutes);
        view().openDurationEdit(PomodoroDurationKind::focus);
        trigger();
        EXPECT_FALSE(view().editing().hasOpenField());
        EXPECT_EQ(rig.pomodoroSettings.configuration().focusSeconds, focusMinutes * 60);
        ++focusMinutes;
    }
}

TEST_F(PopoverSettlement, AModeSwitchSettlesWithTheModeTheEditWasOpenedIn)
{
    rig.pomodoroSettings.setMode(TimerMode::pomodoro);
    view().openClockTimeEdit(TimerMode::pomodoro);
    view().editing().clockTimeDraft = QStringLiteral("40");
    rig.pomodoroSettings.setMode(TimerMode::timer);
    EXPECT_EQ(rig.pomodoroSettings.configuration().focusSeconds, 2400);
    EXPECT_EQ(rig.pullSettings.quickTimeMinutes(), 25);
}

// Starting without a pull.
using PopoverStart = PopoverTest;

TEST_F(PopoverStart, TimerModeStartsOrExtendsByTheQuickTimeAfterSettling)
{
    view().openClockTimeEdit(TimerMode::timer);
    view().editing().clockTimeDraft = QStringLiteral("10");
    view().startWithoutPulling();
    EXPECT_EQ(rig.timer.state(), TimerState::running(rig.clock.now() + 600s));
    view().startWithoutPulling();
    EXPECT_EQ(rig.timer.state(), TimerState::running(rig.clock.now() + 1200s));
}

TEST_F(PopoverStart, PomodoroModeCommitsOneSessionAndAStartRequestStartsOnce)
{
    rig.pomodoroSettings.setMode(TimerMode::pomodoro);
    view();
    rig.presentation.requestStart();
    ASSERT_TRUE(rig.pomodoro.plan());
    EXPECT_EQ(rig.pomodoro.plan()->plannedBlockCount(), 1);
    EXPECT_TRUE(rig.timer.state().isRunning());
}

TEST_F(PopoverStart, ReturnStartsOnceAndOnlyWhileTheStartButtonShows)
{
    show();
    QTest::keyClick(&view(), Qt::Key_Return);
    EXPECT_TRUE(rig.timer.state().isIdle()); // the name layout has no start button
    rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock);
    turn();
    ASSERT_TRUE(view().idlePage().showsStartControls());
    auto* field = new QLineEdit(&view().idlePage().clockNameSlot());
    field->show();
    field->setFocus();
    QObject::connect(field, &QLineEdit::returnPressed, &view(), &TimerPopoverView::startWithoutPulling);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(rig.timer.state(), TimerState::running(rig.clock.now() + 1500s));
    rig.timer.cancel(rig.clock.now());
    delete field;
    view().setFocus();
    QTest::keyClick(&view(), Qt::Key_Return);
    EXPECT_EQ(rig.timer.state(), TimerState::running(rig.clock.now() + 1500s));
}

TEST_F(PopoverStart, TheIdleDisplaysNamedActionAsksTheRootToStart)
{
    rig.pomodoroSettings.setMode(TimerMode::pomodoro);
    rig.pomodoroSettings.setContinuousModeEnabled(true);
    turn();
    QAccessibleInterface* idle = QAccessible::queryAccessibleInterface(&view().idlePage());
    ASSERT_TRUE(idle && idle->actionInterface());
    EXPECT_EQ(idle->actionInterface()->actionNames(), QStringList { QStringLiteral("start continuous focus") });
    QSignalSpy requests(&rig.presentation, &TimerPopoverPresentation::startRequested);
    idle->actionInterface()->doAction(QStringLiteral("start continuous focus"));
    EXPECT_EQ(requests.count(), 1);
    EXPECT_TRUE(rig.pomodoro.plan() && rig.pomodoro.plan()->isContinuous);
}

TEST_F(PopoverStart, TheModePickerWritesOnlyTheUsersChoice)
{
    show();
    const QString key = PomodoroSettingsStore::modeKey;
    rig.pomodoroSettings.setMode(TimerMode::pomodoro);
    const int writes = rig.defaults.writeCount(key);
    turn();
    EXPECT_TRUE(view().idlePage().modePicker().segment(TimerMode::pomodoro)->isChecked());
    EXPECT_EQ(rig.defaults.writeCount(key), writes);
    view().idlePage().modePicker().segment(TimerMode::timer)->click();
    EXPECT_EQ(rig.pomodoroSettings.mode(), TimerMode::timer);
    EXPECT_EQ(rig.defaults.writeCount(key), writes + 1);
}

// Which display shows, and what it offers.
using PopoverDisplays = PopoverTest;

TEST_F(PopoverDisplays, APausedTimerReadsAsResumableAndAClickOrSpaceResumes)
{
    show();
    rig.timer.addTime(90, rig.clock.now());
    rig.timer.pause(rig.clock.now());
    turn();
    EXPECT_EQ(view().displayContentID(), QStringLiteral("timer-active"));
    TimeButton& time = view().activePage().timeButton();
    EXPECT_EQ(time.block().content().time, QStringLiteral("1:30"));
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&time);
    EXPECT_EQ(node->role(), QAccessible::Button);
    EXPECT_EQ(node->text(QAccessible::Name), QStringLiteral("resume timer"));
    EXPECT_EQ(node->text(QAccessible::Value), QStringLiteral("resume when ready"));
    EXPECT_EQ(node->text(QAccessible::Description), QStringLiteral("click time to resume"));
    QTest::mouseClick(&time, Qt::LeftButton);
    EXPECT_TRUE(rig.timer.state().isRunning());
    turn();
    EXPECT_EQ(node->text(QAccessible::Name), QStringLiteral("pause timer"));
    view().setFocus();
    QTest::keyClick(&view(), Qt::Key_Space);
    EXPECT_TRUE(rig.timer.state().isPaused());
    QTest::keyClick(&view(), Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_TRUE(rig.timer.state().isPaused());
}

TEST_F(PopoverDisplays, CancelStopsTheTimerOrEndsTheWholePlan)
{
    show();
    rig.timer.addTime(300, rig.clock.now());
    turn();
    view().activePage().cancelButton().click();
    EXPECT_TRUE(rig.timer.state().isIdle());
    rig.pomodoro.commitSessions(3, rig.clock.now());
    turn();
    EXPECT_EQ(view().displayContentID(), QStringLiteral("pomodoro-running"));
    view().activePage().cancelButton().click();
    EXPECT_FALSE(rig.pomodoro.plan());
    EXPECT_TRUE(rig.timer.state().isIdle());
}

TEST_F(PopoverDisplays, ARunningPhaseShowsItsTitleNextPhaseAndYarn)
{
    show();
    rig.pomodoro.commitSessions(2, rig.clock.now());
    turn();
    ActiveDisplayPage& page = view().activePage();
    EXPECT_EQ(page.timeButton().block().content().title, QStringLiteral("focus 1 of 2"));
    EXPECT_EQ(page.nextPhaseButton().text(), QStringLiteral("start break"));
    EXPECT_TRUE(page.yarn().isVisibleTo(&view()));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&page.timeButton())->text(QAccessible::Name),
        QStringLiteral("pause focus"));
    page.nextPhaseButton().click();
    EXPECT_EQ(rig.pomodoro.plan()->phase, PomodoroPhase::shortBreak);
    turn();
    EXPECT_EQ(page.nextPhaseButton().text(), QStringLiteral("start focus"));
    page.nextPhaseButton().click();
    turn();
    EXPECT_FALSE(page.nextPhaseButton().isVisibleTo(&view())); // the plan's last block
}

TEST_F(PopoverDisplays, ANewlyStartedPlanGrowsItsFirstSegmentIn)
{
    FrameClock::shared().drive(&rig.clock); // frames only when the test ticks
    const auto undrive = qScopeGuard([] { FrameClock::shared().drive(nullptr); });
    rig.pomodoroSettings.setAutoStartsNextBreak(false);
    show();
    YarnTimeline& yarn = view().activePage().yarn();
    const auto growsIn = [&] {
        turn();
        EXPECT_DOUBLE_EQ(yarn.revealProgress(), 0.0);
        for (int i = 0; i < YarnTimeline::revealFrames; ++i)
            FrameClock::shared().tick();
        EXPECT_DOUBLE_EQ(yarn.revealProgress(), 1.0);
    };
    rig.pomodoro.commitSessions(2, rig.clock.now()); // from idle
    growsIn();
    rig.clock.advance(1500s);
    rig.timer.refresh(rig.clock.now());
    turn();
    ASSERT_EQ(view().displayContentID(), QStringLiteral("pomodoro-waiting"));
    view().waitingPage().startButton().click(); // from a waiting phase
    growsIn();
}

TEST_F(PopoverDisplays, TheZenLayoutKeepsOnlyTheTimeAndTheBar)
{
    rig.interfaceSettings.setZenModeEnabled(true);
    show();
    rig.pomodoro.commitSessions(2, rig.clock.now());
    turn();
    ActiveDisplayPage& page = view().activePage();
    EXPECT_EQ(view().cardCornerRadius(), 6);
    EXPECT_FALSE(page.cancelButton().isVisibleTo(&view()));
    EXPECT_FALSE(page.nextPhaseButton().isVisibleTo(&view()));
    EXPECT_FALSE(page.yarn().isVisibleTo(&view()));
    EXPECT_TRUE(page.zenBar().isVisibleTo(&view()));
    rig.onboarding.setPresented(true); // the tour always shows the standard layout
    turn();
    EXPECT_EQ(view().cardCornerRadius(), 13);
    // The tour covers the content; the content underneath keeps the standard layout.
    EXPECT_TRUE(page.cancelButton().isVisibleTo(&view().contentSwitcher()));
    EXPECT_FALSE(page.yarn().isVisibleTo(&view().contentSwitcher())); // zen mode itself is still on
}

TEST_F(PopoverDisplays, AWaitingPlanCountsItsOverdueTimeAndStartsOrEndsOnAClick)
{
    rig.pomodoroSettings.setAutoStartsNextBreak(false);
    rig.timer.mutateDraftName(QStringLiteral("%1 <b>reading</b>"));
    show();
    rig.pomodoro.commitSessions(2, rig.clock.now());
    rig.clock.advance(1500s);
    rig.timer.refresh(rig.clock.now());
    rig.clock.advance(90s);
    turn();
    EXPECT_EQ(view().displayContentID(), QStringLiteral("pomodoro-waiting"));
    WaitingDisplayPage& page = view().waitingPage();
    const PhaseTimeBlock::Content& shown = page.timeBlock().content();
    EXPECT_EQ(shown.time, QStringLiteral("\u22121:30"));
    EXPECT_EQ(shown.activeName, QStringLiteral("%1 <b>reading</b>"));
    EXPECT_EQ(shown.title, QStringLiteral("next: short break"));
    // The overdue time and the header are labels a reader reads, whole.
    const QStringList read = readLabels(QAccessible::queryAccessibleInterface(&page.timeBlock()));
    for (const QString& text :
        { QStringLiteral("\u22121:30"), QStringLiteral("next: short break"), QStringLiteral("%1 <b>reading</b>") })
        EXPECT_TRUE(read.contains(text)) << text.toStdString();
    EXPECT_EQ(page.startButton().text(), QStringLiteral("start break"));
    EXPECT_EQ(page.instructions().lines().front().text, QStringLiteral("drag paw to start short break"));
    page.startButton().click();
    EXPECT_TRUE(rig.pomodoro.plan()->isPhaseRunning);
    rig.pomodoro.endPlan();
}

TEST_F(PopoverDisplays, ContentChangesSlideButPausingChangesInPlace)
{
    show();
    rig.timer.addTime(300, rig.clock.now());
    turn();
    ContentSwitcher& switcher = view().contentSwitcher();
    EXPECT_TRUE(switcher.isTransitioning());
    for (int i = 0; i < ContentSwitcher::slideFrames; ++i)
        switcher.advanceFrame();
    EXPECT_FALSE(switcher.isTransitioning());
    rig.timer.pause(rig.clock.now());
    turn();
    EXPECT_FALSE(switcher.isTransitioning());
    qputenv("MEWT_REDUCED_MOTION", "1");
    rig.timer.cancel(rig.clock.now());
    turn();
    qputenv("MEWT_REDUCED_MOTION", "0");
    EXPECT_TRUE(switcher.isTransitioning());
    for (int i = 0; i < ContentSwitcher::fadeFrames; ++i)
        switcher.advanceFrame();
    EXPECT_FALSE(switcher.isTransitioning());
}

TEST_F(PopoverDisplays, TheHeightFollowsTheContent)
{
    show();
    QSignalSpy sizes(&view(), &TimerPopoverView::intrinsicSizeChanged);
    rig.interfaceSettings.setShowsTimerInstructions(false);
    turn();
    ASSERT_EQ(sizes.count(), 1);
    const QSize smaller = sizes.last().first().toSize();
    EXPECT_EQ(smaller.width(), TimerPopoverView::contentWidth);
    rig.interfaceSettings.setShowsTimerInstructions(true);
    turn();
    ASSERT_EQ(sizes.count(), 2);
    EXPECT_GT(sizes.last().first().toSize().height(), smaller.height());
}

TEST_F(PopoverDisplays, TheChosenAppearanceOverridesTheDesktops)
{
    view().setSystemColorScheme(ColorScheme::light);
    rig.appearance.setSelected(PopoverAppearance::dark);
    TimerPopoverBackgroundView background(rig.theme, rig.appearance);
    const CatPopoverPalette dark = rig.theme.selected().popoverPalette(ColorScheme::dark);
    EXPECT_EQ(view().popoverPalette(), dark);
    EXPECT_EQ(background.fillColor(), dark.outerColor);
    rig.appearance.setSelected(PopoverAppearance::system);
    view().setSystemColorScheme(ColorScheme::dark);
    background.setSystemColorScheme(ColorScheme::dark);
    EXPECT_EQ(view().popoverPalette(), dark);
    EXPECT_EQ(background.fillColor(), dark.outerColor);
}

TEST_F(PopoverDisplays, APausedLongBreakReadsAsResumableAndAScreenReaderCanPressIt)
{
    show();
    rig.pomodoro.commitSessions(8, rig.clock.now());
    for (int i = 0; i < 7; ++i)
        rig.pomodoro.skipPhase(rig.clock.now());
    ASSERT_EQ(rig.pomodoro.plan()->phase, PomodoroPhase::longBreak);
    rig.timer.pause(rig.clock.now());
    turn();
    QAccessibleInterface* time = QAccessible::queryAccessibleInterface(&view().activePage().timeButton());
    EXPECT_EQ(time->text(QAccessible::Name), QStringLiteral("resume long break"));
    EXPECT_EQ(time->text(QAccessible::Description), QStringLiteral("click time to resume"));
    // The drawn time and the status line are labels inside the button, read as text; the showing
    // ones label the button, which is how Orca speaks them with its name.
    QStringList labelling;
    for (const auto& [node, relation] : time->relations(QAccessible::Label))
        labelling << node->textInterface()->text(0, -1);
    ASSERT_GE(labelling.size(), 2);
    EXPECT_EQ(labelling.mid(labelling.size() - 2),
        (QStringList { view().activePage().timeButton().block().content().time, QStringLiteral("resume when ready") }));
    ASSERT_TRUE(time->actionInterface());
    time->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(rig.timer.state().isRunning());
}

TEST_F(PopoverDisplays, DuringTheTourAWaitingPlanShowsTheZenCaptionWithoutYarn)
{
    rig.interfaceSettings.setZenModeEnabled(true);
    rig.onboarding.setPresented(true);
    rig.pomodoroSettings.setAutoStartsNextBreak(false);
    show();
    rig.pomodoro.commitSessions(2, rig.clock.now());
    rig.clock.advance(1500s);
    rig.timer.refresh(rig.clock.now());
    turn();
    WaitingDisplayPage& page = view().waitingPage();
    // Under the tour, which covers the content.
    const QWidget* content = &view().contentSwitcher();
    EXPECT_TRUE(page.startButton().isVisibleTo(content));
    EXPECT_EQ(page.timeBlock().content().form, PhaseTimeBlock::Form::zen);
    EXPECT_FALSE(page.yarn().isVisibleTo(content));
    EXPECT_FALSE(page.instructions().isVisibleTo(content));
}

// The once-a-second redraw.
using PopoverTicks = PopoverTest;

TEST_F(PopoverTicks, RunsOnlyWhileVisibleAndSomethingCounts)
{
    rig.timer.addTime(300, rig.clock.now());
    turn();
    EXPECT_FALSE(view().isTicking()); // hidden
    show();
    EXPECT_TRUE(view().isTicking());
    rig.timer.pause(rig.clock.now());
    turn();
    EXPECT_FALSE(view().isTicking());
    rig.timer.cancel(rig.clock.now());
    rig.pomodoroSettings.setAutoStartsNextBreak(false);
    rig.pomodoro.commitSessions(2, rig.clock.now());
    rig.clock.advance(1500s);
    rig.timer.refresh(rig.clock.now());
    turn();
    ASSERT_TRUE(rig.timer.state().isIdle());
    EXPECT_TRUE(view().isTicking()); // the plan waits for the user
    rig.presentation.setVisible(false);
    EXPECT_FALSE(view().isTicking());
}

TEST_F(PopoverTicks, TicksAudiblyOnEachLaterSecondOfARunningTimer)
{
    show();
    rig.timer.addTime(300, rig.clock.now());
    turn();
    EXPECT_EQ(rig.played(TactileSound::tick), 0); // not for the first value
    rig.clock.advance(1s);
    view().tick();
    EXPECT_EQ(rig.played(TactileSound::tick), 1);
    EXPECT_EQ(view().activePage().timeButton().block().content().time, QStringLiteral("4:59"));
    EXPECT_TRUE(view().isTicking()); // armed again for the next second
    // A reader reads the newest time whenever it asks, though it is told of it once a minute.
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(&view().activePage().timeButton());
    EXPECT_TRUE(readLabels(button).contains(QStringLiteral("4:59")));
    rig.timer.pause(rig.clock.now());
    view().tick();
    EXPECT_EQ(rig.played(TactileSound::tick), 1);
    EXPECT_FALSE(view().isTicking());
}

// Asking for notifications.
using PopoverNotificationAction = PopoverTest;

TEST_F(PopoverNotificationAction, AsksOnceForPermissionThenOpensTheSettings)
{
    int opened = 0;
    bool opens = true;
    view().openNotificationSettings = [&] {
        ++opened;
        return opens;
    };
    view().performNotificationAction();
    EXPECT_EQ(rig.notifications.permissionRequests, 0); // asked from the event loop, not inline
    turn();
    EXPECT_EQ(rig.notifications.permissionRequests, 1);
    EXPECT_EQ(opened, 0);
    rig.notifications.onAuthorizationChange(NotificationAuthorizationState::denied);
    view().performNotificationAction();
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(view().notificationSettingsUnavailable());
    opens = false;
    view().performNotificationAction();
    EXPECT_TRUE(view().notificationSettingsUnavailable());
}

} // namespace
} // namespace mewt

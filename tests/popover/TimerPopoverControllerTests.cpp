#include "PopoverRig.h"
#include "popover/PopoverContentHostingView.h"
#include "popover/SessionNameField.h"
#include "popover/TimerPopoverView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace mewt;
using namespace mewt::testing;
using namespace std::chrono_literals;

namespace {

// Under the rig's paw on its 1600-wide screen the content rests here, 8 inside the right edge.
const QPoint restingTopLeft(1292, 30);

class ShowingUnderThePaw : public ::testing::Test {
protected:
    PopoverRig rig;
    TimerPopoverController& popover = *rig.controller;
};

TEST_F(ShowingUnderThePaw, EntrySlidesDownIntoPlaceAndFadesIn)
{
    popover.show(rig.visibleFrame, rig.paw);
    EXPECT_EQ(rig.content().topLeft(), restingTopLeft - QPoint(0, 63));
    EXPECT_EQ(rig.panel().alpha(), 0.0);
    EXPECT_TRUE(rig.panel().isVisible() && rig.presentation().isVisible());
    rig.frames->steps(5);
    EXPECT_EQ(rig.content().top(), restingTopLeft.y() - 63 + qRound(63 * 0.82921));
    rig.frames->steps(9);
    EXPECT_EQ(rig.content().topLeft(), restingTopLeft);
    EXPECT_EQ(rig.panel().alpha(), 1.0);
    EXPECT_EQ(popover.entryAnimationGeneration(), std::nullopt);
}

TEST_F(ShowingUnderThePaw, ReducedMotionOrNoCompositorShowsAndHidesAtOnce)
{
    for (const bool reduced : { true, false }) {
        rig.reducedMotion = reduced;
        rig.composited = reduced;
        popover.show(rig.visibleFrame, rig.paw);
        EXPECT_EQ(rig.content().topLeft(), restingTopLeft);
        EXPECT_EQ(rig.panel().alpha(), 1.0);
        EXPECT_EQ(popover.entryAnimationGeneration(), std::nullopt);
        popover.hide();
        EXPECT_FALSE(rig.panel().isVisible() || rig.presentation().isVisible());
        EXPECT_EQ(rig.frames->liveRuns(), 0) << "reduced " << reduced;
    }
    // Without a compositor the window is exactly the content, cut to the pixels its rounded
    // corners cover entirely (a half-covered one would show half black).
    EXPECT_EQ(rig.panel().geometry(), rig.content());
    const QRegion shape = rig.panel().mask();
    EXPECT_TRUE(!shape.contains(QPoint(0, 0)) && !shape.contains(QPoint(4, 4)) && shape.contains(QPoint(5, 5)));
    EXPECT_TRUE(shape.contains(QPoint(14, 0)) && shape.contains(rig.panel().rect().center()));
}

TEST_F(ShowingUnderThePaw, APawOffEveryScreenOrWithoutAWindowShowsNothing)
{
    popover.updatePawFrame(QRectF(-90000, -90000, 24, 24));
    QWidget unshown;
    popover.updatePawView(&unshown);
    EXPECT_EQ(popover.animationGeneration(), 0);
}

TEST_F(ShowingUnderThePaw, ASecondShowLeavesOnlyTheNewerEntryRunning)
{
    popover.show(rig.visibleFrame, rig.paw);
    rig.frames->steps(3);
    popover.show(rig.visibleFrame, rig.paw);
    const int newer = popover.animationGeneration();
    rig.frames->steps();
    EXPECT_EQ(rig.frames->liveRuns(), 1);
    EXPECT_EQ(popover.entryAnimationGeneration(), newer);
    rig.frames->steps(13);
    EXPECT_EQ(popover.entryAnimationGeneration(), std::nullopt);
    EXPECT_EQ(rig.content().topLeft(), restingTopLeft);
}

TEST_F(ShowingUnderThePaw, AHideDuringTheEntrySlidesUpFromWhereThePanelIs)
{
    popover.show(rig.visibleFrame, rig.paw);
    rig.frames->steps(9);
    const QPoint from = rig.content().topLeft();
    const double alpha = rig.panel().alpha();
    popover.hide();
    EXPECT_EQ(popover.entryAnimationGeneration(), std::nullopt);
    rig.frames->steps();
    EXPECT_NEAR(rig.panel().alpha(), alpha * (1.0 - (1.0 / 11.0) / 0.3), 1e-6);
    rig.frames->steps(10);
    EXPECT_EQ(rig.content().topLeft(), from - QPoint(0, 63));
    EXPECT_FALSE(rig.panel().isVisible() || rig.presentation().isVisible());
    EXPECT_EQ(rig.panel().alpha(), 1.0) << "ready for the next show";
}

TEST_F(ShowingUnderThePaw, DuringTheExitAHideMovesAFurther63UpAndAShowEntersAgain)
{
    rig.showAndSettle();
    popover.hide();
    rig.frames->steps(5);
    const QPoint from = rig.content().topLeft();
    popover.hide();
    rig.frames->steps(11);
    EXPECT_EQ(rig.content().topLeft(), from - QPoint(0, 63));
    EXPECT_FALSE(rig.panel().isVisible());

    rig.showAndSettle();
    popover.hide();
    rig.frames->steps(3);
    EXPECT_TRUE(rig.presentation().isVisible()) << "visible until the exit ends";
    popover.show(rig.visibleFrame, rig.paw);
    rig.frames->steps(20);
    EXPECT_TRUE(rig.panel().isVisible() && rig.presentation().isVisible());
    EXPECT_EQ(rig.content().topLeft(), restingTopLeft);
    EXPECT_EQ(rig.panel().alpha(), 1.0);
}

TEST_F(ShowingUnderThePaw, HideWaitsForTheTour)
{
    rig.onboarding.setPresented(true);
    rig.showAndSettle();
    popover.hide();
    rig.frames->steps(11);
    EXPECT_TRUE(rig.panel().isVisible());
    EXPECT_TRUE(popover.areDismissalMonitorsInstalled());
}

// Clicks and keys while the popover hangs under the paw.
class Dismissal : public ::testing::Test {
protected:
    Dismissal()
    {
        popover.onDismissRequest = [this] { ++dismissals; };
        rig.showAndSettle();
    }

    // A press that Qt delivers to one of our own windows.
    void pressOn(QWidget& window, QPointF global, Qt::MouseButton button = Qt::LeftButton)
    {
        QMouseEvent press(
            QEvent::MouseButtonPress, window.mapFromGlobal(global), global, button, button, Qt::NoModifier);
        QApplication::sendEvent(window.windowHandle(), &press);
    }
    bool escape(QWidget& window)
    {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        return QApplication::sendEvent(window.windowHandle(), &key);
    }

    PopoverRig rig;
    TimerPopoverController& popover = *rig.controller;
    int dismissals = 0;
};

struct OutsideCase {
    const char* name;
    QPointF at;
    std::function<void(PopoverRig&)> arrange;
    bool dismisses;
};

class OutsidePress : public Dismissal, public ::testing::WithParamInterface<OutsideCase> { };

TEST_P(OutsidePress, DismissesUnlessThePopoverIsInUse)
{
    const OutsideCase& c = GetParam();
    if (c.arrange)
        c.arrange(rig);
    rig.pointer.press(c.at);
    EXPECT_EQ(dismissals, c.dismisses ? 1 : 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Presses, OutsidePress,
    ::testing::Values(OutsideCase { "elsewhere", { 200, 700 }, {}, true },
        OutsideCase { "on the paw", { 1570, 20 }, {}, false },
        OutsideCase { "in the funnel", { 1310, 29.5 }, {}, false },
        // The shadow takes no presses: one there reached the window beneath. (Within the test
        // screen's 800 x 600, where windows are found.)
        OutsideCase { "on the panel shadow", { 485, 100 },
            [](PopoverRig& rig) {
                rig.controller->show({ 0, 30, 800, 570 }, { 760, 6, 24, 24 });
                rig.frames->steps(14);
            },
            true },
        OutsideCase { "auto dismiss off", { 200, 700 },
            [](PopoverRig& rig) { rig.interfaceSettings.setAutomaticallyDismissesControls(false); }, false },
        OutsideCase {
            "during the tour", { 200, 700 }, [](PopoverRig& rig) { rig.onboarding.setPresented(true); }, false },
        OutsideCase { "during a duration pull", { 200, 700 }, [](PopoverRig& rig) { rig.pullDuration(); }, false }),
    CaseName());

TEST_F(Dismissal, OwnWindowsDismissOnceForALeftOrRightPressButNotThePanelItself)
{
    QWidget other;
    other.setGeometry(100, 600, 200, 100);
    other.show();
    pressOn(other, { 150, 650 }, Qt::RightButton);
    EXPECT_EQ(dismissals, 1) << "the press reaches the filter for the window and the widget, once counted";
    pressOn(rig.panel(), QPointF(rig.content().center()));
    EXPECT_EQ(dismissals, 1);
    QWidget cue(nullptr, Qt::ToolTip | Qt::WindowTransparentForInput);
    // On the test screen (800 x 600): a point off every screen finds no window at all.
    cue.setGeometry(300, 400, 100, 100);
    cue.show();
    ASSERT_EQ(QApplication::topLevelAt(350, 450), &cue);
    rig.pointer.press({ 350, 450 });
    EXPECT_EQ(dismissals, 2) << "a press through a window that takes no input lands beneath it";
}

TEST_F(Dismissal, PressesAreWatchedOnlyWhileThePopoverHangsOutAndHideItWithoutAnOwner)
{
    EXPECT_TRUE(rig.pointer.isSubscribed(GlobalPointerMonitor::Stream::presses));
    popover.onDismissRequest = nullptr;
    rig.pointer.press({ 200, 700 });
    EXPECT_FALSE(rig.pointer.isSubscribed(GlobalPointerMonitor::Stream::presses));
    rig.frames->steps(11);
    EXPECT_FALSE(rig.panel().isVisible() || rig.presentation().isVisible());
    rig.presentation().setIsDetached(true);
    popover.show(rig.visibleFrame, rig.paw);
    EXPECT_FALSE(rig.pointer.isSubscribed(GlobalPointerMonitor::Stream::presses)) << "never while detached";
}

TEST_F(Dismissal, AnOpenMenuAndTheClickThatClosesItKeepThePopover)
{
    QMenu menu;
    menu.addAction(QStringLiteral("one"));
    menu.popup({ 100, 400 });
    EXPECT_EQ(popover.menuTrackingDepth(), 1);
    rig.pointer.press({ 200, 700 });
    EXPECT_EQ(dismissals, 0);
    menu.hide();
    EXPECT_EQ(popover.menuTrackingDepth(), 0);
    rig.clock.advance(149ms);
    rig.pointer.press({ 200, 700 });
    EXPECT_EQ(dismissals, 0) << "within the grace after the menu closed";
    rig.clock.advance(2ms);
    rig.pointer.press({ 200, 700 });
    EXPECT_EQ(dismissals, 1);
}

TEST_F(Dismissal, EscapeDismissesButAnOpenMenuOrTheTourKeepsIt)
{
    QWidget other;
    other.show();
    rig.interfaceSettings.setAutomaticallyDismissesControls(false);
    EXPECT_TRUE(escape(other)) << "swallowed";
    EXPECT_EQ(dismissals, 1) << "the setting only governs clicks";

    QMenu menu;
    menu.addAction(QStringLiteral("one"));
    menu.popup({ 100, 400 });
    ASSERT_EQ(QApplication::activePopupWidget(), &menu);
    escape(other);
    EXPECT_EQ(dismissals, 1) << "Escape belongs to the menu";
    menu.hide();

    rig.onboarding.setPresented(true);
    EXPECT_TRUE(escape(other));
    EXPECT_EQ(dismissals, 1);
}

struct InUseCase {
    const char* name;
    std::function<void(PopoverRig&)> arrange;
    QPointF pointer;
    bool inUse;
};

class InUse : public ::testing::TestWithParam<InUseCase> { };

TEST_P(InUse, MenusPullsAndThePointerZone)
{
    const InUseCase& c = GetParam();
    PopoverRig rig;
    rig.showAndSettle();
    rig.pointer.moveTo(c.pointer);
    if (c.arrange)
        c.arrange(rig);
    EXPECT_EQ(rig.controller->isInUse(), c.inUse) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, InUse,
    ::testing::Values(InUseCase { "pointer on the panel", {}, { 1400, 60 }, true },
        InUseCase { "pointer far away", {}, { 200, 700 }, false },
        InUseCase { "duration pull", [](PopoverRig& rig) { rig.pullDuration(); }, { 200, 700 }, true },
        InUseCase { "hidden",
            [](PopoverRig& rig) {
                rig.reducedMotion = true;
                rig.controller->hide();
            },
            { 1400, 60 }, false },
        InUseCase { "detached on the panel", [](PopoverRig& rig) { rig.presentation().setIsDetached(true); },
            { 1400, 60 }, false },
        InUseCase { "detached during a pull",
            [](PopoverRig& rig) {
                rig.presentation().setIsDetached(true);
                rig.pullDuration();
            },
            { 200, 700 }, true }),
    CaseName());

class ContentSize : public ::testing::Test {
protected:
    PopoverRig rig;
    TimerPopoverController& popover = *rig.controller;
};

TEST_F(ContentSize, EmptyOrRepeatedReportsReachTheOwnerOnceAfterTheEvent)
{
    PopoverContentHostingView& host = popover.hostingView();
    std::vector<QSize> reports;
    host.onIntrinsicSizeChange = [&](QSize size) { reports.push_back(size); };
    EXPECT_EQ(host.lastReportedSize(), host.root()->sizeHint()) << "the view's own wish, reported once at start";
    host.reportIntrinsicSize({ 300, 0 });
    host.reportIntrinsicSize({ 0, 200 });
    host.reportIntrinsicSize({ 300, 200 });
    host.reportIntrinsicSize({ 300, 200 });
    EXPECT_TRUE(reports.empty()) << "reports wait for the event loop";
    QCoreApplication::processEvents();
    EXPECT_EQ(reports, std::vector<QSize>({ { 300, 200 } }));
}

TEST_F(ContentSize, AHeightChangeKeepsTheTopEdge)
{
    rig.showAndSettle();
    popover.updateContentSize({ 300, 240 });
    (void)QTest::qWaitFor([&] { return rig.content() == QRect(restingTopLeft, QSize(300, 240)); }, 2000);
    ASSERT_EQ(rig.content(), QRect(restingTopLeft, QSize(300, 240)));
    // Reduced motion takes the new size at once.
    rig.reducedMotion = true;
    popover.updateContentSize({ 300, 100 });
    EXPECT_EQ(rig.content(), QRect(restingTopLeft, QSize(300, 100)));
}

TEST_F(ContentSize, ASizeChangeDuringTheEntryEndsItFullyOpaque)
{
    popover.show(rig.visibleFrame, rig.paw);
    rig.frames->steps(3);
    const int generation = popover.animationGeneration();
    popover.updateContentSize({ 300, 180 });
    EXPECT_GT(popover.animationGeneration(), generation);
    EXPECT_EQ(popover.entryAnimationGeneration(), std::nullopt);
    rig.frames->steps(11);
    EXPECT_EQ(rig.panel().alpha(), 1.0) << "the entry no longer fades";
    (void)QTest::qWaitFor([&] { return rig.content() == QRect(restingTopLeft, QSize(300, 180)); }, 2000);
    ASSERT_EQ(rig.content(), QRect(restingTopLeft, QSize(300, 180)));
}

struct KeyClickCase {
    const char* name;
    std::function<void(PopoverRig&)> arrange;
    QPointF point;
    bool becomesKey;
};

class KeyOnClick : public ::testing::TestWithParam<KeyClickCase> { };

// The toolbar sits along the top 30 of the content.
TEST_P(KeyOnClick, OnlyTheIdleClockLayoutOffTheToolbar)
{
    const KeyClickCase& c = GetParam();
    PopoverRig rig;
    rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock);
    rig.presentation().setStandardToolbarFrame(QRectF(0, 0, 300, 30));
    if (c.arrange)
        c.arrange(rig);
    EXPECT_EQ(rig.controller->shouldBecomeKeyForClick(c.point), c.becomesKey) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, KeyOnClick,
    ::testing::Values(KeyClickCase { "clock layout field", {}, { 150, 80 }, true },
        KeyClickCase { "on the toolbar", {}, { 150, 10 }, false },
        KeyClickCase { "toolbar unknown", [](PopoverRig& rig) { rig.presentation().setStandardToolbarFrame({}); },
            { 150, 80 }, false },
        KeyClickCase { "other layout",
            [](PopoverRig& rig) { rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::mewt); }, { 150, 80 },
            false },
        KeyClickCase {
            "zen", [](PopoverRig& rig) { rig.interfaceSettings.setZenModeEnabled(true); }, { 150, 80 }, false },
        KeyClickCase {
            "timer running", [](PopoverRig& rig) { rig.timer.addTime(60, rig.clock.now()); }, { 150, 80 }, false }),
    CaseName());

// A text field asks for the keyboard in every layout, or typing would reach another program (the
// desktop test types into it under real window managers).
TEST(KeyOnClickOnAField, TheSessionNameInTheMewtAndZenLayouts)
{
    for (const bool zen : { false, true }) {
        SCOPED_TRACE(zen ? "zen" : "mewt");
        PopoverRig rig;
        rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::mewt);
        rig.interfaceSettings.setZenModeEnabled(zen);
        rig.showAndSettle();
        QCoreApplication::processEvents();
        SessionNameField* field = rig.controller->rootView().sessionNameFields()[zen ? 1 : 0];
        ASSERT_TRUE(field->isVisible());
        const QPoint centre = field->rect().center();
        EXPECT_TRUE(rig.controller->shouldBecomeKeyForClick(field->mapTo(&rig.controller->hostingView(), centre)));
        QTest::mouseClick(rig.panel().windowHandle(), Qt::LeftButton, {}, field->mapTo(&rig.panel(), centre));
        EXPECT_TRUE(field->hasFocus());
    }
}

class KeyboardFocus : public ContentSize {
protected:
    QWidget& root = popover.rootView();
};

TEST_F(KeyboardFocus, EditableFieldsAreListedEachBeforeItsDescendants)
{
    // The root's own fields come first: they were made first.
    const QList<QLineEdit*> own = TimerPopoverController::editableTextFields(&root);
    auto* first = new QLineEdit(&root);
    auto* group = new QWidget(&root);
    auto* readOnly = new QLineEdit(group);
    readOnly->setReadOnly(true);
    auto* nested = new QLineEdit(group);
    auto* hiddenGroup = new QWidget(&root);
    new QLineEdit(hiddenGroup);
    hiddenGroup->hide();
    auto* last = new QLineEdit(&root);
    EXPECT_EQ(TimerPopoverController::editableTextFields(&root), own + QList<QLineEdit*>({ first, nested, last }));
}

TEST_F(KeyboardFocus, ARequestFocusesTheFieldThatAppearsAfterIt)
{
    rig.showAndSettle();
    auto* existing = new QLineEdit(&root);
    existing->show();
    rig.presentation().onTextInputFocusRequest();
    auto* appeared = new QLineEdit(&root);
    appeared->show();
    (void)QTest::qWaitFor([&] { return rig.panel().focusWidget() == appeared; }, 1000);
    ASSERT_EQ(rig.panel().focusWidget(), appeared);
}

TEST_F(KeyboardFocus, ARequestWithNoNewFieldGivesUpAfterTwelveAttempts)
{
    rig.showAndSettle();
    auto* existing = new QLineEdit(&root);
    existing->show();
    popover.focusTextInput();
    (void)QTest::qWaitFor(
        [&] { return popover.textFocusAttemptsMade() == TimerPopoverController::textFocusAttempts; }, 1000);
    ASSERT_EQ(popover.textFocusAttemptsMade(), TimerPopoverController::textFocusAttempts);
    QTest::qWait(100);
    EXPECT_EQ(popover.textFocusAttemptsMade(), TimerPopoverController::textFocusAttempts);
}

} // namespace

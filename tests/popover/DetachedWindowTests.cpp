#include "PopoverRig.h"
#include "popover/CompactToolbar.h"
#include "popover/DetachedWindowDragHandle.h"
#include "popover/PopoverHeader.h"
#include "popover/TimerPopoverView.h"
#include "popover/ToolbarIconButton.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMoveEvent>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace mewt;
using namespace mewt::testing;

namespace {

using Cause = TimerPopoverPresentation::DetachmentCause;

struct DecodeCase {
    const char* name;
    const char* json;
    std::optional<SavedPlacement> expected;
};

class PlacementDecoding : public ::testing::TestWithParam<DecodeCase> { };

TEST_P(PlacementDecoding, NeedsTwoFiniteNumbersInOneObject)
{
    EXPECT_EQ(SavedPlacement::decoded(GetParam().json), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Stored, PlacementDecoding,
    ::testing::Values(DecodeCase { "both", R"({"left":120.5,"top":-40})", SavedPlacement { 120.5, -40 } },
        DecodeCase { "either order", R"({"top":7,"left":3})", SavedPlacement { 3, 7 } },
        DecodeCase { "huge but finite", R"({"left":1e300,"top":0})", SavedPlacement { 1e300, 0 } },
        DecodeCase { "no top", R"({"left":1})", std::nullopt }, DecodeCase { "no left", R"({"top":1})", std::nullopt },
        DecodeCase { "a string", R"({"left":"10","top":1})", std::nullopt },
        DecodeCase { "null", R"({"left":null,"top":1})", std::nullopt },
        DecodeCase { "too large to be finite", R"({"left":1e400,"top":1})", std::nullopt },
        DecodeCase { "an array", R"([1,2])", std::nullopt }, DecodeCase { "a number", "12", std::nullopt },
        DecodeCase { "cut short", R"({"left":1,"to)", std::nullopt }, DecodeCase { "empty", "", std::nullopt }),
    CaseName());

TEST(PlacementEncoding, WritesLeftAndTopThatReadBack)
{
    const SavedPlacement placement { 812.25, 33 };
    const QJsonObject object = QJsonDocument::fromJson(placement.encoded()).object();
    EXPECT_EQ(object.keys(), (QStringList { "left", "top" }));
    EXPECT_EQ(SavedPlacement::decoded(placement.encoded()), placement);
}

// Two screens side by side, the right one lower and with a top bar; y grows downwards.
const QRectF leftScreen(0, 30, 1600, 870);
const QRectF rightScreen(1600, 200, 1000, 800);

struct ClampCase {
    const char* name;
    QList<QRectF> frames;
    QPointF wanted;
    QSizeF size;
    std::optional<QPointF> expected;
};

class DetachedClamping : public ::testing::TestWithParam<ClampCase> { };

TEST_P(DetachedClamping, KeepsTheWindowOnAVisibleFrame)
{
    const ClampCase& c = GetParam();
    EXPECT_EQ(clampedDetachedOrigin(c.frames, c.wanted.x(), c.wanted.y(), c.size), c.expected);
}

INSTANTIATE_TEST_SUITE_P(YDown, DetachedClamping,
    ::testing::Values(ClampCase { "inside stays", { leftScreen }, { 500, 300 }, { 300, 132 }, QPointF(500, 300) },
        ClampCase { "under the top bar moves below it", { leftScreen }, { 500, 0 }, { 300, 132 }, QPointF(500, 38) },
        ClampCase {
            "past the right edge comes 8 inside", { leftScreen }, { 1500, 300 }, { 300, 132 }, QPointF(1292, 300) },
        ClampCase { "past the bottom comes 8 inside", { leftScreen }, { 500, 850 }, { 300, 132 }, QPointF(500, 760) },
        ClampCase { "taller than the screen keeps its bottom inside", { leftScreen }, { 500, 100 }, { 300, 1000 },
            QPointF(500, 892 - 1000) },
        ClampCase { "wider than the screen keeps its left edge inside", { leftScreen }, { 400, 300 }, { 2000, 132 },
            QPointF(8, 300) },
        ClampCase { "off every screen goes to the nearest", { leftScreen, rightScreen }, { 4000, 2000 }, { 300, 132 },
            QPointF(2600 - 8 - 300, 1000 - 8 - 132) },
        ClampCase { "above the left screen goes to it", { leftScreen, rightScreen }, { 100, -5000 }, { 300, 132 },
            QPointF(100, 38) },
        ClampCase { "the screen it overlaps most wins", { leftScreen, rightScreen }, { 1500, 300 }, { 300, 132 },
            QPointF(1608, 300) },
        ClampCase { "equal overlap keeps the earlier screen", { QRectF(0, 0, 100, 100), QRectF(100, 0, 100, 100) },
            { 50, 10 }, { 100, 20 }, QPointF(8, 10) },
        ClampCase { "equally near keeps the earlier screen", { QRectF(0, 0, 100, 100), QRectF(300, 0, 100, 100) },
            { 200, -50 }, { 20, 20 }, QPointF(72, 8) },
        ClampCase {
            "absurdly far still lands", { leftScreen, rightScreen }, { 1e300, 500 }, { 300, 132 }, QPointF(1292, 500) },
        ClampCase { "a frame smaller than twice the inset uses its middle", { QRectF(0, 0, 10, 10) }, { 50, 50 },
            { 4, 4 }, QPointF(5, 1) },
        ClampCase { "no screens no place", {}, { 10, 10 }, { 300, 132 }, std::nullopt }),
    CaseName());

class DetachedWindow : public ::testing::Test {
protected:
    DetachedWindow()
    {
        popover().onDetachedChange = [this](bool detached) { changes.push_back(detached); };
    }

    TimerPopoverController& popover() const { return *rig.controller; }
    std::optional<SavedPlacement> stored() const { return rig.placement.placement(); }
    QVariant storedFlag() const { return rig.defaults.stored(QStringLiteral("detached")); }
    void pin()
    {
        rig.presentation().setDetached(true, Cause::interactive);
        QCoreApplication::processEvents();
    }
    void seed(const QVariant& placement)
    {
        rig.defaults.seed(QStringLiteral("detached"), true);
        rig.defaults.seed(QStringLiteral("placement"), placement);
    }
    bool onScreen() const { return rig.screens.front().adjusted(8, 8, -8, -8).contains(QRectF(rig.content())); }

    PopoverRig rig;
    std::vector<bool> changes;
};

TEST_F(DetachedWindow, PinningSavesAtOnceAndUnpinningForgetsThePlace)
{
    rig.showAndSettle();
    const QRect attached = rig.content();
    pin();
    EXPECT_TRUE(rig.panel().isDetachedForm() && rig.panel().isVisible() && rig.presentation().isVisible());
    // It stays exactly where it hung, in the top bar's strip too.
    EXPECT_EQ(rig.content(), attached);
    EXPECT_EQ(stored(), (SavedPlacement { double(attached.left()), double(attached.top()) }));
    EXPECT_EQ(storedFlag().typeId(), QMetaType::Bool);
    EXPECT_TRUE(storedFlag().toBool());
    EXPECT_FALSE(popover().areDismissalMonitorsInstalled());
    EXPECT_EQ(changes, std::vector<bool> { true });

    rig.presentation().setDetached(false, Cause::interactive);
    EXPECT_FALSE(rig.panel().isDetachedForm() || rig.panel().isVisible() || rig.presentation().isVisible());
    EXPECT_EQ(stored(), std::nullopt);
    EXPECT_EQ(storedFlag().typeId(), QMetaType::Bool);
    EXPECT_FALSE(storedFlag().toBool());
    EXPECT_EQ(changes, (std::vector<bool> { true, false }));
    popover().show(rig.visibleFrame, rig.paw);
    EXPECT_TRUE(rig.panel().isVisible()) << "back under the paw at the next reveal";
}

// A manager's frame around the pinned window takes the presses our input shape lets through its
// shadow, so neither ever lies over the paw's strip: on pinning, restoring, and a drag let go there.
TEST_F(DetachedWindow, ThePinnedWindowAndItsShadowKeepOffThePawsStrip)
{
    rig.pawStrip = QRect(1554, 0, 36, 36);
    rig.showAndSettle();
    const QRect attached = rig.content();
    pin();
    EXPECT_EQ(rig.content(), attached.translated(0, 36 + 14 - attached.top())) << "just below, where it hung across";
    EXPECT_EQ(stored(), (SavedPlacement { double(attached.left()), 50 }));

    rig.panel().moveContentTo({ 1400, 10 });
    EXPECT_EQ(rig.content().topLeft(), QPoint(1400, 10)) << "left alone while the drag may go on";
    ASSERT_TRUE(QTest::qWaitFor([this] { return rig.content().topLeft() == QPoint(1400, 50); }));
    EXPECT_EQ(stored(), (SavedPlacement { 1400, 50 }));
    rig.panel().moveContentTo({ 1000, 10 });
    QTest::qWait(300);
    EXPECT_EQ(rig.content().topLeft(), QPoint(1000, 10)) << "beside the strip it stays";

    // Restored: clamped 8 inside the visible frame, then below the strip.
    popover().close();
    seed(SavedPlacement { 1500, 0 }.encoded());
    rig.relaunch();
    EXPECT_EQ(rig.content().topLeft(), QPoint(1292, 50));
}

// Each change of form makes a new native window; the shape of the one before must not come back
// on it once a compositor starts (the window grows by its shadow's margin then).
TEST_F(DetachedWindow, AShapeFromBeforeAPinNeverOutlivesTheCompositorsStart)
{
    rig.composited = false;
    rig.showAndSettle();
    ASSERT_FALSE(rig.panel().windowHandle()->mask().isEmpty());
    pin();
    rig.presentation().setDetached(false, Cause::interactive);
    rig.composited = true;
    popover().show(rig.visibleFrame, rig.paw);
    ASSERT_TRUE(rig.panel().isComposited());
    EXPECT_TRUE(rig.panel().mask().isEmpty());
    EXPECT_TRUE(rig.panel().windowHandle()->mask().isEmpty());
    EXPECT_EQ(rig.panel().size(), rig.content().size() + QSize(28, 28));

    rig.presentation().setDetached(true, Cause::interactive);
    rig.composited = false;
    rig.presentation().setDetached(false, Cause::interactive);
    popover().show(rig.visibleFrame, rig.paw);
    EXPECT_EQ(rig.panel().windowHandle()->mask().boundingRect(), rig.panel().rect());
}

TEST_F(DetachedWindow, OnlyTheUsersMovesAreSavedAndTheScreensKeepTheWindow)
{
    pin();
    rig.panel().moveContentTo({ 400, 500 });
    EXPECT_EQ(stored(), (SavedPlacement { 400, 500 }));
    // A bigger view keeps its top edge, as long as the screen has room.
    popover().updateContentSize({ 300, 300 });
    EXPECT_EQ(rig.content(), QRect(400, 500, 300, 300));
    popover().updateContentSize({ 300, 500 });
    EXPECT_EQ(rig.content(), QRect(400, 892 - 500, 300, 500));
    EXPECT_EQ(stored(), (SavedPlacement { 400, 392 }));

    rig.screens = { QRectF(2000, 0, 800, 600) };
    popover().screenParametersDidChange();
    EXPECT_EQ(rig.content().topLeft(), QPoint(2008, 600 - 8 - 500));
    EXPECT_EQ(stored(), (SavedPlacement { 2008, 92 }));
    rig.screens.clear();
    popover().screenParametersDidChange();
    EXPECT_EQ(rig.content().topLeft(), QPoint(2008, 92)) << "no screens: nothing moves";
}

TEST_F(DetachedWindow, QuittingWhilePinnedBringsItBackAtItsPlaceOnceTheViewHasASize)
{
    pin();
    rig.panel().moveContentTo({ 640, 210 });
    rig.relaunch(false);
    EXPECT_TRUE(rig.presentation().isDetached());
    EXPECT_TRUE(popover().isDetachedRestorationPending());
    EXPECT_FALSE(rig.panel().isVisible() || rig.presentation().isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(popover().isDetachedRestorationPending());
    EXPECT_TRUE(rig.panel().isVisible() && rig.presentation().isVisible());
    EXPECT_EQ(rig.content().topLeft(), QPoint(640, 210));
}

TEST_F(DetachedWindow, AnUnusableStoredPlaceStillLandsOnAScreen)
{
    for (const QVariant& placement : { QVariant(QByteArray("{}")), QVariant(QByteArray(R"({"left":"a","top":1})")),
             QVariant(QByteArray(R"({"left":1e400,"top":1})")), QVariant(QStringLiteral("not data")), QVariant() }) {
        seed(placement);
        rig.relaunch();
        QCoreApplication::processEvents();
        EXPECT_TRUE(rig.panel().isVisible());
        EXPECT_TRUE(onScreen()) << placement.toString().toStdString() << " at " << rig.content().x() << ","
                                << rig.content().y();
        EXPECT_EQ(stored(), (SavedPlacement { double(rig.content().left()), double(rig.content().top()) }));
    }
}

TEST_F(DetachedWindow, AMoveWhileTheRestorationWaitsIsNotTakenForTheUsers)
{
    seed(SavedPlacement { 700, 300 }.encoded());
    rig.relaunch(false);
    // A window manager moves a window as it maps it.
    QMoveEvent mapped(QPoint(0, 0), rig.panel().pos());
    QCoreApplication::sendEvent(&rig.panel(), &mapped);
    EXPECT_EQ(stored(), (SavedPlacement { 700, 300 }));
    popover().screenParametersDidChange();
    EXPECT_EQ(stored(), (SavedPlacement { 700, 300 }));
    // A quit before the view told its size keeps the stored place too.
    popover().close();
    EXPECT_EQ(stored(), (SavedPlacement { 700, 300 }));
    rig.relaunch();
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.content().topLeft(), QPoint(700, 300));
}

TEST_F(DetachedWindow, ACloseRequestReattachesButNotDuringTheTour)
{
    pin();
    rig.onboarding.setPresented(true);
    EXPECT_FALSE(rig.panel().close());
    QCoreApplication::processEvents();
    EXPECT_TRUE(rig.presentation().isDetached() && rig.panel().isVisible());
    EXPECT_EQ(changes, std::vector<bool> { true });

    rig.onboarding.setPresented(false);
    EXPECT_FALSE(rig.panel().close());
    EXPECT_TRUE(rig.panel().isVisible()) << "the window outlives its own close event";
    QCoreApplication::processEvents();
    EXPECT_FALSE(rig.presentation().isDetached() || rig.panel().isVisible());
    EXPECT_EQ(changes, (std::vector<bool> { true, false }));
}

TEST_F(DetachedWindow, DraggingSettlesTheEditsAndFollowsThePointer)
{
    pin();
    TimerPopoverView& view = popover().rootView();
    view.openDurationEdit(PomodoroDurationKind::focus);
    view.editing().durationDrafts[PomodoroDurationKind::focus] = QStringLiteral("42");
    QCoreApplication::processEvents();
    DetachedWindowDragHandle& handle = view.standardHeader().dragHandle();
    ASSERT_TRUE(handle.isVisibleTo(&rig.panel()));
    const QRect before = rig.content();
    QWindow* window = rig.panel().windowHandle();
    const QPoint press = handle.mapTo(&rig.panel(), QPoint(5, 5));
    // A click, and a press that has not yet travelled the drag distance, start nothing.
    QTest::mouseClick(window, Qt::LeftButton, {}, press);
    QTest::mousePress(window, Qt::LeftButton, {}, press);
    QTest::mouseMove(window, press + QPoint(1, 1));
    EXPECT_TRUE(view.editing().editingDurationKind.has_value());
    EXPECT_EQ(rig.content(), before);
    QTest::mouseMove(window, press + QPoint(-300, 120));
    EXPECT_EQ(rig.pomodoroSettings.configuration().focusSeconds, 42 * 60) << "the typed length is kept first";
    EXPECT_FALSE(view.editing().editingDurationKind.has_value());
    // The pointer is still over the point it pressed, which now lies at `press` again.
    QTest::mouseRelease(window, Qt::LeftButton, {}, press);
    EXPECT_EQ(rig.content().topLeft(), before.topLeft() + QPoint(-300, 120));
    EXPECT_EQ(stored(), (SavedPlacement { before.left() - 300.0, before.top() + 120.0 }));
    QTest::mouseMove(window, press);
    EXPECT_EQ(rig.content().topLeft(), before.topLeft() + QPoint(-300, 120)) << "the drag ended with the release";
}

// The header and the zen toolbar: which controls each form offers, and what pressing them does.
class DetachControls : public DetachedWindow {
protected:
    TimerPopoverView& view() const { return popover().rootView(); }
    PopoverHeader& header() const { return view().standardHeader(); }
    static QString name(QWidget& widget)
    {
        return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
    }
    void turn()
    {
        QCoreApplication::processEvents();
        view().sync();
    }
};

TEST_F(DetachControls, ThePinPinsAndUnpinsAndTheCloseButtonOnlyExistsDetached)
{
    rig.showAndSettle();
    turn();
    EXPECT_FALSE(header().closeButton().isVisibleTo(&header()));
    EXPECT_FALSE(header().dragHandle().isVisibleTo(&header()));
    EXPECT_EQ(name(header().pinButton()), QStringLiteral("detach and pin controls"));
    EXPECT_EQ(header().pinButton().objectName(), QStringLiteral("mewt.sound.page"));
    header().pinButton().click();
    EXPECT_FALSE(rig.presentation().isDetached()) << "the window is rebuilt after the press";
    turn();
    EXPECT_TRUE(rig.presentation().isDetached());
    EXPECT_TRUE(header().closeButton().isVisibleTo(&header()) && header().dragHandle().isVisibleTo(&header()));
    EXPECT_EQ(header().closeButton().objectName(), QStringLiteral("mewt.cancel-control"));
    EXPECT_EQ(name(header().pinButton()), QStringLiteral("reattach controls"));
    header().pinButton().click();
    turn();
    EXPECT_FALSE(rig.presentation().isDetached());
}

TEST_F(DetachControls, CtrlWReattachesAndTheTourDisablesPinAndClose)
{
    pin();
    turn();
    rig.onboarding.setPresented(true);
    turn();
    EXPECT_FALSE(header().pinButton().isEnabled() || header().closeButton().isEnabled());
    rig.onboarding.setPresented(false);
    turn();
    ASSERT_TRUE(header().closeButton().isEnabled());
    rig.panel().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.panel()));
    QTest::keyClick(&rig.panel(), Qt::Key_W, Qt::ControlModifier);
    turn();
    EXPECT_FALSE(rig.presentation().isDetached());
    EXPECT_EQ(changes, (std::vector<bool> { true, false }));
}

TEST_F(DetachControls, TheZenToolbarPinsAttachedAndLeadsWithCloseAndTitleDetached)
{
    rig.interfaceSettings.setZenModeEnabled(true);
    turn();
    CompactToolbar& attached = *view().compactToolbars()[0];
    EXPECT_TRUE(attached.pinButton().isVisibleTo(&attached));
    EXPECT_FALSE(attached.closeButton().isVisibleTo(&attached) || attached.dragHandle().isVisibleTo(&attached));
    attached.pinButton().click();
    turn();
    ASSERT_TRUE(rig.presentation().isDetached());
    CompactToolbar& detached = view().detachedCompactToolbar();
    EXPECT_TRUE(detached.isVisibleTo(&view()) && !header().isVisibleTo(&view()));
    EXPECT_TRUE(detached.closeButton().isVisibleTo(&detached) && detached.dragHandle().isVisibleTo(&detached));
    EXPECT_EQ(rig.presentation().standardToolbarFrame(), std::nullopt);
    detached.closeButton().click();
    turn();
    EXPECT_FALSE(rig.presentation().isDetached());
}

} // namespace

// What a keyboard user meets in the pinned window: every control in reading order, forwards and
// back, Return and Space pressing the one with the keyboard and a ring in the accent around it.
class TabInThePinnedWindow : public DetachedWindow {
protected:
    void SetUp() override
    {
        rig.pomodoroSettings.setMode(TimerMode::pomodoro);
        rig.showAndSettle();
        pin();
        rig.panel().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.panel()));
    }
    QString key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(rig.panel().windowHandle(), key, modifiers);
        QCoreApplication::processEvents();
        const QWidget* widget = QApplication::focusWidget();
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        if (!widget)
            return QStringLiteral("nothing");
        return widget->accessibleName().isEmpty() && button ? button->text() : widget->accessibleName();
    }
    void tabTo(const QString& name)
    {
        for (int i = 0; i < 30 && key(Qt::Key_Tab) != name; ++i) { }
    }
    QStringList walk(qsizetype stops, Qt::KeyboardModifiers modifiers = {})
    {
        QStringList met;
        while (met.size() < stops)
            met.append(key(Qt::Key_Tab, modifiers));
        return met;
    }
    // From the last stop round to it again.
    void expectRound(const QStringList& order)
    {
        tabTo(order.back());
        EXPECT_EQ(walk(order.size()), order);
    }
};

TEST_F(TabInThePinnedWindow, ReachesEveryControlInReadingOrderAndBack)
{
    const QStringList idle { "close detached controls", "reattach controls", "more actions", "allow", "timer",
        "pomodoro", "optional name", "focus duration, 25 minutes", "break duration, 5 minutes",
        "long break duration, 15 minutes", "long break interval" };
    expectRound(idle);
    QStringList back(idle.crbegin() + 1, idle.crend());
    back.append(idle.back());
    EXPECT_EQ(walk(back.size(), Qt::ShiftModifier), back);

    rig.pomodoro.commitSessions(1, rig.clock.now());
    QCoreApplication::processEvents();
    expectRound(
        { "close detached controls", "reattach controls", "more actions", "allow", "pause focus", "cancel timer" });
    rig.interfaceSettings.setZenModeEnabled(true);
    QCoreApplication::processEvents();
    expectRound({ "close detached controls", "reattach controls", "stop", "more actions", "pause focus" });
}

TEST_F(TabInThePinnedWindow, ReturnAndSpacePressTheFocusedControlInsideItsRing)
{
    rig.pomodoro.commitSessions(1, rig.clock.now());
    QCoreApplication::processEvents();
    // Before any Tab the root has the keyboard, so Space pauses rather than pressing a control.
    ASSERT_EQ(QApplication::focusWidget(), &rig.controller->rootView());
    key(Qt::Key_Space);
    EXPECT_TRUE(rig.timer.state().isPaused());
    key(Qt::Key_Space);
    tabTo(QStringLiteral("pause focus"));
    const QImage ring = QApplication::focusWidget()->grab().toImage();
    const QColor accent = rig.controller->rootView().popoverPalette().accentColor;
    EXPECT_EQ(ring.pixelColor(ring.width() / 2, 1).rgb(), accent.rgb()) << "the ring along the top edge";
    key(Qt::Key_Return);
    EXPECT_TRUE(rig.timer.state().isPaused());
    key(Qt::Key_Space);
    EXPECT_TRUE(rig.timer.state().isRunning());
    EXPECT_EQ(key(Qt::Key_Tab), QStringLiteral("cancel timer"));
    key(Qt::Key_Space);
    EXPECT_FALSE(rig.pomodoro.plan().has_value());
    // A duration value opens its field on Return, takes the typed length and keeps the keyboard.
    tabTo(QStringLiteral("focus duration, 25 minutes"));
    key(Qt::Key_Return);
    ASSERT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("30"));
    EXPECT_EQ(key(Qt::Key_Return), QStringLiteral("focus duration, 30 minutes"));
    key(Qt::Key_Up);
    EXPECT_EQ(rig.pomodoroSettings.configuration().focusSeconds, 31 * 60);
    // A window that comes up with a focused control shows no ring until the keyboard moves it.
    rig.panel().setAttribute(Qt::WA_KeyboardFocusChange, false);
    const QImage quiet = QApplication::focusWidget()->grab().toImage();
    EXPECT_NE(quiet.pixelColor(quiet.width() / 2, 1).rgb(), accent.rgb());
}

#include "PopoverRig.h"
#include "PopoverViewRig.h"
#include "artwork/CharacterSlotText.h"
#include "popover/IdleDisplayPage.h"
#include "popover/PomodoroDurationControls.h"
#include "popover/PomodoroDurationInteractionModifier.h"
#include "popover/PomodoroDurationPullText.h"
#include "popover/PomodoroLongBreakIntervalPullText.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <QTranslator>
#include <gtest/gtest.h>

namespace mewt {
namespace {

using testing::CaseName;

// Click or drag, judged on the gesture alone.
struct GestureCase {
    std::string name;
    std::vector<QPointF> moves; // offsets from the press
    QPointF release;
    bool acceptsTap = true;
    bool enabled = true;
    std::vector<std::string> calls;
};

class DurationGesture : public ::testing::TestWithParam<GestureCase> { };

TEST_P(DurationGesture, TellsAClickFromADragByTheDistanceFromThePress)
{
    QWidget target;
    PomodoroDurationInteractionModifier gesture(target);
    std::vector<std::string> calls;
    const auto record = [&calls](const char* what) {
        return [&calls, what](QPointF p) { calls.push_back(what + (" " + std::to_string(p.x()).substr(0, 5))); };
    };
    gesture.onTap = [&calls] { calls.emplace_back("tap"); };
    gesture.onBegan = record("began");
    gesture.onChanged = record("changed");
    gesture.onEnded = record("ended");
    gesture.acceptsTap = GetParam().acceptsTap;
    gesture.setEnabled(GetParam().enabled);
    const QPointF start(100, 50);
    gesture.press(start);
    for (QPointF move : GetParam().moves)
        gesture.move(start + move);
    gesture.release(start + GetParam().release);
    EXPECT_EQ(calls, GetParam().calls);
    EXPECT_FALSE(gesture.isDragging());
}

INSTANTIATE_TEST_SUITE_P(Presses, DurationGesture,
    ::testing::Values(GestureCase { "click_at_3_9", { { 3.9, 0 } }, { 3.9, 0 }, true, true, { "tap" } },
        GestureCase { "drag_at_exactly_4", { { 0, 4.0 } }, { 0, 4.0 }, true, true,
            { "began 100.0", "changed 100.0", "ended 100.0" } },
        GestureCase { "diagonal_drag", { { 1, 1 }, { 3, 3 }, { 20, 30 } }, { 25, 40 }, true, true,
            { "began 100.0", "changed 103.0", "changed 120.0", "ended 125.0" } },
        GestureCase {
            "flick_ending_at_10", {}, { 10, 0 }, true, true, { "began 100.0", "changed 110.0", "ended 110.0" } },
        GestureCase { "flick_after_short_moves", { { 1, 0 }, { 2, 0 } }, { 10, 0 }, false, true,
            { "began 100.0", "changed 110.0", "ended 110.0" } },
        GestureCase { "click_with_taps_off", {}, { 1, 1 }, false, true, {} },
        GestureCase { "drag_while_the_field_is_open", { { 0, 30 } }, { 0, 30 }, true, false, {} }),
    CaseName());

TEST(DurationGestureEvents, AValueHiddenMidDragForgetsThePressAndTheNextClickIsAClick)
{
    QWidget target;
    target.resize(40, 20);
    target.show();
    PomodoroDurationInteractionModifier gesture(target);
    int began = 0;
    int ended = 0;
    int taps = 0;
    gesture.onBegan = [&began](QPointF) { ++began; };
    gesture.onEnded = [&ended](QPointF) { ++ended; };
    gesture.onTap = [&taps] { ++taps; };
    QTest::mousePress(&target, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(&target, QPoint(5, 25));
    EXPECT_TRUE(gesture.isDragging());
    target.hide();
    EXPECT_FALSE(gesture.isDragging());
    gesture.move(target.mapToGlobal(QPointF(5, 60)));
    gesture.release(target.mapToGlobal(QPointF(5, 60)));
    EXPECT_EQ(began, 1);
    EXPECT_EQ(ended, 0); // whoever hid it ends the pull
    target.show();
    QTest::mouseClick(&target, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(began, 1);
}

TEST(DurationDisplayText, ShowsHoursAndTheMinutesLeftWithoutPadding)
{
    const std::vector<std::pair<qint64, QString>> cases = { { 25, "25m" }, { 59, "59m" }, { 60, "1h" }, { 61, "1h1m" },
        { 90, "1h30m" }, { 119, "1h59m" }, { 120, "2h" }, { 125, "2h5m" }, { 180, "3h" } };
    for (const auto& [minutes, text] : cases)
        EXPECT_EQ(pomodoroDurationDisplayText(minutes), text) << minutes;
}

// The strip inside the shown popover root, in pomodoro mode.
class DurationStrip : public ::testing::Test {
protected:
    testing::PopoverViewRig rig;
    std::vector<std::pair<PomodoroDurationKind, QPointF>> pullBegins;
    std::vector<QPointF> pullMoves;
    std::vector<QPointF> pullEnds;

    void SetUp() override
    {
        rig.pomodoroSettings.setMode(TimerMode::pomodoro);
        TimerPopoverView& root = rig.view();
        root.onDurationPullBegan = [this](PomodoroDurationKind kind, QPointF p) { pullBegins.emplace_back(kind, p); };
        root.onDurationPullChanged = [this](QPointF p) { pullMoves.push_back(p); };
        root.onDurationPullEnded = [this](QPointF p) { pullEnds.push_back(p); };
        root.show();
        rig.presentation.setVisible(true);
        turn();
    }
    static void turn()
    {
        for (int i = 0; i < 10; ++i)
            testing::PopoverViewRig::settle();
    }
    // The strip of the layout on screen: regular unless a test switches to zen.
    PomodoroDurationControls* shown = nullptr;
    PomodoroDurationControls& strip() const { return shown ? *shown : *rig.root->durationControls()[0]; }
    PomodoroDurationValueEditor& value(PomodoroDurationKind kind) const { return strip().editor(kind); }
    void click(PomodoroDurationKind kind)
    {
        QWidget& host = value(kind).host();
        QTest::mouseClick(&host, Qt::LeftButton, {}, host.rect().center());
    }
    void type(PomodoroDurationKind kind, const QString& text)
    {
        QLineEdit& field = value(kind).field();
        field.selectAll();
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClicks(&field, text);
    }
    const PomodoroConfiguration& configuration() const { return rig.pomodoroSettings.configuration(); }
    int writes() const { return rig.defaults.writeCount(PomodoroSettingsStore::configurationKey); }
};

TEST_F(DurationStrip, AClickOpensTheFieldWithTheStoredValueAndADragPullsInstead)
{
    click(PomodoroDurationKind::break_);
    EXPECT_TRUE(value(PomodoroDurationKind::break_).isEditing());
    EXPECT_TRUE(value(PomodoroDurationKind::break_).field().isVisibleTo(rig.root.get()));
    EXPECT_EQ(value(PomodoroDurationKind::break_).field().text(), QStringLiteral("5"));
    EXPECT_EQ(rig.root->editing().editingDurationKind, PomodoroDurationKind::break_);
    EXPECT_TRUE(pullBegins.empty());

    QWidget& focus = value(PomodoroDurationKind::focus).host();
    const QPoint press = focus.rect().center();
    QTest::mousePress(&focus, Qt::LeftButton, {}, press);
    QTest::mouseMove(&focus, press + QPoint(0, 30));
    QTest::mouseRelease(&focus, Qt::LeftButton, {}, press + QPoint(0, 60));
    ASSERT_EQ(pullBegins.size(), 1U);
    EXPECT_EQ(pullBegins[0].first, PomodoroDurationKind::focus);
    EXPECT_EQ(pullBegins[0].second, QPointF(focus.mapToGlobal(press)));
    ASSERT_EQ(pullEnds.size(), 1U);
    EXPECT_EQ(pullEnds[0], QPointF(focus.mapToGlobal(press + QPoint(0, 60))));
    EXPECT_FALSE(value(PomodoroDurationKind::focus).isEditing());
    // The press outside the open break field committed it.
    EXPECT_FALSE(value(PomodoroDurationKind::break_).isEditing());

    // No pull starts on an open field.
    click(PomodoroDurationKind::longBreak);
    QLineEdit& field = value(PomodoroDurationKind::longBreak).field();
    QTest::mousePress(&field, Qt::LeftButton, {}, field.rect().center());
    QTest::mouseMove(&field, field.rect().center() + QPoint(0, 30));
    QTest::mouseRelease(&field, Qt::LeftButton, {}, field.rect().center() + QPoint(0, 30));
    EXPECT_EQ(pullBegins.size(), 1U);
    EXPECT_TRUE(value(PomodoroDurationKind::longBreak).isEditing());
}

struct CommitCase {
    std::string name;
    PomodoroDurationKind kind;
    QString typed;
    qint64 stored; // minutes, or focus sessions
    bool zen = false;
};

class DurationCommit : public DurationStrip, public ::testing::WithParamInterface<CommitCase> { };

TEST_P(DurationCommit, ReturnStoresTheTypedNumberHeldToItsRange)
{
    const CommitCase& c = GetParam();
    rig.interfaceSettings.setZenModeEnabled(c.zen);
    turn();
    shown = rig.root->durationControls()[c.zen ? 1 : 0];
    ASSERT_TRUE(shown->isVisibleTo(rig.root.get()));
    click(c.kind);
    type(c.kind, c.typed);
    const int before = writes();
    QTest::keyClick(&value(c.kind).field(), Qt::Key_Return);
    EXPECT_EQ(savedDurationValue(c.kind, configuration()), c.stored);
    EXPECT_EQ(writes(), before + 1);
    EXPECT_FALSE(value(c.kind).isEditing());
    EXPECT_FALSE(rig.root->editing().editingDurationKind);
    EXPECT_EQ(rig.root->editing().durationDrafts.at(c.kind), QString::number(c.stored));
    turn();
    if (measuresMinutes(c.kind)) {
        EXPECT_EQ(strip().lengthValue(c.kind).valueText().value(), pomodoroDurationDisplayText(c.stored));
    }
}

INSTANTIATE_TEST_SUITE_P(Typed, DurationCommit,
    ::testing::Values(CommitCase { "spaces_around", PomodoroDurationKind::focus, " 45 ", 45 },
        CommitCase { "plus_sign", PomodoroDurationKind::break_, "+7", 7 },
        CommitCase { "letters", PomodoroDurationKind::focus, "ab", 25 },
        CommitCase { "empty", PomodoroDurationKind::longBreak, "", 15 },
        CommitCase { "decimal", PomodoroDurationKind::focus, "4.5", 25 },
        CommitCase { "zero", PomodoroDurationKind::break_, "0", 1 },
        CommitCase { "too_long", PomodoroDurationKind::longBreak, "500", 180 },
        CommitCase { "count_too_small", PomodoroDurationKind::longBreakInterval, "1", 2 },
        CommitCase { "count_too_large", PomodoroDurationKind::longBreakInterval, "12", 8 },
        CommitCase { "zen_length", PomodoroDurationKind::longBreak, "95", 95, true },
        CommitCase { "zen_count", PomodoroDurationKind::longBreakInterval, "3", 3, true }),
    CaseName());

TEST_F(DurationStrip, OpeningAnotherValueOrTheRootEndingTheEditCommitsTheOpenOne)
{
    click(PomodoroDurationKind::focus);
    type(PomodoroDurationKind::focus, "30");
    click(PomodoroDurationKind::longBreakInterval);
    EXPECT_EQ(configuration().focusSeconds, 1800);
    EXPECT_FALSE(value(PomodoroDurationKind::focus).isEditing());
    EXPECT_TRUE(value(PomodoroDurationKind::longBreakInterval).isEditing());

    type(PomodoroDurationKind::longBreakInterval, "6");
    rig.presentation.requestEditorSettlement();
    EXPECT_EQ(configuration().blocksBeforeLongBreak, 6);
    EXPECT_FALSE(value(PomodoroDurationKind::longBreakInterval).isEditing());

    // A click elsewhere in the popover, judged against the value's own frame.
    click(PomodoroDurationKind::break_);
    type(PomodoroDurationKind::break_, "9");
    turn();
    const QRectF frame = rig.root->editing().durationControlFrames.at(PomodoroDurationKind::break_);
    const QWidget& breakValue = value(PomodoroDurationKind::break_).host();
    EXPECT_EQ(frame, QRectF(breakValue.mapTo(rig.root.get(), QPoint()), breakValue.size()));
    // Beside the field but on the value: the field stays open and keeps its text.
    QTest::mouseClick(rig.root->windowHandle(), Qt::LeftButton, {}, frame.topLeft().toPoint() + QPoint(2, 2));
    EXPECT_TRUE(value(PomodoroDurationKind::break_).isEditing());
    EXPECT_EQ(value(PomodoroDurationKind::break_).field().text(), QStringLiteral("9"));
    QTest::mouseClick(rig.root->windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(configuration().shortBreakSeconds, 540);
    EXPECT_FALSE(value(PomodoroDurationKind::break_).isEditing());
}

TEST_F(DurationStrip, ATypedDraftSurvivesAChangeOfAnotherLengthWhichKeepsTheOtherFields)
{
    click(PomodoroDurationKind::focus);
    type(PomodoroDurationKind::focus, "33");
    strip().updateConfiguration(PomodoroDurationKind::longBreak, 20);
    turn();
    EXPECT_EQ(configuration(), (PomodoroConfiguration { 1500, 300, 1200, 4 }));
    EXPECT_EQ(value(PomodoroDurationKind::focus).field().text(), QStringLiteral("33"));
    EXPECT_TRUE(value(PomodoroDurationKind::focus).isEditing());
    strip().updateLongBreakInterval(5);
    strip().updateConfiguration(PomodoroDurationKind::break_, 8);
    EXPECT_EQ(configuration(), (PomodoroConfiguration { 1500, 480, 1200, 5 }));
    QTest::keyClick(&value(PomodoroDurationKind::focus).field(), Qt::Key_Return);
    EXPECT_EQ(configuration(), (PomodoroConfiguration { 1980, 480, 1200, 5 }));
}

TEST_F(DurationStrip, AStoreChangeShowsAfterOneTurnAndWritesNothingBack)
{
    const int before = writes();
    rig.pomodoroSettings.setConfiguration({ 5400, 420, 900, 6 });
    const int stored = writes();
    turn();
    EXPECT_EQ(strip().lengthValue(PomodoroDurationKind::focus).valueText().value(), QStringLiteral("1h30m"));
    EXPECT_EQ(strip().lengthValue(PomodoroDurationKind::break_).valueText().value(), QStringLiteral("7m"));
    EXPECT_EQ(strip().intervalValue().valueText().value(), QStringLiteral("6 focus sessions"));
    EXPECT_EQ(rig.root->durationControls()[1]->intervalValue().valueText().value(), QStringLiteral("6"));
    EXPECT_EQ(stored, before + 1);
    EXPECT_EQ(writes(), stored);
}

TEST_F(DurationStrip, ReturnInAFieldCommitsWithoutStartingAndFocusLeavingCommitsToo)
{
    rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock);
    turn();
    ASSERT_TRUE(rig.root->idlePage().showsStartControls());
    click(PomodoroDurationKind::focus);
    // Nobody took the focus request, so the field took the keyboard itself.
    EXPECT_EQ(rig.root->focusWidget(), &value(PomodoroDurationKind::focus).field());
    type(PomodoroDurationKind::focus, "40");
    QTest::keyClick(&value(PomodoroDurationKind::focus).field(), Qt::Key_Return);
    EXPECT_EQ(configuration().focusSeconds, 2400);
    EXPECT_FALSE(rig.pomodoro.plan());
    EXPECT_TRUE(rig.timer.state().isIdle());
    EXPECT_NE(rig.root->focusWidget(), &value(PomodoroDurationKind::focus).field());

    click(PomodoroDurationKind::longBreak);
    type(PomodoroDurationKind::longBreak, "20");
    QLineEdit& field = value(PomodoroDurationKind::longBreak).field();
    // The window giving up the keyboard leaves the field open; the keyboard moving on commits.
    QFocusEvent windowLeft(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(&field, &windowLeft);
    EXPECT_TRUE(value(PomodoroDurationKind::longBreak).isEditing());
    QFocusEvent movedOn(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&field, &movedOn);
    EXPECT_FALSE(value(PomodoroDurationKind::longBreak).isEditing());
    EXPECT_EQ(configuration().longBreakSeconds, 1200);
}

TEST_F(DurationStrip, AFocusRequestTheControllerTakesLeavesTheFieldToIt)
{
    int requests = 0;
    rig.presentation.onTextInputFocusRequest = [&requests] { ++requests; };
    click(PomodoroDurationKind::break_);
    EXPECT_EQ(requests, 1);
    EXPECT_TRUE(value(PomodoroDurationKind::break_).isEditing());
    EXPECT_NE(rig.root->focusWidget(), &value(PomodoroDurationKind::break_).field());
}

TEST_F(DurationStrip, OnlyTheStripOnScreenReportsFramesAndADisplayOnlyValueReportsNone)
{
    const auto framesOf = [this](const PomodoroDurationControls& shown) {
        std::map<PomodoroDurationKind, QRectF> frames;
        for (PomodoroDurationKind kind : allPomodoroDurationKinds) {
            const QWidget& host = shown.editor(kind).host();
            frames[kind] = QRectF(host.mapTo(rig.root.get(), QPoint()), host.size());
        }
        return frames;
    };
    EXPECT_EQ(rig.root->editing().durationControlFrames, framesOf(strip()));
    rig.interfaceSettings.setZenModeEnabled(true);
    turn();
    EXPECT_EQ(rig.root->editing().durationControlFrames, framesOf(*rig.root->durationControls()[1]));
    rig.interfaceSettings.setZenModeEnabled(false);
    rig.pomodoroSettings.setMode(TimerMode::timer);
    turn();
    EXPECT_TRUE(rig.root->editing().durationControlFrames.empty());

    rig.pomodoroSettings.setMode(TimerMode::pomodoro);
    strip().setAllowsPull(false);
    turn();
    EXPECT_FALSE(rig.root->editing().durationControlFrames.contains(PomodoroDurationKind::focus));
    EXPECT_TRUE(strip().lengthValue(PomodoroDurationKind::focus).accessibleDescription().isEmpty());
    click(PomodoroDurationKind::focus);
    QWidget& focus = value(PomodoroDurationKind::focus).host();
    QTest::mousePress(&focus, Qt::LeftButton, {}, focus.rect().center());
    QTest::mouseRelease(&focus, Qt::LeftButton, {}, focus.rect().center() + QPoint(0, 40));
    EXPECT_FALSE(value(PomodoroDurationKind::focus).isEditing());
    EXPECT_TRUE(pullBegins.empty());
}

// Marks every text looked up in our context, so a text not looked up again, or looked up though
// it is shown as written, stands out.
class MarkingTranslator final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        return QLatin1String(context) == QLatin1String("mewt") ? QStringLiteral("«%1»").arg(QString::fromUtf8(source))
                                                               : QString();
    }
};

TEST_F(DurationStrip, KeyedTextsFollowALanguageChangeAndTheOthersStayAsWritten)
{
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QCoreApplication::processEvents();
    const PomodoroDurationPullText& focus = strip().lengthValue(PomodoroDurationKind::focus);
    const PomodoroLongBreakIntervalPullText& interval = strip().intervalValue();
    QAccessibleInterface* intervalNode
        = QAccessible::queryAccessibleInterface(&value(PomodoroDurationKind::longBreakInterval).host());
    EXPECT_EQ(focus.accessibleName(), QStringLiteral("«focus duration, 25 minutes»"));
    EXPECT_EQ(focus.accessibleDescription(), QStringLiteral("click to type exact minutes or drag to adjust"));
    EXPECT_EQ(value(PomodoroDurationKind::focus).field().toolTip(),
        QStringLiteral("«type exact minutes, then press return»"));
    EXPECT_EQ(intervalNode->text(QAccessible::Name), QStringLiteral("«long break interval»"));
    EXPECT_EQ(intervalNode->text(QAccessible::Value), QStringLiteral("«every 4 focus sessions»"));
    EXPECT_EQ(interval.toolTip(),
        QStringLiteral(
            "«long break every 4 focus sessions · »click to type the number of focus sessions or drag to adjust"));
    EXPECT_EQ(interval.valueText().value(), QStringLiteral("4 focus sessions"));
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::processEvents();
    EXPECT_EQ(focus.accessibleName(), QStringLiteral("focus duration, 25 minutes"));
    EXPECT_EQ(intervalNode->text(QAccessible::Value), QStringLiteral("every 4 focus sessions"));
    // AT-SPI carries no string value: the text interface does.
    ASSERT_NE(intervalNode->textInterface(), nullptr);
    EXPECT_EQ(intervalNode->textInterface()->text(0, -1), QStringLiteral("every 4 focus sessions"));
}

struct StepCase {
    std::string name;
    PomodoroDurationKind kind;
    qint64 from;
    QString action; // an accessible action, an arrow key ("up", "left", ...) or "set" and a number
    qint64 stored;
};

class DurationStep : public DurationStrip, public ::testing::WithParamInterface<StepCase> { };

TEST_P(DurationStep, StepsByOneAndTheReceiverHoldsTheRange)
{
    const StepCase& c = GetParam();
    strip().updateConfiguration(PomodoroDurationKind::focus, c.kind == PomodoroDurationKind::focus ? c.from : 25);
    strip().updateLongBreakInterval(c.kind == PomodoroDurationKind::longBreakInterval ? c.from : 4);
    turn();
    QWidget& host = value(c.kind).host();
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&host);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->role(), QAccessible::SpinBox);
    EXPECT_EQ(node->valueInterface()->currentValue().toLongLong(), c.from);
    const int before = writes();
    const std::map<QString, Qt::Key> arrows
        = { { "up", Qt::Key_Up }, { "right", Qt::Key_Right }, { "down", Qt::Key_Down }, { "left", Qt::Key_Left } };
    if (arrows.contains(c.action))
        QTest::keyClick(&host, arrows.at(c.action));
    else if (c.action.startsWith("set "))
        node->valueInterface()->setCurrentValue(c.action.mid(4).toLongLong());
    else
        node->actionInterface()->doAction(c.action);
    EXPECT_EQ(writes(), before + 1);
    EXPECT_EQ(savedDurationValue(c.kind, configuration()), c.stored);
    turn();
    EXPECT_EQ(node->valueInterface()->currentValue().toLongLong(), c.stored);
    if (c.kind == PomodoroDurationKind::longBreakInterval)
        EXPECT_EQ(node->text(QAccessible::Value), QStringLiteral("every %1 focus sessions").arg(c.stored));
    else
        EXPECT_EQ(node->text(QAccessible::Name), QStringLiteral("focus duration, %1 minutes").arg(c.stored));
}

INSTANTIATE_TEST_SUITE_P(Ends, DurationStep,
    ::testing::Values(
        StepCase { "focus_down_at_1", PomodoroDurationKind::focus, 1, QAccessibleActionInterface::decreaseAction(), 1 },
        StepCase {
            "focus_up_at_180", PomodoroDurationKind::focus, 180, QAccessibleActionInterface::increaseAction(), 180 },
        StepCase {
            "focus_up_at_25", PomodoroDurationKind::focus, 25, QAccessibleActionInterface::increaseAction(), 26 },
        StepCase { "count_arrow_up_at_8", PomodoroDurationKind::longBreakInterval, 8, "up", 8 },
        StepCase { "count_arrow_left_at_2", PomodoroDurationKind::longBreakInterval, 2, "left", 2 },
        StepCase { "count_arrow_up_at_4", PomodoroDurationKind::longBreakInterval, 4, "up", 5 },
        StepCase { "count_arrow_right_at_4", PomodoroDurationKind::longBreakInterval, 4, "right", 5 },
        StepCase { "count_arrow_down_at_4", PomodoroDurationKind::longBreakInterval, 4, "down", 3 },
        StepCase { "count_decrease_at_3", PomodoroDurationKind::longBreakInterval, 3,
            QAccessibleActionInterface::decreaseAction(), 2 },
        StepCase { "focus_set_far_beyond", PomodoroDurationKind::focus, 25, "set 99999999999", 180 },
        StepCase { "count_set_far_below", PomodoroDurationKind::longBreakInterval, 4, "set -99999999999", 2 }),
    CaseName());

TEST(DurationPull, APullStartedOnAValueRunsTheRopeAndStoresWhatWasPulled)
{
    testing::PopoverRig rig;
    rig.pomodoroSettings.setMode(TimerMode::pomodoro);
    rig.showAndSettle();
    QCoreApplication::processEvents();
    PomodoroDurationControls& strip = *rig.controller->rootView().durationControls()[0];
    QWidget& focus = strip.editor(PomodoroDurationKind::focus).host();
    const QPoint press = focus.rect().center();
    QTest::mousePress(&focus, Qt::LeftButton, {}, press);
    QTest::mouseMove(&focus, press + QPoint(0, 40));
    EXPECT_TRUE(rig.controller->durationPullController().isActive());
    EXPECT_TRUE(rig.controller->isInUse());
    const int pulled = rig.controller->durationPullController().model().value();
    QTest::mouseRelease(&focus, Qt::LeftButton, {}, press + QPoint(0, 40));
    EXPECT_FALSE(rig.controller->durationPullController().isActive());
    EXPECT_GE(pulled, 1);
    EXPECT_EQ(rig.pomodoroSettings.configuration().focusSeconds, pulled * 60);
    EXPECT_FALSE(strip.editor(PomodoroDurationKind::focus).isEditing());
}

} // namespace
} // namespace mewt

#include "OptionsRig.h"
#include "options/CenteredIntegerField.h"
#include "options/PomodoroNumberSettingRow.h"
#include "options/Stepper.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace mewt;
using mewt::testing::OptionsRig;

namespace {

const QString pomodoroKey = PomodoroSettingsStore::configurationKey;

// A window with the row under test and a second field to tab to, shown and focused, so editing
// ends the way it does for a user.
class NumberRow : public ::testing::Test {
protected:
    void build(SettingBinding<int> binding, PomodoroNumberSettingRow::Range range, bool showsStepper = true)
    {
        row = new PomodoroNumberSettingRow("focus", std::nullopt, "min", std::move(binding), range, 1, showsStepper);
        auto* column = new QVBoxLayout(&window);
        column->addWidget(row);
        column->addWidget(next);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void focusField()
    {
        row->field()->setFocus();
        ASSERT_TRUE(row->field()->hasFocus());
    }
    void typeAndReturn(const QString& text)
    {
        focusField();
        row->field()->selectAll();
        QTest::keyClick(row->field(), Qt::Key_Backspace);
        QTest::keyClicks(row->field(), text);
        QTest::keyClick(row->field(), Qt::Key_Return);
    }
    QString shown() const { return row->field()->text(); }
    int focusSeconds() const { return rig.pomodoro.configuration().focusSeconds; }

    OptionsRig rig;
    QWidget window;
    QLineEdit* next = new QLineEdit(&window);
    PomodoroNumberSettingRow* row = nullptr;
};

struct TypedCase {
    const char* name;
    int storedSeconds;
    const char* typed;
    int expectedSeconds;
    const char* expectedText;
};

class TypedValue : public NumberRow, public ::testing::WithParamInterface<TypedCase> { };

TEST_P(TypedValue, IsHeldToTheRangeAndShownAsStored)
{
    const TypedCase& c = GetParam();
    rig.setSeconds(&PomodoroConfiguration::focusSeconds, c.storedSeconds);
    build(rig.minutes(&PomodoroConfiguration::focusSeconds), { 1, 60 });
    typeAndReturn(QString::fromLatin1(c.typed));
    EXPECT_EQ(focusSeconds(), c.expectedSeconds);
    EXPECT_EQ(shown(), QString::fromLatin1(c.expectedText));
}

const TypedCase typedCases[] = {
    { "AboveTheRange", 1500, "75", 3600, "60" },
    { "BelowTheRange", 1500, "0", 60, "1" },
    { "Empty", 1500, "", 60, "1" },
    { "LeadingZeros", 1500, "007", 420, "7" },
    { "LettersAreRefused", 1500, "4x2", 2520, "42" },
    { "NineDigitsDoNotOverflow", 1500, "999999999", 3600, "60" },
};

INSTANTIATE_TEST_SUITE_P(Table, TypedValue, ::testing::ValuesIn(typedCases),
    [](const ::testing::TestParamInfo<TypedCase>& info) { return std::string(info.param.name); });

TEST_F(NumberRow, ReturnAppliesOnceThoughBothCommitSignalsFire)
{
    build(rig.minutes(&PomodoroConfiguration::focusSeconds), { 1, 60 });
    const int before = rig.writes(pomodoroKey);
    typeAndReturn("30");
    QTest::keyClick(row->field(), Qt::Key_Return);
    EXPECT_EQ(rig.writes(pomodoroKey), before + 1);
    EXPECT_EQ(focusSeconds(), 1800);
}

// Visiting a field is not editing it: neither Tab nor Return may rewrite what is stored, also when
// the stored value is off the minute grid or outside the row's range.
TEST_F(NumberRow, PassingThroughLeavesStoredValuesAlone)
{
    const struct {
        int seconds;
        Qt::Key key;
        const char* shownText;
    } cases[] = { { 1530, Qt::Key_Tab, "25" }, { 1530, Qt::Key_Return, "25" }, { 5400, Qt::Key_Tab, "90" },
        { 5400, Qt::Key_Return, "90" } };
    build(rig.minutes(&PomodoroConfiguration::focusSeconds), { 5, 60 });
    for (const auto& c : cases) {
        rig.setSeconds(&PomodoroConfiguration::focusSeconds, c.seconds);
        next->setFocus();
        const int before = rig.writes(pomodoroKey);
        focusField();
        QTest::keyClick(row->field(), c.key);
        EXPECT_EQ(rig.writes(pomodoroKey), before) << c.seconds;
        EXPECT_EQ(focusSeconds(), c.seconds);
        EXPECT_EQ(shown(), c.shownText);
    }
}

TEST_F(NumberRow, TypingIsNotOverwrittenByAStoreChange)
{
    build(rig.minutes(&PomodoroConfiguration::focusSeconds), { 1, 60 });
    focusField();
    row->field()->selectAll();
    QTest::keyClicks(row->field(), "4");
    rig.setSeconds(&PomodoroConfiguration::focusSeconds, 1800);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(), "4");
    QTest::keyClick(row->field(), Qt::Key_Return);
    EXPECT_EQ(focusSeconds(), 240);
    EXPECT_EQ(shown(), "4");

    // Without typing, a change from elsewhere shows at once, even in the focused field.
    rig.setSeconds(&PomodoroConfiguration::focusSeconds, 600);
    EXPECT_EQ(shown(), "10");
}

// The store rounds quick-start times to fives: the field must show what was kept, also the second
// time, when the store does not change and so says nothing.
TEST_F(NumberRow, ShowsTheRoundedValueTheStoreKept)
{
    build(rig.quickTimeMinutes(), { 5, 120 });
    for (const char* typed : { "7", "7", "23" }) {
        typeAndReturn(typed);
        EXPECT_EQ(shown(), QString::number(rig.pull.quickTimeMinutes())) << typed;
    }
    EXPECT_EQ(rig.pull.quickTimeMinutes(), 25);
}

TEST_F(NumberRow, StepperStaysWithinTheRange)
{
    const struct {
        int storedMinutes;
        int direction;
        int expectedMinutes;
        bool writes;
    } cases[]
        = { { 60, 1, 60, false }, { 59, 1, 60, true }, { 1, -1, 1, false }, { 90, 1, 60, true }, { 90, -1, 60, true } };
    build(rig.minutes(&PomodoroConfiguration::focusSeconds), { 1, 60 });
    for (const auto& c : cases) {
        rig.setSeconds(&PomodoroConfiguration::focusSeconds, c.storedMinutes * 60);
        const int before = rig.writes(pomodoroKey);
        const QPoint half(Stepper::stepperWidth / 2, c.direction > 0 ? 3 : Stepper::stepperHeight - 3);
        QTest::mouseClick(row->stepper(), Qt::LeftButton, {}, half);
        EXPECT_EQ(focusSeconds(), c.expectedMinutes * 60) << c.storedMinutes << " " << c.direction;
        EXPECT_EQ(rig.writes(pomodoroKey) > before, c.writes) << c.storedMinutes << " " << c.direction;
        EXPECT_EQ(shown(), QString::number(c.expectedMinutes));
        EXPECT_FALSE(row->stepper()->isRepeating());
    }
}

TEST_F(NumberRow, WithoutStepperOnlyFieldAndUnit)
{
    build(rig.quickTimeMinutes(), { 5, 120 }, false);
    EXPECT_EQ(row->stepper(), nullptr);
    EXPECT_EQ(row->findChildren<Stepper*>().size(), 0);
}

} // namespace

namespace {

// Screen readers meet one spin box with the row's title, the value and working step actions.
TEST_F(NumberRow, StepperIsOneSpinBoxForScreenReaders)
{
    build(rig.quickTimeMinutes(), { 5, 120 });
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(row->stepper());
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->role(), QAccessible::SpinBox);
    EXPECT_EQ(node->text(QAccessible::Name), "focus");
    EXPECT_EQ(node->text(QAccessible::Value), "25");
    // A step of one is rounded back by the store; the stepper must say what was kept.
    node->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(rig.pull.quickTimeMinutes(), 25);
    EXPECT_EQ(node->text(QAccessible::Value), "25");
    for (int i = 0; i < 3; ++i)
        node->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(rig.pull.quickTimeMinutes(), 25);
    rig.pull.setQuickTimeMinutes(40);
    EXPECT_EQ(node->text(QAccessible::Value), "40");
}

} // namespace

#include "PopoverViewRig.h"
#include "popover/ClockNameField.h"
#include "popover/ClockTimeField.h"
#include "popover/EditingFrameReader.h"
#include "popover/IdleDisplayPage.h"
#include "popover/InlineLabelButton.h"
#include "popover/InlineTextField.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace mewt {
namespace {

using namespace std::chrono_literals;

class ClockFaceTest : public ::testing::Test {
protected:
    testing::PopoverViewRig rig;
    int focusRequests = 0;

    void SetUp() override { rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock); }
    TimerPopoverView& view() { return rig.view(); }
    ClockNameField& name() { return view().clockNameField(); }
    ClockTimeField& time() { return view().idlePage().clockTimeField(); }
    TimerPopoverEditingState& edits() { return view().editing(); }
    // The panel focuses the new field itself, as the popover's controller does.
    void focusThroughThePanel()
    {
        rig.presentation.onTextInputFocusRequest = [this] { ++focusRequests; };
    }
    void show()
    {
        view().show();
        QApplication::setActiveWindow(&view());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view()));
        rig.presentation.setVisible(true);
        turn();
    }
    static void turn()
    {
        for (int i = 0; i < 10; ++i)
            testing::PopoverViewRig::settle();
    }
};

// The name row while it is a button.
struct LabelCase {
    const char* name;
    QString draft;
    QString shown;
    bool dimmed;
    QString accessibleName;
};

class ClockNameLabel : public ClockFaceTest, public ::testing::WithParamInterface<LabelCase> {
protected:
    // Whether the label, drawn large over the card, holds a pixel of exactly `color`.
    bool paints(const QColor& color, const QColor& card)
    {
        InlineLabelButton& label = name().label();
        QImage image(label.size() * 4, QImage::Format_ARGB32);
        image.setDevicePixelRatio(4);
        image.fill(card);
        label.render(&image, QPoint(), QRegion(), {});
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y).rgb() == color.rgb())
                    return true;
        return false;
    }
};

TEST_P(ClockNameLabel, ShowsTheDraftOrAnInvitationInItsColourAndReadsAsAButton)
{
    rig.timer.mutateDraftName(GetParam().draft);
    show();
    EXPECT_FALSE(name().isEditing());
    EXPECT_EQ(name().label().label(), GetParam().shown);
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&name().label());
    EXPECT_EQ(node->role(), QAccessible::Button);
    EXPECT_EQ(node->text(QAccessible::Name), GetParam().accessibleName);
    EXPECT_EQ(node->text(QAccessible::Description), QStringLiteral("edits the name shown while the timer runs"));
    const CatPopoverPalette colors = view().popoverPalette();
    EXPECT_TRUE(paints(GetParam().dimmed ? colors.secondaryTextColor : colors.foregroundColor, colors.innerColor));
    // The dim colour lies between the card and the foreground, so only the dim label can be told by
    // what it lacks.
    if (GetParam().dimmed) {
        EXPECT_FALSE(paints(colors.foregroundColor, colors.innerColor));
    }
}

INSTANTIATE_TEST_SUITE_P(Drafts, ClockNameLabel,
    ::testing::Values(LabelCase { "empty", QString(), QStringLiteral("add name"), true, QStringLiteral("add name") },
        LabelCase { "named", QStringLiteral("reading"), QStringLiteral("reading"), false,
            QStringLiteral("edit session name") }),
    [](const auto& info) { return std::string(info.param.name); });

// Opening, committing and closing the two fields.
using ClockFaceEditing = ClockFaceTest;

TEST_F(ClockFaceEditing, OpeningOneFieldSettlesTheOtherSoAtMostOneIsOpen)
{
    show();
    QTest::mouseClick(&time().label(), Qt::LeftButton);
    ASSERT_TRUE(time().isEditing());
    EXPECT_EQ(time().editor().text(), QStringLiteral("25:00"));
    QTest::keyClicks(&time().editor(), QStringLiteral("40"));
    QTest::mouseClick(&name().label(), Qt::LeftButton);
    EXPECT_EQ(rig.pullSettings.quickTimeMinutes(), 40);
    EXPECT_FALSE(time().isEditing());
    EXPECT_TRUE(name().isEditing());
    EXPECT_FALSE(edits().clockTimeEditing);

    QTest::mouseClick(&time().label(), Qt::LeftButton);
    EXPECT_TRUE(time().isEditing());
    EXPECT_FALSE(name().isEditing());
    EXPECT_FALSE(edits().clockNameEditing);
    EXPECT_EQ(time().editor().text(), QStringLiteral("40:00"));
}

struct ReturnCase {
    const char* name;
    TimerMode mode;
    int quickTimeMinutes;
    int focusSeconds;
};

class ClockTimeReturn : public ClockFaceTest, public ::testing::WithParamInterface<ReturnCase> { };

TEST_P(ClockTimeReturn, StoresTheTypedMinutesForTheModeTheEditBeganInAndStartsNothing)
{
    rig.pomodoroSettings.setMode(GetParam().mode);
    show();
    QTest::mouseClick(&time().label(), Qt::LeftButton);
    turn();
    QTest::keyClicks(&time().editor(), QStringLiteral("30"));
    EXPECT_EQ(time().editor().text(), QStringLiteral("30")); // the shown time was selected, and replaced
    QTest::keyClick(&time().editor(), Qt::Key_Return);
    EXPECT_EQ(rig.pullSettings.quickTimeMinutes(), GetParam().quickTimeMinutes);
    EXPECT_EQ(rig.pomodoroSettings.configuration().focusSeconds, GetParam().focusSeconds);
    EXPECT_FALSE(time().isEditing());
    turn();
    EXPECT_TRUE(rig.timer.state().isIdle());
}

INSTANTIATE_TEST_SUITE_P(Modes, ClockTimeReturn,
    ::testing::Values(ReturnCase { "quickTime", TimerMode::timer, 30, 1500 },
        ReturnCase { "focusLength", TimerMode::pomodoro, 25, 1800 }),
    [](const auto& info) { return std::string(info.param.name); });

struct FocusCase {
    const char* name;
    bool timeField;
    bool throughPanel;
};

class ClockFieldFocusLoss : public ClockFaceTest, public ::testing::WithParamInterface<FocusCase> { };

TEST_P(ClockFieldFocusLoss, EndsOnlyAnEditThatFocusedItselfAndCommitsTheTime)
{
    const FocusCase& c = GetParam();
    if (c.throughPanel)
        focusThroughThePanel();
    show();
    QTest::mouseClick(c.timeField ? &time().label() : &name().label(), Qt::LeftButton);
    InlineTextField& editor = c.timeField ? time().editor() : name().editor();
    if (c.throughPanel)
        editor.setFocus(Qt::OtherFocusReason);
    turn();
    ASSERT_TRUE(editor.hasFocus());
    EXPECT_EQ(focusRequests, c.throughPanel ? 1 : 0);
    QTest::keyClicks(&editor, QStringLiteral("45"));
    view().setFocus(Qt::MouseFocusReason);
    turn();
    EXPECT_EQ(c.timeField ? time().isEditing() : name().isEditing(), c.throughPanel);
    EXPECT_EQ(rig.pullSettings.quickTimeMinutes(), c.timeField && !c.throughPanel ? 45 : 25);
}

INSTANTIATE_TEST_SUITE_P(Fields, ClockFieldFocusLoss,
    ::testing::Values(FocusCase { "nameFocusedLocally", false, false }, FocusCase { "nameFocusedByPanel", false, true },
        FocusCase { "timeFocusedLocally", true, false }, FocusCase { "timeFocusedByPanel", true, true }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClockFaceEditing, ReturnInTheNameFieldStartsOnceWithTheTypedName)
{
    show();
    QTest::mouseClick(&name().label(), Qt::LeftButton);
    turn();
    QTest::keyClicks(&name().editor(), QStringLiteral("tea"));
    QTest::keyClick(&name().editor(), Qt::Key_Return);
    turn();
    EXPECT_EQ(rig.timer.state(), TimerState::running(rig.clock.now() + 1500s));
    EXPECT_EQ(rig.timer.activeName(), QStringLiteral("tea"));
    EXPECT_FALSE(edits().clockNameEditing);
}

TEST_F(ClockFaceEditing, TheFieldsReportTheirFramesAndATapOutsideClosesAPanelFocusedName)
{
    focusThroughThePanel();
    show();
    const auto frameOf = [this](QWidget& widget) { return QRectF(widget.mapTo(&view(), QPoint()), widget.size()); };
    EXPECT_FALSE(edits().clockNameFrame);
    EXPECT_EQ(edits().clockTimeFrame, frameOf(time()));

    QTest::mouseClick(&time().label(), Qt::LeftButton);
    turn();
    EXPECT_EQ(edits().clockTimeFrame, frameOf(time()));
    EXPECT_EQ(edits().clockTimeFrame->width(), ClockTimeField::editorWidth);

    QTest::mouseClick(&name().label(), Qt::LeftButton);
    turn();
    ASSERT_TRUE(edits().clockNameFrame);
    EXPECT_EQ(edits().clockNameFrame, frameOf(name().editor()));
    EXPECT_EQ(edits().clockNameFrame->width(), ClockNameField::editorWidth);
    QTest::mouseClick(view().windowHandle(), Qt::LeftButton, {}, edits().clockNameFrame->center().toPoint());
    EXPECT_TRUE(name().isEditing());
    QTest::mouseClick(view().windowHandle(), Qt::LeftButton, {}, edits().clockTimeFrame->center().toPoint());
    EXPECT_FALSE(name().isEditing());
    turn();
    EXPECT_FALSE(edits().clockNameFrame);

    rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::mewt);
    turn();
    EXPECT_FALSE(edits().clockTimeFrame);
}

TEST_F(ClockFaceEditing, ALateFocusCheckLeavesANameEditOpenedAgainAlone)
{
    show();
    QTest::mouseClick(&name().label(), Qt::LeftButton);
    turn();
    ASSERT_TRUE(name().editor().hasFocus());
    view().setFocus(Qt::MouseFocusReason); // the check is now due on the next turn
    view().endClockNameEditing();
    view().beginClockNameEditing();
    turn();
    EXPECT_TRUE(name().isEditing());
    EXPECT_TRUE(name().editor().hasFocus());
}

// A layout may move or hide any widget between the field and the root; the field itself then
// hears nothing.
TEST(EditingFrame, FollowsAnAncestorThatMovesHidesOrShows)
{
    QWidget root;
    root.resize(300, 200);
    auto* middle = new QWidget(&root);
    middle->setGeometry(10, 20, 200, 100);
    auto* field = new QWidget(middle);
    field->setGeometry(5, 6, 50, 10);
    root.show();
    std::vector<std::optional<QRectF>> reports;
    EditingFrameReader reader(*field, root, [&](std::optional<QRectF> frame) { reports.push_back(frame); });
    middle->move(40, 60);
    middle->hide();
    middle->show();
    const std::vector<std::optional<QRectF>> expected
        = { QRectF(15, 26, 50, 10), QRectF(45, 66, 50, 10), std::nullopt, QRectF(45, 66, 50, 10) };
    EXPECT_EQ(reports, expected);
}

// What the user types as a name is kept and shown as typed, but for control characters.
struct TypedNameCase {
    const char* name;
    QString typed;
    std::optional<QString> kept = std::nullopt; // when not as typed
};

class ClockNameInput : public ClockFaceTest, public ::testing::WithParamInterface<TypedNameCase> { };

TEST_P(ClockNameInput, IsStoredAndShownAsTyped)
{
    show();
    QTest::mouseClick(&name().label(), Qt::LeftButton);
    name().editor().insert(GetParam().typed);
    const QString kept = GetParam().kept.value_or(GetParam().typed);
    EXPECT_EQ(rig.timer.draftName(), kept);
    EXPECT_EQ(TimerStore(rig.defaults, rig.clock, nullptr).draftName(), kept);
    view().endClockNameEditing();
    turn();
    EXPECT_EQ(name().label().label(), kept);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&name().label())->text(QAccessible::Name),
        QStringLiteral("edit session name"));
}

INSTANTIATE_TEST_SUITE_P(Names, ClockNameInput,
    ::testing::Values(TypedNameCase { "markup", QStringLiteral("<b>tea</b><img src=x>") },
        TypedNameCase { "placeholders", QStringLiteral("%1 and %2") },
        TypedNameCase { "ampersand", QStringLiteral("tea & &cake") },
        TypedNameCase { "emoji", QStringLiteral("tea \U0001F375\U0001F468\u200D\U0001F469\u200D\U0001F467") },
        TypedNameCase { "controlCharacters", QStringLiteral("tea\u0007\u001B\ttime"), QStringLiteral("tea time") },
        TypedNameCase { "unclosedOverride", QStringLiteral("tea\u202Etime"), QStringLiteral("tea\u202Etime\u202C") }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace mewt

#include "PopoverViewRig.h"
#include "popover/ActiveDisplayPage.h"
#include "popover/CapsuleButton.h"
#include "popover/ContentSwitcher.h"
#include "popover/IdleDisplayPage.h"
#include "popover/InstructionsBlock.h"
#include "popover/TimeButton.h"
#include "popover/TimerModePicker.h"
#include "popover/TimerStartControls.h"
#include "popover/ToolbarIconButton.h"
#include "popover/WaitingDisplayPage.h"
#include "popover/YarnTimeline.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLayout>
#include <QTranslator>
#include <gtest/gtest.h>

namespace mewt {
namespace {

using namespace std::chrono_literals;

class LayoutTest : public ::testing::Test {
protected:
    testing::PopoverViewRig rig;

    TimerPopoverView& view() { return rig.view(); }
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
    bool shown(const QWidget& widget) { return widget.isVisibleTo(&view()); }
};

struct IdleCase {
    const char* name;
    TimerMode mode;
    bool continuous;
    TimerIdleLayout layout;
    bool picker;
    bool instructions;
    bool nameShown;
    bool startShown;
    std::vector<QString> lines;
};

class NormalIdleLayout : public LayoutTest, public ::testing::WithParamInterface<IdleCase> { };

TEST_P(NormalIdleLayout, ShowsTheRowsTheSettingsAskFor)
{
    const IdleCase& c = GetParam();
    rig.pomodoroSettings.setMode(c.mode);
    rig.pomodoroSettings.setContinuousModeEnabled(c.continuous);
    rig.interfaceSettings.setTimerIdleLayout(c.layout);
    rig.interfaceSettings.setShowsTimerModePicker(c.picker);
    rig.interfaceSettings.setShowsTimerInstructions(c.instructions);
    show();
    IdleDisplayPage& idle = view().idlePage();
    EXPECT_EQ(view().displayContentID(), c.mode == TimerMode::timer ? "idle-timer" : "idle-pomodoro");
    EXPECT_FALSE(idle.showsZenLayout());
    EXPECT_EQ(shown(idle.modePicker()), c.picker);
    EXPECT_EQ(shown(idle.sessionNameSlot()), c.nameShown);
    EXPECT_EQ(idle.showsStartControls(), c.startShown);
    EXPECT_EQ(shown(idle.durationControlsSlot()), c.mode == TimerMode::pomodoro);
    std::vector<QString> lines;
    if (shown(idle.instructions())) {
        for (const InstructionLine& line : idle.instructions().lines())
            lines.push_back(line.text);
    }
    EXPECT_EQ(lines, c.lines);
}

const QString dragToStart = QStringLiteral("drag the top bar paw to start");
const QString clickDuration = QStringLiteral("click a duration to type \u00b7 drag to adjust");

INSTANTIATE_TEST_SUITE_P(Settings, NormalIdleLayout,
    ::testing::Values(IdleCase { "timerName", TimerMode::timer, false, TimerIdleLayout::mewt, true, true, true, false,
                          { dragToStart } },
        IdleCase { "pomodoroClock", TimerMode::pomodoro, false, TimerIdleLayout::clock, true, true, false, true,
            { QStringLiteral("drag the top bar paw to choose focus sessions"), clickDuration } },
        IdleCase { "pomodoroContinuous", TimerMode::pomodoro, true, TimerIdleLayout::mewt, false, true, true, false,
            { QStringLiteral("drag the top bar paw to start continuous focus"), clickDuration } },
        IdleCase { "nameAlone", TimerMode::timer, false, TimerIdleLayout::mewt, false, false, true, false, {} }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LayoutTest, TheZenStripIsNarrowAndCarriesTheToolbarOnlyWhileAttached)
{
    rig.interfaceSettings.setZenModeEnabled(true);
    rig.interfaceSettings.setShowsTimerModePicker(false);
    show();
    IdleDisplayPage& idle = view().idlePage();
    ASSERT_TRUE(idle.showsZenLayout());
    EXPECT_EQ(idle.zenStrip().width(), IdleDisplayPage::zenWidth);
    EXPECT_FALSE(shown(idle.zenModeRow())); // timer mode, no picker: the top row alone
    EXPECT_FALSE(idle.showsStartControls());
    EXPECT_TRUE(shown(idle.compactToolbarSlot()));
    rig.pomodoroSettings.setMode(TimerMode::pomodoro);
    rig.presentation.setIsDetached(true);
    turn();
    EXPECT_TRUE(shown(idle.zenModeRow()));
    EXPECT_TRUE(shown(idle.compactDurationControlsSlot()));
    EXPECT_FALSE(shown(idle.compactModePicker()));
    EXPECT_FALSE(shown(idle.compactToolbarSlot()));
}

TEST_F(LayoutTest, ZenTimeRowsTakeTheToolbarOnlyWhileAttached)
{
    rig.interfaceSettings.setZenModeEnabled(true);
    rig.pomodoroSettings.setAutoStartsNextBreak(false);
    show();
    rig.timer.addTime(60, rig.clock.now());
    turn();
    EXPECT_TRUE(shown(view().activePage().compactToolbarSlot()));
    rig.presentation.setIsDetached(true);
    turn();
    EXPECT_FALSE(shown(view().activePage().compactToolbarSlot()));
    rig.timer.cancel(rig.clock.now());
    rig.pomodoro.commitSessions(2, rig.clock.now());
    rig.clock.advance(1500s);
    rig.timer.refresh(rig.clock.now());
    turn();
    WaitingDisplayPage& waiting = view().waitingPage();
    EXPECT_TRUE(shown(waiting.zenStartButton()));
    EXPECT_FALSE(shown(waiting.compactToolbarSlot()));
    EXPECT_FALSE(shown(waiting.startButton()));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&waiting.zenStartButton())->text(QAccessible::Name),
        QStringLiteral("start break"));
    waiting.zenStartButton().click();
    EXPECT_TRUE(rig.pomodoro.plan()->isPhaseRunning);
}

struct FrameCase {
    const char* name;
    bool zen;
    bool detached;
    bool tour;
    int top;
    int radius;
};

class RootFrame : public LayoutTest, public ::testing::WithParamInterface<FrameCase> { };

TEST_P(RootFrame, PaddingAndCardCornersFollowTheLayout)
{
    rig.interfaceSettings.setZenModeEnabled(GetParam().zen);
    rig.presentation.setIsDetached(GetParam().detached);
    rig.onboarding.setPresented(GetParam().tour);
    turn();
    const QMargins margins = view().layout()->contentsMargins();
    EXPECT_EQ(margins.top(), GetParam().top);
    EXPECT_EQ(margins.left(), 8);
    EXPECT_EQ(margins.bottom(), 8);
    EXPECT_EQ(view().cardCornerRadius(), GetParam().radius);
    EXPECT_EQ(view().headerSlot().isVisibleTo(&view()), !GetParam().zen || GetParam().detached || GetParam().tour);
}

INSTANTIATE_TEST_SUITE_P(Layouts, RootFrame,
    ::testing::Values(FrameCase { "standard", false, false, false, 5, 13 },
        FrameCase { "zenAttached", true, false, false, 8, 6 }, FrameCase { "zenDetached", true, true, false, 4, 6 },
        FrameCase { "zenDuringTour", true, false, true, 5, 13 }),
    [](const auto& info) { return std::string(info.param.name); });

// Says every text in capitals, so a test sees which texts follow the language.
class ShoutingTranslator final : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        // A count's %n stays, for Qt to fill in.
        return QByteArray(context) == "mewt" ? QString::fromUtf8(source).toUpper().replace("%N", "%n") : QString();
    }
    bool isEmpty() const override { return false; }
};

TEST_F(LayoutTest, LocalizedTextsFollowALanguageChangeAndWrittenOnesStay)
{
    rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock);
    show();
    ShoutingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    turn();
    TimerStartControls& start = view().idlePage().startControls();
    QAccessibleInterface* play = QAccessible::queryAccessibleInterface(&start.button());
    EXPECT_EQ(play->text(QAccessible::Name), QStringLiteral("start timer")); // shown as written
    EXPECT_EQ(play->text(QAccessible::Value), QStringLiteral("%1 MINUTES").arg(25));
    EXPECT_EQ(play->text(QAccessible::Description), QStringLiteral("STARTS THE QUICK TIMER WITHOUT PULLING"));
    EXPECT_EQ(view().idlePage().instructions().lines().front().text, QStringLiteral("DRAG THE TOP BAR PAW TO START"));
    EXPECT_EQ(view().activePage().cancelButton().accessibleName(), QStringLiteral("CANCEL TIMER"));
    QCoreApplication::removeTranslator(&translator);
    turn();
    EXPECT_EQ(view().activePage().cancelButton().accessibleName(), QStringLiteral("cancel timer"));
    EXPECT_EQ(play->text(QAccessible::Value), QStringLiteral("25 minutes"));
    ASSERT_NE(play->textInterface(), nullptr); // how the minutes reach AT-SPI
    EXPECT_EQ(play->textInterface()->text(0, -1), QStringLiteral("25 minutes"));
}

TEST_F(LayoutTest, TheStartButtonsPressActionStartsAndItsSoundTagIsSuccess)
{
    rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock);
    rig.pullSettings.setQuickTimeMinutes(10);
    show();
    ToolbarIconButton& play = view().idlePage().startControls().button();
    EXPECT_EQ(play.objectName(), QStringLiteral("mewt.sound.success"));
    EXPECT_EQ(play.toolTip(), QStringLiteral("start 10 minute timer"));
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&play);
    ASSERT_TRUE(node->actionInterface());
    node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(rig.timer.state(), TimerState::running(rig.clock.now() + 600s));
}

TEST_F(LayoutTest, CompactPickerSegmentsAreNamedRadioButtons)
{
    rig.interfaceSettings.setZenModeEnabled(true);
    rig.pomodoroSettings.setMode(TimerMode::pomodoro);
    show();
    TimerModePicker& picker = view().idlePage().compactModePicker();
    for (TimerMode mode : allTimerModes) {
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(picker.segment(mode));
        EXPECT_EQ(node->role(), QAccessible::RadioButton);
        EXPECT_EQ(node->text(QAccessible::Name), rawValue(mode));
        EXPECT_EQ(node->state().checked, mode == TimerMode::pomodoro);
    }
}

TEST_F(LayoutTest, ASessionNameIsShownAsPlainText)
{
    const QString name = QStringLiteral("%1 <b>R&D</b>");
    rig.timer.mutateDraftName(name);
    show();
    rig.timer.addTime(60, rig.clock.now());
    turn();
    bool found = false;
    for (const QLabel* label : view().activePage().timeButton().findChildren<QLabel*>()) {
        if (label->text() == name) {
            found = true;
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(LayoutTest, ALongNameIsShortenedAndNeverPushesTheButtonsOut)
{
    const QString name = QStringLiteral("reading the whole of the long report now");
    rig.timer.mutateDraftName(name);
    show();
    rig.pomodoro.commitSessions(4, rig.clock.now());
    turn();
    const QWidget& cancel = view().activePage().cancelButton();
    const QRect placed(cancel.mapTo(&view(), QPoint(0, 0)), cancel.size());
    EXPECT_TRUE(view().rect().contains(placed));
    EXPECT_EQ(view().width(), TimerPopoverView::contentWidth);
    bool found = false;
    for (const QLabel* label : view().activePage().timeButton().findChildren<QLabel*>()) {
        if (label->accessibleName() == name) {
            found = true;
            EXPECT_NE(label->text(), name);
            EXPECT_TRUE(label->text().endsWith(QChar(0x2026)));
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(LayoutTest, AHiddenPopoverRunsNoTimerOfItsOwn)
{
    view().sync();
    rig.timer.addTime(60, rig.clock.now());
    turn();
    EXPECT_EQ(view().displayContentID(), QStringLiteral("timer-active"));
    EXPECT_FALSE(view().isTicking());
    EXPECT_FALSE(view().contentSwitcher().isTransitioning());
    EXPECT_FALSE(view().activePage().yarn().isRevealing());
}

} // namespace
} // namespace mewt

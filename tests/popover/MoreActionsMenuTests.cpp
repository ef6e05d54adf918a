#include "PopoverViewRig.h"
#include "model/PomodoroPlan.h"
#include "popover/CompactToolbar.h"
#include "popover/MenuRowStyle.h"
#include "popover/MoreActionsMenu.h"
#include "popover/NotificationBanner.h"
#include "popover/PopoverHeader.h"
#include "popover/ToolbarIconButton.h"

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QToolButton>
#include <gtest/gtest.h>

namespace mewt {
namespace {

using A = TimerPopoverUtilityAction;

class MenuTest : public ::testing::Test {
protected:
    testing::PopoverViewRig rig;

    TimerPopoverView& view() { return rig.view(); }
    MoreActionsMenu& menu() { return view().moreActionsMenu(); }
    // What a person does: open the menu, then choose the row.
    int choose(QAction* action)
    {
        menu().refresh();
        const int before = rig.defaults.writeCount();
        action->trigger();
        return rig.defaults.writeCount() - before;
    }
    QAction* choice(QMenu* submenu, const QString& text)
    {
        for (QAction* action : submenu->actions())
            if (action->text() == text)
                return action;
        return nullptr;
    }
};

// The row list.
using MenuRows = MenuTest;

TEST_F(MenuRows, TheWelcomeTourRowStandsBetweenFeedbackAndSettingsOnlyWhenAskedFor)
{
    for (const bool withTour : { false, true }) {
        const QList<A> rows = timerPopoverUtilityActions(withTour);
        ASSERT_EQ(rows.size(), withTour ? 18 : 17);
        const qsizetype feedback = rows.indexOf(A::sendFeedback);
        EXPECT_EQ(rows.mid(feedback),
            withTour ? QList<A>({ A::sendFeedback, A::welcomeTour, A::settings, A::separator, A::quit })
                     : QList<A>({ A::sendFeedback, A::settings, A::separator, A::quit }));
        EXPECT_EQ(rows.count(A::separator), 4);
    }
}

TEST_F(MenuRows, EachSeparatorIsARowOfItsOwnInTheMenu)
{
    const QList<QAction*>& rows = menu().rowActions();
    ASSERT_EQ(rows.size(), menu().rowList().size());
    EXPECT_EQ(menu().actions(), rows);
    int separators = 0;
    for (int i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i]->isSeparator(), menu().rowList()[i] == A::separator) << i;
        separators += rows[i]->isSeparator();
    }
    EXPECT_EQ(separators, 4);
}

// A toggle row writes its setting once through the store and shows the stored value when it opens.
struct ToggleCase {
    const char* name;
    A row;
    std::function<bool(testing::PopoverViewRig&)> read;
    std::function<void(testing::PopoverViewRig&, bool)> write;
};

class MenuToggle : public MenuTest, public ::testing::WithParamInterface<ToggleCase> { };

TEST_P(MenuToggle, WritesTheFlippedValueOnceAndShowsStoreChangesWithoutWritingBack)
{
    const ToggleCase& c = GetParam();
    QAction* row = menu().rowAction(c.row);
    ASSERT_TRUE(row && row->isCheckable());
    const bool before = c.read(rig);
    EXPECT_EQ(choose(row), 1);
    EXPECT_EQ(c.read(rig), !before);

    c.write(rig, before);
    const int writes = rig.defaults.writeCount();
    menu().refresh();
    EXPECT_EQ(row->isChecked(), before);
    EXPECT_EQ(rig.defaults.writeCount(), writes);

    // A screen reader presses the row: the same single write.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&menu());
    QAccessibleInterface* item = list->child(int(menu().actions().indexOf(row)));
    ASSERT_TRUE(item && item->state().checkable);
    item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(rig.defaults.writeCount(), writes + 1);
    EXPECT_EQ(c.read(rig), !before);
}

// On and off read one way on every row, with an icon or without: a mark at the trailing end and no
// other difference.
TEST_P(MenuToggle, ShowsItsStateByTheSameTrailingMarkAndNothingElse)
{
    const ToggleCase& c = GetParam();
    const auto picture = [this](QAction* row, const QRect& part) {
        menu().refresh();
        menu().adjustSize();
        return menu().grab(part.translated(menu().actionGeometry(row).topLeft())).toImage();
    };
    QAction* row = menu().rowAction(c.row);
    const QRect whole(QPoint(), menu().actionGeometry(row).size());
    const QRect mark = MenuRowStyle::markRect(whole);
    c.write(rig, false);
    const QImage off = picture(row, whole);
    c.write(rig, true);
    const QImage on = picture(row, whole);
    QImage unmarked = on;
    for (int y = mark.top(); y <= mark.bottom(); ++y) {
        for (int x = mark.left(); x <= mark.right(); ++x)
            unmarked.setPixelColor(x, y, off.pixelColor(x, y));
    }
    EXPECT_NE(on, off);
    EXPECT_EQ(unmarked, off) << "nothing but the mark changes";

    rig.interfaceSettings.setZenModeEnabled(true);
    QAction* plain = menu().rowAction(A::zenMode);
    EXPECT_EQ(picture(row, mark), picture(plain, mark)) << "the same mark as the row without an icon";
}

INSTANTIATE_TEST_SUITE_P(Rows, MenuToggle,
    ::testing::Values(ToggleCase { "continuousMode", A::continuousMode,
                          [](auto& r) { return r.pomodoroSettings.isContinuousModeEnabled(); },
                          [](auto& r, bool v) { r.pomodoroSettings.setContinuousModeEnabled(v); } },
        ToggleCase { "zenMode", A::zenMode, [](auto& r) { return r.interfaceSettings.isZenModeEnabled(); },
            [](auto& r, bool v) { r.interfaceSettings.setZenModeEnabled(v); } },
        ToggleCase { "showInstructions", A::showInstructions,
            [](auto& r) { return r.interfaceSettings.showsTimerInstructions(); },
            [](auto& r, bool v) { r.interfaceSettings.setShowsTimerInstructions(v); } },
        ToggleCase { "autoDismiss", A::autoDismiss,
            [](auto& r) { return r.interfaceSettings.automaticallyDismissesControls(); },
            [](auto& r, bool v) { r.interfaceSettings.setAutomaticallyDismissesControls(v); } },
        ToggleCase { "endingCue", A::endingCue, [](auto& r) { return r.interfaceSettings.showsEndingCue(); },
            [](auto& r, bool v) { r.interfaceSettings.setShowsEndingCue(v); } }),
    [](const auto& info) { return std::string(info.param.name); });

// Submenus and pickers.
using MenuPickers = MenuTest;

TEST_F(MenuPickers, TheAutostartTogglesWriteTheirOwnSettingOnly)
{
    QAction* nextBreak = menu().autostartMenu()->actions().value(1);
    ASSERT_TRUE(nextBreak);
    const bool focus = rig.pomodoroSettings.autoStartsNextFocus();
    const bool brk = rig.pomodoroSettings.autoStartsNextBreak();
    EXPECT_EQ(choose(nextBreak), 1);
    EXPECT_EQ(rig.pomodoroSettings.autoStartsNextBreak(), !brk);
    EXPECT_EQ(rig.pomodoroSettings.autoStartsNextFocus(), focus);
}

TEST_F(MenuPickers, ChoosingTheSelectedOptionWritesNothingAndAnotherWritesOnce)
{
    rig.pullSettings.setGranularity(PullGranularity::minute);
    menu().refresh();
    QAction* selected = choice(menu().pullStepMenu(), QStringLiteral("1 min"));
    QAction* other = choice(menu().pullStepMenu(), QStringLiteral("15 min"));
    ASSERT_TRUE(selected && other);
    EXPECT_TRUE(selected->isChecked());
    EXPECT_EQ(choose(selected), 0);
    EXPECT_EQ(choose(other), 1);
    EXPECT_EQ(rig.pullSettings.granularity(), PullGranularity::fifteenMinutes);

    EXPECT_EQ(choose(choice(menu().layoutMenu(), QStringLiteral("clock"))), 1);
    EXPECT_EQ(rig.interfaceSettings.timerIdleLayout(), TimerIdleLayout::clock);
    EXPECT_EQ(choose(choice(menu().modeMenu(), QStringLiteral("pomodoro"))), 1);
    EXPECT_EQ(rig.pomodoroSettings.mode(), TimerMode::pomodoro);
}

TEST_F(MenuPickers, TheModeSubmenuIsOffWhileATimerRunsOrPausesOrAnyPlanExists)
{
    const auto modeEnabled = [this] {
        menu().refresh();
        return menu().modeMenu()->menuAction()->isEnabled();
    };
    EXPECT_TRUE(modeEnabled());
    rig.timer.addTime(300, rig.clock.now());
    EXPECT_FALSE(modeEnabled());
    rig.timer.pause(rig.clock.now());
    EXPECT_FALSE(modeEnabled());
    EXPECT_TRUE(menu().rowAction(A::zenMode)->isEnabled());
    rig.timer.cancel(rig.clock.now());
    EXPECT_TRUE(modeEnabled());
    rig.pomodoroSettings.setMode(TimerMode::pomodoro);
    rig.pomodoro.commitSessions(1, rig.clock.now());
    EXPECT_FALSE(modeEnabled());
}

TEST_F(MenuPickers, TheSoundRowMutesAndThenOffersToUnmute)
{
    rig.interfaceSettings.setTactileSoundsEnabled(true);
    QAction* sound = menu().rowAction(A::toggleSound);
    EXPECT_EQ(choose(sound), 1);
    EXPECT_FALSE(rig.interfaceSettings.tactileSoundsEnabled());
    menu().refresh();
    EXPECT_EQ(sound->text(), QStringLiteral("unmute volume"));
    EXPECT_EQ(choose(sound), 1);
    EXPECT_TRUE(rig.interfaceSettings.tactileSoundsEnabled());
}

// The rows that leave the popover call the owner's callbacks, and nothing when none is set.
TEST_F(MenuRows, EachLeavingRowCallsItsOwnCallbackOnce)
{
    std::map<A, int> calls;
    view().onQuit = [&] { ++calls[A::quit]; };
    view().onShowOptions = [&] { ++calls[A::settings]; };
    view().onSendFeedback = [&] { ++calls[A::sendFeedback]; };
    view().onShowWelcomeTour = [&] { ++calls[A::welcomeTour]; };
    for (const A row : { A::quit, A::settings, A::sendFeedback, A::welcomeTour }) {
        menu().rowAction(row)->trigger();
        EXPECT_EQ(calls[row], 1) << int(row);
    }
    EXPECT_EQ(calls.size(), 4u);

    view().onQuit = nullptr;
    view().onShowOptions = nullptr;
    menu().rowAction(A::quit)->trigger();
    menu().rowAction(A::settings)->trigger();
}

// The notification banner.
struct BannerCase {
    const char* name;
    bool tour;
    NotificationAuthorizationState authorization;
    std::optional<NotificationDeliveryState> delivery;
    bool shows;
};

class BannerRule : public ::testing::TestWithParam<BannerCase> { };

TEST_P(BannerRule, ShowsOnlyWhenTheNotificationWouldNotReachTheUser)
{
    const BannerCase& c = GetParam();
    EXPECT_EQ(showsNotificationBanner(c.tour, c.authorization, c.delivery), c.shows);
}

using Auth = NotificationAuthorizationState;
INSTANTIATE_TEST_SUITE_P(Cases, BannerRule,
    ::testing::Values(BannerCase { "neverAsked", false, Auth::unknown, std::nullopt, true },
        BannerCase { "denied", false, Auth::denied, std::nullopt, true },
        BannerCase { "allowed", false, Auth::allowed, std::nullopt, false },
        BannerCase { "duringTheTour", true, Auth::denied, std::nullopt, false },
        BannerCase { "deliveryDeniedOutranksAllowed", false, Auth::allowed,
            NotificationDeliveryState { Auth::denied, true, true }, true },
        BannerCase { "alertsAndSoundsOff", false, Auth::allowed,
            NotificationDeliveryState { Auth::allowed, false, false }, true },
        BannerCase {
            "soundsOnly", false, Auth::allowed, NotificationDeliveryState { Auth::allowed, false, true }, false },
        BannerCase { "deliveryAllowedOutranksUnknown", false, Auth::unknown,
            NotificationDeliveryState { Auth::allowed, true, false }, false }),
    [](const auto& info) { return std::string(info.param.name); });

using HeaderTest = MenuTest;

TEST_F(HeaderTest, TheBannerAsksOnceThenSaysWhereToLookWhenNoSettingsOpen)
{
    view().openNotificationSettings = [] { return false; };
    view().show();
    rig.presentation.setVisible(true);
    NotificationBanner& banner = view().standardHeader().banner();
    testing::PopoverViewRig::settle();
    ASSERT_TRUE(banner.isVisible());
    EXPECT_EQ(banner.actionButton().text(), QStringLiteral("allow"));
    banner.actionButton().click();
    testing::PopoverViewRig::settle();
    EXPECT_EQ(rig.notifications.permissionRequests, 1);

    rig.notifications.onAuthorizationChange(Auth::denied);
    testing::PopoverViewRig::settle();
    const QString before = banner.text();
    banner.actionButton().click();
    testing::PopoverViewRig::settle();
    EXPECT_EQ(rig.notifications.permissionRequests, 1);
    EXPECT_NE(banner.text(), before);

    rig.notifications.onAuthorizationChange(Auth::allowed);
    testing::PopoverViewRig::settle();
    EXPECT_FALSE(banner.isVisible());
}

TEST_F(HeaderTest, TheUpdateLinkShowsAKnownVersionAndIsOffWhileACheckRuns)
{
    int checks = 0;
    view().onCheckForUpdates = [&] { ++checks; };
    PopoverHeader& header = view().standardHeader();
    EXPECT_FALSE(header.showsUpdateLink());
    view().setUpdateOffer(QStringLiteral("2.1"), false);
    view().sync();
    ASSERT_TRUE(header.showsUpdateLink());
    EXPECT_TRUE(header.updateLink().accessibleName().contains(QStringLiteral("2.1")));
    // The dot before the link is for the eye: a reader meets the link alone.
    view().show();
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(&header.updateLink())->state().invisible);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(header.findChild<QWidget*>(QStringLiteral("updateDot")))
                    ->state()
                    .invisible);
    header.updateLink().click();
    EXPECT_EQ(checks, 1);
    view().setUpdateOffer(QStringLiteral("2.1"), true);
    view().sync();
    EXPECT_FALSE(header.updateLink().isEnabled());
}

TEST_F(HeaderTest, TheToolbarFrameIsPublishedWhileTheHeaderShowsAndClearedInZen)
{
    view().show();
    rig.presentation.setVisible(true);
    for (int i = 0; i < 5; ++i)
        testing::PopoverViewRig::settle();
    ASSERT_TRUE(rig.presentation.standardToolbarFrame());
    EXPECT_TRUE(rig.presentation.standardToolbarFrame()->contains(
        view().standardHeader().menuButton().mapTo(&view(), QPointF(10, 10))));
    rig.interfaceSettings.setZenModeEnabled(true);
    for (int i = 0; i < 5; ++i)
        testing::PopoverViewRig::settle();
    EXPECT_FALSE(rig.presentation.standardToolbarFrame());
}

// The compact toolbar's skip rule.
struct SkipCase {
    const char* name;
    PomodoroPhase phase;
    bool running;
    bool continuous;
    qint64 total;
    qint64 completed;
    qint64 phaseLength;
    bool shows;
};

class SkipRule : public ::testing::TestWithParam<SkipCase> { };

TEST_P(SkipRule, ShowsOnlyWhenAnotherPhaseFollowsTheRunningOne)
{
    const SkipCase& c = GetParam();
    PomodoroPlan plan;
    plan.phase = c.phase;
    plan.isPhaseRunning = c.running;
    plan.isContinuous = c.continuous;
    plan.totalFocusSeconds = c.total;
    plan.completedFocusSeconds = c.completed;
    plan.phaseDurationSeconds = c.phaseLength;
    EXPECT_EQ(showsSkipButton(plan), c.shows);
}

INSTANTIATE_TEST_SUITE_P(Cases, SkipRule,
    ::testing::Values(SkipCase { "continuousBreak", PomodoroPhase::shortBreak, true, true, 0, 0, 300, true },
        SkipCase { "waitingBetweenPhases", PomodoroPhase::focus, false, true, 3000, 0, 1500, false },
        SkipCase { "breakWithFocusOwed", PomodoroPhase::longBreak, true, false, 3000, 1500, 900, true },
        SkipCase { "breakWithNothingOwed", PomodoroPhase::shortBreak, true, false, 3000, 3000, 300, false },
        SkipCase { "lastFocusBlock", PomodoroPhase::focus, true, false, 3000, 1500, 1500, false },
        SkipCase { "focusWithMoreToCome", PomodoroPhase::focus, true, false, 3000, 0, 1500, true },
        SkipCase { "overCompletedFocus", PomodoroPhase::focus, true, false, 3000, 4000, 1, false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SkipRuleWithoutPlan, NoPlanShowsNoSkip)
{
    EXPECT_FALSE(showsSkipButton(std::nullopt));
}

TEST_F(HeaderTest, TheCompactStopShowsForAPausedTimerAndCancelsIt)
{
    CompactToolbar& toolbar = *view().compactToolbars()[1];
    view().sync();
    EXPECT_FALSE(showsStopButton(rig.timer.state(), rig.pomodoro.plan()));
    rig.timer.addTime(300, rig.clock.now());
    rig.timer.pause(rig.clock.now());
    view().sync();
    EXPECT_FALSE(toolbar.stopButton().isHidden());
    toolbar.stopButton().click();
    EXPECT_TRUE(rig.timer.state().isIdle());
    EXPECT_EQ(view().compactMoreActionsMenu().rowAction(A::welcomeTour), nullptr);
}

} // namespace
} // namespace mewt

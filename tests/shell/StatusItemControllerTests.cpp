#include "PawStatusView.h"
#include "PullHandlePanel.h"
#include "ShellRig.h"
#include "StatusItemWindow.h"
#include "TrillPlayer.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace mewt;
using namespace mewt::testing;
using namespace std::chrono_literals;

namespace {

class StatusItem : public ::testing::Test {
protected:
    void SetUp() override
    {
        coordinator = std::make_unique<AppCoordinator>(rig.services());
        coordinator->start();
    }

    StatusItemController& item() { return coordinator->statusItemController(); }
    StatusTitle title() { return item().view().title(); }
    int trillsStarted() const
    {
        const auto& log = coordinator->audioEngine().commandLog();
        return static_cast<int>(std::count_if(log.begin(), log.end(),
            [](const AudioCommand& command) { return command.kind == AudioCommand::Kind::startCat; }));
    }

    ShellRig rig;
    std::unique_ptr<AppCoordinator> coordinator;
};

TEST_F(StatusItem, IsASmallNeverFocusedWindowAtTheTopRight)
{
    StatusItemWindow& window = item().window();
    EXPECT_EQ(window.objectName(), QStringLiteral("Mewt.TimerStatusItem"));
    const Qt::WindowFlags flags = window.windowFlags();
    for (const Qt::WindowType flag : { Qt::Tool, Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint,
             Qt::WindowDoesNotAcceptFocus, Qt::X11BypassWindowManagerHint })
        EXPECT_TRUE(flags.testFlag(flag)) << flag;
    EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window.geometry().right(), area.right() - StatusItemWindow::screenMargin);
    EXPECT_EQ(window.geometry().top(), area.top() + StatusItemWindow::screenMargin);
    EXPECT_LE(window.height(), 28);
}

TEST_F(StatusItem, StaysAnchoredToTheRightAsTheTitleGrows)
{
    StatusItemWindow& window = item().window();
    const int idleWidth = window.width();
    const int right = window.geometry().right();
    coordinator->timerStore().addTime(3 * 3600, rig.clock.now());
    EXPECT_GT(window.width(), idleWidth);
    EXPECT_EQ(window.geometry().right(), right);
    EXPECT_TRUE(window.geometry().contains(item().window().pawScreenRect()));
}

TEST_F(StatusItem, FollowsTheTimerThroughEveryState)
{
    TimerStore& timer = coordinator->timerStore();
    EXPECT_EQ(title().kind, StatusTitle::Kind::none);
    timer.addTime(600, rig.clock.now());
    EXPECT_EQ(title(), (StatusTitle { StatusTitle::Kind::running, QStringLiteral("10m") }));
    rig.clock.advance(61s);
    timer.tick();
    EXPECT_EQ(title().text, QStringLiteral("9m"));
    timer.pause(rig.clock.now());
    EXPECT_EQ(title(), (StatusTitle { StatusTitle::Kind::paused, QStringLiteral("9m") }));
    timer.resume(rig.clock.now());
    EXPECT_EQ(title().kind, StatusTitle::Kind::running);
    timer.cancel(rig.clock.now());
    EXPECT_EQ(title().kind, StatusTitle::Kind::none);
}

TEST_F(StatusItem, AWaitingPlanCountsItsOverdueTimeEverySecond)
{
    coordinator->pomodoroSettingsStore().setAutoStartsNextBreak(false);
    coordinator->commitPull({ 2, 3000, TimerMode::pomodoro });
    EXPECT_FALSE(item().isOverdueTickArmed());
    rig.clock.set(*coordinator->timerStore().state().endDate());
    coordinator->timerStore().tick();
    ASSERT_TRUE(coordinator->pomodoroStore().plan());
    ASSERT_FALSE(coordinator->pomodoroStore().plan()->isPhaseRunning);
    EXPECT_EQ(title(), (StatusTitle { StatusTitle::Kind::overdue, QChar(0x2212) + QStringLiteral("0:00") }));
    EXPECT_TRUE(item().isOverdueTickArmed());

    rig.clock.advance(65s);
    item().refresh();
    EXPECT_EQ(title().text, QChar(0x2212) + QStringLiteral("1:05"));
    coordinator->pomodoroStore().endPlan();
    EXPECT_EQ(title().kind, StatusTitle::Kind::none);
    EXPECT_FALSE(item().isOverdueTickArmed());
}

TEST_F(StatusItem, APressOnThePawRevealsTheHandleWithATrill)
{
    QTest::mousePress(&item().view(), Qt::LeftButton, {}, item().view().pawRect().center());
    EXPECT_TRUE(item().pullHandle().isRevealed());
    EXPECT_EQ(trillsStarted(), item().trillPlayer().trillCount() > 0 ? 1 : 0);
    QTest::mouseRelease(&item().view(), Qt::LeftButton, {}, item().view().pawRect().center());
    item().concealPullHandle();
    EXPECT_TRUE(item().pullHandle().isRevealed()); // hidden from the event loop, not inside the call
    QCoreApplication::processEvents();
    EXPECT_FALSE(item().pullHandle().isRevealed());
}

// The paw has its trill; the control sounds every button makes must leave it alone.
TEST_F(StatusItem, APressOnThePawMakesNoControlSound)
{
    const AudioSamples press = coordinator->tactileSoundPlayer().buffer(TactileSound::press);
    const auto presses = [&] {
        const auto& log = coordinator->audioEngine().commandLog();
        return std::count_if(log.begin(), log.end(), [&](const AudioCommand& c) { return c.samples == press; });
    };
    QWindow* paw = item().window().windowHandle();
    ASSERT_NE(paw, nullptr);
    const QPoint inside = item().view().mapTo(&item().window(), item().view().pawRect().center());
    // The handle takes the press over from where the pointer is.
    QCursor::setPos(item().window().mapToGlobal(inside));
    QTest::mousePress(paw, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(paw, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(item().pullHandle().isRevealed());
    EXPECT_EQ(presses(), 0);

    // The same press on an ordinary button does sound, so the silence above is the paw's own.
    QPushButton button(QStringLiteral("button"));
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QTest::mousePress(button.windowHandle(), Qt::LeftButton, {}, button.rect().center());
    QTest::mouseRelease(button.windowHandle(), Qt::LeftButton, {}, button.rect().center());
    EXPECT_EQ(presses(), 1);
}

TEST_F(StatusItem, ThePawIsSilentWithInterfaceSoundsOff)
{
    coordinator->interfaceSettingsStore().setTactileSoundsEnabled(false);
    item().pawPressed();
    EXPECT_TRUE(item().pullHandle().isRevealed());
    EXPECT_EQ(trillsStarted(), 0);
}

TEST_F(StatusItem, TheTrillTakesTheInterfaceSoundVolume)
{
    if (item().trillPlayer().trillCount() == 0)
        GTEST_SKIP() << "no trills compiled in";
    coordinator->interfaceSettingsStore().setTactileSoundVolume(0.4);
    item().pawPressed();
    EXPECT_DOUBLE_EQ(item().trillPlayer().volume(), 0.4);
}

TEST_F(StatusItem, AfterACommitThePawPeeksOutForAMoment)
{
    coordinator->commitPull({ 1, 60, TimerMode::timer });
    ASSERT_TRUE(item().isPawMomentPending());
    EXPECT_FALSE(item().pullHandle().isRevealed());
    item().pawMomentElapsed();
    EXPECT_TRUE(item().pullHandle().isRevealed());
    EXPECT_TRUE(item().isPawMomentPending());
    item().pawMomentElapsed();
    EXPECT_FALSE(item().pullHandle().isRevealed());
    EXPECT_FALSE(item().isPawMomentPending());
}

TEST_F(StatusItem, APressDuringTheMomentKeepsTheHandle)
{
    coordinator->commitPull({ 1, 60, TimerMode::timer });
    item().pawMomentElapsed();
    item().pawPressed();
    EXPECT_FALSE(item().isPawMomentPending());
    EXPECT_TRUE(item().pullHandle().isRevealed());
}

TEST_F(StatusItem, FollowsTheDesktopLook)
{
    item().setDark(true);
    EXPECT_TRUE(item().view().isDark());
    Q_EMIT coordinator->appearanceMonitor().darkChanged(false);
    EXPECT_FALSE(item().view().isDark());
}

TEST_F(StatusItem, IsGoneAfterCloseAndCallsNothingBack)
{
    bool pulled = false;
    item().onPull = [&](const PullGestureEvent&) { pulled = true; };
    item().close();
    EXPECT_FALSE(item().window().isVisible());
    item().pawPressed();
    EXPECT_FALSE(item().pullHandle().isRevealed());
    EXPECT_FALSE(pulled);
}

} // namespace

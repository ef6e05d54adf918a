#include "pull/PullHandlePanel.h"
#include "ShellRig.h"
#include "shell/StatusItemWindow.h"
#include "cues/TrillPlayer.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace mewt;
using namespace mewt::testing;
using namespace std::chrono_literals;

namespace {

class StatusItem : public CoordinatorTest {
protected:
    void SetUp() override { started(); }
    StatusItemController& item() { return coordinator->statusItemController(); }
    int trillsStarted() { return soundCommands(*coordinator, AudioCommand::Kind::startCat); }
};

TEST_F(StatusItem, IsANeverFocusedWindowAnchoredAtTheTopRightThatFollowsTheDesktopLook)
{
    StatusItemWindow& window = item().window();
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window.geometry().right(), area.right() - StatusItemWindow::screenMargin);
    EXPECT_EQ(window.geometry().top(), area.top() + StatusItemWindow::screenMargin);

    const int idleWidth = window.width();
    coordinator->timerStore().addTime(3 * 3600, rig.clock.now());
    EXPECT_GT(window.width(), idleWidth);
    EXPECT_EQ(window.geometry().right(), area.right() - StatusItemWindow::screenMargin);
    EXPECT_TRUE(window.geometry().contains(window.pawScreenRect()));

    Q_EMIT coordinator->appearanceMonitor().darkChanged(true);
    EXPECT_TRUE(item().view().isDark());
}

TEST_F(StatusItem, AWaitingPlanCountsItsOverdueTimeEverySecond)
{
    coordinator->pomodoroSettingsStore().setAutoStartsNextBreak(false);
    coordinator->commitPull({ 2, 3000, TimerMode::pomodoro });
    EXPECT_FALSE(item().isOverdueTickArmed());
    rig.clock.set(*coordinator->timerStore().state().endDate());
    coordinator->timerStore().tick();
    EXPECT_EQ(title(), QChar(0x2212) + QStringLiteral("0:00"));
    EXPECT_TRUE(item().isOverdueTickArmed());

    rig.clock.advance(65s);
    item().refresh();
    EXPECT_EQ(title(), QChar(0x2212) + QStringLiteral("1:05"));
    coordinator->pomodoroStore().endPlan();
    EXPECT_EQ(title(), QString());
    EXPECT_FALSE(item().isOverdueTickArmed());
}

// The paw has its trill at the interface-sound volume; the control sounds every button makes
// must leave it alone.
TEST_F(StatusItem, APressOnThePawRevealsTheHandleWithATrillAndNoControlSound)
{
    coordinator->interfaceSettingsStore().setTactileSoundVolume(0.4);
    const auto presses = [&] {
        const AudioSamples press = coordinator->tactileSoundPlayer().buffer(TactileSound::press);
        return soundCommands(*coordinator, AudioCommand::Kind::playTactile, press);
    };
    QWindow* paw = item().window().windowHandle();
    ASSERT_NE(paw, nullptr);
    const QPoint inside = item().view().mapTo(&item().window(), item().view().pawRect().center());
    // The handle takes the press over from where the pointer is.
    QCursor::setPos(item().window().mapToGlobal(inside));
    QTest::mousePress(paw, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(paw, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(item().pullHandle().isRevealed());
    const bool trills = item().trillPlayer().trillCount() > 0;
    EXPECT_EQ(trillsStarted(), trills ? 1 : 0);
    EXPECT_DOUBLE_EQ(item().trillPlayer().volume(), trills ? 0.4 : 0.0);
    EXPECT_EQ(presses(), 0);
    item().concealPullHandle();
    EXPECT_TRUE(item().pullHandle().isRevealed()); // hidden from the event loop, not inside the call
    QCoreApplication::processEvents();
    EXPECT_FALSE(item().pullHandle().isRevealed());

    // The same press on an ordinary button does sound, so the silence above is the paw's own.
    QPushButton button(QStringLiteral("button"));
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QTest::mousePress(button.windowHandle(), Qt::LeftButton, {}, button.rect().center());
    QTest::mouseRelease(button.windowHandle(), Qt::LeftButton, {}, button.rect().center());
    EXPECT_EQ(presses(), 1);
}

TEST_F(StatusItem, AfterACommitThePawPeeksOutForAMomentUnlessPressedSilentlyWithSoundsOff)
{
    coordinator->interfaceSettingsStore().setTactileSoundsEnabled(false);
    coordinator->commitPull({ 1, 60, TimerMode::timer });
    ASSERT_TRUE(item().isPawMomentPending());
    EXPECT_FALSE(item().pullHandle().isRevealed());
    item().pawMomentElapsed();
    EXPECT_TRUE(item().pullHandle().isRevealed());
    EXPECT_TRUE(item().isPawMomentPending());
    item().pawMomentElapsed();
    EXPECT_FALSE(item().pullHandle().isRevealed());
    EXPECT_FALSE(item().isPawMomentPending());

    coordinator->commitPull({ 1, 60, TimerMode::timer });
    item().pawMomentElapsed();
    item().pawPressed();
    EXPECT_FALSE(item().isPawMomentPending());
    EXPECT_TRUE(item().pullHandle().isRevealed());
    EXPECT_EQ(trillsStarted(), 0);
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

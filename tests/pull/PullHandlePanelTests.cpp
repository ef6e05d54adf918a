#include "PullRig.h"
#include "pull/PullHandlePanel.h"
#include "pull/PullInteractionController.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace mewt;
using namespace mewt::testing;
using Phase = PullGestureEvent::Phase;

class PullHandle : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel.onPull = [this](const PullGestureEvent& event) { events.push_back(event); };
        panel.onRevealChange = [this](bool revealed) { reveals.push_back(revealed); };
    }

    void TearDown() override
    {
        panel.concealPullHandle();
        if (QWidget* grabber = QWidget::mouseGrabber())
            grabber->releaseMouse();
    }

    void reveal() { panel.revealPullHandle(QRectF(100, 0, 34, 24)); }
    QPointF global(QPoint local) const { return panel.mapToGlobal(QPointF(local)); }

    PullRig rig;
    PullHandlePanel panel { rig.interfaceSettings, CatTheme::defaultTheme() };
    std::vector<PullGestureEvent> events;
    std::vector<bool> reveals;
};

TEST_F(PullHandle, RevealsUnderThePawTaggedAsThePawControl)
{
    reveal();
    EXPECT_TRUE(panel.isRevealed());
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.objectName(), QStringLiteral("mewt.paw-control"));
    EXPECT_EQ(panel.restingGeometry(), QRect(100, 24, 34, 63));
    EXPECT_TRUE(panel.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(panel.windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
    EXPECT_EQ(reveals, std::vector<bool> { true });
    panel.concealPullHandle();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(reveals, (std::vector<bool> { true, false }));
}

TEST_F(PullHandle, ADragReportsBeganChangedOncePerFrameAndEnded)
{
    reveal();
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(17, 30));
    EXPECT_TRUE(events.empty()); // a press may still be a click
    EXPECT_TRUE(panel.isDragging());
    EXPECT_EQ(QWidget::mouseGrabber(), &panel);
    EXPECT_EQ(QWidget::keyboardGrabber(), &panel);
    EXPECT_TRUE(panel.isFrameTimerRunning());
    EXPECT_FALSE(panel.isAutoHideArmed());

    // Two moves within one frame make one event, with the later pointer.
    QTest::mouseMove(&panel, QPoint(20, 90));
    QTest::mouseMove(&panel, QPoint(25, 130));
    EXPECT_TRUE(events.empty());
    panel.flushFrame();
    ASSERT_EQ(events.size(), 2U);
    const QPointF anchor = global(QPoint(17, 30));
    EXPECT_EQ(events[0], (PullGestureEvent { Phase::began, anchor, anchor, events[0].screenFrame }));
    EXPECT_FALSE(events[0].screenFrame.isEmpty());
    EXPECT_EQ(events[1].phase, Phase::changed);
    EXPECT_EQ(events[1].pointerLocation - anchor, QPointF(8, 100));
    EXPECT_TRUE(panel.isPulling());
    panel.flushFrame();
    EXPECT_EQ(events.size(), 2U); // no move, no event

    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(25, 230));
    ASSERT_EQ(events.size(), 3U);
    EXPECT_EQ(events[2].phase, Phase::ended);
    EXPECT_EQ(events[2].anchorPoint, anchor);
    EXPECT_EQ(events[2].pointerLocation.y() - anchor.y(), 200.0);
    EXPECT_FALSE(panel.isDragging());
    EXPECT_FALSE(panel.isFrameTimerRunning());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    EXPECT_FALSE(panel.isRevealed());
}

TEST_F(PullHandle, AClickOrAWobbleIsNoPullAndLeavesTheHandleOut)
{
    reveal();
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(17, 30));
    QTest::mouseMove(&panel, QPoint(19, 33)); // 3.6 points
    panel.flushFrame();
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(19, 33));
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(panel.isRevealed());
    EXPECT_TRUE(panel.isAutoHideArmed());
    EXPECT_FALSE(panel.isFrameTimerRunning());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    EXPECT_TRUE(panel.isVisible());

    // The popover the press opened now lies over it: the window goes, the handle stays out and
    // still hides by itself, and the next press on the paw brings the window back.
    panel.isCovered = [] { return true; };
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(17, 30));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(17, 30));
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(panel.isRevealed());
    EXPECT_TRUE(panel.isAutoHideArmed());
    EXPECT_EQ(reveals, std::vector<bool> { true });
    reveal();
    EXPECT_TRUE(panel.isVisible());
    panel.autoHideTimeout();
    EXPECT_FALSE(panel.isRevealed());
}

TEST_F(PullHandle, AFlickFasterThanAFrameStillPulls)
{
    reveal();
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(17, 30));
    QTest::mouseMove(&panel, QPoint(17, 100));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(17, 130));
    ASSERT_EQ(events.size(), 2U);
    EXPECT_EQ(events[0].phase, Phase::began);
    EXPECT_EQ(events[1].phase, Phase::ended);
    EXPECT_EQ(events[1].pointerLocation - events[1].anchorPoint, QPointF(0, 100));
}

class PullHandleInterruptions : public PullHandle, public ::testing::WithParamInterface<int> { };

TEST_P(PullHandleInterruptions, CancelAndLeaveNoGrabOrTimerBehind)
{
    reveal();
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(17, 30));
    QTest::mouseMove(&panel, QPoint(17, 130));
    panel.flushFrame();
    QWidget thief;
    switch (GetParam()) {
    case 0: QTest::keyClick(&panel, Qt::Key_Escape); break;
    case 1: {
        // A popup or a locker takes the pointer; the next frame notices.
        thief.show();
        thief.grabMouse();
        panel.flushFrame();
        thief.releaseMouse();
        break;
    }
    case 2: {
        // The release happened where we could not see it.
        QMouseEvent move(
            QEvent::MouseMove, QPointF(17, 160), global(QPoint(17, 160)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&panel, &move);
        break;
    }
    case 3: panel.concealPullHandle(); break;
    case 4: panel.hide(); break;
    }
    ASSERT_EQ(events.size(), 3U);
    EXPECT_EQ(events.back().phase, Phase::cancelled);
    EXPECT_EQ(events.back().pointerLocation, global(QPoint(17, 130)));
    EXPECT_FALSE(panel.isDragging());
    EXPECT_FALSE(panel.isFrameTimerRunning());
    EXPECT_NE(QWidget::mouseGrabber(), &panel);
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    // Nothing more arrives from that pull.
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(17, 200));
    EXPECT_EQ(events.size(), 3U);
}

INSTANTIATE_TEST_SUITE_P(Ways, PullHandleInterruptions, ::testing::Range(0, 5));

TEST_F(PullHandle, APressStillHeldFromThePawBecomesThePull)
{
    // Through the window system, as real input arrives: the paw's window keeps receiving the
    // pointer (its press grabbed it), and Qt must route it to the handle.
    QWidget paw;
    paw.setGeometry(300, 0, 40, 24);
    paw.show();
    QWindow* pawWindow = paw.windowHandle();
    ASSERT_NE(pawWindow, nullptr);
    QTest::mousePress(pawWindow, Qt::LeftButton, {}, QPoint(20, 12));
    ASSERT_TRUE(QGuiApplication::mouseButtons() & Qt::LeftButton);
    const QPointF pressedAt = QCursor::pos();
    panel.revealPullHandle(QRectF(300, 0, 40, 24));
    EXPECT_TRUE(panel.isDragging());
    EXPECT_EQ(QWidget::mouseGrabber(), &panel);
    QTest::mouseMove(pawWindow, QPoint(20, 112));
    panel.flushFrame();
    QTest::mouseRelease(pawWindow, Qt::LeftButton, {}, QPoint(20, 212));
    ASSERT_EQ(events.size(), 3U);
    EXPECT_EQ(events[0].phase, Phase::began);
    EXPECT_EQ(events[0].anchorPoint, pressedAt);
    EXPECT_EQ(events[1].phase, Phase::changed);
    EXPECT_EQ(events[1].pointerLocation, QPointF(pawWindow->mapToGlobal(QPoint(20, 112))));
    EXPECT_EQ(events[2].phase, Phase::ended);
    EXPECT_EQ(events[2].pointerLocation, QPointF(pawWindow->mapToGlobal(QPoint(20, 212))));
    EXPECT_FALSE(QGuiApplication::mouseButtons() & Qt::LeftButton);
}

TEST_F(PullHandle, HidesByItselfOnlyWhenTheOwnerAgrees)
{
    bool agree = false;
    int asked = 0;
    int dismissed = 0;
    panel.shouldAutoDismiss = [&] {
        ++asked;
        return agree;
    };
    panel.onAutoDismiss = [&] { ++dismissed; };
    reveal();
    ASSERT_TRUE(panel.isAutoHideArmed());
    panel.autoHideTimeout();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(panel.isRevealed());
    EXPECT_TRUE(panel.isAutoHideArmed()); // asks again later
    agree = true;
    panel.autoHideTimeout();
    EXPECT_FALSE(panel.isRevealed());
    EXPECT_EQ(dismissed, 1);
    EXPECT_FALSE(panel.isAutoHideArmed());
}

TEST_F(PullHandle, StaysWhileAutomaticDismissalIsOff)
{
    rig.interfaceSettings.setAutomaticallyDismissesControls(false);
    reveal();
    EXPECT_FALSE(panel.isAutoHideArmed());
    panel.autoHideTimeout();
    EXPECT_TRUE(panel.isRevealed());
    rig.interfaceSettings.setAutomaticallyDismissesControls(true);
    EXPECT_TRUE(panel.isAutoHideArmed());
    rig.interfaceSettings.setAutomaticallyDismissesControls(false);
    EXPECT_FALSE(panel.isAutoHideArmed());
}

TEST_F(PullHandle, APullOfTwoHundredPointsStartsATenMinuteTimer)
{
    PullInteractionController controller { rig.pullSettings, rig.pomodoroSettings, rig.timerStore,
        rig.interfaceSettings, rig.themeStore, rig.tactileSounds, rig.catSounds, rig.overlay, rig.clock };
    panel.onPull = [&controller](const PullGestureEvent& event) { controller.handle(event); };
    controller.onCommit = [this](const PullCommit& commit) {
        ASSERT_EQ(commit.mode, TimerMode::timer);
        rig.timerStore.addTime(commit.seconds, rig.clock.now());
    };
    reveal();
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(17, 30));
    for (int y = 50; y <= 230; y += 20) {
        QTest::mouseMove(&panel, QPoint(17, y));
        panel.flushFrame();
    }
    EXPECT_EQ(controller.currentSteps(), 10);
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(17, 230));
    EXPECT_EQ(rig.timerStore.state(), TimerState::running(rig.clock.now() + std::chrono::seconds(600)));
    EXPECT_EQ(rig.timerStore.totalDurationSeconds(), 600);
}

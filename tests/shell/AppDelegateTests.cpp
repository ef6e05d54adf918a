#include "AppDelegate.h"
#include "DirectDistributionRuntime.h"
#include "ShellRig.h"
#include "StatusItemWindow.h"

#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

using namespace mewt;
using namespace mewt::testing;
using namespace std::chrono_literals;

namespace {

class Delegate : public ::testing::Test {
protected:
    void SetUp() override
    {
        delegate = std::make_unique<AppDelegate>(rig.services(), QUrl());
        delegate->confirmTermination = [this] { ++confirmations; };
    }

    // A running pomodoro phase with a named session and a draft for the next one.
    void launchWithARunningPlan()
    {
        delegate->applicationDidFinishLaunching();
        AppCoordinator& app = *delegate->coordinator();
        app.timerStore().mutateDraftName(QStringLiteral("write the report"));
        app.commitPull({ 2, 3000, TimerMode::pomodoro });
        ASSERT_TRUE(app.timerStore().state().isRunning());
        ASSERT_TRUE(rig.defaults.contains(PomodoroStore::planKey));
    }

    ShellRig rig;
    std::unique_ptr<AppDelegate> delegate;
    int confirmations = 0;
};

TEST_F(Delegate, BuildsAndStartsTheCoordinatorOnce)
{
    EXPECT_EQ(delegate->coordinator(), nullptr);
    EXPECT_EQ(AppDelegate::updateRuntime(), nullptr);
    delegate->applicationDidFinishLaunching();
    AppCoordinator* coordinator = delegate->coordinator();
    ASSERT_NE(coordinator, nullptr);
    EXPECT_TRUE(coordinator->isStarted());
    ASSERT_NE(AppDelegate::updateRuntime(), nullptr);
    EXPECT_FALSE(AppDelegate::updateRuntime()->isConfigured());
    delegate->applicationDidFinishLaunching();
    EXPECT_EQ(delegate->coordinator(), coordinator);
}

TEST_F(Delegate, BuildsNothingOnceTerminating)
{
    delegate->requestTermination();
    delegate->applicationDidFinishLaunching();
    EXPECT_EQ(delegate->coordinator(), nullptr);
    EXPECT_EQ(AppDelegate::updateRuntime(), nullptr);
    EXPECT_EQ(confirmations, 1);
}

TEST_F(Delegate, QuitsInOrderAndLeavesAnIdleSnapshotWithTheDraft)
{
    launchWithARunningPlan();
    AppCoordinator& app = *delegate->coordinator();
    bool shutDownFirst = false;
    TimerSnapshot atQuit;
    bool planGoneAtQuit = false;
    rig.scheduler.onQuitRequest = [&] {
        shutDownFirst = app.isShutDown() && !app.statusItemController().window().isVisible();
        atQuit = rig.storedSnapshot();
        planGoneAtQuit = !rig.defaults.contains(PomodoroStore::planKey);
    };
    delegate->requestTermination();

    EXPECT_TRUE(shutDownFirst);
    EXPECT_TRUE(planGoneAtQuit);
    EXPECT_EQ(atQuit, (TimerSnapshot { TimerState::idle(), QStringLiteral("write the report"), std::nullopt, 0 }));
    EXPECT_EQ(rig.scheduler.calls.back(), "cancelPendingForQuit");
    EXPECT_EQ(confirmations, 1);
    EXPECT_EQ(AppDelegate::updateRuntime(), nullptr);
    EXPECT_EQ(rig.storedSnapshot(), atQuit);
}

TEST_F(Delegate, WaitsForTheNotificationToGoBeforeConfirming)
{
    launchWithARunningPlan();
    rig.scheduler.quitAnswer = FakeScheduler::QuitAnswer::whenTold;
    delegate->requestTermination();
    EXPECT_EQ(confirmations, 0);
    EXPECT_TRUE(delegate->isWaitingForNotifications());
    rig.scheduler.finishQuit();
    EXPECT_EQ(confirmations, 1);
    EXPECT_FALSE(delegate->isWaitingForNotifications());
}

TEST_F(Delegate, AHungNotificationServerDelaysTheQuitOnlyUpToTheLimit)
{
    launchWithARunningPlan();
    rig.scheduler.quitAnswer = FakeScheduler::QuitAnswer::never;
    delegate->setQuitWaitLimit(20ms);
    delegate->requestTermination();
    EXPECT_EQ(confirmations, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return confirmations == 1; }, 2000));
    // The snapshot did not wait for the server.
    EXPECT_TRUE(rig.storedSnapshot().state.isIdle());
}

TEST_F(Delegate, ASecondQuitDoesNothing)
{
    launchWithARunningPlan();
    rig.scheduler.quitAnswer = FakeScheduler::QuitAnswer::whenTold;
    delegate->requestTermination();
    const int writes = rig.defaults.writeCount();
    delegate->requestTermination();
    delegate->applicationWillTerminate();
    rig.scheduler.finishQuit();
    delegate->requestTermination();
    EXPECT_EQ(rig.scheduler.count("cancelPendingForQuit"), 1);
    EXPECT_EQ(confirmations, 1);
    EXPECT_EQ(rig.defaults.writeCount(), writes);
}

TEST_F(Delegate, SigtermRunsTheOrderlyQuit)
{
    launchWithARunningPlan();
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return confirmations == 1; }, 2000));
    EXPECT_TRUE(rig.storedSnapshot().state.isIdle());
    EXPECT_EQ(rig.storedSnapshot().draftName, QStringLiteral("write the report"));
    EXPECT_FALSE(rig.defaults.contains(PomodoroStore::planKey));
}

TEST_F(Delegate, TheEndOfTheEventLoopStillLeavesAnIdleSnapshot)
{
    launchWithARunningPlan();
    delegate->applicationWillTerminate();
    EXPECT_TRUE(delegate->coordinator()->isShutDown());
    EXPECT_TRUE(rig.storedSnapshot().state.isIdle());
    EXPECT_EQ(rig.storedSnapshot().draftName, QStringLiteral("write the report"));
    EXPECT_FALSE(rig.defaults.contains(PomodoroStore::planKey));
    EXPECT_GE(rig.scheduler.count("cancelPending"), 1);
    EXPECT_EQ(confirmations, 0);
}

TEST_F(Delegate, TheCoordinatorAsksTheDelegateToQuit)
{
    delegate->applicationDidFinishLaunching();
    delegate->coordinator()->requestTermination();
    EXPECT_TRUE(delegate->isTerminating());
    EXPECT_EQ(confirmations, 1);
}

TEST_F(Delegate, WithoutNotificationsTheQuitConfirmsAtOnce)
{
    AppCoordinator::Services services = rig.services();
    services.notifications = nullptr;
    AppDelegate bare(services, QUrl());
    int confirmed = 0;
    bare.confirmTermination = [&] { ++confirmed; };
    bare.applicationDidFinishLaunching();
    bare.requestTermination();
    EXPECT_EQ(confirmed, 1);
}

} // namespace

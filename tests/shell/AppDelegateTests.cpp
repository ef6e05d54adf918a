#include "LoopbackHttpServer.h"
#include "ShellRig.h"
#include "options/OptionsWindow.h"
#include "popover/PopoverHeader.h"
#include "popover/TimerPopoverController.h"
#include "popover/TimerPopoverView.h"
#include "shell/AppDelegate.h"
#include "shell/DirectDistributionRuntime.h"
#include "shell/StatusItemWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
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

    // A running pomodoro phase with a draft name for the next one.
    void launchWithARunningPlan()
    {
        delegate->applicationDidFinishLaunching();
        AppCoordinator& app = *delegate->coordinator();
        app.timerStore().mutateDraftName(draft);
        app.commitPull({ 2, 3000, TimerMode::pomodoro });
        ASSERT_TRUE(rig.defaults.contains(PomodoroStore::planKey));
    }

    void expectIdleSnapshotWithTheDraftAndNoPlan()
    {
        EXPECT_EQ(rig.storedSnapshot(), (TimerSnapshot { TimerState::idle(), draft, std::nullopt, 0 }));
        EXPECT_FALSE(rig.defaults.contains(PomodoroStore::planKey));
    }

    const QString draft = QStringLiteral("write the report");
    ShellRig rig;
    std::unique_ptr<AppDelegate> delegate;
    int confirmations = 0;
};

TEST_F(Delegate, BuildsTheCoordinatorOnceWhichCanAskToQuit)
{
    delegate->applicationDidFinishLaunching();
    AppCoordinator* coordinator = delegate->coordinator();
    ASSERT_NE(coordinator, nullptr);
    EXPECT_TRUE(coordinator->isStarted());
    EXPECT_NE(AppDelegate::updateRuntime(), nullptr);
    delegate->applicationDidFinishLaunching();
    EXPECT_EQ(delegate->coordinator(), coordinator);

    // An idle timer's draft is written only at quit.
    coordinator->timerStore().mutateDraftName(draft);
    coordinator->requestTermination();
    EXPECT_TRUE(delegate->isTerminating());
    EXPECT_EQ(confirmations, 1);
    EXPECT_EQ(rig.storedSnapshot().draftName, draft);
    EXPECT_EQ(rig.defaults.unflushedWriteCount(), 0) << "the quit waits for the settings to reach the disk";
    EXPECT_EQ(AppDelegate::updateRuntime(), nullptr);
}

TEST_F(Delegate, TheLaunchCompletesOnceThePawIsUpAndNeverAfterAQuit)
{
    for (const bool quitFirst : { false, true }) {
        SCOPED_TRACE(quitFirst ? "quit first" : "no quit");
        SetUp();
        int completions = 0;
        delegate->onLaunchComplete = [&] { ++completions; };
        launchWithARunningPlan();
        ASSERT_FALSE(delegate->coordinator()->isLaunchComplete());
        if (quitFirst) {
            delegate->requestTermination();
            expectIdleSnapshotWithTheDraftAndNoPlan();
            EXPECT_EQ(confirmations, 1);
        }
        QTest::qWait(int(AppCoordinator::launchCompletionLimit.count()) + 200);
        EXPECT_EQ(completions, quitFirst ? 0 : 1);
        EXPECT_EQ(delegate->coordinator()->isLaunchComplete(), !quitFirst);
        EXPECT_EQ(AppDelegate::updateRuntime() != nullptr, !quitFirst);
        delegate.reset();
    }
}

TEST_F(Delegate, QuitsInOrderAndLeavesAnIdleSnapshotWithTheDraft)
{
    launchWithARunningPlan();
    AppCoordinator& app = *delegate->coordinator();
    bool shutDownFirst = false;
    rig.scheduler.onQuitRequest = [&] {
        shutDownFirst = app.isShutDown() && !app.statusItemController().window().isVisible();
        expectIdleSnapshotWithTheDraftAndNoPlan();
    };
    delegate->requestTermination();
    EXPECT_TRUE(shutDownFirst);
    EXPECT_EQ(rig.scheduler.calls.back(), "cancelPendingForQuit");
    // The answer confirms at once, without waiting out the limit.
    EXPECT_EQ(confirmations, 1);
    EXPECT_FALSE(delegate->isWaitingForNotifications());
    expectIdleSnapshotWithTheDraftAndNoPlan();
}

TEST_F(Delegate, AHungNotificationServerDelaysTheQuitOnlyUpToTheLimitAndOnlyOnce)
{
    launchWithARunningPlan();
    rig.scheduler.quitAnswer = FakeScheduler::QuitAnswer::whenTold;
    delegate->setQuitWaitLimit(20ms);
    delegate->requestTermination();
    EXPECT_EQ(confirmations, 0);
    EXPECT_TRUE(delegate->isWaitingForNotifications());
    // The snapshot did not wait for the server.
    expectIdleSnapshotWithTheDraftAndNoPlan();
    const int writes = rig.defaults.writeCount();
    delegate->requestTermination();
    delegate->applicationWillTerminate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return confirmations == 1; }, 2000));
    EXPECT_FALSE(delegate->isWaitingForNotifications());
    rig.scheduler.finishQuit(); // too late
    delegate->requestTermination();
    EXPECT_EQ(confirmations, 1);
    EXPECT_EQ(rig.scheduler.count("cancelPendingForQuit"), 1);
    EXPECT_EQ(rig.defaults.writeCount(), writes);
}

TEST_F(Delegate, SigtermRunsTheOrderlyQuit)
{
    launchWithARunningPlan();
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return confirmations == 1; }, 2000));
    expectIdleSnapshotWithTheDraftAndNoPlan();
}

TEST_F(Delegate, TheEndOfTheEventLoopStillLeavesAnIdleSnapshot)
{
    launchWithARunningPlan();
    delegate->applicationWillTerminate();
    expectIdleSnapshotWithTheDraftAndNoPlan();
    EXPECT_GE(rig.scheduler.count("cancelPending"), 1);
    EXPECT_EQ(confirmations, 0);
}

TEST_F(Delegate, WithoutNotificationsTheQuitConfirmsAtOnceAndNothingIsBuiltAfterIt)
{
    AppCoordinator::Services services = rig.services();
    services.notifications = nullptr;
    AppDelegate bare(services, QUrl());
    int confirmed = 0;
    bare.confirmTermination = [&] { ++confirmed; };
    bare.requestTermination();
    EXPECT_EQ(confirmed, 1);
    bare.applicationDidFinishLaunching();
    EXPECT_EQ(bare.coordinator(), nullptr);
}

// In a build with a feed, the popover's "update" link opens the settings at the updates row, which
// shows the check and then what it found, whatever page or search the window was left on, and
// while the tour shows too. "download…" there opens the release page in the browser.
TEST_F(Delegate, TheUpdateLinkShowsTheCheckAtTheUpdatesRow)
{
    LoopbackHttpServer server;
    server.route("/feed",
        LoopbackHttpServer::Response(200,
            "<rss xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\"><channel><item>"
            "<link>https://example.org/mewt/2.1</link><sparkle:version>99999</sparkle:version>"
            "<sparkle:shortVersionString>2.1</sparkle:shortVersionString></item></channel></rss>"));
    delegate = std::make_unique<AppDelegate>(rig.services(), server.url("/feed"));
    delegate->confirmTermination = [this] { ++confirmations; };
    delegate->applicationDidFinishLaunching();
    QList<QUrl> opened;
    bool browserStarts = false;
    AppDelegate::updateRuntime()->openUrl = [&](const QUrl& url) {
        opened.append(url);
        return browserStarts;
    };
    AppCoordinator& app = *delegate->coordinator();
    QToolButton& link = app.popoverController().rootView().standardHeader().updateLink();
    OptionsNavigationModel& navigation = app.optionsNavigationModel();
    for (const bool touring : { false, true }) {
        // A browser that cannot start is said under the row.
        browserStarts = !touring;
        if (OptionsWindow* left = app.optionsWindowController().window(); left && left->isVisible()) {
            left->hide();
            navigation.navigate(OptionsCategory::appearance);
            navigation.updateSearchText(QStringLiteral("bed"));
        }
        if (touring)
            app.replayOnboarding();
        else
            Q_EMIT app.statusItemController().view().pawPressed();
        ASSERT_TRUE(QTest::qWaitFor([&] { return link.isVisible() && link.isEnabled(); }, 10'000));
        QTest::mouseClick(&link, Qt::LeftButton);
        // The tour stays on screen beside the settings.
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return app.popoverController().presentation().isVisible() == touring; }, 2000));
        EXPECT_EQ(app.onboardingStore().isPresented(), touring);
        OptionsWindow* window = app.optionsWindowController().window();
        ASSERT_TRUE(window && window->isVisible());
        EXPECT_EQ(navigation.currentCategory(), OptionsCategory::general);
        EXPECT_FALSE(navigation.isSearching());
        const auto shown = [window](const QString& text) {
            const auto labels = window->findChildren<QLabel*>();
            return std::any_of(labels.begin(), labels.end(),
                [&](const QLabel* label) { return label->isVisible() && label->text() == text; });
        };
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown(QStringLiteral("mewt 2.1 is available.")); }, 10'000));
        QPushButton* download = nullptr;
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            if (button->isVisible() && button->text() == QStringLiteral("download…"))
                download = button;
        }
        ASSERT_NE(download, nullptr);
        QTest::mouseClick(download, Qt::LeftButton);
        EXPECT_EQ(std::exchange(opened, {}), QList<QUrl> { QUrl(QStringLiteral("https://example.org/mewt/2.1")) });
        EXPECT_EQ(shown(QStringLiteral("the download page couldn't be opened.")), !browserStarts);
    }
}

} // namespace

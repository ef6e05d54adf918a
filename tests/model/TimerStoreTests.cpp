#include "AppLanguage.h"
#include "FakeNotificationScheduler.h"
#include "IniUserDefaults.h"
#include "MemoryUserDefaults.h"
#include "TimerPrinting.h"
#include "TimerStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

const Date t0 = Date(1'800'000'000s);
const QString tea = QStringLiteral("tea");
const QString old = QStringLiteral("old");

TimerSnapshot snapshotWith(TimerState state, QString draft = {}, std::optional<QString> active = {}, qint64 total = 0)
{
    return TimerSnapshot { state, draft, active, total };
}

class TimerStoreTest : public testing::Test {
protected:
    struct Change {
        TimerState previous;
        TimerState current;
        TimerStateChangeReason reason;
    };

    void seed(const TimerSnapshot& snapshot) { defaults.seed(timerSnapshotKey, *encodeTimerSnapshot(snapshot)); }

    TimerStore& makeStore(NotificationScheduling* scheduler)
    {
        store = std::make_unique<TimerStore>(defaults, clock, scheduler);
        store->onStateChange
            = [this](const TimerState& previous, const TimerState& current, TimerStateChangeReason reason) {
                  changes.push_back({ previous, current, reason });
              };
        return *store;
    }
    TimerStore& makeStore() { return makeStore(&notifications); }

    TimerSnapshot stored() const
    {
        return decodeTimerSnapshot(defaults.dataValue(timerSnapshotKey).value_or(QByteArray()), clock.now());
    }
    TimerSnapshot inMemory() const
    {
        return { store->state(), store->draftName(), store->activeName(), store->totalDurationSeconds() };
    }

    MemoryUserDefaults defaults;
    ManualClock clock { t0 };
    test::FakeNotificationScheduler notifications;
    std::unique_ptr<TimerStore> store;
    std::vector<Change> changes;
};

// ---- addTime ----

struct AddTimeCase {
    const char* name;
    TimerState seeded;
    std::chrono::seconds elapsed;
    TimerState expected;
    std::optional<QString> expectedActive;
    qint64 expectedTotal;
};

void PrintTo(const AddTimeCase& c, std::ostream* os)
{
    *os << c.name;
}

class TimerStoreAddTime : public TimerStoreTest, public testing::WithParamInterface<AddTimeCase> { };

TEST_P(TimerStoreAddTime, ExtendsOrStartsAndTakesTheNameOnlyFromNothing)
{
    const AddTimeCase& c = GetParam();
    seed(snapshotWith(c.seeded, QStringLiteral("  tea \n"), old, 100));
    TimerStore& timer = makeStore();
    clock.advance(c.elapsed);

    timer.addTime(60, clock.now());

    EXPECT_EQ(timer.state(), c.expected);
    EXPECT_EQ(timer.activeName(), c.expectedActive);
    EXPECT_EQ(timer.totalDurationSeconds(), c.expectedTotal);
    EXPECT_EQ(timer.draftName(), QStringLiteral("  tea \n"));
    EXPECT_EQ(stored(), inMemory());
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].reason, TimerStateChangeReason::userAction);
    if (c.expected.isRunning()) {
        ASSERT_EQ(notifications.requests.size(), 1u);
        EXPECT_EQ(notifications.requests[0].at, *c.expected.endDate());
        EXPECT_EQ(notifications.requests[0].notification.title, *c.expectedActive + QStringLiteral(" complete"));
        EXPECT_TRUE(notifications.requests[0].requestingAuthorization);
    } else {
        // Nothing ends while paused, so nothing may be announced; a pending one goes.
        EXPECT_TRUE(notifications.requests.empty());
        EXPECT_EQ(notifications.cancelCount, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(States, TimerStoreAddTime,
    testing::Values(AddTimeCase { "Idle", TimerState::idle(), 0s, TimerState::running(t0 + 60s), tea, 60 },
        AddTimeCase { "Running", TimerState::running(t0 + 30s), 10s, TimerState::running(t0 + 90s), old, 160 },
        AddTimeCase {
            "RunningPastItsEnd", TimerState::running(t0 + 30s), 40s, TimerState::running(t0 + 100s), tea, 60 },
        AddTimeCase { "Paused", TimerState::paused(30.0), 5s, TimerState::paused(90.0), old, 160 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TimerStoreTest, AddTimeUsesAtLeastOneSecondAndNoMoreThanTheLongestTimer)
{
    TimerStore& timer = makeStore();
    timer.addTime(0, t0);
    EXPECT_EQ(timer.state(), TimerState::running(t0 + 1s));
    timer.cancel(t0);
    timer.addTime(-20, t0);
    EXPECT_EQ(timer.state(), TimerState::running(t0 + 1s));

    timer.addTime(1'000'000'000'000, t0);
    EXPECT_EQ(timer.state(), TimerState::running(t0 + std::chrono::seconds(qint64(maximumTimerSeconds))));
    EXPECT_EQ(stored().state, timer.state()) << "a capped timer must still restore";
}

TEST_F(TimerStoreTest, ADraftOfOnlySpacesStartsWithoutAName)
{
    TimerStore& timer = makeStore();
    timer.mutateDraftName(QStringLiteral(" \t\n "));
    timer.addTime(60, t0);
    EXPECT_EQ(timer.activeName(), std::nullopt);
    EXPECT_EQ(notifications.requests.at(0).notification.title, QStringLiteral("mewt timer complete"));
}

// ---- pause, resume, cancel ----

TEST_F(TimerStoreTest, PauseKeepsWhatIsLeftAndResumeRunsItAgain)
{
    TimerStore& timer = makeStore();
    timer.addTime(100, t0);
    clock.set(t0 + 40s);

    timer.pause(clock.now());
    EXPECT_EQ(timer.state(), TimerState::paused(60.0));
    EXPECT_EQ(stored().state, TimerState::paused(60.0));
    EXPECT_FALSE(notifications.pending);
    EXPECT_FALSE(timer.nextTickDate());

    clock.set(t0 + 500s);
    timer.resume(clock.now());
    EXPECT_EQ(timer.state(), TimerState::running(t0 + 560s));
    ASSERT_TRUE(notifications.pending);
    EXPECT_EQ(notifications.pending->at, t0 + 560s);
    EXPECT_TRUE(notifications.pending->requestingAuthorization);
    EXPECT_TRUE(timer.nextTickDate());

    ASSERT_EQ(changes.size(), 3u);
    for (const Change& change : changes)
        EXPECT_EQ(change.reason, TimerStateChangeReason::userAction);
}

TEST_F(TimerStoreTest, PauseAfterTheEndIsACompletion)
{
    TimerStore& timer = makeStore();
    timer.mutateDraftName(tea);
    timer.addTime(10, t0);
    clock.set(t0 + 12s);

    timer.pause(clock.now());

    EXPECT_EQ(timer.state(), TimerState::idle());
    EXPECT_EQ(timer.activeName(), tea);
    EXPECT_EQ(timer.totalDurationSeconds(), 10);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].reason, TimerStateChangeReason::completed);
    EXPECT_EQ(changes[1].previous, TimerState::running(t0 + 10s));
    EXPECT_EQ(notifications.cancelCount, 0) << "the notification that is due now must stay";
}

TEST_F(TimerStoreTest, PauseAndResumeInTheWrongStateDoNothing)
{
    TimerStore& timer = makeStore();
    timer.pause(t0);
    timer.resume(t0);
    timer.addTime(60, t0);
    timer.resume(t0 + 1s);
    timer.pause(t0 + 2s);
    defaults.resetWriteCount();
    changes.clear();
    notifications.requests.clear();
    notifications.cancelCount = 0;

    timer.pause(t0 + 3s);

    EXPECT_EQ(timer.state(), TimerState::paused(58.0));
    EXPECT_EQ(defaults.writeCount(), 0);
    EXPECT_TRUE(changes.empty());
    EXPECT_TRUE(notifications.requests.empty());
    EXPECT_EQ(notifications.cancelCount, 0);
}

TEST_F(TimerStoreTest, CancelEndsWithoutCompletingAndForgetsTheSession)
{
    TimerStore& timer = makeStore();
    timer.mutateDraftName(tea);
    timer.addTime(60, t0);
    QSignalSpy stateSpy(&timer, &TimerStore::stateChanged);
    QSignalSpy activeSpy(&timer, &TimerStore::activeNameChanged);

    timer.cancel(t0 + 5s);

    EXPECT_EQ(timer.state(), TimerState::idle());
    EXPECT_EQ(timer.activeName(), std::nullopt);
    EXPECT_EQ(timer.totalDurationSeconds(), 0);
    EXPECT_EQ(changes.back().reason, TimerStateChangeReason::userAction);
    EXPECT_FALSE(notifications.pending);
    EXPECT_FALSE(timer.nextTickDate());
    EXPECT_EQ(stored(), snapshotWith(TimerState::idle(), tea));
    EXPECT_EQ(stateSpy.count(), 1);
    EXPECT_EQ(activeSpy.count(), 1);
}

// ---- ticker ----

std::vector<Date> runTicker(TimerStore& timer, ManualClock& clock)
{
    std::vector<Date> fired;
    while (const auto next = timer.nextTickDate()) {
        if (fired.size() > 1000)
            break;
        clock.set(*next);
        fired.push_back(*next);
        timer.tick();
    }
    return fired;
}

TEST_F(TimerStoreTest, TickerWakesEachSecondAndCompletesExactlyAtTheEnd)
{
    TimerStore& timer = makeStore();
    QSignalSpy dateSpy(&timer, &TimerStore::currentDateChanged);
    timer.addTime(3, t0);

    EXPECT_EQ(runTicker(timer, clock), (std::vector<Date> { t0 + 1s, t0 + 2s, t0 + 3s }));
    EXPECT_EQ(timer.state(), TimerState::idle());
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].reason, TimerStateChangeReason::completed);
    EXPECT_EQ(timer.currentDate(), t0 + 3s);
    EXPECT_EQ(dateSpy.count(), 3);
    EXPECT_EQ(stored().state, TimerState::idle());
    EXPECT_EQ(notifications.cancelCount, 0);
}

TEST_F(TimerStoreTest, TickerFollowsTheShownSecondOfAFractionalRemainder)
{
    seed(snapshotWith(TimerState::paused(2.5)));
    TimerStore& timer = makeStore();
    timer.resume(t0);
    EXPECT_EQ(runTicker(timer, clock), (std::vector<Date> { t0 + 500ms, t0 + 1500ms, t0 + 2500ms }));
}

TEST_F(TimerStoreTest, CompactTickerWakesWhenTheShownMinuteChangesAndAtTheEnd)
{
    TimerStore& timer = makeStore();
    timer.setTickCadence(TimerTickCadence::everyMinute);
    timer.addTime(150, t0);
    EXPECT_EQ(runTicker(timer, clock), (std::vector<Date> { t0 + 30s, t0 + 90s, t0 + 150s }));

    timer.addTime(20, clock.now());
    EXPECT_EQ(timer.nextTickDate(), clock.now() + 20s);
}

TEST_F(TimerStoreTest, ChangingTheCadenceRearmsARunningTicker)
{
    TimerStore& timer = makeStore();
    timer.addTime(150, t0);
    EXPECT_EQ(timer.nextTickDate(), t0 + 1s);
    timer.setTickCadence(TimerTickCadence::everyMinute);
    EXPECT_EQ(timer.nextTickDate(), t0 + 30s);

    timer.pause(t0 + 1s);
    timer.setTickCadence(TimerTickCadence::everySecond);
    EXPECT_FALSE(timer.nextTickDate()) << "only a running timer keeps the ticker armed";
}

TEST_F(TimerStoreTest, AnEarlyWakeDoesNotCompleteAndALateOneDoes)
{
    TimerStore& timer = makeStore();
    timer.addTime(1, t0);
    clock.set(t0 + 999ms);
    timer.tick();
    EXPECT_TRUE(timer.state().isRunning());
    EXPECT_EQ(timer.nextTickDate(), t0 + 1s);

    // As after a suspend: the wall clock is far past the end when the ticker next wakes.
    clock.set(t0 + 3h);
    timer.tick();
    EXPECT_EQ(timer.state(), TimerState::idle());
    EXPECT_EQ(changes.back().reason, TimerStateChangeReason::completed);
}

TEST_F(TimerStoreTest, TheTickerRunsFromTheEventLoop)
{
    TimerStore& timer = makeStore();
    // The wall clock is already past the end, so the ticker is due at once.
    clock.set(t0 + 100s);
    timer.addTime(60, t0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return timer.state().isIdle(); }, 2000));
    EXPECT_EQ(changes.back().reason, TimerStateChangeReason::completed);
}

TEST_F(TimerStoreTest, RefreshCompletesATimerThatEndedDuringSleep)
{
    TimerStore& timer = makeStore();
    timer.addTime(600, t0);

    clock.set(t0 + 300s);
    timer.refresh(clock.now());
    EXPECT_TRUE(timer.state().isRunning());
    EXPECT_EQ(timer.nextTickDate(), t0 + 301s);
    EXPECT_EQ(changes.size(), 1u);

    clock.set(t0 + 2h);
    timer.refresh(clock.now());
    EXPECT_EQ(timer.state(), TimerState::idle());
    EXPECT_EQ(changes.back().reason, TimerStateChangeReason::completed);
    EXPECT_FALSE(timer.nextTickDate());
}

TEST_F(TimerStoreTest, AHandlerMayStartTheNextTimerFromACompletion)
{
    TimerStore& timer = makeStore();
    timer.onStateChange = [&](const TimerState&, const TimerState&, TimerStateChangeReason reason) {
        if (reason == TimerStateChangeReason::completed)
            timer.addTime(300, clock.now());
    };
    timer.addTime(5, t0);
    clock.set(t0 + 5s);
    timer.tick();

    EXPECT_EQ(timer.state(), TimerState::running(t0 + 305s));
    EXPECT_EQ(stored().state, timer.state());
    EXPECT_EQ(timer.nextTickDate(), t0 + 6s);
    ASSERT_TRUE(notifications.pending);
    EXPECT_EQ(notifications.pending->at, t0 + 305s);
}

// ---- launch, language, quit ----

TEST_F(TimerStoreTest, ARestoredTimerWhoseEndPassedIsIdleAndKeepsItsNames)
{
    seed(snapshotWith(TimerState::running(t0 - 10s), tea, tea, 60));
    TimerStore& timer = makeStore();
    EXPECT_EQ(inMemory(), snapshotWith(TimerState::idle(), tea, tea, 60));
    EXPECT_EQ(stored(), inMemory());
    EXPECT_FALSE(timer.nextTickDate());

    timer.startNotifications();
    EXPECT_EQ(notifications.refreshCount, 1);
    EXPECT_TRUE(notifications.requests.empty());
}

TEST_F(TimerStoreTest, ARestoredRunningTimerIsScheduledWithoutAskingOnlyOnceTheShellStarts)
{
    seed(snapshotWith(TimerState::running(t0 + 600s), tea, tea, 600));
    TimerStore& timer = makeStore();
    EXPECT_EQ(timer.state(), TimerState::running(t0 + 600s));
    EXPECT_EQ(defaults.writeCount(), 0) << "a clean snapshot is not written back";
    EXPECT_TRUE(timer.nextTickDate());
    EXPECT_TRUE(notifications.requests.empty());

    timer.startNotifications();
    ASSERT_EQ(notifications.requests.size(), 1u);
    EXPECT_EQ(notifications.requests[0].at, t0 + 600s);
    EXPECT_EQ(notifications.requests[0].notification, CompletionNotification::forTimer(tea));
    EXPECT_FALSE(notifications.requests[0].requestingAuthorization);
    EXPECT_EQ(notifications.refreshCount, 1);
}

TEST_F(TimerStoreTest, ARestoredPausedTimerSchedulesNothing)
{
    seed(snapshotWith(TimerState::paused(90.0), tea, tea, 120));
    TimerStore& timer = makeStore();
    timer.startNotifications();
    EXPECT_EQ(timer.state(), TimerState::paused(90.0));
    EXPECT_TRUE(notifications.requests.empty());
    EXPECT_FALSE(timer.nextTickDate());
}

TEST_F(TimerStoreTest, ARescheduleAfterALanguageChangeCarriesTheNewTitle)
{
    TimerStore& timer = makeStore();
    timer.rescheduleNotification();
    EXPECT_TRUE(notifications.requests.empty()) << "nothing runs, nothing is pending";

    timer.addTime(60, t0);
    QTranslator catalan;
    ASSERT_TRUE(catalan.load(translationResource(AppLanguage::catalan)));
    QCoreApplication::installTranslator(&catalan);
    timer.rescheduleNotification();
    QCoreApplication::removeTranslator(&catalan);

    ASSERT_EQ(notifications.requests.size(), 2u);
    EXPECT_EQ(notifications.requests[1].notification.title, QStringLiteral("temporitzador de mewt completat"));
    EXPECT_EQ(notifications.requests[1].at, t0 + 60s);
    EXPECT_FALSE(notifications.requests[1].requestingAuthorization);
}

TEST_F(TimerStoreTest, TheQuitSnapshotKeepsOnlyTheDraftName)
{
    TimerStore& timer = makeStore();
    timer.mutateDraftName(tea);
    timer.addTime(600, t0);
    timer.persistIdleSnapshotAtQuit();
    EXPECT_EQ(stored(), snapshotWith(TimerState::idle(), tea));

    store.reset();
    TimerStore& next = makeStore();
    EXPECT_EQ(inMemory(), snapshotWith(TimerState::idle(), tea));
    EXPECT_FALSE(next.nextTickDate());
}

TEST_F(TimerStoreTest, UnreadableStoredValueRestoresIdleAndIsReplaced)
{
    defaults.seed(timerSnapshotKey, QVariant(42));
    makeStore();
    EXPECT_EQ(inMemory(), TimerSnapshot());
    EXPECT_EQ(defaults.dataValue(timerSnapshotKey), encodeTimerSnapshot(TimerSnapshot()));
}

// ---- draft name ----

TEST_F(TimerStoreTest, MutatingTheDraftNameSignalsButWritesNothingUntilPersist)
{
    TimerStore& timer = makeStore();
    QSignalSpy spy(&timer, &TimerStore::draftNameChanged);
    timer.mutateDraftName(tea);
    timer.mutateDraftName(tea);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(defaults.writeCount(), 0);
    timer.persist();
    EXPECT_EQ(stored().draftName, tea);
}

// ---- notification fields ----

TEST_F(TimerStoreTest, ServiceReportsReachTheFieldsOnlyWhenTheyDiffer)
{
    TimerStore& timer = makeStore();
    EXPECT_EQ(timer.notifications(), &notifications);
    EXPECT_EQ(timer.notificationAuthorization(), NotificationAuthorizationState::unknown);
    EXPECT_FALSE(timer.notificationDeliveryState());
    EXPECT_FALSE(timer.notificationErrorMessage());
    QSignalSpy authorizationSpy(&timer, &TimerStore::notificationAuthorizationChanged);
    QSignalSpy deliverySpy(&timer, &TimerStore::notificationDeliveryStateChanged);
    QSignalSpy errorSpy(&timer, &TimerStore::notificationErrorMessageChanged);

    const NotificationDeliveryState delivery { NotificationAuthorizationState::allowed, true, false };
    const QString message = QStringLiteral("notification wasn't added. check system settings > notifications > mewt.");
    for (int i = 0; i < 2; ++i) {
        notifications.reportAuthorization(NotificationAuthorizationState::allowed);
        notifications.reportDeliveryState(delivery);
        notifications.reportError(message);
    }
    EXPECT_EQ(timer.notificationAuthorization(), NotificationAuthorizationState::allowed);
    EXPECT_EQ(timer.notificationDeliveryState(), delivery);
    EXPECT_EQ(timer.notificationErrorMessage(), message);
    EXPECT_EQ(authorizationSpy.count(), 1);
    EXPECT_EQ(deliverySpy.count(), 1);
    EXPECT_EQ(errorSpy.count(), 1);

    notifications.reportError(std::nullopt);
    EXPECT_FALSE(timer.notificationErrorMessage());
    EXPECT_EQ(errorSpy.count(), 2);

    store.reset();
    notifications.reportAuthorization(NotificationAuthorizationState::denied);
    EXPECT_FALSE(notifications.onAuthorizationChange) << "a gone store leaves no callback behind";
}

TEST_F(TimerStoreTest, WithoutANotificationServiceTheTimerStillWorks)
{
    TimerStore& timer = makeStore(nullptr);
    EXPECT_EQ(timer.notifications(), nullptr);
    timer.startNotifications();
    timer.addTime(60, t0);
    timer.pause(t0 + 10s);
    timer.resume(t0 + 20s);
    timer.rescheduleNotification();
    timer.cancel(t0 + 30s);
    EXPECT_EQ(timer.state(), TimerState::idle());
    EXPECT_EQ(changes.size(), 4u);
}

// ---- value helpers ----

TEST(TimerState, RemainingSecondsNeverGoBelowZero)
{
    EXPECT_DOUBLE_EQ(TimerState::running(t0 + 90s).remainingSeconds(t0), 90.0);
    EXPECT_DOUBLE_EQ(TimerState::running(t0 + 90s).remainingSeconds(t0 + 2min), 0.0);
    EXPECT_DOUBLE_EQ(TimerState::paused(12.5).remainingSeconds(t0 + 1h), 12.5);
    EXPECT_DOUBLE_EQ(TimerState::idle().remainingSeconds(t0), 0.0);
}

TEST(CompletionNotification, NamesTheSessionWhenItHasOne)
{
    const auto named = CompletionNotification::forTimer(QStringLiteral("read"));
    EXPECT_EQ(named.title, QStringLiteral("read complete"));
    EXPECT_EQ(named.body, QStringLiteral("time to stretch, rest, or pull the paw again."));
    EXPECT_EQ(CompletionNotification::forTimer(std::nullopt).title, QStringLiteral("mewt timer complete"));
    EXPECT_EQ(CompletionNotification::forTimer(QString()).title, QStringLiteral("mewt timer complete"));
    EXPECT_EQ(CompletionNotification::forTimer(QStringLiteral("50%1")).title, QStringLiteral("50%1 complete"));
}

// ---- corrupt snapshots on disk ----

struct DiskCase {
    const char* name;
    const char* line;
    const char* expectedDraft;
};

void PrintTo(const DiskCase& c, std::ostream* os)
{
    *os << c.name;
}

class TimerStoreFromDisk : public testing::TestWithParam<DiskCase> { };

TEST_P(TimerStoreFromDisk, RestoresIdleAndRepairsTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("mewt.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("[General]\nquickTimeMinutes=25\ntimerSnapshot=") + GetParam().line + "\n");
    file.close();

    ManualClock clock { t0 };
    {
        IniUserDefaults defaults(path);
        TimerStore timer(defaults, clock, nullptr);
        EXPECT_EQ(timer.state(), TimerState::idle());
        EXPECT_EQ(timer.draftName(), QString::fromUtf8(GetParam().expectedDraft));
        EXPECT_FALSE(timer.nextTickDate());
    }
    IniUserDefaults reread(path);
    const auto data = reread.dataValue(timerSnapshotKey);
    ASSERT_TRUE(data);
    EXPECT_EQ(
        decodeTimerSnapshot(*data, t0), snapshotWith(TimerState::idle(), QString::fromUtf8(GetParam().expectedDraft)));
    EXPECT_EQ(reread.intValue(QStringLiteral("quickTimeMinutes")), 25) << "other settings are left alone";
}

INSTANTIATE_TEST_SUITE_P(BadInput, TimerStoreFromDisk,
    testing::Values(
        DiskCase { "BrokenStateKeepsDraft",
            R"x("{\"version\":1,\"state\":{\"kind\":\"running\",\"endDate\":\"soon\"},\"draftName\":\"tea\"}")x",
            "tea" },
        DiskCase { "EndYearsAway",
            R"x("@ByteArray({\"version\":1,\"state\":{\"kind\":\"running\",\"endDate\":4102444800},\"draftName\":\"tea\"})")x",
            "tea" },
        DiskCase { "NegativeRemainder",
            R"x("{\"version\":1,\"state\":{\"kind\":\"paused\",\"remainingSeconds\":-1e308},\"draftName\":\"tea\"}")x",
            "tea" },
        DiskCase { "UnquotedJsonReadsAsAList", R"x({"version":1,"draftName":"tea"})x", "" },
        DiskCase { "OtherVersion", R"x("{\"version\":7,\"draftName\":\"tea\"}")x", "" },
        DiskCase { "Binary", "@ByteArray(\\0\\xff\\xfe{)", "" }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

#include "FakeNotificationScheduler.h"
#include "TimerPrinting.h"
#include "model/AppLanguage.h"
#include "model/TimerStore.h"
#include "platform/IniUserDefaults.h"
#include "platform/MemoryUserDefaults.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

const Date t0 = Date(1'800'000'000s);
const QString tea = QStringLiteral("tea");
const QString old = QStringLiteral("old");
const TimerState idle = TimerState::idle();

TimerState runs(qint64 seconds)
{
    return TimerState::running(t0 + std::chrono::seconds(seconds));
}
TimerState paused(double seconds)
{
    return TimerState::paused(seconds);
}
TimerSnapshot snapshotWith(TimerState state, QString draft = {}, std::optional<QString> active = {}, qint64 total = 0)
{
    return TimerSnapshot { state, draft, active, total };
}

// ---- the stored snapshot ----

TEST(TimerSnapshotFormat, WritesTheAgreedKeysAndRefusesWhatCannotBeRead)
{
    EXPECT_EQ(encodeTimerSnapshot(snapshotWith(runs(60), QStringLiteral("x"), {}, 60)),
        QByteArray(R"({"draftName":"x","state":{"endDate":1800000060,"kind":"running"},)"
                   R"("totalDurationSeconds":60,"version":1})"));
    EXPECT_FALSE(encodeTimerSnapshot(snapshotWith(paused(std::numeric_limits<double>::quiet_NaN()))));
    EXPECT_FALSE(encodeTimerSnapshot(snapshotWith(paused(-1.0))));
    EXPECT_FALSE(encodeTimerSnapshot(snapshotWith(idle, {}, {}, -5)));
}

struct DecodeCase {
    const char* name;
    const char* json;
    TimerSnapshot expected;
};

class TimerSnapshotDecoding : public testing::TestWithParam<DecodeCase> { };

TEST_P(TimerSnapshotDecoding, FallsBackFieldByField)
{
    EXPECT_EQ(decodeTimerSnapshot(QByteArray(GetParam().json), t0), GetParam().expected);
}

const TimerSnapshot idleTea = snapshotWith(idle, tea);
INSTANTIATE_TEST_SUITE_P(BadInput, TimerSnapshotDecoding,
    testing::Values(DecodeCase { "NotJson", "running until five", {} }, DecodeCase { "Array", R"([1, 2])", {} },
        DecodeCase { "OtherVersion", R"({"version":2,"draftName":"tea","state":{"kind":"idle"}})", {} },
        DecodeCase { "MissingVersion", R"({"draftName":"tea"})", {} },
        DecodeCase { "VersionAsText", R"({"version":"1","draftName":"tea"})", {} },
        DecodeCase { "StateNotObject", R"({"version":1,"state":5,"draftName":"tea"})", idleTea },
        DecodeCase {
            "UnknownKind", R"({"version":1,"state":{"kind":"nap","endDate":1800000060},"draftName":"tea"})", idleTea },
        DecodeCase { "EndDateAsText", R"({"version":1,"state":{"kind":"running","endDate":"soon"},"draftName":"tea"})",
            idleTea },
        DecodeCase { "EndDateNegative", R"({"version":1,"state":{"kind":"running","endDate":-60}})", {} },
        DecodeCase { "EndDateYearsAway", R"({"version":1,"state":{"kind":"running","endDate":1900000000}})", {} },
        DecodeCase { "EndDateHuge", R"({"version":1,"state":{"kind":"running","endDate":1e300}})", {} },
        DecodeCase { "EndDateWithinLimit", R"({"version":1,"state":{"kind":"running","endDate":1802000000}})",
            snapshotWith(runs(2'000'000)) },
        DecodeCase { "RemainingNegative", R"({"version":1,"state":{"kind":"paused","remainingSeconds":-3}})", {} },
        DecodeCase { "RemainingZero", R"({"version":1,"state":{"kind":"paused","remainingSeconds":0}})", {} },
        DecodeCase { "RemainingHuge", R"({"version":1,"state":{"kind":"paused","remainingSeconds":1e12}})", {} },
        DecodeCase { "TotalNegative", R"({"version":1,"totalDurationSeconds":-60})", {} },
        DecodeCase { "TotalHuge", R"({"version":1,"totalDurationSeconds":1e300})",
            snapshotWith(idle, {}, {}, maximumTotalDurationSeconds) },
        DecodeCase {
            "TotalFractional", R"({"version":1,"totalDurationSeconds":12.6})", snapshotWith(idle, {}, {}, 13) },
        DecodeCase { "NamesOfWrongType", R"({"version":1,"draftName":7,"activeName":["tea"]})", {} },
        DecodeCase { "NullActiveName", R"({"version":1,"activeName":null,"draftName":"tea"})", idleTea }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TimerSnapshotDecoding, CutsOverlongNamesByCharacterNotByCodeUnit)
{
    // Each accented letter is one character made of two code units; 50 of them are cut to 40.
    const QString accents = QStringLiteral("e\u0301").repeated(50);
    const QString longName = QString(100, QLatin1Char('a'));
    const QJsonObject object { { QStringLiteral("version"), 1 }, { QStringLiteral("draftName"), accents },
        { QStringLiteral("activeName"), longName } };
    const TimerSnapshot decoded = decodeTimerSnapshot(QJsonDocument(object).toJson(), t0);
    EXPECT_EQ(decoded.draftName, accents.left(40 * 2));
    EXPECT_EQ(decoded.activeName, longName.left(40));
}

TEST(SessionNames, HoldFortyCharactersWithoutControlsWhereverTheyComeFrom)
{
    const QString stem = QString::fromUcs4(U"\U0001D165"); // a combining mark outside the basic plane
    const std::pair<QString, QString> cases[] = {
        { QStringLiteral("e") + QString(300'000, QChar(0x0301)), QStringLiteral("e") + QString(399, QChar(0x0301)) },
        { QStringLiteral("a") + stem.repeated(300), QStringLiteral("a") + stem.repeated(199) }, // pairs never split
        // Controls go (a tab reads as a space); direction controls are closed, strays dropped.
        { QStringLiteral("a\0b\x1b[31mc\x07\x7f\ttea"), QStringLiteral("ab[31mc tea") },
        { QString::fromUtf16(u"a\u0085b\u009b31mc\u0080d\u009fe\u2028f\u2029g"), QStringLiteral("ab31mcde f g") },
        // Halves of a pair go, whole pairs stay.
        { QString(QChar(0xD800)) + u'a' + QChar(0xDC00) + u'b' + QChar(0xDBFF) + QString::fromUtf16(u"\U0001F431"),
            QString::fromUtf16(u"ab\U0001F431") },
        { QString::fromUtf16(u"\u202Eevil"), QString::fromUtf16(u"\u202Eevil\u202C") },
        { QString::fromUtf16(u"a\u202C\u2069b"), QStringLiteral("ab") },
        { QString::fromUtf16(u"\u2067x\u202By\u2069z\u2066"),
            QString::fromUtf16(u"\u2067x\u202By\u202C\u2069z\u2066\u2069") },
        { QString::fromUtf16(u"\u202E").repeated(60),
            QString::fromUtf16(u"\u202E").repeated(40) + QString::fromUtf16(u"\u202C").repeated(40) },
        { QString::fromUtf16(u"<b>%1 & \U0001F431</b>"), QString::fromUtf16(u"<b>%1 & \U0001F431</b>") },
    };
    for (const auto& [input, expected] : cases) {
        const QJsonObject object { { QStringLiteral("version"), 1 }, { QStringLiteral("activeName"), input } };
        EXPECT_EQ(decodeTimerSnapshot(QJsonDocument(object).toJson(), t0).activeName, expected);
        MemoryUserDefaults defaults;
        ManualClock clock { t0 };
        TimerStore timer(defaults, clock, nullptr);
        timer.mutateDraftName(input);
        EXPECT_EQ(timer.draftName(), expected);
        timer.mutateDraftName(expected);
        EXPECT_EQ(timer.draftName(), expected) << "settled";
    }
}

// ---- the store ----

class TimerStoreTest : public testing::Test {
protected:
    struct Change {
        TimerState previous;
        TimerStateChangeReason reason;
    };
    void seed(const TimerSnapshot& snapshot) { defaults.seed(timerSnapshotKey, *encodeTimerSnapshot(snapshot)); }
    TimerStore& makeStore(NotificationScheduling* scheduler)
    {
        store = std::make_unique<TimerStore>(defaults, clock, scheduler);
        store->onStateChange = [this](const TimerState& previous, const TimerState&, TimerStateChangeReason reason) {
            changes.push_back({ previous, reason });
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

enum class Operation { add60, pause, resume, cancel };
using Reason = TimerStateChangeReason;

struct OperationCase {
    const char* name;
    TimerState seeded;
    Operation operation;
    std::chrono::seconds at; // after t0
    TimerState expected;
    std::optional<Reason> reason; // none: nothing may happen
    std::optional<QString> active;
    qint64 total;
};

class TimerStoreOperation : public TimerStoreTest, public testing::WithParamInterface<OperationCase> { };

TEST_P(TimerStoreOperation, ChangesStoresAndAnnouncesOnlyWhatItShould)
{
    const OperationCase& c = GetParam();
    const QString draft = QStringLiteral("  tea  ");
    seed(snapshotWith(c.seeded, draft, old, 100));
    TimerStore& timer = makeStore();
    QSignalSpy stateSpy(&timer, &TimerStore::stateChanged);
    const Date at = t0 + c.at;
    switch (c.operation) {
    case Operation::add60: timer.addTime(60, at); break;
    case Operation::pause: timer.pause(at); break;
    case Operation::resume: timer.resume(at); break;
    case Operation::cancel: timer.cancel(at); break;
    }
    EXPECT_EQ(inMemory(), snapshotWith(c.expected, draft, c.active, c.total));
    EXPECT_EQ(stored(), inMemory());
    EXPECT_EQ(stateSpy.count(), c.expected == c.seeded ? 0 : 1);
    EXPECT_EQ(timer.nextTickDate().has_value(), c.expected.isRunning());
    EXPECT_EQ(defaults.writeCount(), c.reason ? 1 : 0);
    ASSERT_EQ(changes.size(), c.reason ? 1u : 0u);
    if (c.reason) {
        EXPECT_EQ(changes[0].reason, *c.reason);
        EXPECT_EQ(changes[0].previous, c.seeded);
    }
    if (c.expected.isRunning() && c.reason) {
        ASSERT_EQ(notifications.requests.size(), 1u);
        EXPECT_EQ(notifications.requests[0].at, *c.expected.endDate());
        EXPECT_EQ(notifications.requests[0].notification, CompletionNotification::forTimer(c.active));
        EXPECT_TRUE(notifications.requests[0].requestingAuthorization);
    } else {
        // Only a running timer is announced. A pending announcement goes, except the one a
        // completion has just made due.
        EXPECT_TRUE(notifications.requests.empty());
        EXPECT_EQ(notifications.cancelCount, c.reason == Reason::userAction ? 1 : 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, TimerStoreOperation,
    testing::Values(OperationCase { "AddStartsIdleWithTheTrimmedDraft", idle, Operation::add60, 0s, runs(60),
                        Reason::userAction, tea, 60 },
        OperationCase { "AddExtendsRunning", runs(30), Operation::add60, 10s, runs(90), Reason::userAction, old, 160 },
        OperationCase {
            "AddRestartsRunningPastItsEnd", runs(30), Operation::add60, 40s, runs(100), Reason::userAction, tea, 60 },
        OperationCase {
            "AddExtendsPaused", paused(30), Operation::add60, 5s, paused(90), Reason::userAction, old, 160 },
        OperationCase {
            "PauseKeepsWhatIsLeft", runs(100), Operation::pause, 40s, paused(60), Reason::userAction, old, 100 },
        OperationCase {
            "PauseAfterTheEndCompletes", runs(10), Operation::pause, 12s, idle, Reason::completed, old, 100 },
        OperationCase {
            "ResumeRunsAgain", paused(60), Operation::resume, 500s, runs(560), Reason::userAction, old, 100 },
        OperationCase {
            "CancelForgetsTheSession", runs(60), Operation::cancel, 5s, idle, Reason::userAction, std::nullopt, 0 },
        OperationCase { "PauseWhileIdle", idle, Operation::pause, 0s, idle, std::nullopt, old, 100 },
        OperationCase { "PauseWhilePaused", paused(58), Operation::pause, 3s, paused(58), std::nullopt, old, 100 },
        OperationCase { "ResumeWhileIdle", idle, Operation::resume, 0s, idle, std::nullopt, old, 100 },
        OperationCase { "ResumeWhileRunning", runs(60), Operation::resume, 1s, runs(60), std::nullopt, old, 100 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TimerStoreTest, AddTimeUsesAtLeastOneSecondAndNoMoreThanTheLongestTimer)
{
    TimerStore& timer = makeStore();
    for (const qint64 seconds : { qint64(0), qint64(-20) }) {
        timer.addTime(seconds, t0);
        EXPECT_EQ(timer.state(), runs(1));
        timer.cancel(t0);
    }
    timer.addTime(1'000'000'000'000, t0);
    EXPECT_EQ(timer.state(), runs(qint64(maximumTimerSeconds)));
    EXPECT_EQ(stored().state, timer.state()) << "a capped timer must still restore";
}

TEST_F(TimerStoreTest, TitlesTakeTheNameLiterallyAndADraftOfOnlySpacesGivesNone)
{
    TimerStore& timer = makeStore();
    timer.mutateDraftName(QStringLiteral(" \t\n "));
    timer.addTime(60, t0);
    EXPECT_EQ(timer.activeName(), std::nullopt);
    EXPECT_EQ(notifications.requests.at(0).notification.title, QStringLiteral("mewt timer complete"));
    EXPECT_EQ(CompletionNotification::forTimer(QStringLiteral("50%1")).title, QStringLiteral("50%1 complete"));
    timer.cancel(t0);
    timer.mutateDraftName(QStringLiteral("a\0rest"));
    timer.addTime(60, t0);
    EXPECT_EQ(notifications.requests.back().notification.title, QStringLiteral("arest complete"));
}

// ---- ticker ----

struct TickCase {
    const char* name;
    TimerTickCadence cadence;
    double remaining;
    std::vector<std::chrono::milliseconds> wakes;
};

class TimerStoreTicker : public TimerStoreTest, public testing::WithParamInterface<TickCase> { };

TEST_P(TimerStoreTicker, WakesWhenTheShownTimeChangesAndCompletesExactlyAtTheEnd)
{
    seed(snapshotWith(paused(GetParam().remaining)));
    TimerStore& timer = makeStore();
    timer.setTickCadence(GetParam().cadence);
    QSignalSpy dateSpy(&timer, &TimerStore::currentDateChanged);
    timer.resume(t0);
    std::vector<std::chrono::milliseconds> wakes;
    for (auto next = timer.nextTickDate(); next && wakes.size() < 100; next = timer.nextTickDate()) {
        clock.set(*next);
        wakes.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(*next - t0));
        timer.tick();
    }
    EXPECT_EQ(wakes, GetParam().wakes);
    EXPECT_EQ(stored().state, idle);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].reason, Reason::completed);
    EXPECT_EQ(timer.currentDate(), clock.now());
    EXPECT_EQ(dateSpy.count(), int(wakes.size()));
    EXPECT_EQ(notifications.cancelCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Cadences, TimerStoreTicker,
    testing::Values(TickCase { "EverySecond", TimerTickCadence::everySecond, 3.0, { 1000ms, 2000ms, 3000ms } },
        TickCase { "FractionalRemainder", TimerTickCadence::everySecond, 2.5, { 500ms, 1500ms, 2500ms } },
        TickCase { "EveryMinute", TimerTickCadence::everyMinute, 150.0, { 30s, 90s, 150s } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TimerStoreTest, ChangingTheCadenceRearmsARunningTicker)
{
    TimerStore& timer = makeStore();
    timer.addTime(150, t0);
    EXPECT_EQ(timer.nextTickDate(), t0 + 1s);
    timer.setTickCadence(TimerTickCadence::everyMinute);
    EXPECT_EQ(timer.nextTickDate(), t0 + 30s);
    timer.cancel(t0);
    timer.addTime(20, t0);
    EXPECT_EQ(timer.nextTickDate(), t0 + 20s) << "under a minute, the only wake is the end";
    timer.pause(t0 + 1s);
    timer.setTickCadence(TimerTickCadence::everySecond);
    EXPECT_FALSE(timer.nextTickDate()) << "only a running timer keeps the ticker armed";
}

TEST_F(TimerStoreTest, TickAndRefreshCompleteOnlyOnceTheEndHasPassed)
{
    for (const bool byRefresh : { false, true }) {
        TimerStore& timer = makeStore();
        changes.clear();
        timer.addTime(600, clock.now());
        const Date end = clock.now() + 600s;
        const auto look = [&](Date at) {
            clock.set(at);
            byRefresh ? timer.refresh(at) : timer.tick();
        };
        look(end - 1ms);
        EXPECT_TRUE(timer.state().isRunning());
        EXPECT_EQ(timer.nextTickDate(), end);
        EXPECT_EQ(changes.size(), 1u);
        // As after a suspend: the wall clock is far past the end when the store next looks.
        EXPECT_EQ(timer.state().remainingSeconds(end + 3h), 0.0);
        look(end + 3h);
        EXPECT_EQ(timer.state(), idle);
        EXPECT_EQ(changes.back().reason, Reason::completed);
        EXPECT_FALSE(timer.nextTickDate());
    }
}

TEST_F(TimerStoreTest, TheTickerRunsFromTheEventLoop)
{
    TimerStore& timer = makeStore();
    // The wall clock is already past the end, so the ticker is due at once.
    clock.set(t0 + 100s);
    timer.addTime(60, t0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return timer.state().isIdle(); }, 2000));
    EXPECT_EQ(changes.back().reason, Reason::completed);
}

TEST_F(TimerStoreTest, AHandlerMayStartTheNextTimerFromACompletion)
{
    TimerStore& timer = makeStore();
    timer.onStateChange = [&](const TimerState&, const TimerState&, Reason reason) {
        if (reason == Reason::completed)
            timer.addTime(300, clock.now());
    };
    timer.addTime(5, t0);
    clock.set(t0 + 5s);
    timer.tick();
    EXPECT_EQ(timer.state(), runs(305));
    EXPECT_EQ(stored().state, timer.state());
    EXPECT_EQ(timer.nextTickDate(), t0 + 6s);
    EXPECT_EQ(notifications.requests.back().at, t0 + 305s);
    EXPECT_EQ(notifications.cancelCount, 0);
}

// ---- launch, language, quit ----

class TimerStoreRestore : public TimerStoreTest,
                          public testing::WithParamInterface<std::pair<TimerState, TimerState>> { };

TEST_P(TimerStoreRestore, SchedulesOnlyALiveRunningTimerWithoutAskingOnceTheShellStarts)
{
    const auto& [seeded, expected] = GetParam();
    seed(snapshotWith(seeded, tea, tea, 600));
    TimerStore& timer = makeStore();
    EXPECT_EQ(inMemory(), snapshotWith(expected, tea, tea, 600));
    EXPECT_EQ(stored(), inMemory());
    EXPECT_EQ(defaults.writeCount(), expected == seeded ? 0 : 1) << "only a changed snapshot is written back";
    EXPECT_EQ(timer.nextTickDate().has_value(), expected.isRunning());
    EXPECT_TRUE(notifications.requests.empty());
    timer.startNotifications();
    EXPECT_EQ(notifications.refreshCount, 1);
    ASSERT_EQ(notifications.requests.size(), expected.isRunning() ? 1u : 0u);
    if (expected.isRunning()) {
        EXPECT_EQ(notifications.requests[0].at, t0 + 600s);
        EXPECT_EQ(notifications.requests[0].notification, CompletionNotification::forTimer(tea));
        EXPECT_FALSE(notifications.requests[0].requestingAuthorization);
    }
}

INSTANTIATE_TEST_SUITE_P(Snapshots, TimerStoreRestore,
    testing::Values(
        std::pair { runs(-10), idle }, std::pair { runs(600), runs(600) }, std::pair { paused(90), paused(90) }));

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

TEST_F(TimerStoreTest, TheDraftIsWrittenOnlyOnPersistAndIsAllTheQuitSnapshotKeeps)
{
    TimerStore& timer = makeStore();
    QSignalSpy spy(&timer, &TimerStore::draftNameChanged);
    timer.mutateDraftName(tea);
    timer.mutateDraftName(tea);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(defaults.writeCount(), 0);
    timer.persist();
    EXPECT_EQ(stored().draftName, tea);
    timer.addTime(600, t0);
    timer.persistIdleSnapshotAtQuit();
    EXPECT_EQ(stored(), snapshotWith(idle, tea));
    TimerStore& next = makeStore();
    EXPECT_EQ(inMemory(), snapshotWith(idle, tea));
    EXPECT_FALSE(next.nextTickDate());
}

// ---- the notification service ----

TEST_F(TimerStoreTest, ServiceReportsReachTheFieldsOnlyWhenTheyDiffer)
{
    TimerStore& timer = makeStore();
    QSignalSpy authorizationSpy(&timer, &TimerStore::notificationAuthorizationChanged);
    QSignalSpy deliverySpy(&timer, &TimerStore::notificationDeliveryStateChanged);
    QSignalSpy errorSpy(&timer, &TimerStore::notificationErrorMessageChanged);
    const NotificationDeliveryState delivery { NotificationAuthorizationState::allowed, true, false };
    for (int i = 0; i < 2; ++i) {
        notifications.onAuthorizationChange(NotificationAuthorizationState::allowed);
        notifications.onDeliveryStateChange(delivery);
        notifications.onSchedulingError(tea);
    }
    EXPECT_EQ(timer.notificationAuthorization(), NotificationAuthorizationState::allowed);
    EXPECT_EQ(timer.notificationDeliveryState(), delivery);
    EXPECT_EQ(timer.notificationErrorMessage(), tea);
    EXPECT_EQ(authorizationSpy.count(), 1);
    EXPECT_EQ(deliverySpy.count(), 1);
    notifications.onSchedulingError(std::nullopt);
    EXPECT_FALSE(timer.notificationErrorMessage());
    EXPECT_EQ(errorSpy.count(), 2);
    store.reset();
    EXPECT_FALSE(notifications.onAuthorizationChange) << "a gone store leaves no callback behind";
}

TEST_F(TimerStoreTest, WithoutANotificationServiceTheTimerStillWorks)
{
    TimerStore& timer = makeStore(nullptr);
    timer.startNotifications();
    timer.addTime(60, t0);
    timer.pause(t0 + 10s);
    timer.resume(t0 + 20s);
    timer.rescheduleNotification();
    timer.cancel(t0 + 30s);
    EXPECT_EQ(timer.state(), idle);
    EXPECT_EQ(changes.size(), 4u);
}

// ---- corrupt snapshots on disk ----

TEST(TimerStoreFromDisk, RestoresIdleKeepingAReadableDraftAndRepairsTheFile)
{
    for (const auto& [line, draft] :
        std::initializer_list<std::pair<const char*, const char*>> {
            { R"x("{\"version\":1,\"state\":{\"kind\":\"running\",\"endDate\":\"soon\"},\"draftName\":\"tea\"}")x",
                "tea" },
            { R"x("@ByteArray({\"version\":1,\"state\":{\"kind\":\"running\",\"endDate\":4102444800},\"draftName\":\"tea\"})")x",
                "tea" },
            { R"x({"version":1,"draftName":"tea"})x", "" }, // unquoted, it reads as a list
            { R"x("{\"version\":7,\"draftName\":\"tea\"}")x", "" }, { "@ByteArray(\\0\\xff\\xfe{)", "" } }) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mewt.conf"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[General]\nquickTimeMinutes=25\ntimerSnapshot=") + line + "\n");
        file.close();
        const TimerSnapshot expected = snapshotWith(idle, QString::fromUtf8(draft));
        ManualClock clock { t0 };
        {
            IniUserDefaults defaults(path);
            TimerStore timer(defaults, clock, nullptr);
            EXPECT_EQ(timer.state(), idle) << line;
            EXPECT_EQ(timer.draftName(), expected.draftName);
            EXPECT_FALSE(timer.nextTickDate());
        }
        IniUserDefaults reread(path);
        EXPECT_EQ(decodeTimerSnapshot(reread.dataValue(timerSnapshotKey).value_or(QByteArray("x")), t0), expected);
        EXPECT_EQ(reread.intValue(QStringLiteral("quickTimeMinutes")), 25) << "other settings are left alone";
    }
}

} // namespace

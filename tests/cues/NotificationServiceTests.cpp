#include "FakeNotificationCenter.h"
#include "cues/NotificationService.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;
using namespace mewt::testing;
using namespace std::chrono_literals;
using AddMode = FakeNotificationCenter::AddMode;
using Status = NotificationAuthorizationStatus;
using State = NotificationAuthorizationState;

namespace {

const CompletionNotification tea { QStringLiteral("tea complete"),
    QStringLiteral("time to stretch, rest, or pull the paw again.") };
const NotificationSettings allowed { Status::authorized, true, true };
const NotificationSettings neverAsked { Status::notDetermined, true, true };

// One service on a fake centre, with every report the service makes written down in order.
class NotificationServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        service = std::make_unique<NotificationService>(center, clock);
        service->onAuthorizationChange = [this](State state) { authorizations.push_back(state); };
        service->onDeliveryStateChange
            = [this](const NotificationDeliveryState& state) { deliveries.push_back(state); };
        service->onSchedulingError = [this](const std::optional<QString>& message) { errors.push_back(message); };
    }

    // Schedules `seconds` from now and, unless adds are held, lets the centre answer.
    void schedule(double seconds, bool asking = true)
    {
        service->schedule(addingSeconds(clock.now(), seconds), tea, asking);
        center.settle();
    }
    std::optional<QString> lastError() const { return errors.empty() ? std::nullopt : errors.back(); }
    bool holdsCompletion() const { return center.pending.contains(NotificationService::completionIdentifier); }
    double triggerSeconds(const NotificationRequest& request) const
    {
        return std::get<NotificationTimeIntervalTrigger>(request.trigger).seconds;
    }

    FakeNotificationCenter center;
    ManualClock clock;
    std::unique_ptr<NotificationService> service;
    std::vector<State> authorizations;
    std::vector<NotificationDeliveryState> deliveries;
    std::vector<std::optional<QString>> errors;
};

// --- the failure-handling table -------------------------------------------------------------------

struct ScheduleCase {
    const char* name;
    NotificationSettings settings;
    bool asking;
    State expectedState;
    std::size_t expectedAdds;
    bool expectedHeld;
    const char* expectedError = nullptr;
    std::variant<bool, NotificationError> authorizationAnswer = true;
    AddMode addMode = AddMode::succeed;
};

class ScheduleOutcomes : public NotificationServiceTest, public ::testing::WithParamInterface<ScheduleCase> { };

TEST_P(ScheduleOutcomes, ShowTheRightMessageAndLeaveTheRightRequest)
{
    const ScheduleCase& c = GetParam();
    center.settings = c.settings;
    center.authorizationAnswer = c.authorizationAnswer;
    center.addMode = c.addMode;
    schedule(300, c.asking);
    EXPECT_EQ(center.adds.size(), c.expectedAdds);
    EXPECT_EQ(holdsCompletion(), c.expectedHeld);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front(), std::nullopt) << "every attempt first clears the message";
    EXPECT_EQ(lastError(), c.expectedError ? std::optional(QString::fromUtf8(c.expectedError)) : std::nullopt);
    ASSERT_FALSE(authorizations.empty());
    EXPECT_EQ(authorizations.back(), c.expectedState);
}

const char* const alertsOff
    = "notifications are allowed, but alerts and sounds are off in your desktop's notification settings.";
const ScheduleCase scheduleCases[] = {
    { "allowed", allowed, false, State::allowed, 1, true },
    { "denied", { Status::denied, true, true }, true, State::denied, 0, false },
    { "neverAskedNoAsking", neverAsked, false, State::unknown, 0, false },
    { "neverAskedGranted", neverAsked, true, State::allowed, 1, true },
    { "neverAskedRefused", neverAsked, true, State::unknown, 0, false, nullptr, false },
    { "askingFails", neverAsked, true, State::unknown, 0, false, "couldn't request notifications: no server.",
        NotificationError { QStringLiteral("no server.") } },
    { "grantedButSilent", { Status::notDetermined, false, false }, true, State::allowed, 0, false, alertsOff },
    { "alertsOffSoundsOn", { Status::authorized, false, true }, false, State::allowed, 1, true },
    { "alertsAndSoundsOff", { Status::authorized, false, false }, false, State::allowed, 0, false, alertsOff },
    { "noServerAnswered", { Status::authorized, false, false, false }, false, State::allowed, 1, true },
    { "provisional", { Status::provisional, true, false }, false, State::allowed, 1, true },
    { "addRefused", allowed, false, State::allowed, 1, false, "the desktop refused it.", true, AddMode::refuse },
    { "addNotHeld", allowed, false, State::allowed, 1, false,
        "notification wasn't added. check your desktop's notification settings.", true, AddMode::dropSilently },
};
INSTANTIATE_TEST_SUITE_P(Rows, ScheduleOutcomes, ::testing::ValuesIn(scheduleCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NotificationServiceTest, TheRequestCarriesTheTextsAndFiresAtTheDeadlineButNoSoonerThanASecond)
{
    for (const auto& [seconds, trigger] : { std::pair { 90.0, 90.0 }, { 0.4, 1.0 }, { 0.0, 1.0 }, { -30.0, 1.0 } }) {
        center.adds.clear();
        schedule(seconds);
        ASSERT_EQ(center.adds.size(), 1U);
        const NotificationRequest& request = center.adds.front();
        EXPECT_EQ(request.identifier, QStringLiteral("mewt.timer.completed"));
        EXPECT_EQ(request.title, tea.title);
        EXPECT_EQ(request.body, tea.body);
        EXPECT_TRUE(request.playsDefaultSound);
        EXPECT_DOUBLE_EQ(triggerSeconds(request), trigger) << seconds;
    }
}

// --- replacing and cancelling ---------------------------------------------------------------------

TEST_F(NotificationServiceTest, TwoSchedulesInARowAddOnlyTheSecond)
{
    service->schedule(addingSeconds(clock.now(), 300), tea, true);
    schedule(600);
    ASSERT_EQ(center.adds.size(), 1U);
    EXPECT_DOUBLE_EQ(triggerSeconds(center.adds.front()), 600.0);
    EXPECT_TRUE(holdsCompletion());
    EXPECT_EQ(lastError(), std::nullopt);
}

TEST_F(NotificationServiceTest, AnAddLandingOrFailingAfterAPauseIsRemovedAgainAndReportsNothing)
{
    center.addMode = AddMode::hold;
    for (const std::optional<NotificationError>& answer :
        { std::optional<NotificationError> {}, std::optional(NotificationError { QStringLiteral("no.") }) }) {
        schedule(300);
        ASSERT_EQ(center.held.size(), 1U);
        service->cancelPending();
        center.completeHeldAdd(0, answer);
        center.settle();
        EXPECT_FALSE(holdsCompletion());
        EXPECT_EQ(lastError(), std::nullopt);
        EXPECT_EQ(service->pendingAddCount(), 0U);
    }
}

TEST_F(NotificationServiceTest, AnAddLandingAfterANewScheduleBeganIsRemovedBeforeTheNewAdd)
{
    center.addMode = AddMode::hold;
    schedule(300);
    center.holdsSettings = true;
    schedule(600);
    // The old add lands while the new schedule still reads the settings.
    center.completeHeldAdd(0);
    center.settle();
    EXPECT_FALSE(holdsCompletion());
    center.releaseSettings();
    center.settle();
    ASSERT_EQ(center.held.size(), 1U);
    center.completeHeldAdd(0);
    center.settle();
    ASSERT_TRUE(holdsCompletion());
    EXPECT_DOUBLE_EQ(triggerSeconds(center.pending.first()), 600.0);
}

TEST_F(NotificationServiceTest, AnOldAddLandingAfterTheNewAddStartedLeavesTheNewRequest)
{
    center.addMode = AddMode::hold;
    schedule(300);
    schedule(600);
    ASSERT_EQ(center.held.size(), 2U);
    center.completeHeldAdd(1);
    center.settle();
    // The centre applies adds in order: the late answer to the first says nothing about the second.
    center.completeHeldAdd(0);
    center.settle();
    EXPECT_TRUE(holdsCompletion());
    EXPECT_EQ(lastError(), std::nullopt);
}

TEST_F(NotificationServiceTest, APauseDuringTheCheckIsNotReportedAsAFailure)
{
    center.addMode = AddMode::hold;
    schedule(300);
    center.completeHeldAdd(0);
    QCoreApplication::sendPostedEvents(&center); // the add's answer; the pending list is asked for
    service->cancelPending();
    center.settle();
    EXPECT_GE(center.pendingReads, 1);
    EXPECT_FALSE(holdsCompletion());
    EXPECT_EQ(lastError(), std::nullopt);
}

// --- a notification shown before the check ---------------------------------------------------------

TEST_F(NotificationServiceTest, ANotificationDeliveredAtOnceOrBeingShownWhenCheckedIsNoFailure)
{
    center.addMode = AddMode::deliverAtOnce;
    schedule(0.5);
    EXPECT_FALSE(holdsCompletion());
    EXPECT_EQ(lastError(), std::nullopt);

    // Not due, and an earlier notification still on screen does not count as the new one.
    center.delivered = { { { NotificationService::completionIdentifier, tea.title, tea.body, true,
                               NotificationTimeIntervalTrigger { 25 } },
        3 } };
    center.addMode = AddMode::dropSilently;
    schedule(1);
    ASSERT_EQ(lastError(), std::optional(NotificationService::notAddedMessage())) << "a real failure";
    // Due and off the pending list, while the desktop has not answered yet.
    service->schedule(addingSeconds(clock.now(), 1), tea, true);
    QCoreApplication::sendPostedEvents(&center); // settings
    QCoreApplication::sendPostedEvents(&center); // add
    clock.advance(1s);
    center.settle();
    EXPECT_EQ(lastError(), std::nullopt);
}

// --- quitting ----------------------------------------------------------------------------------------

TEST_F(NotificationServiceTest, QuitRemovesTheRequestWaitingForAnAddInFlightAndASecondQuitFinishesWithTheFirst)
{
    schedule(300);
    ASSERT_TRUE(holdsCompletion());
    int finished = 0;
    service->cancelPendingForQuit([&] { ++finished; });
    EXPECT_FALSE(holdsCompletion());
    center.settle();
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(service->isQuitting());

    center.addMode = AddMode::hold;
    schedule(300);
    service->cancelPendingForQuit([&] { ++finished; });
    service->cancelPendingForQuit([&] { finished += 10; });
    center.settle();
    EXPECT_EQ(finished, 1);
    center.completeHeldAdd(0);
    center.settle();
    EXPECT_EQ(finished, 12);
    EXPECT_FALSE(holdsCompletion());
}

TEST_F(NotificationServiceTest, QuitIsBoundedWhenAnAddNeverCompletes)
{
    center.addMode = AddMode::hold;
    schedule(300);
    int finished = 0;
    service->cancelPendingForQuit([&] { ++finished; });
    center.settle();
    ASSERT_EQ(finished, 0);
    const auto* limit = service->findChild<QTimer*>(QStringLiteral("quitLimit"));
    ASSERT_NE(limit, nullptr);
    EXPECT_TRUE(limit->isActive());
    EXPECT_LE(limit->intervalAsDuration(), 1000ms);
    service->quitWaitExpired();
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(limit->isActive());
    // The stuck add lands after all: the quit does not finish twice, and the request goes again.
    center.completeHeldAdd(0);
    center.settle();
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(holdsCompletion());
}

TEST_F(NotificationServiceTest, AServiceGoneBeforeTheCentreAnswersIgnoresTheAnswers)
{
    center.addMode = AddMode::hold;
    schedule(300);
    bool answered = false;
    service->refreshAuthorization(false, [&](bool) { answered = true; });
    service->cancelPendingForQuit([&] { answered = true; });
    service.reset();
    center.completeHeldAdd(0);
    center.settle();
    EXPECT_FALSE(answered);
}

// --- settings and permission ----------------------------------------------------------------------

TEST_F(NotificationServiceTest, RefreshSettingsPublishesAndRequestPermissionClearsTheMessageAndAsks)
{
    center.settings = { Status::denied, true, false };
    service->refreshSettings();
    center.settle();
    EXPECT_EQ(authorizations, std::vector { State::denied });
    EXPECT_EQ(deliveries, std::vector { (NotificationDeliveryState { State::denied, true, false }) });
    EXPECT_TRUE(errors.empty());

    center.settings = neverAsked;
    service->requestPermission();
    center.settle();
    EXPECT_EQ(errors, std::vector<std::optional<QString>> { std::nullopt });
    EXPECT_EQ(center.requestedOptions,
        std::vector { NotificationAuthorizationOption::alert | NotificationAuthorizationOption::sound });
    EXPECT_EQ(authorizations.back(), State::allowed);
    EXPECT_EQ(deliveries.back(), (NotificationDeliveryState { State::allowed, true, true }));
    EXPECT_TRUE(center.adds.empty());
}

TEST_F(NotificationServiceTest, RefreshAuthorizationTellsWhetherANotificationCanBeShown)
{
    const struct {
        NotificationSettings settings;
        bool asking;
        bool deliverable;
        bool asked;
    } cases[] = { { allowed, false, true, false }, { { Status::authorized, false, false }, true, false, false },
        { neverAsked, false, false, false }, { neverAsked, true, true, true },
        { { Status::denied, true, true }, true, false, false } };
    for (const auto& c : cases) {
        center.settings = c.settings;
        center.requestedOptions.clear();
        std::optional<bool> deliverable;
        service->refreshAuthorization(c.asking, [&](bool result) { deliverable = result; });
        center.settle();
        EXPECT_EQ(deliverable, c.deliverable) << static_cast<int>(c.settings.authorizationStatus) << c.asking;
        EXPECT_EQ(center.requestedOptions.size(), c.asked ? 1U : 0U);
    }
}

} // namespace

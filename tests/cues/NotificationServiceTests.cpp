#include "FakeNotificationCenter.h"
#include "NotificationService.h"

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

// One service on a fake centre, with every report the service makes written down in order.
class NotificationServiceTest : public ::testing::Test {
protected:
    void SetUp() override { makeService(); }

    void makeService()
    {
        service = std::make_unique<NotificationService>(center, clock);
        service->onAuthorizationChange = [this](State state) { authorizations.push_back(state); };
        service->onDeliveryStateChange
            = [this](const NotificationDeliveryState& state) { deliveries.push_back(state); };
        service->onSchedulingError = [this](const std::optional<QString>& message) { errors.push_back(message); };
    }

    void schedule(Date at, bool asking = true) { service->schedule(at, tea, asking); }
    Date inSeconds(double seconds) const { return addingSeconds(clock.now(), seconds); }
    std::optional<QString> lastError() const { return errors.empty() ? std::nullopt : errors.back(); }
    bool holdsCompletion() const { return center.pending.contains(NotificationService::completionIdentifier); }
    double triggerSeconds(std::size_t add) const
    {
        return std::get<NotificationTimeIntervalTrigger>(center.adds.at(add).trigger).seconds;
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
    std::variant<bool, NotificationError> authorizationAnswer;
    AddMode addMode;
    std::size_t expectedAdds;
    bool expectedHeld;
    std::optional<const char*> expectedError;
    State expectedState;
};

class ScheduleOutcomes : public NotificationServiceTest, public ::testing::WithParamInterface<ScheduleCase> { };

TEST_P(ScheduleOutcomes, ShowTheRightMessageAndLeaveTheRightRequest)
{
    const ScheduleCase& c = GetParam();
    center.settings = c.settings;
    center.authorizationAnswer = c.authorizationAnswer;
    center.addMode = c.addMode;
    schedule(inSeconds(300), c.asking);
    center.settle();

    EXPECT_EQ(center.adds.size(), c.expectedAdds);
    EXPECT_EQ(holdsCompletion(), c.expectedHeld);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front(), std::nullopt) << "every attempt first clears the message";
    EXPECT_EQ(lastError(), c.expectedError ? std::optional(QString::fromUtf8(*c.expectedError)) : std::nullopt);
    ASSERT_FALSE(authorizations.empty());
    EXPECT_EQ(authorizations.back(), c.expectedState);
}

const NotificationSettings allowed { Status::authorized, true, true };
const NotificationSettings neverAsked { Status::notDetermined, true, true };
const char* const alertsOff = "notifications are allowed, but alerts and sounds are off in your desktop's "
                              "notification settings.";

INSTANTIATE_TEST_SUITE_P(Rows, ScheduleOutcomes,
    ::testing::Values(
        ScheduleCase { "allowed", allowed, false, true, AddMode::succeed, 1, true, std::nullopt, State::allowed },
        ScheduleCase { "denied", { Status::denied, true, true }, true, true, AddMode::succeed, 0, false, std::nullopt,
            State::denied },
        ScheduleCase {
            "neverAskedNoAsking", neverAsked, false, true, AddMode::succeed, 0, false, std::nullopt, State::unknown },
        ScheduleCase {
            "neverAskedGranted", neverAsked, true, true, AddMode::succeed, 1, true, std::nullopt, State::allowed },
        ScheduleCase {
            "neverAskedRefused", neverAsked, true, false, AddMode::succeed, 0, false, std::nullopt, State::unknown },
        ScheduleCase { "askingFails", neverAsked, true, NotificationError { QStringLiteral("no server.") },
            AddMode::succeed, 0, false, "couldn't request notifications: no server.", State::unknown },
        ScheduleCase { "grantedButSilent", { Status::notDetermined, false, false }, true, true, AddMode::succeed, 0,
            false, alertsOff, State::allowed },
        ScheduleCase { "alertsOffSoundsOn", { Status::authorized, false, true }, false, true, AddMode::succeed, 1, true,
            std::nullopt, State::allowed },
        ScheduleCase { "alertsAndSoundsOff", { Status::authorized, false, false }, false, true, AddMode::succeed, 0,
            false, alertsOff, State::allowed },
        ScheduleCase { "provisional", { Status::provisional, true, false }, false, true, AddMode::succeed, 1, true,
            std::nullopt, State::allowed },
        ScheduleCase {
            "addRefused", allowed, false, true, AddMode::refuse, 1, false, "the desktop refused it.", State::allowed },
        ScheduleCase { "addNotHeld", allowed, false, true, AddMode::dropSilently, 1, false,
            "notification wasn't added. check your desktop's notification settings.", State::allowed }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NotificationServiceTest, AskingRequestsAlertsAndSoundsAndPublishesTheNewSettings)
{
    center.settings = neverAsked;
    schedule(inSeconds(300));
    center.settle();
    ASSERT_EQ(center.requestedOptions.size(), 1U);
    EXPECT_EQ(center.requestedOptions.front(),
        NotificationAuthorizationOption::alert | NotificationAuthorizationOption::sound);
    ASSERT_EQ(deliveries.size(), 2U);
    EXPECT_EQ(deliveries.front(), (NotificationDeliveryState { State::unknown, true, true }));
    EXPECT_EQ(deliveries.back(), (NotificationDeliveryState { State::allowed, true, true }));
}

TEST_F(NotificationServiceTest, TheRequestCarriesTheTextsUnderTheOneIdentifier)
{
    schedule(inSeconds(90));
    center.settle();
    ASSERT_EQ(center.adds.size(), 1U);
    const NotificationRequest& request = center.adds.front();
    EXPECT_EQ(request.identifier, QStringLiteral("mewt.timer.completed"));
    EXPECT_EQ(request.title, tea.title);
    EXPECT_EQ(request.body, tea.body);
    EXPECT_TRUE(request.playsDefaultSound);
    EXPECT_DOUBLE_EQ(triggerSeconds(0), 90.0);
}

class TriggerFloor : public NotificationServiceTest, public ::testing::WithParamInterface<double> { };

TEST_P(TriggerFloor, ADeadlineUnderASecondAwayOrPastFiresOneSecondFromNow)
{
    schedule(inSeconds(GetParam()));
    center.settle();
    ASSERT_EQ(center.adds.size(), 1U);
    EXPECT_DOUBLE_EQ(triggerSeconds(0), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Deadlines, TriggerFloor, ::testing::Values(0.4, 0.0, -30.0));

// --- replacing and cancelling ---------------------------------------------------------------------

TEST_F(NotificationServiceTest, TwoSchedulesInARowAddOnlyTheSecond)
{
    schedule(inSeconds(300));
    schedule(inSeconds(600));
    center.settle();
    ASSERT_EQ(center.adds.size(), 1U);
    EXPECT_DOUBLE_EQ(triggerSeconds(0), 600.0);
    EXPECT_TRUE(holdsCompletion());
    EXPECT_EQ(lastError(), std::nullopt);
}

TEST_F(NotificationServiceTest, AnAddLandingAfterAPauseIsRemovedAgain)
{
    center.addMode = AddMode::hold;
    schedule(inSeconds(300));
    center.settle();
    ASSERT_EQ(center.held.size(), 1U);
    service->cancelPending();
    center.completeHeldAdd(0);
    center.settle();
    EXPECT_FALSE(holdsCompletion());
    EXPECT_EQ(lastError(), std::nullopt);
    EXPECT_EQ(service->pendingAddCount(), 0U);
}

TEST_F(NotificationServiceTest, AnAddLandingAfterANewScheduleBeganIsRemovedBeforeTheNewAdd)
{
    center.addMode = AddMode::hold;
    schedule(inSeconds(300));
    center.settle();
    center.holdsSettings = true;
    schedule(inSeconds(600));
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
    EXPECT_DOUBLE_EQ(std::get<NotificationTimeIntervalTrigger>(center.pending.first().trigger).seconds, 600.0);
}

TEST_F(NotificationServiceTest, AnOldAddLandingAfterTheNewAddStartedLeavesTheNewRequest)
{
    center.addMode = AddMode::hold;
    schedule(inSeconds(300));
    center.settle();
    schedule(inSeconds(600));
    center.settle();
    ASSERT_EQ(center.held.size(), 2U);
    center.completeHeldAdd(1);
    center.settle();
    // The centre applies adds in order: the late answer to the first says nothing about the second.
    center.completeHeldAdd(0);
    center.settle();
    EXPECT_TRUE(holdsCompletion());
    EXPECT_EQ(lastError(), std::nullopt);
}

TEST_F(NotificationServiceTest, ARefusedAddFromACancelledScheduleReportsNothing)
{
    center.addMode = AddMode::hold;
    schedule(inSeconds(300));
    center.settle();
    service->cancelPending();
    center.completeHeldAdd(0, NotificationError { QStringLiteral("no.") });
    center.settle();
    EXPECT_EQ(lastError(), std::nullopt);
}

TEST_F(NotificationServiceTest, APauseDuringTheCheckIsNotReportedAsAFailure)
{
    center.addMode = AddMode::hold;
    schedule(inSeconds(300));
    center.settle();
    center.completeHeldAdd(0);
    QCoreApplication::sendPostedEvents(&center); // the add's answer; the pending list is asked for
    service->cancelPending();
    center.settle();
    EXPECT_GE(center.pendingReads, 1);
    EXPECT_FALSE(holdsCompletion());
    EXPECT_EQ(lastError(), std::nullopt);
}

// --- a notification shown before the check ---------------------------------------------------------

TEST_F(NotificationServiceTest, ANotificationDeliveredAtOnceIsNoFailure)
{
    center.addMode = AddMode::deliverAtOnce;
    schedule(inSeconds(0.5));
    center.settle();
    EXPECT_FALSE(holdsCompletion());
    EXPECT_EQ(lastError(), std::nullopt);
}

TEST_F(NotificationServiceTest, ANotificationBeingShownWhenCheckedIsNoFailure)
{
    // Due and off the pending list, while the desktop has not answered yet.
    center.addMode = AddMode::dropSilently;
    schedule(inSeconds(1));
    center.settle();
    ASSERT_EQ(lastError(), std::optional(NotificationService::notAddedMessage())) << "not due: a real failure";

    schedule(inSeconds(1));
    QCoreApplication::sendPostedEvents(&center); // settings
    QCoreApplication::sendPostedEvents(&center); // add
    clock.advance(1s);
    center.settle();
    EXPECT_EQ(lastError(), std::nullopt);
}

TEST_F(NotificationServiceTest, AnEarlierNotificationStillOnScreenDoesNotCountAsTheNewOne)
{
    center.delivered.push_back({ { NotificationService::completionIdentifier, QStringLiteral("tea complete"), tea.body,
                                     true, NotificationTimeIntervalTrigger { 25 } },
        3 });
    center.addMode = AddMode::dropSilently;
    schedule(inSeconds(300));
    center.settle();
    EXPECT_EQ(lastError(), std::optional(NotificationService::notAddedMessage()));
}

// --- quitting ----------------------------------------------------------------------------------------

TEST_F(NotificationServiceTest, QuitWithNothingInFlightRemovesTheRequestAndFinishes)
{
    schedule(inSeconds(300));
    center.settle();
    ASSERT_TRUE(holdsCompletion());
    int finished = 0;
    service->cancelPendingForQuit([&] { ++finished; });
    EXPECT_FALSE(holdsCompletion());
    center.settle();
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(service->isQuitting());
}

TEST_F(NotificationServiceTest, QuitWaitsForAnAddInFlightThenRemovesWhatItLeft)
{
    center.addMode = AddMode::hold;
    schedule(inSeconds(300));
    center.settle();
    int finished = 0;
    service->cancelPendingForQuit([&] { ++finished; });
    center.settle();
    EXPECT_EQ(finished, 0);
    center.completeHeldAdd(0);
    center.settle();
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(holdsCompletion());
}

TEST_F(NotificationServiceTest, QuitIsBoundedWhenAnAddNeverCompletes)
{
    center.addMode = AddMode::hold;
    schedule(inSeconds(300));
    center.settle();
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

TEST_F(NotificationServiceTest, ASecondQuitRequestFinishesWithTheFirst)
{
    center.addMode = AddMode::hold;
    schedule(inSeconds(300));
    center.settle();
    int finished = 0;
    service->cancelPendingForQuit([&] { ++finished; });
    service->cancelPendingForQuit([&] { finished += 10; });
    center.completeHeldAdd(0);
    center.settle();
    EXPECT_EQ(finished, 11);
}

TEST_F(NotificationServiceTest, AServiceGoneBeforeTheCentreAnswersIgnoresTheAnswers)
{
    center.addMode = AddMode::hold;
    schedule(inSeconds(300));
    center.settle();
    bool answered = false;
    service->refreshAuthorization(false, [&](bool) { answered = true; });
    service->cancelPendingForQuit([&] { answered = true; });
    service.reset();
    center.completeHeldAdd(0);
    center.settle();
    EXPECT_FALSE(answered);
}

// --- settings and permission ----------------------------------------------------------------------

TEST_F(NotificationServiceTest, RefreshSettingsPublishesStateAndDelivery)
{
    center.settings = { Status::denied, true, false };
    service->refreshSettings();
    center.settle();
    EXPECT_EQ(authorizations, std::vector { State::denied });
    EXPECT_EQ(deliveries, std::vector { (NotificationDeliveryState { State::denied, true, false }) });
    EXPECT_TRUE(errors.empty());
}

struct RefreshCase {
    const char* name;
    NotificationSettings settings;
    bool asking;
    bool expectedDeliverable;
    bool expectedAsked;
};

class RefreshAuthorization : public NotificationServiceTest, public ::testing::WithParamInterface<RefreshCase> { };

TEST_P(RefreshAuthorization, TellsWhetherANotificationCanBeShown)
{
    center.settings = GetParam().settings;
    std::optional<bool> deliverable;
    service->refreshAuthorization(GetParam().asking, [&](bool result) { deliverable = result; });
    center.settle();
    EXPECT_EQ(deliverable, GetParam().expectedDeliverable);
    EXPECT_EQ(center.requestedOptions.size(), GetParam().expectedAsked ? 1U : 0U);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefreshAuthorization,
    ::testing::Values(RefreshCase { "allowed", allowed, false, true, false },
        RefreshCase { "silent", { Status::authorized, false, false }, true, false, false },
        RefreshCase { "neverAskedNotAsking", neverAsked, false, false, false },
        RefreshCase { "neverAskedAsking", neverAsked, true, true, true },
        RefreshCase { "denied", { Status::denied, true, true }, true, false, false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NotificationServiceTest, RequestPermissionClearsTheMessageAndAsks)
{
    center.settings = neverAsked;
    service->requestPermission();
    center.settle();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front(), std::nullopt);
    EXPECT_EQ(center.requestedOptions.size(), 1U);
    EXPECT_EQ(authorizations.back(), State::allowed);
    EXPECT_TRUE(center.adds.empty());
}

} // namespace

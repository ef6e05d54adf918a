#include "MemoryUserDefaults.h"
#include "OnboardingStore.h"

#include <gtest/gtest.h>

using namespace mewt;

namespace {

using Step = OnboardingStore::Step;

class OnboardingFixture : public ::testing::Test {
protected:
    OnboardingFixture()
    {
        store.onPresentationChange = [this](bool presented) { presentations.push_back(presented); };
    }

    MemoryUserDefaults defaults;
    OnboardingStore store { defaults };
    std::vector<bool> presentations;
};

TEST_F(OnboardingFixture, AdvancingThroughEveryStepCompletesTheTourOnTheLast)
{
    ASSERT_TRUE(store.presentIfNeeded());
    std::vector<Step> steps;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(store.advance());
        steps.push_back(store.step());
    }
    EXPECT_EQ(steps, (std::vector<Step> { Step::pull, Step::pause, Step::notifications }));
    EXPECT_EQ(defaults.writeCount(), 0) << "moving between steps is not persisted";

    EXPECT_TRUE(store.advance());
    EXPECT_FALSE(store.isPresented());
    EXPECT_EQ(store.step(), Step::meet);
    EXPECT_EQ(defaults.intValue(OnboardingStore::completionKey), 3);
    EXPECT_EQ(presentations, (std::vector<bool> { true, false }));
    EXPECT_FALSE(store.presentIfNeeded());
}

TEST_F(OnboardingFixture, BackStopsAtMeet)
{
    store.setStep(Step::pause);
    store.back();
    EXPECT_EQ(store.step(), Step::pull);
    store.back();
    store.back();
    EXPECT_EQ(store.step(), Step::meet);
}

TEST_F(OnboardingFixture, CompleteRecordsTheVersionEvenWhenTheTourIsNotShowing)
{
    store.setStep(Step::pause);
    store.complete();
    EXPECT_EQ(defaults.intValue(OnboardingStore::completionKey), 3);
    EXPECT_EQ(store.step(), Step::meet);
    EXPECT_TRUE(presentations.empty()) << "nothing was presented, so nothing changed";
}

TEST_F(OnboardingFixture, PresentingAgainStartsFromMeetAndCallsBackOnlyOnChange)
{
    store.setStep(Step::notifications);
    EXPECT_TRUE(store.presentIfNeeded());
    EXPECT_EQ(store.step(), Step::meet);
    EXPECT_TRUE(store.presentIfNeeded());
    store.setPresented(true);
    EXPECT_EQ(presentations, std::vector<bool> { true });
}

class StoredTourVersion : public ::testing::TestWithParam<std::pair<QVariant, bool>> { };

TEST_P(StoredTourVersion, ShowsTheTourOnlyBeforeVersionThree)
{
    MemoryUserDefaults defaults;
    if (GetParam().first.isValid())
        defaults.seed(OnboardingStore::completionKey, GetParam().first);
    OnboardingStore store(defaults);
    EXPECT_EQ(store.presentIfNeeded(), GetParam().second);
    EXPECT_EQ(store.isPresented(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Versions, StoredTourVersion,
    ::testing::Values(std::pair { QVariant(), true }, std::pair { QVariant(0), true }, std::pair { QVariant(2), true },
        std::pair { QVariant(3), false }, std::pair { QVariant(7), false }, std::pair { QVariant(-1), true },
        std::pair { QVariant(QStringLiteral("seen")), true }));

TEST(OnboardingSteps, RawValuesAreZeroToThreeAndNothingElse)
{
    for (int raw = 0; raw < OnboardingStore::stepCount; ++raw)
        EXPECT_EQ(static_cast<int>(*OnboardingStore::stepFromRawValue(raw)), raw);
    EXPECT_EQ(OnboardingStore::stepFromRawValue(4), std::nullopt);
    EXPECT_EQ(OnboardingStore::stepFromRawValue(-1), std::nullopt);
}

} // namespace

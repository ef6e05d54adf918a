#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace mewt;

namespace {

class StoredDates : public ::testing::TestWithParam<double> {};

TEST_P(StoredDates, OutOfRangeOrNonFiniteSecondsAreRefused)
{
    EXPECT_EQ(dateFromUnixSeconds(GetParam()), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Bad, StoredDates,
    ::testing::Values(std::nan(""), std::numeric_limits<double>::infinity(), -1.0, 1e18, 1e300));

TEST(StoredDates, RoundTripKeepsSubsecondPrecision)
{
    const Date date = Date(std::chrono::milliseconds(1'765'000'000'123));
    const auto back = dateFromUnixSeconds(unixSeconds(date));
    ASSERT_TRUE(back.has_value());
    EXPECT_NEAR(secondsBetween(date, *back), 0.0, 1e-6);
}

TEST(ManualClock, AdvancesBothTimelinesTogether)
{
    ManualClock clock;
    const Date start = clock.now();
    const Uptime startUp = clock.uptime();
    clock.advance(std::chrono::seconds(90));
    EXPECT_DOUBLE_EQ(secondsBetween(start, clock.now()), 90.0);
    EXPECT_EQ(clock.uptime() - startUp, std::chrono::seconds(90));
}

} // namespace

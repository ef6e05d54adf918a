#include "TimeDisplayStyle.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace mewt;

namespace {

struct FormatCase {
    double seconds;
    TimeDisplayStyle style;
    const char* expected;
};

class TimeFormatting : public ::testing::TestWithParam<FormatCase> { };

TEST_P(TimeFormatting, WritesTheRoundedUpTimeInTheStyle)
{
    EXPECT_EQ(format(GetParam().seconds, GetParam().style), QString::fromUtf8(GetParam().expected))
        << GetParam().seconds << " as " << rawValue(GetParam().style).toStdString();
}

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
using S = TimeDisplayStyle;

INSTANTIATE_TEST_SUITE_P(Compact, TimeFormatting,
    ::testing::Values(FormatCase { 0, S::compact, "0m" }, FormatCase { 0.2, S::compact, "1m" },
        FormatCase { 60, S::compact, "1m" }, FormatCase { 61, S::compact, "2m" },
        FormatCase { 3540, S::compact, "59m" }, FormatCase { 3541, S::compact, "1h0m" },
        FormatCase { 3600, S::compact, "1h0m" }, FormatCase { 3660, S::compact, "1h1m" },
        FormatCase { 7199, S::compact, "2h0m" }, FormatCase { -30, S::compact, "0m" }));

INSTANTIATE_TEST_SUITE_P(CompactSeconds, TimeFormatting,
    ::testing::Values(FormatCase { 0, S::compactSeconds, "0s" }, FormatCase { 59, S::compactSeconds, "59s" },
        FormatCase { 59.1, S::compactSeconds, "1m0s" }, FormatCase { 61, S::compactSeconds, "1m1s" },
        FormatCase { 3599, S::compactSeconds, "59m59s" }, FormatCase { 3600, S::compactSeconds, "1h0m0s" },
        FormatCase { 3661, S::compactSeconds, "1h1m1s" }, FormatCase { 90000, S::compactSeconds, "25h0m0s" }));

INSTANTIATE_TEST_SUITE_P(Clock, TimeFormatting,
    ::testing::Values(FormatCase { 0, S::clock, "0:00" }, FormatCase { 45, S::clock, "0:45" },
        FormatCase { 59.5, S::clock, "1:00" }, FormatCase { 3599, S::clock, "59:59" },
        FormatCase { 3599.01, S::clock, "1:00:00" }, FormatCase { 3661, S::clock, "1:01:01" },
        FormatCase { 36000, S::clock, "10:00:00" }));

INSTANTIATE_TEST_SUITE_P(TotalMinutes, TimeFormatting,
    ::testing::Values(FormatCase { 0, S::totalMinutes, "0:00" }, FormatCase { 45, S::totalMinutes, "0:45" },
        FormatCase { 3599, S::totalMinutes, "59:59" }, FormatCase { 3600, S::totalMinutes, "60:00" },
        FormatCase { 7390.2, S::totalMinutes, "123:11" }));

INSTANTIATE_TEST_SUITE_P(UnusableInput, TimeFormatting,
    ::testing::Values(FormatCase { notANumber, S::clock, "0:00" }, FormatCase { -infinity, S::compactSeconds, "0s" },
        FormatCase { infinity, S::clock, "99999:59:59" }, FormatCase { 1e300, S::compactSeconds, "99999h59m59s" },
        FormatCase { 1e300, S::totalMinutes, "5999999:59" }, FormatCase { infinity, S::compact, "100000h0m" }));

TEST(TimeDisplaySamples, EachSampleIsARealRenderingOfItsStyle)
{
    EXPECT_EQ(sampleText(S::compact), format(3660, S::compact));
    EXPECT_EQ(sampleText(S::compactSeconds), format(3661, S::compactSeconds));
    EXPECT_EQ(sampleText(S::clock), format(3600, S::clock));
    EXPECT_EQ(sampleText(S::totalMinutes), format(7391, S::totalMinutes));
    for (const TimeDisplayStyle style : allTimeDisplayStyles)
        EXPECT_EQ(timeDisplayStyleFromRawValue(rawValue(style)), style);
}

} // namespace

#include "model/ShortClockTime.h"
#include "model/TimeDisplayStyle.h"

#include <gtest/gtest.h>
#include <limits>

using namespace mewt;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
using S = TimeDisplayStyle;
using Samples = std::vector<std::pair<double, const char*>>;

class TimeFormatting : public ::testing::TestWithParam<std::pair<TimeDisplayStyle, Samples>> { };

TEST_P(TimeFormatting, WritesTheRoundedUpTimeInTheStyleAndNeverAnUnreadableOne)
{
    for (const auto& [seconds, text] : GetParam().second)
        EXPECT_EQ(format(seconds, GetParam().first), QString::fromUtf8(text)) << seconds;
}

INSTANTIATE_TEST_SUITE_P(Styles, TimeFormatting,
    ::testing::Values(
        std::pair { S::compact,
            Samples { { 0, "0m" }, { 0.2, "1m" }, { 60, "1m" }, { 61, "2m" }, { 3540, "59m" }, { 3541, "1h0m" },
                { 3600, "1h0m" }, { 3660, "1h1m" }, { 7199, "2h0m" }, { -30, "0m" }, { infinity, "100000h0m" } } },
        std::pair { S::compactSeconds,
            Samples { { 0, "0s" }, { 59, "59s" }, { 59.1, "1m0s" }, { 61, "1m1s" }, { 3599, "59m59s" },
                { 3600, "1h0m0s" }, { 3661, "1h1m1s" }, { 90000, "25h0m0s" }, { -infinity, "0s" },
                { 1e300, "99999h59m59s" } } },
        std::pair { S::clock,
            Samples { { 0, "0:00" }, { 45, "0:45" }, { 59.5, "1:00" }, { 3599, "59:59" }, { 3599.01, "1:00:00" },
                { 3661, "1:01:01" }, { 36000, "10:00:00" }, { notANumber, "0:00" }, { infinity, "99999:59:59" } } },
        std::pair { S::totalMinutes,
            Samples { { 0, "0:00" }, { 45, "0:45" }, { 3599, "59:59" }, { 3600, "60:00" }, { 7390.2, "123:11" },
                { 1e300, "5999999:59" } } }),
    [](const auto& info) { return rawValue(info.param.first).toStdString(); });

TEST(ClockTimes, ReadInTheLocaleStyleToTheMinute)
{
    const std::pair<QLocale, const char*> cases[]
        = { { QLocale::c(), "21:05" }, { QLocale(QLocale::English, QLocale::UnitedStates), "9:05 PM" },
              { QLocale(QLocale::Finnish, QLocale::Finland), "21.05" },
              { QLocale(QLocale::Korean, QLocale::SouthKorea), "오후 9:05" } };
    for (const auto& [locale, text] : cases)
        EXPECT_EQ(shortClockTime(QTime(21, 5, 37), locale), QString::fromUtf8(text));
    // No locale shows the seconds, and each the minutes.
    for (const QLocale& locale :
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const QString text = shortClockTime(QTime(21, 5, 37), locale);
        EXPECT_TRUE(!text.contains(locale.toString(37)) && text.contains(locale.toString(5)))
            << locale.name().toStdString() << " " << text.toStdString();
    }
}

} // namespace

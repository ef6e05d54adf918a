#include "Clock.h"

#include <cmath>

namespace mewt {

namespace {
constexpr double latestUnixSeconds = 253'402'300'799.0; // 9999-12-31T23:59:59Z
}

double unixSeconds(Date date)
{
    return std::chrono::duration<double>(date.time_since_epoch()).count();
}

std::optional<Date> dateFromUnixSeconds(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0.0 || seconds > latestUnixSeconds)
        return std::nullopt;
    return Date(std::chrono::duration_cast<Date::duration>(std::chrono::duration<double>(seconds)));
}

double secondsBetween(Date from, Date to)
{
    return std::chrono::duration<double>(to - from).count();
}

Date addingSeconds(Date date, double seconds)
{
    if (!std::isfinite(seconds))
        return date;
    return date + std::chrono::duration_cast<Date::duration>(std::chrono::duration<double>(seconds));
}

} // namespace mewt

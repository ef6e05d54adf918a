#include "platform/Clock.h"

#include <cmath>

namespace mewt {

namespace {
// Nanosecond time points end in 2262; stay well inside them.
constexpr double latestUnixSeconds = 9.0e9; // about the year 2255
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

#pragma once

#include <chrono>
#include <optional>

namespace mewt {

using Date = std::chrono::system_clock::time_point;
using Uptime = std::chrono::steady_clock::time_point;

// Wall-clock time for deadlines that must hold across sleep and restarts, and uptime for rate
// limits. Stores take a Clock so that tests can drive time instead of sleeping.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Date now() const = 0;
    virtual Uptime uptime() const = 0;
};

class SystemClock final : public Clock {
public:
    Date now() const override { return std::chrono::system_clock::now(); }
    Uptime uptime() const override { return std::chrono::steady_clock::now(); }
};

class ManualClock final : public Clock {
public:
    explicit ManualClock(Date start = Date(std::chrono::seconds(1'800'000'000))) : current(start) {}

    Date now() const override { return current; }
    Uptime uptime() const override { return Uptime(current.time_since_epoch()); }

    void set(Date date) { current = date; }
    template <class Rep, class Period>
    void advance(std::chrono::duration<Rep, Period> by)
    {
        current += std::chrono::duration_cast<Date::duration>(by);
    }

private:
    Date current;
};

// Dates travel through stored JSON as Unix seconds. Reading one back refuses values that are not
// finite or lie outside 1970..2255, which would overflow the time point.
double unixSeconds(Date date);
std::optional<Date> dateFromUnixSeconds(double seconds);

// Seconds from one date to another as a double (negative when `to` is earlier).
double secondsBetween(Date from, Date to);
Date addingSeconds(Date date, double seconds);

} // namespace mewt

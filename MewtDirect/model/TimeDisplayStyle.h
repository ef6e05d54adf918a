#pragma once

#include <QString>
#include <array>
#include <optional>

namespace mewt {

// How the menu bar writes the remaining time.
enum class TimeDisplayStyle { compact, compactSeconds, clock, totalMinutes };

inline constexpr std::array allTimeDisplayStyles = { TimeDisplayStyle::compact, TimeDisplayStyle::compactSeconds,
    TimeDisplayStyle::clock, TimeDisplayStyle::totalMinutes };

// The case name, as stored.
QString rawValue(TimeDisplayStyle style);
std::optional<TimeDisplayStyle> timeDisplayStyleFromRawValue(const QString& raw);

// Longer durations are written as this one (99999:59:59), so the text stays bounded.
inline constexpr qint64 maximumFormattedSeconds = 99999LL * 3600 + 59 * 60 + 59;

// `seconds` rounded up to whole seconds, held to 0...maximumFormattedSeconds (not a number gives 0):
//   compact         minutes rounded up: "25m", from an hour "1h0m", "2h5m"
//   compactSeconds  "45s", "1m0s", "1h1m1s"
//   clock           "0:45", "59:59", from an hour "1:00:00"
//   totalMinutes    all minutes, then seconds: "0:45", "60:00", "123:11"
QString format(double seconds, TimeDisplayStyle style);

// The fixed sample each style is offered by: "1h1m", "1h1m1s", "1:00:00", "123:11".
QString sampleText(TimeDisplayStyle style);

} // namespace mewt

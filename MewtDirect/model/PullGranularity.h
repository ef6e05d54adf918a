#pragma once

#include <QString>
#include <array>
#include <optional>

namespace mewt {

// How much time one pull step adds.
enum class PullGranularity { second, thirtySeconds, minute, fiveMinutes, fifteenMinutes, thirtyMinutes };

inline constexpr std::array allPullGranularities
    = { PullGranularity::second, PullGranularity::thirtySeconds, PullGranularity::minute, PullGranularity::fiveMinutes,
          PullGranularity::fifteenMinutes, PullGranularity::thirtyMinutes };

// The case name: what is stored and the identity of picker items.
QString rawValue(PullGranularity granularity);
std::optional<PullGranularity> pullGranularityFromRawValue(const QString& raw);

// 1, 30, 60, 300, 900 or 1800.
int secondsPerStep(PullGranularity granularity);

// "1 sec", "30 sec", "1 min", "5 min", "15 min", "30 min".
QString label(PullGranularity granularity);

} // namespace mewt

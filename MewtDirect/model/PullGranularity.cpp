#include "model/PullGranularity.h"

namespace mewt {

QString rawValue(PullGranularity granularity)
{
    switch (granularity) {
    case PullGranularity::second: return QStringLiteral("second");
    case PullGranularity::thirtySeconds: return QStringLiteral("thirtySeconds");
    case PullGranularity::minute: return QStringLiteral("minute");
    case PullGranularity::fiveMinutes: return QStringLiteral("fiveMinutes");
    case PullGranularity::fifteenMinutes: return QStringLiteral("fifteenMinutes");
    case PullGranularity::thirtyMinutes: return QStringLiteral("thirtyMinutes");
    }
    return QStringLiteral("minute");
}

std::optional<PullGranularity> pullGranularityFromRawValue(const QString& raw)
{
    for (const PullGranularity granularity : allPullGranularities) {
        if (rawValue(granularity) == raw)
            return granularity;
    }
    return std::nullopt;
}

int secondsPerStep(PullGranularity granularity)
{
    switch (granularity) {
    case PullGranularity::second: return 1;
    case PullGranularity::thirtySeconds: return 30;
    case PullGranularity::minute: return 60;
    case PullGranularity::fiveMinutes: return 300;
    case PullGranularity::fifteenMinutes: return 900;
    case PullGranularity::thirtyMinutes: return 1800;
    }
    return 60;
}

QString label(PullGranularity granularity)
{
    const int seconds = secondsPerStep(granularity);
    return seconds < 60 ? QStringLiteral("%1 sec").arg(seconds) : QStringLiteral("%1 min").arg(seconds / 60);
}

} // namespace mewt

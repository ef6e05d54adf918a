#include "model/PullSettingsStore.h"

#include "model/SettingsLoading.h"
#include "platform/UserDefaults.h"

#include <algorithm>

namespace mewt {

int PullSettingsStore::normalizedStepDistancePoints(qint64 points)
{
    const qint64 held = std::clamp<qint64>(points, minimumStepDistancePoints, maximumStepDistancePoints);
    return static_cast<int>((held - 10) / 20 * 20 + 20);
}

int PullSettingsStore::normalizedQuickTimeMinutes(qint64 minutes)
{
    const qint64 held = std::clamp<qint64>(minutes, minimumQuickTimeMinutes, maximumQuickTimeMinutes);
    const qint64 remainder = held % 5;
    return static_cast<int>(remainder <= 2 ? held - remainder : held - remainder + 5);
}

PullSettingsStore::PullSettingsStore(UserDefaults& defaults, QObject* parent)
    : QObject(parent)
    , defaults(defaults)
{
    stepDistance
        = static_cast<int>(loadInt(defaults, stepDistanceKey, defaultStepDistancePoints, normalizedStepDistancePoints));
    currentGranularity = loadEnum(defaults, granularityKey, PullGranularity::minute, pullGranularityFromRawValue,
        [](PullGranularity granularity) { return rawValue(granularity); });
    quickTime = static_cast<int>(loadInt(defaults, quickTimeKey, defaultQuickTimeMinutes, normalizedQuickTimeMinutes));
}

void PullSettingsStore::setStepDistancePoints(qint64 points)
{
    const int held = normalizedStepDistancePoints(points);
    if (held == stepDistance)
        return;
    stepDistance = held;
    defaults.setInt(stepDistanceKey, held);
    Q_EMIT stepDistancePointsChanged(held);
}

void PullSettingsStore::setGranularity(PullGranularity granularity)
{
    if (granularity == currentGranularity)
        return;
    currentGranularity = granularity;
    defaults.setString(granularityKey, rawValue(granularity));
    Q_EMIT granularityChanged(granularity);
}

void PullSettingsStore::setQuickTimeMinutes(qint64 minutes)
{
    const int held = normalizedQuickTimeMinutes(minutes);
    if (held == quickTime)
        return;
    quickTime = held;
    defaults.setInt(quickTimeKey, held);
    Q_EMIT quickTimeMinutesChanged(held);
}

} // namespace mewt

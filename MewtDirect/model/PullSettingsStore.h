#pragma once

#include "model/PullGranularity.h"

#include <QObject>

namespace mewt {

class UserDefaults;

// How a pull turns into time, and the length of a timer started without a pull.
class PullSettingsStore final : public QObject {
    Q_OBJECT

public:
    explicit PullSettingsStore(UserDefaults& defaults, QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(PullSettingsStore)

    static inline const QString stepDistanceKey = QStringLiteral("pullStepDistancePoints");
    static inline const QString granularityKey = QStringLiteral("pullGranularity");
    static inline const QString quickTimeKey = QStringLiteral("quickTimeMinutes");

    static constexpr int defaultStepDistancePoints = 20;
    static constexpr int minimumStepDistancePoints = 20;
    static constexpr int maximumStepDistancePoints = 140;
    static constexpr int defaultQuickTimeMinutes = 25;
    static constexpr int minimumQuickTimeMinutes = 5;
    static constexpr int maximumQuickTimeMinutes = 120;

    // Held to 20...140, then to a multiple of 20 with halves upward (30 gives 40, 29 gives 20).
    static int normalizedStepDistancePoints(qint64 points);
    // Held to 5...120, then to the nearest multiple of 5 (a remainder of 3 or 4 rounds up).
    static int normalizedQuickTimeMinutes(qint64 minutes);

    int stepDistancePoints() const { return stepDistance; }
    PullGranularity granularity() const { return currentGranularity; }
    int quickTimeMinutes() const { return quickTime; }

    void setStepDistancePoints(qint64 points);
    void setGranularity(PullGranularity granularity);
    void setQuickTimeMinutes(qint64 minutes);

Q_SIGNALS:
    void stepDistancePointsChanged(int points);
    void granularityChanged(mewt::PullGranularity granularity);
    void quickTimeMinutesChanged(int minutes);

private:
    UserDefaults& defaults;
    int stepDistance = defaultStepDistancePoints;
    PullGranularity currentGranularity = PullGranularity::minute;
    int quickTime = defaultQuickTimeMinutes;
};

} // namespace mewt

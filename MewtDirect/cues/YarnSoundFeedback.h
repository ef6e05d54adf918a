#pragma once

#include <cstdint>
#include <functional>
#include <limits>

namespace mewt {

class Clock;
class TactileSoundPlayer;

// The tick of a duration pull: one per new whole value, at most one per `minimumTickGap` seconds of
// uptime, so a fast pull over many values neither floods the voices nor ticks twice for a value.
class YarnSoundFeedback final {
public:
    static constexpr double defaultMinimumTickGap = 0.04;
    static constexpr double tickVolume = 0.28;

    YarnSoundFeedback(std::function<void()> playTick, double minimumTickGap, const Clock& clock);
    // Ticks `tick` at 0.28 on the player, at most every 0.04 s.
    YarnSoundFeedback(TactileSoundPlayer& player, const Clock& clock);

    // The whole value the pull currently selects.
    void tick(std::int64_t value);

    std::int64_t lastValue() const { return latestValue; }
    double minimumTickGap() const { return gap; }

private:
    std::function<void()> playTick;
    double gap;
    const Clock& clock;
    std::int64_t latestValue = 0;
    double lastTickTime = -std::numeric_limits<double>::infinity();
};

} // namespace mewt

#include "cues/YarnSoundFeedback.h"

#include "platform/Clock.h"
#include "cues/TactileSoundPlayer.h"

#include <QPointer>

namespace mewt {

YarnSoundFeedback::YarnSoundFeedback(std::function<void()> playTick, double minimumTickGap, const Clock& clock)
    : playTick(std::move(playTick))
    , gap(minimumTickGap)
    , clock(clock)
{
}

YarnSoundFeedback::YarnSoundFeedback(TactileSoundPlayer& player, const Clock& clock)
    : YarnSoundFeedback(
        [target = QPointer<TactileSoundPlayer>(&player)] {
            if (target)
                target->play(TactileSound::tick, tickVolume);
        },
        defaultMinimumTickGap, clock)
{
}

void YarnSoundFeedback::tick(std::int64_t value)
{
    if (value < 1 || value == latestValue)
        return;
    latestValue = value;
    const double now = std::chrono::duration<double>(clock.uptime().time_since_epoch()).count();
    if (now - lastTickTime >= gap) {
        lastTickTime = now;
        if (playTick)
            playTick();
    }
}

} // namespace mewt

#include "model/TimerState.h"

#include <algorithm>

namespace mewt {

std::optional<Date> TimerState::endDate() const
{
    if (const auto* running = std::get_if<Running>(&value))
        return running->endDate;
    return std::nullopt;
}

std::optional<double> TimerState::pausedRemainingSeconds() const
{
    if (const auto* paused = std::get_if<Paused>(&value))
        return paused->remainingSeconds;
    return std::nullopt;
}

double TimerState::remainingSeconds(Date at) const
{
    switch (kind()) {
    case Kind::running: return std::max(0.0, secondsBetween(at, std::get<Running>(value).endDate));
    case Kind::paused: return std::get<Paused>(value).remainingSeconds;
    case Kind::idle: break;
    }
    return 0.0;
}

} // namespace mewt

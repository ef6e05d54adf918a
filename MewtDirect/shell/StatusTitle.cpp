#include "shell/StatusTitle.h"

namespace mewt {

StatusTitle statusTitle(const TimerState& state, Date now, std::optional<qint64> overdueSeconds, TimeDisplayStyle style)
{
    switch (state.kind()) {
    case TimerState::Kind::running: return { StatusTitle::Kind::running, format(state.remainingSeconds(now), style) };
    case TimerState::Kind::paused: return { StatusTitle::Kind::paused, format(state.remainingSeconds(now), style) };
    case TimerState::Kind::idle: break;
    }
    if (overdueSeconds)
        return { StatusTitle::Kind::overdue,
            QChar(0x2212) + format(static_cast<double>(*overdueSeconds), TimeDisplayStyle::clock) };
    return {};
}

} // namespace mewt

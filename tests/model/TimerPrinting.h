#pragma once

#include "model/TimerSnapshot.h"

#include <ostream>
#include <string>

namespace mewt {

// Readable failure messages for the timer's value types.
inline void PrintTo(const TimerState& state, std::ostream* os)
{
    if (state.isRunning())
        *os << "running until " << std::to_string(unixSeconds(*state.endDate()));
    else
        *os << (state.isPaused() ? "paused " + std::to_string(*state.pausedRemainingSeconds()) : std::string("idle"));
}

inline void PrintTo(const TimerSnapshot& snapshot, std::ostream* os)
{
    PrintTo(snapshot.state, os);
    *os << ", draft \"" << snapshot.draftName.toStdString() << "\", active \""
        << snapshot.activeName.value_or(QStringLiteral("-")).toStdString() << "\", total "
        << snapshot.totalDurationSeconds;
}

} // namespace mewt

#pragma once

#include "TimerSnapshot.h"

#include <iomanip>
#include <ostream>

namespace mewt {

// Readable failure messages for the timer's value types.
inline void PrintTo(const TimerState& state, std::ostream* os)
{
    switch (state.kind()) {
    case TimerState::Kind::running:
        *os << "running until " << std::setprecision(15) << unixSeconds(*state.endDate());
        break;
    case TimerState::Kind::paused: *os << "paused with " << *state.pausedRemainingSeconds() << " s"; break;
    case TimerState::Kind::idle: *os << "idle"; break;
    }
}

inline void PrintTo(const TimerSnapshot& snapshot, std::ostream* os)
{
    PrintTo(snapshot.state, os);
    *os << ", draft \"" << snapshot.draftName.toStdString() << "\", active "
        << (snapshot.activeName ? "\"" + snapshot.activeName->toStdString() + "\"" : std::string("none")) << ", total "
        << snapshot.totalDurationSeconds;
}

} // namespace mewt

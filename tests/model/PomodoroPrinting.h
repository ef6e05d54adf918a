#pragma once

#include "PomodoroPlan.h"

#include <ostream>

namespace mewt {

// Readable failure messages for the pomodoro value types.
inline void PrintTo(PomodoroPhase phase, std::ostream* os)
{
    *os << rawValue(phase).toStdString();
}

inline void PrintTo(const PomodoroPlan& plan, std::ostream* os)
{
    *os << rawValue(plan.phase).toStdString() << (plan.isPhaseRunning ? " running " : " waiting ")
        << plan.phaseDurationSeconds << " s, blocks " << plan.completedBlocks << ", focus "
        << plan.completedFocusSeconds << "/" << plan.totalFocusSeconds << ", breaks " << plan.completedBreakSeconds
        << (plan.isContinuous ? ", continuous" : "") << (plan.phaseEndedAt ? ", ended" : "");
}

} // namespace mewt

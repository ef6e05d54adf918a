#pragma once

#include "platform/Clock.h"
#include "model/TimeDisplayStyle.h"
#include "model/TimerState.h"

#include <QString>
#include <optional>

namespace mewt {

// What the menu-bar paw writes beside itself.
struct StatusTitle {
    enum class Kind {
        none, // idle: the paw alone
        running,
        paused, // drawn dimmed, with a pause mark
        overdue, // a pomodoro plan waits for its next phase; the time since the last one ended
    };

    Kind kind = Kind::none;
    QString text;

    bool operator==(const StatusTitle&) const = default;
};

// Running and paused times follow `style`. A waiting plan's overdue time is always written with
// seconds ("−4:05", U+2212), since it counts up and the count is the point. A running or paused
// timer wins over a waiting plan.
StatusTitle statusTitle(
    const TimerState& state, Date now, std::optional<qint64> overdueSeconds, TimeDisplayStyle style);

} // namespace mewt

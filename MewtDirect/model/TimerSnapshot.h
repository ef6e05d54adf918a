#pragma once

#include "model/TimerState.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace mewt {

// The user-defaults key under which the timer store keeps its snapshot.
inline const QString timerSnapshotKey = QStringLiteral("timerSnapshot");

// What the timer store keeps across launches, stored as JSON:
// {"version": 1, "state": {"kind": "running", "endDate": <Unix seconds>} | {"kind": "paused",
//  "remainingSeconds": <seconds>} | {"kind": "idle"}, "draftName": "...", "activeName": "...",
//  "totalDurationSeconds": <whole seconds>}; "activeName" is left out when there is none.
struct TimerSnapshot {
    static constexpr int currentVersion = 1;

    TimerState state;
    QString draftName;
    std::optional<QString> activeName;
    qint64 totalDurationSeconds = 0;

    bool operator==(const TimerSnapshot&) const = default;
};

// Session names longer than the name field allows are cut to this many characters when read.
inline constexpr int maximumSessionNameCharacters = 40;
// One character may carry any number of combining marks; past this many code units they are cut.
inline constexpr int maximumSessionNameCodeUnits = 400;

// `name` without control characters (C0 and C1) nor unpaired surrogates (a tab and the line and
// paragraph separators become a space), cut to maximumSessionNameCharacters user-perceived
// characters and at most maximumSessionNameCodeUnits code units, never inside a surrogate pair;
// then every direction control it opens is closed (the closers may go past the bound) and closers
// without an opener are dropped.
QString boundedSessionName(const QString& name);

// Compact JSON; none when a value cannot be represented (a date outside years 1970..9999, a
// remainder or total that is negative or not finite).
std::optional<QByteArray> encodeTimerSnapshot(const TimerSnapshot& snapshot);

// Never fails. Data that is not JSON, or whose version is not 1, gives an idle snapshot with an
// empty draft. Otherwise each field is read on its own, so a readable draft name survives a broken
// state. A state that cannot be trusted (unknown kind, missing or non-finite numbers, a timer
// longer than maximumTimerSeconds from `now`) reads as idle; a negative or non-finite total as 0.
TimerSnapshot decodeTimerSnapshot(const QByteArray& data, Date now);

} // namespace mewt

#pragma once

#include <QByteArray>
#include <QJsonObject>

namespace mewt {

// The lengths of a pomodoro plan's phases and how many focus blocks come before a long break.
struct PomodoroConfiguration {
    int focusSeconds = 1500;
    int shortBreakSeconds = 300;
    int longBreakSeconds = 900;
    int blocksBeforeLongBreak = 4;

    // A length outside this range is held to it: a stored 0 must never give one-second phases, and
    // three hours is far beyond anything the controls offer.
    static constexpr int minimumLengthSeconds = 60;
    static constexpr int maximumLengthSeconds = 10800;
    static constexpr int minimumBlocksBeforeLongBreak = 2;
    static constexpr int maximumBlocksBeforeLongBreak = 8;

    bool operator==(const PomodoroConfiguration&) const = default;

    // Every field held to its range.
    PomodoroConfiguration normalized() const;

    // JSON whose keys are the field names.
    QJsonObject toJson() const;
    QByteArray encoded() const;

    // Tolerant decoding: a missing key, a value that is not a number, or a number that is not finite
    // or does not fit an integer gives that field's default; other numbers are rounded and held to
    // their range. `adjusted`, when given, tells whether anything had to be filled in or changed.
    static PomodoroConfiguration fromJson(const QJsonObject& object, bool* adjusted = nullptr);
    // Data that is not a JSON object gives the whole default configuration (and counts as adjusted).
    static PomodoroConfiguration decoded(const QByteArray& data, bool* adjusted = nullptr);
};

} // namespace mewt

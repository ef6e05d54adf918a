#pragma once

#include "model/TimerMode.h"

#include <QString>
#include <optional>

namespace mewt {

// A whole decimal number written alone: digits with at most one leading sign, nothing else. Text
// that does not fit 64 bits gives none, never a wrapped value.
std::optional<qint64> parseWholeNumber(const QString& text);

// The default duration of the next start as the idle clock shows it: "25:00", "05:00", "120:00".
QString clockTimeText(TimerMode mode, int quickTimeMinutes, qint64 focusSeconds);

// Typed minutes, bare ("25") or with a zero seconds part ("25:00"); none for anything else,
// negative minutes included.
std::optional<qint64> parseClockMinutes(const QString& text);

} // namespace mewt

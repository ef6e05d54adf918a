#include "model/PomodoroConfiguration.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <algorithm>
#include <cmath>
#include <limits>

namespace mewt {

namespace {

const QString focusKey = QStringLiteral("focusSeconds");
const QString shortBreakKey = QStringLiteral("shortBreakSeconds");
const QString longBreakKey = QStringLiteral("longBreakSeconds");
const QString blocksKey = QStringLiteral("blocksBeforeLongBreak");

int clampedLength(int seconds)
{
    return std::clamp(
        seconds, PomodoroConfiguration::minimumLengthSeconds, PomodoroConfiguration::maximumLengthSeconds);
}

int clampedBlocks(int blocks)
{
    return std::clamp(blocks, PomodoroConfiguration::minimumBlocksBeforeLongBreak,
        PomodoroConfiguration::maximumBlocksBeforeLongBreak);
}

// One field: the default when the value is unusable, else the rounded number held by `clamp`.
template <typename Clamp>
int decodedField(const QJsonObject& object, const QString& key, int fallback, Clamp clamp, bool& adjusted)
{
    const QJsonValue value = object.value(key);
    if (!value.isDouble()) {
        adjusted = true;
        return fallback;
    }
    const double number = value.toDouble();
    constexpr double limit = std::numeric_limits<int>::max();
    if (!std::isfinite(number) || std::abs(number) > limit) {
        adjusted = true;
        return fallback;
    }
    const int result = clamp(static_cast<int>(std::lround(number)));
    if (static_cast<double>(result) != number)
        adjusted = true;
    return result;
}

} // namespace

PomodoroConfiguration PomodoroConfiguration::normalized() const
{
    return PomodoroConfiguration { clampedLength(focusSeconds), clampedLength(shortBreakSeconds),
        clampedLength(longBreakSeconds), clampedBlocks(blocksBeforeLongBreak) };
}

QJsonObject PomodoroConfiguration::toJson() const
{
    return QJsonObject { { focusKey, focusSeconds }, { shortBreakKey, shortBreakSeconds },
        { longBreakKey, longBreakSeconds }, { blocksKey, blocksBeforeLongBreak } };
}

QByteArray PomodoroConfiguration::encoded() const
{
    return QJsonDocument(toJson()).toJson(QJsonDocument::Compact);
}

PomodoroConfiguration PomodoroConfiguration::fromJson(const QJsonObject& object, bool* adjusted)
{
    const PomodoroConfiguration defaults;
    bool changed = false;
    PomodoroConfiguration result;
    result.focusSeconds = decodedField(object, focusKey, defaults.focusSeconds, clampedLength, changed);
    result.shortBreakSeconds = decodedField(object, shortBreakKey, defaults.shortBreakSeconds, clampedLength, changed);
    result.longBreakSeconds = decodedField(object, longBreakKey, defaults.longBreakSeconds, clampedLength, changed);
    result.blocksBeforeLongBreak
        = decodedField(object, blocksKey, defaults.blocksBeforeLongBreak, clampedBlocks, changed);
    if (adjusted)
        *adjusted = changed;
    return result;
}

PomodoroConfiguration PomodoroConfiguration::decoded(const QByteArray& data, bool* adjusted)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        if (adjusted)
            *adjusted = true;
        return PomodoroConfiguration {};
    }
    return fromJson(document.object(), adjusted);
}

} // namespace mewt

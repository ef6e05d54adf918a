#include "model/TimerSnapshot.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

namespace mewt {

namespace {

const QString versionKey = QStringLiteral("version");
const QString stateKey = QStringLiteral("state");
const QString kindKey = QStringLiteral("kind");
const QString endDateKey = QStringLiteral("endDate");
const QString remainingSecondsKey = QStringLiteral("remainingSeconds");
const QString draftNameKey = QStringLiteral("draftName");
const QString activeNameKey = QStringLiteral("activeName");
const QString totalKey = QStringLiteral("totalDurationSeconds");

// Whole milliseconds, so that reading a date back and writing it again gives the same text.
double storedUnixSeconds(Date date)
{
    return std::round(unixSeconds(date) * 1000.0) / 1000.0;
}

std::optional<QString> readName(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (!value.isString())
        return std::nullopt;
    return boundedSessionName(value.toString());
}

TimerState readState(const QJsonValue& value, Date now)
{
    if (!value.isObject())
        return TimerState::idle();
    const QJsonObject object = value.toObject();
    const QString kind = object.value(kindKey).toString();
    if (kind == u"running") {
        const QJsonValue end = object.value(endDateKey);
        // Range first: a date far away must not reach the conversion to a time point at all.
        const double endSeconds = end.isDouble() ? end.toDouble() : -1.0;
        if (endSeconds - unixSeconds(now) <= maximumTimerSeconds && dateFromUnixSeconds(endSeconds)) {
            // Dates are written in whole milliseconds; reading them the same way restores them exactly.
            return TimerState::running(Date(std::chrono::milliseconds(std::llround(endSeconds * 1000.0))));
        }
    } else if (kind == u"paused") {
        const QJsonValue remaining = object.value(remainingSecondsKey);
        const double seconds = remaining.isDouble() ? remaining.toDouble() : 0.0;
        if (std::isfinite(seconds) && seconds > 0.0 && seconds <= maximumTimerSeconds)
            return TimerState::paused(seconds);
    }
    return TimerState::idle();
}

qint64 readTotal(const QJsonValue& value)
{
    const double total = value.isDouble() ? value.toDouble() : 0.0;
    if (!std::isfinite(total) || total <= 0.0)
        return 0;
    return static_cast<qint64>(std::min(std::round(total), double(maximumTotalDurationSeconds)));
}

} // namespace

QString boundedSessionName(const QString& name)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, name);
    int count = 0;
    while (count < maximumSessionNameCharacters && finder.toNextBoundary() != -1)
        ++count;
    qsizetype end = count == maximumSessionNameCharacters ? finder.position() : name.size();
    end = std::min<qsizetype>(end, maximumSessionNameCodeUnits);
    if (end > 0 && end < name.size() && name.at(end - 1).isHighSurrogate())
        --end;
    return end == name.size() ? name : name.left(end);
}

std::optional<QByteArray> encodeTimerSnapshot(const TimerSnapshot& snapshot)
{
    QJsonObject state;
    switch (snapshot.state.kind()) {
    case TimerState::Kind::running: {
        const double end = storedUnixSeconds(*snapshot.state.endDate());
        if (!dateFromUnixSeconds(end))
            return std::nullopt;
        state.insert(kindKey, QStringLiteral("running"));
        state.insert(endDateKey, end);
        break;
    }
    case TimerState::Kind::paused: {
        const double remaining = *snapshot.state.pausedRemainingSeconds();
        if (!std::isfinite(remaining) || remaining < 0.0)
            return std::nullopt;
        state.insert(kindKey, QStringLiteral("paused"));
        state.insert(remainingSecondsKey, remaining);
        break;
    }
    case TimerState::Kind::idle: state.insert(kindKey, QStringLiteral("idle")); break;
    }
    if (snapshot.totalDurationSeconds < 0)
        return std::nullopt;

    QJsonObject object;
    object.insert(versionKey, TimerSnapshot::currentVersion);
    object.insert(stateKey, state);
    object.insert(draftNameKey, snapshot.draftName);
    if (snapshot.activeName)
        object.insert(activeNameKey, *snapshot.activeName);
    object.insert(totalKey, snapshot.totalDurationSeconds);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

TimerSnapshot decodeTimerSnapshot(const QByteArray& data, Date now)
{
    const QJsonDocument document = QJsonDocument::fromJson(data);
    if (!document.isObject())
        return {};
    const QJsonObject object = document.object();
    const QJsonValue version = object.value(versionKey);
    if (!version.isDouble() || version.toDouble() != TimerSnapshot::currentVersion)
        return {};

    TimerSnapshot snapshot;
    snapshot.state = readState(object.value(stateKey), now);
    snapshot.draftName = readName(object, draftNameKey).value_or(QString());
    snapshot.activeName = readName(object, activeNameKey);
    if (snapshot.activeName && snapshot.activeName->isEmpty())
        snapshot.activeName.reset();
    snapshot.totalDurationSeconds = readTotal(object.value(totalKey));
    return snapshot;
}

} // namespace mewt

#include "model/TimerSnapshot.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <vector>

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

namespace {

bool isEmbedding(char16_t c)
{
    return c == 0x202A || c == 0x202B || c == 0x202D || c == 0x202E;
}

bool isIsolate(char16_t c)
{
    return c >= 0x2066 && c <= 0x2068;
}

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// A NUL ends the title a notification server shows, and escapes (C1's CSI too) and bells reach
// whatever prints the name; a tab and the line and paragraph separators read as a space. A half
// of a surrogate pair is no character at all (UTF-8 has no form for it).
QString withoutControls(const QString& name)
{
    QString kept;
    kept.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c == u'\t' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            kept.append(u' ');
        } else if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            kept.append(c).append(name.at(++i));
        } else if (!isControl(c.unicode()) && !c.isSurrogate()) {
            kept.append(c);
        }
    }
    return kept;
}

// A direction control left open turns whatever follows the name (" complete") around: stray
// closers go, and what is still open at the end is closed there.
QString withBalancedDirections(const QString& name)
{
    QString kept;
    kept.reserve(name.size());
    std::vector<char16_t> open;
    for (const QChar c : name) {
        const char16_t unit = c.unicode();
        if (isEmbedding(unit) || isIsolate(unit)) {
            open.push_back(unit);
        } else if (unit == 0x202C) {
            if (open.empty() || !isEmbedding(open.back()))
                continue;
            open.pop_back();
        } else if (unit == 0x2069) {
            const auto isolate = std::find_if(open.rbegin(), open.rend(), isIsolate);
            if (isolate == open.rend())
                continue;
            // Closing an isolate closes the embeddings opened inside it.
            for (auto it = open.rbegin(); it != isolate; ++it)
                kept.append(QChar(0x202C));
            open.erase(std::prev(isolate.base()), open.end());
        }
        kept.append(c);
    }
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        kept.append(QChar(isIsolate(*it) ? 0x2069 : 0x202C));
    return kept;
}

} // namespace

QString boundedSessionName(const QString& raw)
{
    const QString name = withoutControls(raw);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, name);
    int count = 0;
    while (count < maximumSessionNameCharacters && finder.toNextBoundary() != -1)
        ++count;
    qsizetype end = count == maximumSessionNameCharacters ? finder.position() : name.size();
    end = std::min<qsizetype>(end, maximumSessionNameCodeUnits);
    if (end > 0 && end < name.size() && name.at(end - 1).isHighSurrogate())
        --end;
    return withBalancedDirections(end == name.size() ? name : name.left(end));
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

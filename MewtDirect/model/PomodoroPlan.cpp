#include "model/PomodoroPlan.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QUuid>
#include <algorithm>
#include <cmath>
#include <limits>

namespace mewt {

namespace {

const QString idKey = QStringLiteral("id");
const QString totalFocusKey = QStringLiteral("totalFocusSeconds");
const QString completedFocusKey = QStringLiteral("completedFocusSeconds");
const QString completedBreakKey = QStringLiteral("completedBreakSeconds");
const QString completedBlocksKey = QStringLiteral("completedBlocks");
const QString phaseKey = QStringLiteral("phase");
const QString phaseDurationKey = QStringLiteral("phaseDurationSeconds");
const QString runningKey = QStringLiteral("isPhaseRunning");
const QString endedAtKey = QStringLiteral("phaseEndedAt");
const QString configurationKey = QStringLiteral("configuration");
const QString continuousKey = QStringLiteral("isContinuous");

// An id longer than this was not written by us.
constexpr qsizetype maximumIdLength = 64;

qint64 saturatingSum(qint64 a, qint64 b)
{
    return std::min(a + b, PomodoroPlan::maximumPlanSeconds);
}

QString newPlanId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// A whole number held to [minimum, maximum]; `fallback` when the value is missing or unusable.
qint64 readInteger(
    const QJsonObject& object, const QString& key, qint64 fallback, qint64 minimum, qint64 maximum, bool& adjusted)
{
    const QJsonValue value = object.value(key);
    const double number = value.isDouble() ? value.toDouble() : std::nan("");
    if (!std::isfinite(number)) {
        adjusted = true;
        return fallback;
    }
    const double held = std::clamp(number, double(minimum), double(maximum));
    const qint64 result = std::llround(held);
    if (double(result) != number)
        adjusted = true;
    return result;
}

bool readBool(const QJsonObject& object, const QString& key, bool& adjusted)
{
    const QJsonValue value = object.value(key);
    if (!value.isBool()) {
        adjusted = true;
        return false;
    }
    return value.toBool();
}

} // namespace

PomodoroPlan PomodoroPlan::starting(qint64 sessions, const PomodoroConfiguration& configuration, bool continuous)
{
    PomodoroPlan plan;
    plan.id = newPlanId();
    plan.configuration = configuration.normalized();
    plan.isContinuous = continuous;
    plan.phase = PomodoroPhase::focus;
    plan.phaseDurationSeconds = plan.configuration.focusSeconds;
    plan.isPhaseRunning = true;
    const qint64 blocks = continuous ? 1 : std::clamp<qint64>(sessions, 1, maximumSessionsPerCommit);
    plan.totalFocusSeconds = blocks * plan.configuration.focusSeconds;
    return plan;
}

qint64 PomodoroPlan::lengthOf(PomodoroPhase phase, const PomodoroConfiguration& configuration)
{
    switch (phase) {
    case PomodoroPhase::focus: return configuration.focusSeconds;
    case PomodoroPhase::shortBreak: return configuration.shortBreakSeconds;
    case PomodoroPhase::longBreak: return configuration.longBreakSeconds;
    }
    return configuration.focusSeconds;
}

qint64 PomodoroPlan::focusOwedSeconds() const
{
    return std::max<qint64>(totalFocusSeconds - completedFocusSeconds, 0);
}

int PomodoroPlan::plannedBlockCount() const
{
    const bool inFocus = phase == PomodoroPhase::focus;
    qint64 count = qint64(completedBlocks) + (inFocus ? 1 : 0);
    if (!isContinuous) {
        const qint64 afterCurrent = std::max<qint64>(focusOwedSeconds() - (inFocus ? phaseDurationSeconds : 0), 0);
        const qint64 blockLength = std::max(configuration.focusSeconds, 1);
        count += (afterCurrent + blockLength - 1) / blockLength;
    }
    return int(std::clamp<qint64>(count, 1, std::numeric_limits<int>::max()));
}

bool PomodoroPlan::hasFocusAfterCurrentPhase() const
{
    if (isContinuous)
        return true;
    if (isBreak(phase))
        return focusOwedSeconds() >= 1;
    return focusOwedSeconds() > phaseDurationSeconds;
}

std::optional<qint64> PomodoroPlan::overdueSeconds(Date date) const
{
    if (isPhaseRunning || !phaseEndedAt)
        return std::nullopt;
    return std::max<qint64>(std::chrono::floor<std::chrono::seconds>(date - *phaseEndedAt).count(), 0);
}

PomodoroYarnSchedule PomodoroPlan::yarnSchedule() const
{
    const auto segmentOf = [](const PomodoroPlan& plan) {
        const int block = plan.phase == PomodoroPhase::focus ? plan.completedBlocks + 1 : plan.completedBlocks;
        return PomodoroYarnSegment { block, plan.phase, double(plan.phaseDurationSeconds) };
    };

    std::vector<PomodoroYarnSegment> segments { segmentOf(*this) };
    PomodoroPlan upcoming = *this;
    while (segments.size() < std::size_t(maximumYarnSegments)) {
        // A continuous plan never ends; its yarn closes with the long break that ends a round.
        if (isContinuous && upcoming.phase == PomodoroPhase::longBreak)
            break;
        const std::optional<PomodoroPlan> next = upcoming.afterPhaseEnds(std::nullopt);
        if (!next)
            break;
        upcoming = *next;
        segments.push_back(segmentOf(upcoming));
    }

    double laidOut = 0.0;
    for (const PomodoroYarnSegment& segment : segments)
        laidOut += segment.seconds;

    // What is already wound: the whole plan so far, or for a continuous plan the phases of the
    // current round at their configured lengths, so its yarn fills again after each long break.
    double wound = double(completedFocusSeconds) + double(completedBreakSeconds);
    if (isContinuous) {
        const int blocks = std::max(configuration.blocksBeforeLongBreak, 1);
        qint64 focusDone = 0;
        qint64 breaksDone = 0;
        if (phase == PomodoroPhase::focus) {
            focusDone = breaksDone = completedBlocks % blocks;
        } else if (completedBlocks > 0) {
            breaksDone = (completedBlocks - 1) % blocks;
            focusDone = breaksDone + 1;
        }
        wound = double(focusDone * configuration.focusSeconds + breaksDone * configuration.shortBreakSeconds);
    }
    return PomodoroYarnSchedule(std::move(segments), wound + laidOut);
}

PomodoroPlan PomodoroPlan::applyingConfiguration(const PomodoroConfiguration& newConfiguration) const
{
    if (!isContinuous)
        return *this;
    PomodoroPlan next = *this;
    next.configuration = newConfiguration.normalized();
    if (!isPhaseRunning)
        next.phaseDurationSeconds = lengthOf(phase, next.configuration);
    next.settleFocusTotal();
    return next;
}

PomodoroPlan PomodoroPlan::extendedBy(qint64 seconds) const
{
    PomodoroPlan next = *this;
    next.phaseDurationSeconds
        = std::min(phaseDurationSeconds + std::clamp<qint64>(seconds, 0, maximumPhaseSeconds), maximumPhaseSeconds);
    if (phase == PomodoroPhase::focus)
        next.totalFocusSeconds = saturatingSum(totalFocusSeconds, next.phaseDurationSeconds - phaseDurationSeconds);
    next.settleFocusTotal();
    return next;
}

std::optional<PomodoroPlan> PomodoroPlan::afterPhaseEnds(std::optional<Date> endedAt) const
{
    PomodoroPlan next = *this;
    next.isPhaseRunning = false;
    next.phaseEndedAt = endedAt;
    if (phase == PomodoroPhase::focus) {
        next.completedBlocks = std::min(completedBlocks + 1, maximumCompletedBlocks);
        next.completedFocusSeconds = saturatingSum(completedFocusSeconds, phaseDurationSeconds);
        if (!isContinuous && next.focusOwedSeconds() < 1)
            return std::nullopt;
        const int blocks = std::max(configuration.blocksBeforeLongBreak, 1);
        next.phase = next.completedBlocks % blocks == 0 ? PomodoroPhase::longBreak : PomodoroPhase::shortBreak;
        next.phaseDurationSeconds = lengthOf(next.phase, configuration);
    } else {
        next.completedBreakSeconds = saturatingSum(completedBreakSeconds, phaseDurationSeconds);
        // Only a repaired plan can be in a break with no focus after it.
        if (!isContinuous && next.focusOwedSeconds() < 1)
            return std::nullopt;
        next.phase = PomodoroPhase::focus;
        const qint64 length = lengthOf(PomodoroPhase::focus, configuration);
        next.phaseDurationSeconds = isContinuous ? length : std::min(length, next.focusOwedSeconds());
    }
    next.settleFocusTotal();
    return next;
}

void PomodoroPlan::settleFocusTotal()
{
    const qint64 covered
        = saturatingSum(completedFocusSeconds, phase == PomodoroPhase::focus ? phaseDurationSeconds : 0);
    totalFocusSeconds = isContinuous ? covered : std::max(totalFocusSeconds, covered);
}

QJsonObject PomodoroPlan::toJson() const
{
    QJsonObject object { { idKey, id }, { totalFocusKey, totalFocusSeconds },
        { completedFocusKey, completedFocusSeconds }, { completedBreakKey, completedBreakSeconds },
        { completedBlocksKey, completedBlocks }, { phaseKey, rawValue(phase) },
        { phaseDurationKey, phaseDurationSeconds }, { runningKey, isPhaseRunning },
        { configurationKey, configuration.toJson() }, { continuousKey, isContinuous } };
    // Whole milliseconds, so that reading and writing a plan again gives the same text.
    if (phaseEndedAt)
        object.insert(endedAtKey, std::round(unixSeconds(*phaseEndedAt) * 1000.0) / 1000.0);
    return object;
}

QByteArray PomodoroPlan::encoded() const
{
    return QJsonDocument(toJson()).toJson(QJsonDocument::Compact);
}

std::optional<PomodoroPlan> PomodoroPlan::fromJson(
    const QJsonObject& object, const PomodoroConfiguration& fallback, bool* adjusted)
{
    const std::optional<PomodoroPhase> phase = pomodoroPhaseFromRawValue(object.value(phaseKey).toString());
    if (!phase)
        return std::nullopt;

    bool changed = false;
    PomodoroPlan plan;
    plan.phase = *phase;

    const QJsonValue configuration = object.value(configurationKey);
    if (configuration.isObject()) {
        bool configurationChanged = false;
        plan.configuration = PomodoroConfiguration::fromJson(configuration.toObject(), &configurationChanged);
        changed = changed || configurationChanged;
    } else {
        plan.configuration = fallback.normalized();
        changed = true;
    }

    plan.id = object.value(idKey).toString();
    if (plan.id.isEmpty() || plan.id.size() > maximumIdLength) {
        plan.id = newPlanId();
        changed = true;
    }

    plan.completedBlocks = int(readInteger(object, completedBlocksKey, 0, 0, maximumCompletedBlocks, changed));
    plan.completedFocusSeconds = readInteger(object, completedFocusKey, 0, 0, maximumPlanSeconds, changed);
    plan.completedBreakSeconds = readInteger(object, completedBreakKey, 0, 0, maximumPlanSeconds, changed);
    plan.phaseDurationSeconds = readInteger(
        object, phaseDurationKey, lengthOf(plan.phase, plan.configuration), 1, maximumPhaseSeconds, changed);
    plan.isPhaseRunning = readBool(object, runningKey, changed);
    plan.isContinuous = readBool(object, continuousKey, changed);

    if (object.contains(endedAtKey)) {
        const QJsonValue ended = object.value(endedAtKey);
        plan.phaseEndedAt = ended.isDouble() ? dateFromUnixSeconds(ended.toDouble()) : std::nullopt;
        // A running phase has not ended.
        if (!plan.phaseEndedAt || plan.isPhaseRunning) {
            plan.phaseEndedAt.reset();
            changed = true;
        }
    }

    const qint64 coveredFocus
        = saturatingSum(plan.completedFocusSeconds, plan.phase == PomodoroPhase::focus ? plan.phaseDurationSeconds : 0);
    plan.totalFocusSeconds = readInteger(object, totalFocusKey, coveredFocus, 0, maximumPlanSeconds, changed);
    const qint64 readTotal = plan.totalFocusSeconds;
    plan.settleFocusTotal();
    changed = changed || plan.totalFocusSeconds != readTotal;

    if (adjusted)
        *adjusted = changed;
    return plan;
}

std::optional<PomodoroPlan> PomodoroPlan::decoded(
    const QByteArray& data, const PomodoroConfiguration& fallback, bool* adjusted)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return fromJson(document.object(), fallback, adjusted);
}

} // namespace mewt

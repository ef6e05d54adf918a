#pragma once

#include "platform/Clock.h"
#include "model/PomodoroConfiguration.h"
#include "model/PomodoroPhase.h"
#include "model/PomodoroYarnSchedule.h"
#include "model/TimerState.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

namespace mewt {

// One pomodoro session: focus blocks with breaks between them, a long break after every
// `configuration.blocksBeforeLongBreak`-th block. A plan that is not continuous owns a fixed amount
// of focus and ends when its last focus block is done; a continuous one goes on until it is ended.
// Between phases a plan may wait: `phase` then names the phase to come and `isPhaseRunning` is off.
struct PomodoroPlan {
    // One commit never asks for more than this many focus blocks.
    static constexpr qint64 maximumSessionsPerCommit = 100;
    // No phase is longer than the longest timer.
    static constexpr qint64 maximumPhaseSeconds = static_cast<qint64>(maximumTimerSeconds);
    // Sums of seconds and the block count saturate here.
    static constexpr qint64 maximumPlanSeconds = 2'147'483'647;
    static constexpr int maximumCompletedBlocks = 1'000'000;
    // The yarn never lays out more segments than this, however long the plan.
    static constexpr int maximumYarnSegments = 256;

    QString id;
    qint64 totalFocusSeconds = 0;
    qint64 completedFocusSeconds = 0;
    qint64 completedBreakSeconds = 0;
    int completedBlocks = 0;
    PomodoroPhase phase = PomodoroPhase::focus;
    qint64 phaseDurationSeconds = 0;
    bool isPhaseRunning = false;
    std::optional<Date> phaseEndedAt;
    PomodoroConfiguration configuration;
    bool isContinuous = false;

    bool operator==(const PomodoroPlan&) const = default;

    // A new plan whose first focus block runs: `sessions` blocks of focus (held to
    // 1...maximumSessionsPerCommit), or a single block at a time when continuous.
    static PomodoroPlan starting(qint64 sessions, const PomodoroConfiguration& configuration, bool continuous);

    // The configured length of a phase.
    static qint64 lengthOf(PomodoroPhase phase, const PomodoroConfiguration& configuration);

    // Focus time of the plan not yet done (the current focus phase included), never below 0.
    qint64 focusOwedSeconds() const;
    // How many focus blocks the plan has in all, at least 1.
    int plannedBlockCount() const;
    // Whether another focus block follows the current phase.
    bool hasFocusAfterCurrentPhase() const;
    // While the plan waits and knows when its last phase ended: whole seconds since then, never
    // below 0. None while a phase runs or when the end is unknown.
    std::optional<qint64> overdueSeconds(Date date) const;
    // The phases from the current one on. A plan that is not continuous is laid out to its end; a
    // continuous one up to and including its next long break.
    PomodoroYarnSchedule yarnSchedule() const;

    // The plan with the settings' configuration applied. Only a continuous plan takes it; a phase
    // that has not started yet takes its new length, a running one keeps the length it runs with.
    PomodoroPlan applyingConfiguration(const PomodoroConfiguration& newConfiguration) const;
    // The running phase made `seconds` longer; focus added to a focus phase is added to the plan's
    // focus, so the blocks still to come stay as they were.
    PomodoroPlan extendedBy(qint64 seconds) const;
    // The plan once its current phase is over: the phase is credited with its full length and the
    // plan waits for the next one, remembering `endedAt`. None when that was the last focus block.
    std::optional<PomodoroPlan> afterPhaseEnds(std::optional<Date> endedAt) const;

    // JSON whose keys are the field names; `phaseEndedAt` in Unix seconds, left out when none.
    QJsonObject toJson() const;
    QByteArray encoded() const;
    // Tolerant decoding. A plan without a known phase cannot be trusted and gives none; anything
    // else that is missing or unusable is repaired: numbers are held to their ranges, a missing
    // configuration is `fallback`, a missing length is the configured one. `adjusted`, when given,
    // tells whether anything had to be repaired.
    static std::optional<PomodoroPlan> fromJson(
        const QJsonObject& object, const PomodoroConfiguration& fallback, bool* adjusted = nullptr);
    static std::optional<PomodoroPlan> decoded(
        const QByteArray& data, const PomodoroConfiguration& fallback, bool* adjusted = nullptr);

private:
    // Keeps the focus total in step with the phases: it always covers a current focus phase, and a
    // continuous plan owns no focus beyond that.
    void settleFocusTotal();
};

} // namespace mewt

#include "pull/PullInteractionController.h"

#include "model/AppLanguage.h"
#include "cues/CatSoundPlayer.h"
#include "model/InterfaceSettingsStore.h"
#include "model/PomodoroSettingsStore.h"
#include "pull/PullOverlayController.h"
#include "model/PullSettingsStore.h"
#include "model/ShortClockTime.h"
#include "cues/TactileSoundPlayer.h"
#include "model/ThemeStore.h"
#include "model/TimerStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <limits>

namespace mewt {

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("mewt", text);
}

qint64 saturatingProduct(qint64 a, qint64 b)
{
    if (a <= 0 || b <= 0)
        return 0;
    if (a > std::numeric_limits<qint64>::max() / b)
        return std::numeric_limits<qint64>::max();
    return a * b;
}

QDateTime dateTimeOf(Date date)
{
    return QDateTime::fromMSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::milliseconds>(date.time_since_epoch()).count());
}

// The finish time in the interface language: the time alone for today, with the date otherwise.
QString finishText(Date base, qint64 seconds, Date now, const QLocale& locale)
{
    // The timer holds itself to this limit, so the preview never promises more.
    const double held = std::min(static_cast<double>(seconds), maximumTimerSeconds);
    const double lead = std::clamp(secondsBetween(now, base), 0.0, maximumTimerSeconds);
    const QDateTime finish = dateTimeOf(addingSeconds(now, std::min(lead + held, maximumTimerSeconds)));
    const QString time = shortClockTime(finish.time(), locale);
    if (finish.date() == dateTimeOf(now).date())
        return time;
    return locale.toString(finish.date(), QLocale::ShortFormat) + QLatin1Char(' ') + time;
}

} // namespace

QString pullDurationText(qint64 seconds)
{
    seconds = std::max<qint64>(seconds, 0);
    if (seconds < 60)
        return translated("%1 sec").arg(seconds);
    const qint64 minutes = seconds / 60;
    const qint64 rest = seconds % 60;
    if (minutes < 60) {
        return rest == 0 ? translated("%1 min").arg(minutes) : translated("%1 min %2 sec").arg(minutes).arg(rest);
    }
    const qint64 hours = minutes / 60;
    const qint64 restMinutes = minutes % 60;
    return restMinutes == 0 ? translated("%1 h").arg(hours) : translated("%1 h %2 min").arg(hours).arg(restMinutes);
}

QString pullStatusText(const PullStatusInput& preview, const QLocale& locale)
{
    if (preview.isCancel)
        return translated("release to cancel");
    if (preview.mode == TimerMode::pomodoro) {
        if (preview.pomodoro.planWaiting)
            return preview.steps < 1 ? translated("pull down to start the next phase")
                                     : translated("start the next phase");
        if (preview.steps < 1)
            return translated("pull down to add focus");
        // A new continuous plan runs one block at a time, however far the pull went.
        const qint64 sessions = preview.continuousMode && !preview.pomodoro.planExists ? 1 : preview.steps;
        const QString focus = translated("%1 focus · %2")
                                  .arg(QString::number(sessions),
                                      pullDurationText(saturatingProduct(sessions, std::max(preview.focusSeconds, 1))));
        return preview.pomodoro.planExists ? QStringLiteral("+") + focus : focus;
    }
    if (preview.steps < 1)
        return translated("pull down to add time");
    const QString duration = pullDurationText(preview.seconds);
    if (const std::optional<Date> end = preview.timerState.endDate())
        return QStringLiteral("+%1 · %2").arg(duration, finishText(*end, preview.seconds, preview.now, locale));
    if (preview.timerState.isPaused())
        return QStringLiteral("+") + duration;
    return QStringLiteral("%1 · %2").arg(duration, finishText(preview.now, preview.seconds, preview.now, locale));
}

PullInteractionController::PullInteractionController(PullSettingsStore& pullSettings,
    PomodoroSettingsStore& pomodoroSettings, const TimerStore& timerStore, InterfaceSettingsStore& interfaceSettings,
    ThemeStore& themeStore, TactileSoundPlayer& tactileSounds, CatSoundPlayer& catSounds,
    PullOverlayController& overlay, const Clock& clock, QObject* parent)
    : QObject(parent)
    , pullSettings(pullSettings)
    , pomodoroSettings(pomodoroSettings)
    , timerStore(timerStore)
    , interfaceSettings(interfaceSettings)
    , themeStore(themeStore)
    , tactileSounds(tactileSounds)
    , catSounds(catSounds)
    , overlay(overlay)
    , clock(clock)
{
    purrRest.setSingleShot(true);
    purrRest.setInterval(purrRestMs);
    connect(&purrRest, &QTimer::timeout, this, [this] { this->catSounds.fadeOutPurr(); });
}

void PullInteractionController::handle(const PullGestureEvent& event)
{
    switch (event.phase) {
    case PullGestureEvent::Phase::began: begin(event); break;
    case PullGestureEvent::Phase::changed:
        if (pulling)
            follow(event.pointerLocation, true);
        break;
    case PullGestureEvent::Phase::ended:
        if (pulling)
            finish(event);
        break;
    case PullGestureEvent::Phase::cancelled:
        if (pulling)
            abandon();
        break;
    }
}

void PullInteractionController::begin(const PullGestureEvent& event)
{
    if (pulling)
        abandon();
    pulling = true;
    anchor = event.anchorPoint;
    screenFrame = event.screenFrame;
    lastPointer = event.anchorPoint;
    context = pomodoroContext ? pomodoroContext() : PomodoroPullContext {};
    // A plan in progress is pomodoro business whatever the default mode says.
    mode = context.planExists ? TimerMode::pomodoro : pomodoroSettings.mode();
    steps = 0;
    cancel = false;
    overlay.begin(anchor, screenFrame, themeStore.selected());
    follow(event.pointerLocation, true);
}

void PullInteractionController::follow(QPointF pointer, bool travels)
{
    if (!std::isfinite(pointer.x()) || !std::isfinite(pointer.y()))
        pointer = lastPointer;
    const QPointF moved = pointer - lastPointer;
    if (travels && std::hypot(moved.x(), moved.y()) >= 0.5) {
        // The purr lasts as long as the pointer travels; a variant already purring only keeps going.
        catSounds.play(CatSoundPlayer::Sound::purr, purrVolume);
        purrRest.start();
    }
    lastPointer = pointer;
    cancel = isInPullCancelArea(anchor, pointer, screenFrame);
    steps = cancel ? 0 : pullSteps(pointer.y() - anchor.y(), pullSettings.stepDistancePoints());
    overlay.update(pointer, pullStatusText(preview(), locale(interfaceSettings.language())), cancel);
}

void PullInteractionController::finish(const PullGestureEvent& event)
{
    follow(event.pointerLocation, false);
    pulling = false;
    purrRest.stop();
    catSounds.fadeOutPurr();
    if (cancel) {
        tactileSounds.play(TactileSound::cancel, releaseVolume);
    } else if (steps >= 1) {
        tactileSounds.play(TactileSound::whisper, releaseVolume);
        const PullCommit commit = commitFor();
        if (onCommit)
            onCommit(commit);
    }
    overlay.retreat();
}

void PullInteractionController::abandon()
{
    pulling = false;
    purrRest.stop();
    catSounds.fadeOutPurr();
    overlay.retreat();
}

void PullInteractionController::stop()
{
    purrRest.stop();
    if (pulling) {
        pulling = false;
        catSounds.fadeOutPurr();
    }
    overlay.hide();
}

PullCommit PullInteractionController::commitFor() const
{
    if (mode == TimerMode::pomodoro) {
        return { steps, saturatingProduct(steps, pomodoroSettings.configuration().focusSeconds), mode };
    }
    return { steps, timerSecondsForSteps(steps, pullSettings.granularity()), mode };
}

PullStatusInput PullInteractionController::preview() const
{
    PullStatusInput value;
    value.mode = mode;
    value.steps = steps;
    value.seconds = commitFor().seconds;
    value.isCancel = cancel;
    value.timerState = timerStore.state();
    value.now = clock.now();
    value.pomodoro = context;
    value.continuousMode = pomodoroSettings.isContinuousModeEnabled();
    value.focusSeconds = pomodoroSettings.configuration().focusSeconds;
    return value;
}

} // namespace mewt

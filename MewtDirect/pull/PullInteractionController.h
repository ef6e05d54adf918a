#pragma once

#include "platform/Clock.h"
#include "pull/PullAmount.h"
#include "pull/PullGestureEvent.h"
#include "model/TimerState.h"

#include <QLocale>
#include <QObject>
#include <QTimer>
#include <functional>

namespace mewt {

class CatSoundPlayer;
class InterfaceSettingsStore;
class PomodoroSettingsStore;
class PullOverlayController;
class PullSettingsStore;
class TactileSoundPlayer;
class ThemeStore;
class TimerStore;

// What the pomodoro side looks like when a pull begins; the shell answers from its pomodoro store.
struct PomodoroPullContext {
    bool planExists = false;
    // A plan waits between phases: any pull starts the waiting phase.
    bool planWaiting = false;
};

// Everything the status pill's text depends on.
struct PullStatusInput {
    TimerMode mode = TimerMode::timer;
    qint64 steps = 0;
    qint64 seconds = 0;
    bool isCancel = false;
    TimerState timerState;
    Date now;
    PomodoroPullContext pomodoro;
    bool continuousMode = false;
    int focusSeconds = 1500;
};

// "10 min", "45 sec", "1 min 30 sec", "2 h", "1 h 5 min".
QString pullDurationText(qint64 seconds);
// The pill: "10 min · 14:32", "+10 min · 14:52" while a timer runs, "2 focus · 50 min", "release to
// cancel" over the cancel area, and a hint while no step is pulled yet.
QString pullStatusText(const PullStatusInput& preview, const QLocale& locale);

// Turns the pull handle's events into time. The distance below the anchor gives whole steps; the
// overlay previews them with the finish time while a soft purr follows the pointer. A release over
// the cancel area plays `cancel` and commits nothing; any other release with at least one step
// plays `whisper` and reports the commit, which the shell hands to the timer or pomodoro store.
class PullInteractionController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PullInteractionController)

public:
    static constexpr double purrVolume = 0.0875;
    static constexpr double releaseVolume = 1.0;
    // The purr fades once the pointer has rested this long.
    static constexpr int purrRestMs = 400;

    PullInteractionController(PullSettingsStore& pullSettings, PomodoroSettingsStore& pomodoroSettings,
        const TimerStore& timerStore, InterfaceSettingsStore& interfaceSettings, ThemeStore& themeStore,
        TactileSoundPlayer& tactileSounds, CatSoundPlayer& catSounds, PullOverlayController& overlay,
        const Clock& clock, QObject* parent = nullptr);

    void handle(const PullGestureEvent& event);
    // Ends a pull at once without committing (shutdown, or the tour taking over).
    void stop();

    bool isPulling() const { return pulling; }
    // The steps and cancel state of the pull in progress (or the last one).
    qint64 currentSteps() const { return steps; }
    bool isOverCancelArea() const { return cancel; }
    TimerMode currentMode() const { return mode; }
    bool isPurrRestTimerRunning() const { return purrRest.isActive(); }

    std::function<void(const PullCommit&)> onCommit;
    // Unset means no plan exists.
    std::function<PomodoroPullContext()> pomodoroContext;

private:
    void begin(const PullGestureEvent& event);
    void follow(QPointF pointer, bool travels);
    void finish(const PullGestureEvent& event);
    void abandon();
    PullCommit commitFor() const;
    PullStatusInput preview() const;

    PullSettingsStore& pullSettings;
    PomodoroSettingsStore& pomodoroSettings;
    const TimerStore& timerStore;
    InterfaceSettingsStore& interfaceSettings;
    ThemeStore& themeStore;
    TactileSoundPlayer& tactileSounds;
    CatSoundPlayer& catSounds;
    PullOverlayController& overlay;
    const Clock& clock;

    bool pulling = false;
    QPointF anchor;
    QRectF screenFrame;
    QPointF lastPointer;
    TimerMode mode = TimerMode::timer;
    PomodoroPullContext context;
    qint64 steps = 0;
    bool cancel = false;
    QTimer purrRest;
};

} // namespace mewt

#pragma once

#include "cues/EndingCue.h"
#include "cues/EndingCueModel.h"
#include "model/CatTheme.h"
#include "model/PomodoroPlan.h"
#include "model/TimerState.h"
#include "platform/Clock.h"
#include "platform/GlobalPointerMonitor.h"
#include "platform/X11StackingWatcher.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVariantAnimation>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QWidget;
class QWindow;

namespace mewt {

class CatSoundPlayer;
class EndingCueView;
class InterfaceSettingsStore;

// Shows the ending cue beside the pointer shortly before a timer or pomodoro phase ends, counts
// the last seconds down, and brings it back for a moment at the chosen interval while a finished
// pomodoro phase waits for the next. The cue's window floats above other programs' windows and
// below our own menus, tool tips, pull overlay and popover, lets every click through and never
// takes the focus.
//
// The coordinator calls `update` whenever the timer state or the ending-cue settings change, and
// at shutdown `stopOverdueAlerts`, then `hide(false)`. Everything else runs on the controller's
// own timers, which look at the wall clock each time they fire, so a suspend or a clock change
// delays the cue by at most a minute; `recheck` after a wake makes it at once.
class EndingCueController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EndingCueController)

public:
    static constexpr std::chrono::milliseconds fadeInDuration { 280 };
    static constexpr std::chrono::milliseconds fadeOutDuration { 220 };
    static constexpr std::chrono::seconds overdueShowDuration { 3 };
    // No timer sleeps longer than this before it looks at the wall clock again.
    static constexpr std::chrono::seconds longestWait { 60 };
    static constexpr double chirrupVolume = 0.8;
    // While the cue shows and the desktop-wide motion has been silent this long, the pointer is
    // looked at once per interval: injected input (remote desktops, XTest) and XWayland's native
    // windows move it without raw events. The countdown's step looks too, and the interval starts
    // over from there.
    static constexpr std::chrono::milliseconds pointerCheckInterval { 250 };

    // `catSoundPlayer` may be null: the cue then stays silent. `pointerMonitor` may be null: the
    // cue then moves to the pointer once a second instead of following it. Nothing shows until
    // `update`.
    EndingCueController(const CatTheme& theme, InterfaceSettingsStore& settings, CatSoundPlayer* catSoundPlayer,
        const Clock& clock, GlobalPointerMonitor* pointerMonitor = nullptr, QObject* parent = nullptr);
    ~EndingCueController() override;

    // Redraws a cue on screen in another cat without restarting its countdown or chirruping.
    void setTheme(const CatTheme& theme);
    void update(const TimerState& state, Date now, const std::optional<PomodoroPlan>& plan, bool showsEndingCue,
        const CatTheme& theme);
    void hide(bool animated);
    void stopOverdueAlerts();
    // While the session is locked no cue shows above the lock screen, and a cue up goes at once;
    // after the unlock the owner calls `update` again.
    void setSessionLocked(bool locked);
    bool isSessionLocked() const { return sessionLocked; }
    // Looks at the wall clock now instead of at the next timer; for after a wake.
    void recheck();
    // The cue stays below `window` (the popover) while both show; pop-ups and tool tips of ours it
    // stays below anyway.
    void stayBelow(QWidget* window);
    // Our windows the cue stays below, those showing now.
    QList<QWindow*> surfacesAbove() const;

    // Where the pointer is and which screens there are, primary first; tests replace them.
    std::function<QPointF()> pointerLocation;
    std::function<QList<QRectF>()> screenFrames;
    // Counts the chirrups, whether or not a player sounds them.
    int chirrupCount() const { return chirrups; }

    bool isShown() const;
    bool isHiding() const { return hiding; }
    QSizeF panelSize() const { return currentPanelSize; }
    QWidget* panel() const { return panelWindow.get(); }
    EndingCueView* view() const { return host; }
    const EndingCueModel& model() const { return cueModel; }
    std::optional<Date> countdownDeadline() const { return deadline; }
    std::optional<Date> activationDeadline() const;
    std::optional<Date> overduePhaseEnd() const { return overduePhaseEndedAt; }
    qint64 lastOverdueIndex() const { return lastOverdueAlertIndex; }
    bool isCountingDown() const { return countdownTimer.isActive(); }
    // Subscribed to the pointer's moves; nothing wakes the process while the pointer stands still.
    bool isFollowingPointer() const { return following; }
    bool isCheckingPointer() const { return pointerCheck.isActive(); }

    // What each timer runs when it fires.
    void activationTimerFired();
    void countdownTick();
    void overdueTimerFired();
    // Places the panel beside the pointer, where it is now.
    void followPointer();
    // The pointer check's look: follows the pointer, then arms the next look.
    void checkPointer();
    // Brings a running fade to its end at once, as if its time had passed.
    void completeFade();

private:
    struct Activation {
        Date deadline;
        EndingCueKind kind = EndingCueKind::timer;
        int leadSeconds = 60;
    };

    void updateCue(EndingCueKind cueKind, qint64 remainingSeconds);
    void present();
    void startCountdown(Date end, EndingCueKind cueKind);
    void scheduleActivation(Date end, EndingCueKind cueKind, int leadSeconds);
    void cancelActivation();
    void startOverdueAlerts(EndingCueKind cueKind, Date phaseEndedAt);
    void scheduleNextOverdueAlert(Date now);
    void positionPanel(QPointF pointer);
    void applyWindowShape();
    void fade(double to, std::chrono::milliseconds duration, const QEasingCurve& curve, quint64 generation);
    void finishHide();
    void armTimer(QTimer& timer, std::chrono::milliseconds wait);
    void startFollowing();
    void stopFollowing();
    void armPointerCheck();
    void pointerMoved(QPointF globalPosition);

    const Clock& clock;
    InterfaceSettingsStore& settings;
    QPointer<CatSoundPlayer> catSoundPlayer;
    QPointer<GlobalPointerMonitor> pointerMonitor;
    EndingCueModel cueModel;
    QSizeF currentPanelSize;
    std::unique_ptr<QWidget> panelWindow;
    EndingCueView* host = nullptr;

    QTimer activationTimer;
    QTimer countdownTimer;
    QTimer overdueTimer;
    QTimer pointerCheck;
    QVariantAnimation fadeAnimation;
    X11StackingWatcher stacking;
    QList<QPointer<QWidget>> keptBelow;

    std::optional<Activation> activation;
    std::optional<Date> deadline;
    std::optional<EndingCueKind> kind;
    std::optional<Date> overduePhaseEndedAt;
    std::optional<int> overdueIntervalMinutes;
    EndingCueKind overdueKind = EndingCueKind::focus;
    qint64 lastOverdueAlertIndex = 0;
    // The overdue cue is up and goes when the overdue timer fires next.
    bool overdueShowing = false;
    quint64 animationGeneration = 0;
    bool hiding = false;
    bool fadingOut = false;
    quint64 fadeGeneration = 0;
    std::optional<QPointF> lastPointer;
    bool following = false;
    bool sessionLocked = false;
    int chirrups = 0;
};

} // namespace mewt

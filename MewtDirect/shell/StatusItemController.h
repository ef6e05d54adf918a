#pragma once

#include "model/CatTheme.h"
#include "platform/Clock.h"
#include "pull/PullGestureEvent.h"
#include "model/TimeDisplayStyle.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

namespace mewt {

class AudioEngine;
class InterfaceSettingsStore;
class PawStatusView;
class PomodoroStore;
class PullHandlePanel;
class StatusItemWindow;
class TimerStore;
class TrillPlayer;

// Owns the menu-bar paw: the status window with the paw view and its time title, the pull handle
// that a press on the paw reveals, and the trill that press plays. It redraws from the timer and
// the pomodoro plan as they change; while a plan waits between phases it ticks once a second
// itself, since no timer runs then.
class StatusItemController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusItemController)

public:
    // How long the handle peeks out again after a commit, and how long it waits for the
    // overlay's arm to draw back first.
    static constexpr std::chrono::milliseconds pawMomentDelay { 250 };
    static constexpr std::chrono::milliseconds pawMomentLength { 1500 };

    StatusItemController(TimerStore& timerStore, PomodoroStore& pomodoroStore, InterfaceSettingsStore& settings,
        TimeDisplayStyle style, const CatTheme& theme, AudioEngine& engine, const Clock& clock,
        QObject* parent = nullptr);
    ~StatusItemController() override;

    void show();
    // Hides the handle and the window for good; nothing is called back afterwards.
    void close();

    void applyTheme(const CatTheme& theme);
    void setTimeDisplayStyle(TimeDisplayStyle style);
    TimeDisplayStyle timeDisplayStyle() const { return style; }
    // The desktop's look, so the pill reads on its top bar.
    void setDark(bool dark);
    // Writes the title for the current time and re-arms the waiting plan's tick.
    void refresh();

    // Reveals the pull handle under the paw and plays a trill when interface sounds are on.
    void pawPressed();
    // Hides the pull handle, from the event loop (a caller may be inside the handle's own events).
    void concealPullHandle();
    // After a commit the handle peeks out once more, briefly, unless the popover stands pinned on
    // the desktop: then the user's eyes are on that window, not on the paw.
    void showPawAgain();
    void setPopoverDetached(bool detached) { popoverDetached = detached; }
    bool isPopoverDetached() const { return popoverDetached; }
    bool isPawMomentPending() const { return pawMoment.isActive(); }
    // The moment's timer: first reveals the handle, then hides it again unless it is being pulled.
    void pawMomentElapsed();

    StatusItemWindow& window() const { return *statusWindow; }
    PawStatusView& view() const;
    PullHandlePanel& pullHandle() const { return *handle; }
    TrillPlayer& trillPlayer() const { return *trill; }
    bool isOverdueTickArmed() const { return overdueTick.isActive(); }

    // Forwarded from the pull handle.
    std::function<void(const PullGestureEvent&)> onPull;
    std::function<void(bool revealed)> onRevealChange;
    std::function<bool()> shouldAutoDismiss;
    std::function<void()> onAutoDismiss;
    // Whether the popover stands over the handle once a click on the paw ends.
    std::function<bool()> isPullHandleCovered;

private:
    void armOverdueTick(Date now);

    TimerStore& timerStore;
    PomodoroStore& pomodoroStore;
    InterfaceSettingsStore& settings;
    const Clock& clock;
    TimeDisplayStyle style;
    std::unique_ptr<StatusItemWindow> statusWindow;
    std::unique_ptr<PullHandlePanel> handle;
    std::unique_ptr<TrillPlayer> trill;
    QTimer overdueTick;
    QTimer pawMoment;
    bool pawMomentShowing = false;
    bool popoverDetached = false;
    bool closed = false;
};

} // namespace mewt

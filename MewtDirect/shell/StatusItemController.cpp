#include "shell/StatusItemController.h"

#include "model/InterfaceSettingsStore.h"
#include "shell/PawStatusView.h"
#include "model/PomodoroStore.h"
#include "pull/PullHandlePanel.h"
#include "shell/StatusItemWindow.h"
#include "shell/StatusTitle.h"
#include "model/TimerStore.h"
#include "platform/X11WindowLoss.h"
#include "cues/TrillPlayer.h"

#include <algorithm>

namespace mewt {

StatusItemController::StatusItemController(TimerStore& timerStore, PomodoroStore& pomodoroStore,
    InterfaceSettingsStore& settings, TimeDisplayStyle style, const CatTheme& theme, AudioEngine& engine,
    const Clock& clock, QObject* parent)
    : QObject(parent)
    , timerStore(timerStore)
    , pomodoroStore(pomodoroStore)
    , settings(settings)
    , clock(clock)
    , style(style)
    , statusWindow(std::make_unique<StatusItemWindow>(theme))
    , handle(std::make_unique<PullHandlePanel>(settings, theme))
    , trill(std::make_unique<TrillPlayer>(engine))
{
    overdueTick.setSingleShot(true);
    overdueTick.setTimerType(Qt::PreciseTimer);
    connect(&overdueTick, &QTimer::timeout, this, &StatusItemController::refresh);
    pawMoment.setSingleShot(true);
    connect(&pawMoment, &QTimer::timeout, this, &StatusItemController::pawMomentElapsed);

    connect(&view(), &PawStatusView::pawPressed, this, &StatusItemController::pawPressed);
    connect(&timerStore, &TimerStore::stateChanged, this, &StatusItemController::refresh);
    connect(&timerStore, &TimerStore::currentDateChanged, this, &StatusItemController::refresh);
    connect(&pomodoroStore, &PomodoroStore::planChanged, this, &StatusItemController::refresh);

    handle->onPull = [this](const PullGestureEvent& event) {
        // A pull of its own replaces the brief peek after a commit.
        pawMoment.stop();
        pawMomentShowing = false;
        if (onPull)
            onPull(event);
    };
    handle->onRevealChange = [this](bool revealed) {
        if (onRevealChange)
            onRevealChange(revealed);
    };
    handle->shouldAutoDismiss = [this] { return !shouldAutoDismiss || shouldAutoDismiss(); };
    handle->onAutoDismiss = [this] {
        if (onAutoDismiss)
            onAutoDismiss();
    };
    handle->isCovered = [this] { return isPullHandleCovered && isPullHandleCovered(); };
    // Without the paw nothing of the app can be reached: it is back at once.
    whenWindowLost(*statusWindow, [this] { show(); });
    refresh();
}

StatusItemController::~StatusItemController()
{
    close();
}

PawStatusView& StatusItemController::view() const
{
    return statusWindow->view();
}

void StatusItemController::show()
{
    if (closed)
        return;
    statusWindow->show();
    statusWindow->fitToContent();
}

void StatusItemController::close()
{
    if (closed)
        return;
    closed = true;
    onPull = nullptr;
    onRevealChange = nullptr;
    shouldAutoDismiss = nullptr;
    onAutoDismiss = nullptr;
    isPullHandleCovered = nullptr;
    overdueTick.stop();
    pawMoment.stop();
    handle->concealPullHandle();
    handle->close();
    statusWindow->close();
}

void StatusItemController::applyTheme(const CatTheme& theme)
{
    view().setTheme(theme);
    handle->setTheme(theme);
}

void StatusItemController::setTimeDisplayStyle(TimeDisplayStyle value)
{
    if (value == style)
        return;
    style = value;
    refresh();
}

void StatusItemController::setDark(bool dark)
{
    view().setDark(dark);
}

void StatusItemController::refresh()
{
    const Date now = clock.now();
    const auto& plan = pomodoroStore.plan();
    const std::optional<qint64> overdue = plan ? plan->overdueSeconds(now) : std::nullopt;
    const StatusTitle title = statusTitle(timerStore.state(), now, overdue, style);
    if (title != view().title()) {
        const QSize before = view().sizeHint();
        view().setTitle(title);
        if (view().sizeHint() != before)
            statusWindow->fitToContent();
    }
    if (title.kind == StatusTitle::Kind::overdue && !closed)
        armOverdueTick(now);
    else
        overdueTick.stop();
}

void StatusItemController::armOverdueTick(Date now)
{
    const auto& plan = pomodoroStore.plan();
    const std::optional<qint64> overdue = plan ? plan->overdueSeconds(now) : std::nullopt;
    if (!overdue || !plan->phaseEndedAt)
        return;
    // Wake just after the shown count goes up by one.
    const Date next = *plan->phaseEndedAt + std::chrono::seconds(*overdue + 1);
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - now);
    overdueTick.start(std::clamp<qint64>(wait.count(), 1, 1000));
}

void StatusItemController::pawPressed()
{
    if (closed)
        return;
    pawMoment.stop();
    pawMomentShowing = false;
    // The sound first: the first reveal builds the handle's window, which the trill need not wait for.
    if (settings.tactileSoundsEnabled())
        trill->play(settings.tactileSoundVolume());
    handle->revealPullHandle(statusWindow->pawScreenRect());
}

void StatusItemController::concealPullHandle()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!closed)
                handle->concealPullHandle();
        },
        Qt::QueuedConnection);
}

void StatusItemController::showPawAgain()
{
    if (closed || popoverDetached)
        return;
    pawMomentShowing = false;
    pawMoment.start(pawMomentDelay);
}

void StatusItemController::pawMomentElapsed()
{
    if (closed || handle->isDragging())
        return;
    if (!pawMomentShowing) {
        pawMomentShowing = true;
        handle->revealPullHandle(statusWindow->pawScreenRect());
        pawMoment.start(pawMomentLength);
        return;
    }
    pawMomentShowing = false;
    pawMoment.stop();
    handle->concealPullHandle();
}

} // namespace mewt

#include "cues/EndingCueController.h"

#include "artwork/Animation.h"
#include "artwork/Compositing.h"
#include "artwork/ReducedMotion.h"
#include "cues/CatSoundPlayer.h"
#include "cues/EndingCueView.h"
#include "model/InterfaceSettingsStore.h"
#include "platform/X11WindowLoss.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace mewt {

namespace {

using std::chrono::milliseconds;

QSizeF panelSizeFor(EndingCueKind kind, qint64 remainingSeconds)
{
    return endingCueContentSize(kind, remainingSeconds) + QSizeF(2 * endingCuePanelMargin, 2 * endingCuePanelMargin);
}

QList<QRectF> desktopScreenFrames()
{
    QList<QRectF> frames;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        frames.append(primary->geometry());
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary)
            frames.append(screen->geometry());
    }
    return frames;
}

} // namespace

EndingCueController::EndingCueController(const CatTheme& theme, InterfaceSettingsStore& settings,
    CatSoundPlayer* catSoundPlayer, const Clock& clock, GlobalPointerMonitor* pointerMonitor, QObject* parent)
    : QObject(parent)
    , pointerLocation([monitor = QPointer<GlobalPointerMonitor>(pointerMonitor)] {
        return monitor ? monitor->position() : QPointF(QCursor::pos());
    })
    , screenFrames(desktopScreenFrames)
    , clock(clock)
    , settings(settings)
    , catSoundPlayer(catSoundPlayer)
    , pointerMonitor(pointerMonitor)
    , cueModel(theme)
    , currentPanelSize(panelSizeFor(EndingCueKind::timer, 60))
    , activationTimer(this)
    , countdownTimer(this)
    , overdueTimer(this)
    , pointerCheck(this)
    , fadeAnimation(this)
{
    // Above other programs' windows (below our own pop-ups and popover), on every desktop, never
    // focused, and every click goes through to what lies beneath: the cue must never disturb the
    // application in front.
    panelWindow = std::make_unique<QWidget>(nullptr,
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint
            | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
    panelWindow->setObjectName(QStringLiteral("endingCuePanel"));
    panelWindow->setWindowTitle(QStringLiteral("mewt"));
    panelWindow->setAttribute(Qt::WA_TranslucentBackground);
    panelWindow->setAttribute(Qt::WA_ShowWithoutActivating);
    panelWindow->setAttribute(Qt::WA_TransparentForMouseEvents);
    panelWindow->setFocusPolicy(Qt::NoFocus);
    host = new EndingCueView(cueModel, settings, panelWindow.get());
    panelWindow->resize(currentPanelSize.toSize());
    host->setGeometry(QRect(QPoint(0, 0), currentPanelSize.toSize()));
    // Counted as put away: the countdown it showed ends, and the next cue comes in a new window.
    whenWindowLost(*panelWindow, [this] {
        fadeAnimation.stop();
        hide(false);
        finishHide();
    });

    for (QTimer* timer : { &activationTimer, &countdownTimer, &overdueTimer }) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    activationTimer.setObjectName(QStringLiteral("activationTimer"));
    countdownTimer.setObjectName(QStringLiteral("countdownTimer"));
    overdueTimer.setObjectName(QStringLiteral("overdueTimer"));
    connect(&activationTimer, &QTimer::timeout, this, &EndingCueController::activationTimerFired);
    connect(&countdownTimer, &QTimer::timeout, this, &EndingCueController::countdownTick);
    connect(&overdueTimer, &QTimer::timeout, this, &EndingCueController::overdueTimerFired);
    if (pointerMonitor)
        connect(pointerMonitor, &GlobalPointerMonitor::pointerMoved, this, &EndingCueController::pointerMoved);
    pointerCheck.setObjectName(QStringLiteral("pointerCheck"));
    pointerCheck.setSingleShot(true);
    pointerCheck.setInterval(pointerCheckInterval);
    connect(&pointerCheck, &QTimer::timeout, this, &EndingCueController::checkPointer);

    // Unblended, a fade would show nothing but its end.
    whenCompositingChanges(this, [this] {
        if (!windowsAreComposited())
            completeFade();
        applyWindowShape();
        panelWindow->update();
    });
    connect(&fadeAnimation, &QVariantAnimation::valueChanged, this,
        [this](const QVariant& value) { panelWindow->setWindowOpacity(value.toDouble()); });
    connect(&fadeAnimation, &QVariantAnimation::finished, this, [this] {
        // A presentation during the fade-out moved the generation on and keeps the cue up.
        if (fadingOut && fadeGeneration == animationGeneration)
            finishHide();
    });
}

EndingCueController::~EndingCueController()
{
    fadeAnimation.stop();
    stopFollowing();
}

bool EndingCueController::isShown() const
{
    return panelWindow->isVisible();
}

std::optional<Date> EndingCueController::activationDeadline() const
{
    return activation ? std::optional(activation->deadline) : std::nullopt;
}

void EndingCueController::setTheme(const CatTheme& theme)
{
    cueModel.setTheme(theme);
}

void EndingCueController::update(const TimerState& state, Date now, const std::optional<PomodoroPlan>& plan,
    bool showsEndingCue, const CatTheme& theme)
{
    cueModel.setTheme(theme);
    if (!showsEndingCue || sessionLocked) {
        stopOverdueAlerts();
        hide(true);
        return;
    }
    const EndingCueKind runningKind = endingCueKind(plan);
    const int lead = settings.endingCueLeadTimeSeconds();
    if (const std::optional<Date> end = state.endDate(); end && state.isRunning()) {
        const qint64 remaining = secondsUntil(*end, now);
        if (remaining >= 1 && remaining <= lead) {
            cancelActivation();
            stopOverdueAlerts();
            updateCue(runningKind, remaining);
            if (!isShown() || hiding)
                present();
            // The same end again: the running countdown goes on and nothing chirrups twice.
            if (deadline == *end && kind == runningKind)
                return;
            startCountdown(*end, runningKind);
            return;
        }
        if (*end > now) {
            stopOverdueAlerts();
            hide(true);
            scheduleActivation(*end, runningKind, lead);
            return;
        }
    }
    if (const std::optional<PomodoroOverdueCueContext> context = overdueCueContext(plan)) {
        hide(true);
        startOverdueAlerts(context->kind, context->phaseEndedAt);
    } else {
        stopOverdueAlerts();
        hide(true);
    }
}

void EndingCueController::setSessionLocked(bool locked)
{
    sessionLocked = locked;
    if (locked) {
        stopOverdueAlerts();
        hide(false);
    }
}

void EndingCueController::updateCue(EndingCueKind cueKind, qint64 remainingSeconds)
{
    const QSizeF size = panelSizeFor(cueKind, remainingSeconds);
    if (size != currentPanelSize) {
        currentPanelSize = size;
        panelWindow->resize(size.toSize());
        host->setGeometry(QRect(QPoint(0, 0), size.toSize()));
        applyWindowShape();
        if (isShown())
            positionPanel(pointerLocation());
    }
    cueModel.setCue({ cueKind, remainingSeconds }, !reducesMotion());
}

void EndingCueController::present()
{
    if (!isShown() || hiding) {
        ++chirrups;
        if (catSoundPlayer)
            catSoundPlayer->play(CatSoundPlayer::Sound::chirrup, chirrupVolume);
    }
    const quint64 generation = ++animationGeneration;
    hiding = false;
    lastPointer.reset();
    followPointer();
    startFollowing();

    // Without a compositing manager nothing blends, so the cue simply appears.
    const bool animates = !reducesMotion() && windowsAreComposited();
    fadeAnimation.stop();
    applyWindowShape();
    if (!isShown()) {
        panelWindow->setWindowOpacity(animates ? 0.0 : 1.0);
        panelWindow->show();
    } else if (!animates) {
        panelWindow->setWindowOpacity(1.0);
    }
    stacking.keep(panelWindow->windowHandle(), [this] { return surfacesAbove(); });
    if (animates)
        fade(1.0, fadeInDuration, easeOutCurve(), generation);
}

void EndingCueController::stayBelow(QWidget* window)
{
    if (window && !keptBelow.contains(window))
        keptBelow.append(window);
}

QList<QWindow*> EndingCueController::surfacesAbove() const
{
    QList<QWindow*> windows;
    const auto add = [&windows](const QWidget* widget) {
        if (widget && widget->isVisible() && widget->windowHandle())
            windows.append(widget->windowHandle());
    };
    for (const QPointer<QWidget>& window : keptBelow)
        add(window);
    // Menus, tool tips and the pull's overlay and rope, which are tool tips too.
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window != panelWindow.get() && (window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip))
            add(window);
    }
    return windows;
}

void EndingCueController::hide(bool animated)
{
    cancelActivation();
    countdownTimer.stop();
    deadline.reset();
    kind.reset();
    stopFollowing();
    lastPointer.reset();
    if (!isShown())
        return;
    const quint64 generation = ++animationGeneration;
    hiding = true;
    if (animated && !reducesMotion() && windowsAreComposited()) {
        fade(0.0, fadeOutDuration, easeInCurve(), generation);
    } else {
        fadeAnimation.stop();
        finishHide();
    }
}

void EndingCueController::finishHide()
{
    stacking.stop();
    panelWindow->hide();
    panelWindow->setWindowOpacity(1.0);
    hiding = false;
}

void EndingCueController::completeFade()
{
    if (fadeAnimation.state() == QAbstractAnimation::Running)
        fadeAnimation.setCurrentTime(fadeAnimation.duration());
}

void EndingCueController::fade(
    double to, std::chrono::milliseconds duration, const QEasingCurve& curve, quint64 generation)
{
    fadeAnimation.stop();
    fadingOut = to < 0.5;
    fadeGeneration = generation;
    fadeAnimation.setStartValue(panelWindow->windowOpacity());
    fadeAnimation.setEndValue(to);
    fadeAnimation.setDuration(static_cast<int>(duration.count()));
    fadeAnimation.setEasingCurve(curve);
    fadeAnimation.start();
}

void EndingCueController::startCountdown(Date end, EndingCueKind cueKind)
{
    deadline = end;
    kind = cueKind;
    countdownTimer.stop();
    countdownTick();
}

void EndingCueController::countdownTick()
{
    if (!deadline || !kind) {
        countdownTimer.stop();
        return;
    }
    const Date now = clock.now();
    const qint64 remaining = secondsUntil(*deadline, now);
    if (remaining < 1) {
        hide(true);
        return;
    }
    // The clock went back: the end is beyond the lead time again, so the cue waits for it.
    if (const int lead = settings.endingCueLeadTimeSeconds(); remaining > lead) {
        const Date end = *deadline;
        const EndingCueKind cueKind = *kind;
        hide(true);
        scheduleActivation(end, cueKind, lead);
        return;
    }
    updateCue(*kind, remaining);
    // Wake just after the second shown runs out, so no second is shown twice or skipped.
    const Date next = *deadline - std::chrono::seconds(remaining - 1);
    armTimer(countdownTimer, std::chrono::ceil<milliseconds>(next - now) + milliseconds(5));
    // Awake anyway: a look here saves the check one wake-up of its own each second.
    if (!pointerMonitor)
        followPointer();
    else if (following)
        checkPointer();
}

void EndingCueController::scheduleActivation(Date end, EndingCueKind cueKind, int leadSeconds)
{
    activation = Activation { end, cueKind, leadSeconds };
    const Date at = end - std::chrono::seconds(leadSeconds);
    armTimer(activationTimer, std::chrono::ceil<milliseconds>(at - clock.now()));
}

void EndingCueController::cancelActivation()
{
    activation.reset();
    activationTimer.stop();
}

void EndingCueController::activationTimerFired()
{
    if (!activation)
        return;
    const Date now = clock.now();
    const Date at = activation->deadline - std::chrono::seconds(activation->leadSeconds);
    if (now < at) {
        armTimer(activationTimer, std::chrono::ceil<milliseconds>(at - now));
        return;
    }
    const Activation due = *activation;
    activation.reset();
    const qint64 remaining = secondsUntil(due.deadline, now);
    if (remaining < 1)
        return;
    updateCue(due.kind, remaining);
    present();
    startCountdown(due.deadline, due.kind);
}

void EndingCueController::startOverdueAlerts(EndingCueKind cueKind, Date phaseEndedAt)
{
    const int interval = settings.pomodoroOverdueCueIntervalMinutes();
    if (overduePhaseEndedAt == phaseEndedAt && overdueIntervalMinutes == interval)
        return;
    stopOverdueAlerts();
    overduePhaseEndedAt = phaseEndedAt;
    overdueIntervalMinutes = interval;
    overdueKind = cueKind;
    overdueTimerFired();
}

void EndingCueController::stopOverdueAlerts()
{
    overdueTimer.stop();
    overduePhaseEndedAt.reset();
    overdueIntervalMinutes.reset();
    lastOverdueAlertIndex = 0;
    overdueShowing = false;
}

void EndingCueController::overdueTimerFired()
{
    if (!overduePhaseEndedAt || !overdueIntervalMinutes)
        return;
    const Date now = clock.now();
    if (overdueShowing) {
        overdueShowing = false;
        hide(true);
        scheduleNextOverdueAlert(now);
        return;
    }
    const int interval = std::max(*overdueIntervalMinutes, 1);
    const qint64 elapsed
        = std::max<qint64>(std::chrono::floor<std::chrono::seconds>(now - *overduePhaseEndedAt).count(), 0);
    // After a sleep only the latest reminder due is shown, not every one missed.
    const qint64 index = overdueAlertIndex(elapsed, interval);
    if (index >= 1 && index > lastOverdueAlertIndex) {
        lastOverdueAlertIndex = index;
        updateCue(overdueKind, -(index * interval * 60));
        present();
        overdueShowing = true;
        armTimer(overdueTimer, overdueShowDuration);
        return;
    }
    scheduleNextOverdueAlert(now);
}

void EndingCueController::scheduleNextOverdueAlert(Date now)
{
    const Date next = nextOverdueAlertDate(*overduePhaseEndedAt, lastOverdueAlertIndex, *overdueIntervalMinutes);
    armTimer(overdueTimer, std::max(std::chrono::ceil<milliseconds>(next - now), milliseconds(1000)));
}

void EndingCueController::recheck()
{
    if (activation)
        activationTimerFired();
    if (deadline)
        countdownTick();
    if (overduePhaseEndedAt && !overdueShowing)
        overdueTimerFired();
}

void EndingCueController::followPointer()
{
    const QPointF pointer = pointerLocation();
    if (lastPointer == pointer)
        return;
    lastPointer = pointer;
    positionPanel(pointer);
}

void EndingCueController::checkPointer()
{
    followPointer();
    armPointerCheck();
}

void EndingCueController::armPointerCheck()
{
    // A look due just before the countdown's next step would wake the process for what that step
    // looks at anyway: the step takes it, and the check starts over from there.
    const bool stepFirst = countdownTimer.isActive()
        && countdownTimer.remainingTimeAsDuration() < pointerCheckInterval + pointerCheckInterval / 2;
    if (stepFirst)
        pointerCheck.stop();
    else
        pointerCheck.start();
}

void EndingCueController::startFollowing()
{
    following = true;
    if (pointerMonitor) {
        pointerMonitor->subscribe(GlobalPointerMonitor::Stream::motion, this);
        pointerCheck.start();
    }
}

void EndingCueController::stopFollowing()
{
    following = false;
    pointerCheck.stop();
    if (pointerMonitor)
        pointerMonitor->unsubscribe(GlobalPointerMonitor::Stream::motion, this);
}

void EndingCueController::pointerMoved(QPointF globalPosition)
{
    if (!following)
        return;
    // Raw motion flows: the check waits until it falls silent again.
    pointerCheck.start();
    if (lastPointer == globalPosition)
        return;
    lastPointer = globalPosition;
    positionPanel(globalPosition);
}

void EndingCueController::positionPanel(QPointF pointer)
{
    if (const std::optional<QPointF> origin = endingCuePanelOrigin(pointer, screenFrames(), currentPanelSize))
        panelWindow->move(origin->toPoint());
}

void EndingCueController::applyWindowShape()
{
    if (windowsAreComposited()) {
        if (!panelWindow->mask().isEmpty())
            panelWindow->clearMask();
        return;
    }
    // Unblended, a translucent window shows black around the card; cut the window to the card.
    const QRectF content = host->contentRect();
    QPainterPath capsule;
    capsule.addRoundedRect(content, content.height() / 2, content.height() / 2);
    panelWindow->setMask(QRegion(capsule.toFillPolygon().toPolygon()));
}

void EndingCueController::armTimer(QTimer& timer, std::chrono::milliseconds wait)
{
    timer.start(std::clamp(wait, milliseconds(0), std::chrono::duration_cast<milliseconds>(longestWait)));
}

} // namespace mewt

#include "popover/TimerPopoverController.h"

#include "artwork/ReducedMotion.h"
#include "cues/YarnSoundFeedback.h"
#include "model/InterfaceSettingsStore.h"
#include "model/OnboardingStore.h"
#include "model/PomodoroSettingsStore.h"
#include "model/ThemeStore.h"
#include "model/TimerStore.h"
#include "platform/GlobalPointerMonitor.h"
#include "platform/X11Display.h"
#include "platform/X11FrameExtents.h"
#include "popover/FrameStepper.h"
#include "popover/PopoverContentHostingView.h"
#include "popover/PopoverGeometry.h"
#include "popover/TimerPopoverBackgroundView.h"
#include "popover/TimerPopoverPanel.h"
#include "popover/TimerPopoverPlacementStore.h"
#include "popover/TimerPopoverPresentation.h"
#include "popover/TimerPopoverView.h"
#include "pull/PomodoroDurationPullController.h"

#include <QApplication>
#include <QCursor>
#include <QEasingCurve>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVariantAnimation>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace mewt {

namespace geometry = popover_geometry;

namespace {

constexpr int resizeDurationMs = 220;
constexpr int focusRetryMs = 10;
constexpr int focusSettleMs = 50;
constexpr int dragSettleMs = 200;

int durationMaximum(PomodoroDurationKind kind)
{
    return kind == PomodoroDurationKind::longBreakInterval ? 8 : 180;
}

PomodoroConfiguration withDuration(PomodoroConfiguration configuration, PomodoroDurationKind kind, int value)
{
    switch (kind) {
    case PomodoroDurationKind::focus: configuration.focusSeconds = value * 60; break;
    case PomodoroDurationKind::break_: configuration.shortBreakSeconds = value * 60; break;
    case PomodoroDurationKind::longBreak: configuration.longBreakSeconds = value * 60; break;
    case PomodoroDurationKind::longBreakInterval: configuration.blocksBeforeLongBreak = value; break;
    }
    return configuration;
}

QPoint rounded(QPointF point)
{
    return { static_cast<int>(std::lround(point.x())), static_cast<int>(std::lround(point.y())) };
}

// Raised for the scope of a move the controller makes itself.
class PlacementSuppression {
public:
    explicit PlacementSuppression(bool& flag)
        : flag(flag)
        , was(std::exchange(flag, true))
    {
    }
    ~PlacementSuppression() { flag = was; }
    Q_DISABLE_COPY_MOVE(PlacementSuppression)

private:
    bool& flag;
    bool was;
};

// Each screen's `area`, primary first.
QList<QRectF> screenAreas(QRect (QScreen::*area)() const)
{
    QList<QRectF> frames;
    for (const QScreen* screen : QGuiApplication::screens())
        frames.append(QRectF((screen->*area)()));
    return frames;
}

} // namespace

TimerPopoverController::TimerPopoverController(
    const TimerPopoverStores& stores, QSize initialContentSize, Services services, QObject* parent)
    : QObject(parent)
    , stores(stores)
    , soundPlayer(services.soundPlayer)
    , clock(services.clock)
    , pointerMonitor(services.pointerMonitor)
    , reducesMotion(std::move(services.reducesMotion))
    , stepper(services.frameStepper ? std::move(services.frameStepper) : std::make_unique<TimerFrameStepper>())
    , placement(services.placementStore)
    , visibleFramesProvider(std::move(services.visibleFrames))
    , screenFramesProvider(std::move(services.screenFrames))
    , keepClearProvider(std::move(services.keepClearOf))
    , sharedPresentation(std::make_unique<TimerPopoverPresentation>())
{
    PomodoroSettingsStore& pomodoroSettings = stores.pomodoroSettings;
    ThemeStore& themes = stores.theme;
    durationPull = std::make_unique<PomodoroDurationPullController>([&themes] { return themes.selected(); },
        soundPlayer, YarnSoundFeedback(soundPlayer, clock), durationMaximum,
        [&pomodoroSettings](PomodoroDurationKind kind, int value) {
            pomodoroSettings.setConfiguration(withDuration(pomodoroSettings.configuration(), kind, value));
        });

    popoverPanel = std::make_unique<TimerPopoverPanel>();
    const QPointer<TimerPopoverController> self(this);
    // A close request to the detached window (Alt+F4, the taskbar) puts it back under the paw; the
    // switch makes a new native window, so it waits until the close event is over.
    popoverPanel->onShouldClose = [self] {
        if (!self || !self->presentation().isDetached())
            return true;
        if (!self->stores.onboarding.isPresented())
            QTimer::singleShot(0, self, [self] {
                if (self && !self->closed)
                    self->presentation().setDetached(false, TimerPopoverPresentation::DetachmentCause::interactive);
            });
        return false;
    };
    popoverPanel->onDidMove = [self] {
        if (self)
            self->panelDidMove();
    };
    popoverPanel->onWindowLost = [self] {
        if (self)
            self->panelWindowLost();
    };
    pinnedFrame = new X11FrameExtents(*popoverPanel);
    connect(pinnedFrame, &X11FrameExtents::changed, this, &TimerPopoverController::keepPinnedClear);
    dragSettle = new QTimer(this);
    dragSettle->setSingleShot(true);
    dragSettle->setInterval(dragSettleMs);
    connect(dragSettle, &QTimer::timeout, this, [this] {
        // A manager moving the window keeps the release to itself: the button's state tells.
        if (x11PointerButtonHeld())
            dragSettle->start();
        else
            keepPinnedClear();
    });

    // The view only reads the time from the clock it is handed.
    root = new TimerPopoverView(stores, *sharedPresentation, &soundPlayer, clock);
    root->onShowOptions = [self] {
        if (!self)
            return;
        self->hide();
        if (self->onShowOptions)
            self->onShowOptions();
    };
    const QPointer<PomodoroDurationPullController> pull(durationPull.get());
    root->onDurationPullBegan = [pull](PomodoroDurationKind kind, QPointF point) {
        if (pull)
            pull->begin(kind, point);
    };
    root->onDurationPullChanged = [pull](QPointF point) {
        if (pull)
            pull->drag(point);
    };
    root->onDurationPullEnded = [pull](QPointF point) {
        if (pull)
            pull->release(point);
    };

    background = new TimerPopoverBackgroundView(stores.theme, stores.appearance);
    host = new PopoverContentHostingView(root, background);
    popoverPanel->setContentView(host);
    popoverPanel->setContentGeometry(QRect(QPoint(0, 0), initialContentSize));
    requestedContentSize.reset();

    host->onIntrinsicSizeChange = [self](QSize size) {
        if (self)
            self->updateContentSize(QSize(TimerPopoverView::contentWidth, std::max(1, size.height())));
    };
    sharedPresentation->onTextInputFocusRequest = [self] {
        if (self)
            self->focusTextInput();
    };
    sharedPresentation->onDetachedChange = [self](bool detached, TimerPopoverPresentation::DetachmentCause cause) {
        if (self)
            self->applyDetached(detached, cause);
    };
    host->onWindowDragWillStart = [self] {
        if (self)
            self->presentation().requestEditorSettlement();
    };

    resizeAnimation = new QVariantAnimation(this);
    resizeAnimation->setDuration(resizeDurationMs);
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.22, 1.0), QPointF(0.36, 1.0), QPointF(1.0, 1.0));
    resizeAnimation->setEasingCurve(curve);
    connect(resizeAnimation, &QVariantAnimation::valueChanged, this,
        [this](const QVariant& value) { popoverPanel->setContentGeometry(value.toRect()); });

    watchScreens();
    if (placement && placement->isDetached())
        sharedPresentation->setDetached(true, TimerPopoverPresentation::DetachmentCause::restoration);

    // The first size arrives without waiting for the view to ask.
    host->reportIntrinsicSize(host->intrinsicSize());
}

TimerPopoverController::~TimerPopoverController()
{
    close();
}

bool TimerPopoverController::motionAllowed() const
{
    const bool reduced = reducesMotion ? reducesMotion() : mewt::reducesMotion();
    // Without a compositor the panel cannot fade, so it only ever shows its end state.
    return !reduced && popoverPanel->isComposited();
}

void TimerPopoverController::updatePawFrame(const QRectF& pawFrame)
{
    if (closed || sharedPresentation->isDetached())
        return;
    const QList<QScreen*> screens = QGuiApplication::screens();
    QList<QRectF> frames;
    for (const QScreen* screen : screens)
        frames.append(QRectF(screen->geometry()));
    if (const auto index = geometry::screenIndexForPaw(frames, pawFrame))
        show(QRectF(screens[*index]->availableGeometry()), pawFrame);
}

void TimerPopoverController::updatePawView(const QWidget* pawView)
{
    if (closed || sharedPresentation->isDetached() || pawView == nullptr
        || pawView->window()->windowHandle() == nullptr)
        return;
    const QRectF pawFrame(QPointF(pawView->mapToGlobal(QPoint(0, 0))), QSizeF(pawView->size()));
    if (const QScreen* screen = pawView->screen())
        show(QRectF(screen->availableGeometry()), pawFrame);
    else
        updatePawFrame(pawFrame);
}

void TimerPopoverController::show(const QRectF& visibleFrame, const QRectF& pawFrame)
{
    if (closed || sharedPresentation->isDetached())
        return;
    lastPawFrame = pawFrame;
    popoverPanel->refreshCompositing();
    stopResizeAnimation();
    const QRect content = popoverPanel->contentGeometry();
    const QPoint end = rounded(geometry::attachedOrigin(pawFrame, visibleFrame, QSizeF(content.size())));
    panelTopY = end.y();

    const int animation = ++generation;
    const bool animates = motionAllowed();
    entryGeneration = animates ? std::optional<int>(animation) : std::nullopt;
    const QPoint start = end - QPoint(0, static_cast<int>(geometry::slideDistance));
    popoverPanel->moveContentTo(animates ? start : end);
    popoverPanel->setAlpha(animates ? 0.0 : 1.0);
    popoverPanel->orderFront();
    if (stores.onboarding.isPresented())
        popoverPanel->makeKey();
    sharedPresentation->setVisible(true);
    installDismissalMonitors();
    if (animates)
        runEntryAnimation(animation, start, end);
}

void TimerPopoverController::runEntryAnimation(int animation, QPoint start, QPoint end)
{
    stepper->run(geometry::entryFrames, this, [this, animation, start, end](int frame) {
        if (generation != animation || (frame == 1 && !popoverPanel->isVisible()))
            return false;
        const geometry::AnimationFrame step = geometry::entryFrame(frame);
        popoverPanel->moveContentTo(rounded(QPointF(start) + QPointF(end - start) * step.progress));
        popoverPanel->setAlpha(step.alpha);
        if (frame == geometry::entryFrames && entryGeneration == animation)
            entryGeneration.reset();
        return true;
    });
}

void TimerPopoverController::hide()
{
    if (closed || sharedPresentation->isDetached() || stores.onboarding.isPresented())
        return;
    durationPull->end();
    removeDismissalMonitors();
    entryGeneration.reset();
    if (!popoverPanel->isVisible()) {
        sharedPresentation->setVisible(false);
        return;
    }
    const int animation = ++generation;
    stopResizeAnimation();
    if (motionAllowed()) {
        const QPoint start = popoverPanel->contentGeometry().topLeft();
        runExitAnimation(animation, start, start - QPoint(0, static_cast<int>(geometry::slideDistance)));
        return;
    }
    popoverPanel->hide();
    sharedPresentation->setVisible(false);
}

void TimerPopoverController::runExitAnimation(int animation, QPoint start, QPoint end)
{
    auto startAlpha = std::make_shared<double>(1.0);
    stepper->run(geometry::exitFrames, this, [this, animation, start, end, startAlpha](int frame) {
        if (generation != animation)
            return false;
        if (frame == 1)
            *startAlpha = popoverPanel->alpha();
        const geometry::AnimationFrame step = geometry::exitFrame(frame, *startAlpha);
        popoverPanel->moveContentTo(rounded(QPointF(start) + QPointF(end - start) * step.progress));
        popoverPanel->setAlpha(step.alpha);
        if (frame == geometry::exitFrames) {
            popoverPanel->hide();
            popoverPanel->setAlpha(1.0);
            sharedPresentation->setVisible(false);
        }
        return true;
    });
}

void TimerPopoverController::updateContentSize(QSize size)
{
    if (closed || size.width() <= 0 || size.height() <= 0 || requestedContentSize == size)
        return;
    requestedContentSize = size;
    const QRect current = popoverPanel->contentGeometry();
    const QRect target(current.left(), panelTopY.value_or(current.top()), size.width(), size.height());
    if (entryGeneration) {
        ++generation;
        entryGeneration.reset();
        popoverPanel->setAlpha(1.0);
    }
    stopResizeAnimation();
    if (sharedPresentation->isDetached()) {
        const std::optional<QPointF> restored = pendingDetachedRestoration && placement
            ? placement->restoredOrigin(visibleFrames(), QSizeF(size))
            : std::nullopt;
        // Without a usable stored place the window still lands on a screen, never at the
        // coordinates' origin under a top bar.
        if (restored)
            placeDetached(QRect(rounded(*restored), size));
        else if (pendingDetachedRestoration)
            placeDetachedOnScreen(target);
        else
            placeDetachedInPlace(target);
        if (std::exchange(pendingDetachedRestoration, false)) {
            const PlacementSuppression quiet(suppressesPlacementPersistence);
            popoverPanel->orderFront();
            sharedPresentation->setVisible(true);
        }
        return;
    }
    const bool reduced = reducesMotion ? reducesMotion() : mewt::reducesMotion();
    if (popoverPanel->isVisible() && !reduced) {
        resizeAnimation->setStartValue(current);
        resizeAnimation->setEndValue(target);
        resizeAnimation->start();
        return;
    }
    popoverPanel->setContentGeometry(target);
}

bool TimerPopoverController::isResizeAnimating() const
{
    return resizeAnimation->state() == QAbstractAnimation::Running;
}

void TimerPopoverController::stopResizeAnimation()
{
    if (resizeAnimation->state() != QAbstractAnimation::Running)
        return;
    const QVariant end = resizeAnimation->endValue();
    resizeAnimation->stop();
    // A cut-short resize still lands on the size the view asked for.
    popoverPanel->setContentGeometry(end.toRect());
}

QPointF TimerPopoverController::pointerPosition() const
{
    return pointerMonitor ? pointerMonitor->position() : QPointF(QCursor::pos());
}

bool TimerPopoverController::isInUse() const
{
    return (menuUsed && !sharedPresentation->isDetached()) || isInUseAt(pointerPosition());
}

bool TimerPopoverController::isInUseAt(QPointF pointer) const
{
    if (sharedPresentation->isDetached())
        return durationPull->isActive();
    if (menuDepth >= 1)
        return true;
    if (lastMenuClose && clock.uptime() - *lastMenuClose < menuCloseGrace)
        return true;
    if (durationPull->isActive())
        return true;
    if (!popoverPanel->isVisible())
        return false;
    std::optional<QRectF> paw = lastPawFrame;
    if (paw && pawControlFrame)
        paw = pawControlFrame();
    return geometry::pointerIsInPopoverZone(pointer, QRectF(popoverPanel->contentGeometry()), paw);
}

void TimerPopoverController::applyOutsideClickRule(QPointF pointer)
{
    if (closed || isInUseAt(pointer) || !stores.interfaceSettings.automaticallyDismissesControls()
        || stores.onboarding.isPresented())
        return;
    requestDismissal();
}

void TimerPopoverController::requestDismissal()
{
    if (onDismissRequest)
        onDismissRequest();
    else
        hide();
}

void TimerPopoverController::installDismissalMonitors()
{
    if (sharedPresentation->isDetached())
        return;
    removeDismissalMonitors();
    // One filter sees the app's own clicks and keys and every pop-up menu that opens or closes.
    qApp->installEventFilter(this);
    if (pointerMonitor) {
        pointerMonitor->subscribe(GlobalPointerMonitor::Stream::presses, this);
        connect(pointerMonitor, &GlobalPointerMonitor::buttonPressed, this, [this](QPointF position) {
            // Our own windows report the same press through the filter; a window that lets input
            // through (the ending cue, the panel's shadow) does not, so the press belongs to what
            // lies beneath it.
            const QWidget* own = QApplication::topLevelAt(position.toPoint());
            const bool passesThrough = own != nullptr
                && (own->windowFlags().testFlag(Qt::WindowTransparentForInput)
                    || (own == popoverPanel.get() && !QRectF(popoverPanel->contentGeometry()).contains(position)));
            if (own == nullptr || passesThrough)
                applyOutsideClickRule(position);
        });
    }
    monitorsInstalled = true;
}

void TimerPopoverController::removeDismissalMonitors()
{
    openPopups.clear();
    menuDepth = 0;
    menuUsed = false;
    if (!monitorsInstalled)
        return;
    monitorsInstalled = false;
    if (qApp)
        qApp->removeEventFilter(this);
    if (pointerMonitor) {
        disconnect(pointerMonitor, &GlobalPointerMonitor::buttonPressed, this, nullptr);
        pointerMonitor->unsubscribe(GlobalPointerMonitor::Stream::presses, this);
    }
}

void TimerPopoverController::popupShown(QObject* popup)
{
    if (!openPopups.contains(popup)) {
        openPopups.insert(popup);
        ++menuDepth;
    }
}

void TimerPopoverController::popupHidden(QObject* popup)
{
    if (openPopups.remove(popup)) {
        menuDepth = std::max(menuDepth - 1, 0);
        menuUsed = true;
    }
    lastMenuClose = clock.uptime();
}

bool TimerPopoverController::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // A press reaches the filter once for the window and again for each widget it passes.
        if (!watched->isWindowType())
            break;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton && mouse->button() != Qt::RightButton)
            break;
        const QPointF global = mouse->globalPosition();
        if (watched == popoverPanel->windowHandle() && shouldBecomeKeyForClick(host->mapFromGlobal(global)))
            popoverPanel->makeKey();
        applyOutsideClickRule(global);
        break;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!watched->isWindowType() || key->key() != Qt::Key_Escape)
            break;
        // An open menu, or a drag that holds the keyboard, takes Escape for itself.
        if (QApplication::activePopupWidget() != nullptr || QWidget::keyboardGrabber() != nullptr)
            break;
        if (!stores.onboarding.isPresented())
            requestDismissal();
        return true;
    }
    case QEvent::Show:
    case QEvent::Hide: {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (widget && widget->isWindow() && widget->windowType() == Qt::Popup) {
            if (event->type() == QEvent::Show)
                popupShown(watched);
            else
                popupHidden(watched);
        }
        break;
    }
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

bool TimerPopoverController::shouldBecomeKeyForClick(QPointF pointInContent) const
{
    // An X11 text field never takes the keyboard for its window by itself: a click on one asks for
    // it in every layout, or the typing would go to whichever program had the keyboard.
    if (auto* field = qobject_cast<QLineEdit*>(host->childAt(pointInContent.toPoint()));
        field && field->isEnabled() && !field->isReadOnly())
        return true;
    const std::optional<QRectF> toolbar = sharedPresentation->standardToolbarFrame();
    return toolbar && !sharedPresentation->isDetached() && !stores.interfaceSettings.isZenModeEnabled()
        && stores.timer.state().isIdle() && stores.interfaceSettings.timerIdleLayout() == TimerIdleLayout::clock
        && !toolbar->contains(pointInContent);
}

QList<QLineEdit*> TimerPopoverController::editableTextFields(QWidget* view)
{
    QList<QLineEdit*> fields;
    if (view == nullptr || view->isHidden())
        return fields;
    if (auto* field = qobject_cast<QLineEdit*>(view); field && !field->isReadOnly() && field->isEnabled())
        fields.append(field);
    for (QObject* child : view->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isWindow())
            fields.append(editableTextFields(widget));
    }
    return fields;
}

void TimerPopoverController::focusTextInput()
{
    if (closed)
        return;
    QList<QPointer<QLineEdit>> known;
    for (QLineEdit* field : editableTextFields(host))
        known.append(field);
    focusAttemptsMade = 0;
    QTimer::singleShot(0, this, [this, known] { attemptTextInputFocus(known, textFocusAttempts); });
}

void TimerPopoverController::attemptTextInputFocus(const QList<QPointer<QLineEdit>>& knownFields, int remainingAttempts)
{
    if (closed)
        return;
    ++focusAttemptsMade;
    popoverPanel->makeKey();
    const QList<QLineEdit*> fields = editableTextFields(host);
    QPointer<QLineEdit> target;
    for (auto it = fields.rbegin(); it != fields.rend(); ++it) {
        if (knownFields.isEmpty() || !knownFields.contains(QPointer<QLineEdit>(*it))) {
            target = *it;
            break;
        }
    }
    if (!target) {
        if (remainingAttempts >= 2)
            QTimer::singleShot(focusRetryMs, this,
                [this, knownFields, remainingAttempts] { attemptTextInputFocus(knownFields, remainingAttempts - 1); });
        return;
    }
    target->setFocus(Qt::OtherFocusReason);
    const bool agreed = popoverPanel->focusWidget() == target;
    QTimer::singleShot(focusSettleMs, this, [this, knownFields, remainingAttempts, target, agreed] {
        if (agreed && popoverPanel->isActiveWindow() && target && target->hasFocus())
            return;
        if (remainingAttempts > 1)
            attemptTextInputFocus(knownFields, remainingAttempts - 1);
    });
}

void TimerPopoverController::setSystemColorScheme(ColorScheme scheme)
{
    root->setSystemColorScheme(scheme);
    background->setSystemColorScheme(scheme);
}

void TimerPopoverController::applyDetached(bool detached, TimerPopoverPresentation::DetachmentCause cause)
{
    if (closed)
        return;
    stopUnderWay();
    durationPull->end();
    const PlacementSuppression quiet(suppressesPlacementPersistence);
    const bool restoring = cause == TimerPopoverPresentation::DetachmentCause::restoration;
    pendingDetachedRestoration = detached && restoring;
    if (placement && !(detached && restoring))
        placement->removePlacement();
    if (placement)
        placement->setDetached(detached);

    const QRect frame = popoverPanel->contentGeometry();
    popoverPanel->setDetachedForm(detached);
    popoverPanel->setAlpha(1.0);
    host->setMovableByBackground(detached);
    lastPawFrame.reset();
    panelTopY.reset();
    if (detached && !restoring) {
        placeDetachedInPlace(frame);
        popoverPanel->orderFront();
        popoverPanel->makeKey();
        sharedPresentation->setVisible(true);
    } else {
        // Reattached, it shows again under the paw at the next reveal; restored, once the view
        // has told its size.
        sharedPresentation->setVisible(false);
    }
    if (onDetachedChange)
        onDetachedChange(detached);
}

QList<QRectF> TimerPopoverController::visibleFrames() const
{
    return visibleFramesProvider ? visibleFramesProvider() : screenAreas(&QScreen::availableGeometry);
}

QList<QRectF> TimerPopoverController::screenFrames() const
{
    return screenFramesProvider ? screenFramesProvider() : screenAreas(&QScreen::geometry);
}

void TimerPopoverController::placeDetached(QRect wanted)
{
    const QRect frame = clearOfPaw(wanted);
    {
        const PlacementSuppression quiet(suppressesPlacementPersistence);
        popoverPanel->setContentGeometry(frame);
    }
    panelTopY = frame.top();
    if (placement)
        placement->save(QRectF(frame));
}

void TimerPopoverController::placeDetachedInPlace(QRect wanted)
{
    // Wholly on a screen, the window stays, also inside another panel's strip: clamped 8 inside the
    // visible frame, pinning made it jump.
    const QList<QRectF> screens = screenFrames();
    if (std::any_of(screens.cbegin(), screens.cend(),
            [wanted](const QRectF& screen) { return screen.contains(QRectF(wanted)); }))
        placeDetached(wanted);
    else
        placeDetachedOnScreen(wanted);
}

void TimerPopoverController::placeDetachedOnScreen(QRect wanted)
{
    const std::optional<QPointF> origin
        = clampedDetachedOrigin(visibleFrames(), wanted.left(), wanted.top(), QSizeF(wanted.size()));
    placeDetached(origin ? QRect(rounded(*origin), wanted.size()) : wanted);
}

QRect TimerPopoverController::clearOfPaw(QRect content) const
{
    const QRect clear = keepClearProvider ? keepClearProvider() : QRect();
    if (clear.isEmpty())
        return content;
    const int shadow = popoverPanel->margin();
    const QMargins around = QMargins(shadow, shadow, shadow, shadow) + pinnedFrame->margins().value_or(QMargins());
    const QRect outer = content.marginsAdded(around);
    return outer.intersects(clear) ? content.translated(0, clear.bottom() + 1 - outer.top()) : content;
}

void TimerPopoverController::keepPinnedClear()
{
    if (closed || !sharedPresentation->isDetached() || pendingDetachedRestoration || !popoverPanel->isVisible())
        return;
    const QRect content = popoverPanel->contentGeometry();
    if (clearOfPaw(content) != content)
        placeDetached(content);
}

void TimerPopoverController::panelDidMove()
{
    // A window manager moves a window as it maps it; that is not the user's place, and during a
    // restoration it would overwrite the one about to be read.
    if (closed || !sharedPresentation->isDetached() || suppressesPlacementPersistence || pendingDetachedRestoration)
        return;
    const QRect frame = popoverPanel->contentGeometry();
    panelTopY = frame.top();
    if (placement)
        placement->save(QRectF(frame));
    // Dragged onto the paw's strip, it is moved off once let go: a move of ours would fight the
    // manager's while the user still holds it.
    if (clearOfPaw(frame) != frame)
        dragSettle->start();
    else
        dragSettle->stop();
}

void TimerPopoverController::stopUnderWay()
{
    ++generation;
    dragSettle->stop();
    entryGeneration.reset();
    stopResizeAnimation();
    removeDismissalMonitors();
}

void TimerPopoverController::panelWindowLost()
{
    if (closed)
        return;
    stopUnderWay();
    durationPull->end();
    // A pinned window destroyed from outside is closed as its close button would: the controls go
    // back under the paw, which shows them in a new window at the next press.
    if (sharedPresentation->isDetached() && !stores.onboarding.isPresented())
        sharedPresentation->setDetached(false, TimerPopoverPresentation::DetachmentCause::interactive);
    sharedPresentation->setVisible(false);
}

void TimerPopoverController::watchScreens()
{
    const auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::availableGeometryChanged, this, &TimerPopoverController::scheduleScreenCheck);
        connect(screen, &QScreen::geometryChanged, this, &TimerPopoverController::scheduleScreenCheck);
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this, watch](QScreen* screen) {
        watch(screen);
        scheduleScreenCheck();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &TimerPopoverController::scheduleScreenCheck);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &TimerPopoverController::scheduleScreenCheck);
}

void TimerPopoverController::scheduleScreenCheck()
{
    // One change of the desktop arrives as several notices; one check after them all.
    if (!std::exchange(screenCheckPending, true))
        QTimer::singleShot(0, this, [this] {
            screenCheckPending = false;
            screenParametersDidChange();
        });
}

void TimerPopoverController::screenParametersDidChange()
{
    if (closed || !sharedPresentation->isDetached() || pendingDetachedRestoration)
        return;
    const QRect frame = popoverPanel->contentGeometry();
    if (const auto origin = clampedDetachedOrigin(visibleFrames(), frame.left(), frame.top(), QSizeF(frame.size())))
        placeDetached(QRect(rounded(*origin), frame.size()));
}

void TimerPopoverController::close()
{
    if (closed)
        return;
    stopUnderWay();
    if (qGuiApp) {
        disconnect(qGuiApp, nullptr, this, nullptr);
        for (QScreen* screen : QGuiApplication::screens())
            disconnect(screen, nullptr, this, nullptr);
    }
    if (sharedPresentation->isDetached() && !pendingDetachedRestoration && placement)
        placement->save(QRectF(popoverPanel->contentGeometry()));
    durationPull->close();
    popoverPanel->onShouldClose = nullptr;
    popoverPanel->onDidMove = nullptr;
    popoverPanel->onWindowLost = nullptr;
    host->onWindowDragWillStart = nullptr;
    sharedPresentation->onDetachedChange = nullptr;
    popoverPanel->hide();
    closed = true;
    sharedPresentation->setVisible(false);
    lastPawFrame.reset();
}

} // namespace mewt

#include "pull/PullHandlePanel.h"

#include "artwork/Compositing.h"
#include "artwork/PeekPawArtwork.h"
#include "artwork/ReducedMotion.h"
#include "model/InterfaceSettingsStore.h"
#include "platform/X11InputRegion.h"
#include "platform/X11WindowLoss.h"

#include <QBitmap>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace mewt {

namespace {

// How far the paw is tucked up under the bar when the reveal starts.
constexpr int revealTravel = 40;

} // namespace

PullHandlePanel::PullHandlePanel(InterfaceSettingsStore& settings, const CatTheme& theme, QWidget* parent)
    : QWidget(parent,
        Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint | Qt::WindowStaysOnTopHint
            | Qt::WindowDoesNotAcceptFocus)
    , settings(settings)
{
    // The tag keeps the pointer feedback quiet on the handle: the pull has its own sounds.
    setObjectName(QStringLiteral("mewt.paw-control"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(PeekPawArtwork::artworkWidth, PeekPawArtwork::artworkHeight);
    setCursor(Qt::OpenHandCursor);
    // Moves without a button must reach us too: they reveal a release we never saw.
    setMouseTracking(true);
    artwork = new PeekPawArtwork(theme, this);
    artwork->setAttribute(Qt::WA_TransparentForMouseEvents);

    frameTimer.setTimerType(Qt::PreciseTimer);
    frameTimer.setInterval(frameIntervalMs);
    connect(&frameTimer, &QTimer::timeout, this, &PullHandlePanel::flushFrame);
    autoHide.setSingleShot(true);
    connect(&autoHide, &QTimer::timeout, this, &PullHandlePanel::autoHideTimeout);
    revealTimer.setTimerType(Qt::PreciseTimer);
    revealTimer.setInterval(frameIntervalMs);
    connect(&revealTimer, &QTimer::timeout, this, &PullHandlePanel::advanceReveal);
    connect(&settings, &InterfaceSettingsStore::automaticallyDismissesControlsChanged, this, [this](bool dismisses) {
        if (!dismisses)
            autoHide.stop();
        else if (revealed && !dragging)
            armAutoHide(autoHideDelayMs);
    });
    // Its hiding already cancelled a pull under way; the handle counts as put away.
    whenWindowLost(*this, [this] { concealPullHandle(); });
    whenCompositingChanges(this, [this] { followCompositing(); });
}

PullHandlePanel::~PullHandlePanel()
{
    // No callback may reach an owner that is being torn down with us.
    onPull = nullptr;
    onRevealChange = nullptr;
    isCovered = nullptr;
    if (dragging) {
        dragging = false;
        if (mouseGrabber() == this)
            releaseMouse();
        if (keyboardGrabber() == this)
            releaseKeyboard();
    }
}

void PullHandlePanel::setTheme(const CatTheme& theme)
{
    artwork->setTheme(theme);
    if (isVisible() && !dragging)
        shapeForCompositing();
}

void PullHandlePanel::revealPullHandle(const QRectF& pawScreenRect)
{
    if (dragging)
        return;
    const QPointF centre = pawScreenRect.center();
    QScreen* screen = QGuiApplication::screenAt(centre.toPoint());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    int x = static_cast<int>(std::lround(centre.x() - width() / 2.0));
    if (screen) {
        const QRect frame = screen->geometry();
        x = std::min(std::max(x, frame.left()), frame.left() + frame.width() - width());
    }
    const int y = static_cast<int>(std::lround(pawScreenRect.bottom()));
    resting = QRect(x, y, width(), height());
    composited = windowsAreComposited();
    move(resting.topLeft());
    artwork->show();
    // The input shape goes on the native window.
    winId();
    shapeForCompositing();

    // Shaped windows cannot slide their content, and some people asked for stillness.
    if (reducesMotion() || !composited) {
        revealTimer.stop();
        artwork->move(0, 0);
    } else {
        revealFrame = 0;
        artwork->move(0, -revealTravel);
        revealTimer.start();
    }
    show();
    raise();
    if (!revealed) {
        revealed = true;
        if (onRevealChange)
            onRevealChange(true);
    }
    if (QGuiApplication::mouseButtons() & Qt::LeftButton)
        beginDrag(QCursor::pos());
    else
        armAutoHide(autoHideDelayMs);
}

void PullHandlePanel::concealPullHandle()
{
    if (dragging)
        endDrag(PullGestureEvent::Phase::cancelled, latestPointer);
    autoHide.stop();
    revealTimer.stop();
    hide();
    if (revealed) {
        revealed = false;
        if (onRevealChange)
            onRevealChange(false);
    }
}

void PullHandlePanel::advanceReveal()
{
    ++revealFrame;
    const double t = std::min(1.0, static_cast<double>(revealFrame) / revealFrames);
    const double eased = 1.0 - (1.0 - t) * (1.0 - t) * (1.0 - t);
    artwork->move(0, static_cast<int>(std::lround(-(1.0 - eased) * revealTravel)));
    shapeInput();
    if (revealFrame >= revealFrames)
        revealTimer.stop();
}

void PullHandlePanel::shapeForCompositing()
{
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        paintPeekPaw(painter, artwork->theme());
    }
    drawnShape = QRegion(QBitmap::fromImage(image.createAlphaMask()));
    if (!composited)
        setMask(drawnShape);
    else if (!mask().isEmpty())
        clearMask();
    shapeInput();
}

void PullHandlePanel::shapeInput()
{
    // Blended, the window's see-through sides would take presses meant for what shows through them.
    if (QWindow* window = windowHandle())
        setInputRegion(*window, drawnShape.translated(artwork->pos()) & rect());
}

void PullHandlePanel::followCompositing()
{
    const bool now = windowsAreComposited();
    if (now == composited)
        return;
    composited = now;
    if (!isVisible())
        return;
    if (pullStarted) {
        // Only the grab is left of the handle; what it shows now would show black.
        if (!composited)
            parkForPull();
        return;
    }
    if (!composited && revealTimer.isActive()) {
        revealTimer.stop();
        artwork->move(0, 0);
    }
    shapeForCompositing();
}

void PullHandlePanel::parkForPull()
{
    // An empty mask would show the whole window, and the one pixel kept instead would show
    // black: put that pixel just outside every screen. The window stays mapped, so the grab holds.
    setMask(QRegion(0, 0, 1, 1));
    if (const QScreen* own = screen())
        move(own->virtualGeometry().topLeft() - QPoint(1, 1));
}

QRectF PullHandlePanel::screenFrameAt(QPointF point) const
{
    if (const QScreen* found = QGuiApplication::screenAt(point.toPoint()))
        return found->geometry();
    if (const QScreen* own = screen())
        return own->geometry();
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        return primary->geometry();
    return {};
}

void PullHandlePanel::beginDrag(QPointF globalPoint)
{
    dragging = true;
    pullStarted = false;
    anchor = globalPoint;
    latestPointer = globalPoint;
    pointerMoved = false;
    pullScreenFrame = screenFrameAt(globalPoint);
    autoHide.stop();
    grabMouse();
    grabKeyboard();
    windowGrabbed = false;
    // Only X11 can grab at all; elsewhere every retry would only complain.
    retriesWindowGrab = QGuiApplication::platformName() == QLatin1String("xcb");
    frameTimer.start();
}

bool PullHandlePanel::isPastDragThreshold(QPointF pointer) const
{
    return std::hypot(pointer.x() - anchor.x(), pointer.y() - anchor.y()) >= dragThreshold;
}

void PullHandlePanel::startPull()
{
    pullStarted = true;
    revealTimer.stop();
    // The overlay draws the arm from here on; the handle keeps only the grab.
    artwork->move(0, 0);
    artwork->hide();
    if (!composited)
        parkForPull();
    send(PullGestureEvent::Phase::began, anchor);
}

void PullHandlePanel::grabWindowInput()
{
    // The window-system grab fails until the window is mapped; the frames retry it. Qt routes
    // events to the grabbing widget meanwhile, so a press held since the menu-bar paw still counts.
    QWindow* window = windowHandle();
    if (!window || !window->isExposed())
        return;
    windowGrabbed = window->setMouseGrabEnabled(true);
    window->setKeyboardGrabEnabled(true);
}

void PullHandlePanel::endDrag(PullGestureEvent::Phase phase, QPointF pointer)
{
    if (!dragging)
        return;
    // A quick flick may end before any frame saw it move.
    const bool flicked = !pullStarted && phase == PullGestureEvent::Phase::ended && isPastDragThreshold(pointer);
    const bool pulled = pullStarted || flicked;
    dragging = false;
    pullStarted = false;
    pointerMoved = false;
    frameTimer.stop();
    if (mouseGrabber() == this)
        releaseMouse();
    if (keyboardGrabber() == this)
        releaseKeyboard();
    if (!pulled) {
        // A click pulls nothing: the handle stays out for a pull of its own. Escape or a lost
        // grab before any travel still puts it away.
        if (phase != PullGestureEvent::Phase::ended) {
            concealPullHandle();
            return;
        }
        armAutoHide(autoHideDelayMs);
        if (isCovered && isCovered()) {
            revealTimer.stop();
            hide();
        }
        return;
    }
    if (flicked)
        send(PullGestureEvent::Phase::began, anchor);
    send(phase, pointer);
    artwork->show();
    // A finished pull leaves the stage to the overlay's retreating arm.
    concealPullHandle();
}

void PullHandlePanel::send(PullGestureEvent::Phase phase, QPointF pointer)
{
    if (onPull)
        onPull(PullGestureEvent { phase, anchor, pointer, pullScreenFrame });
}

void PullHandlePanel::flushFrame()
{
    if (!dragging) {
        frameTimer.stop();
        return;
    }
    if (mouseGrabber() != this) {
        // Someone else took the pointer (a popup, a screen locker): the release will never come.
        endDrag(PullGestureEvent::Phase::cancelled, latestPointer);
        return;
    }
    if (!windowGrabbed && retriesWindowGrab)
        grabWindowInput();
    if (!pointerMoved)
        return;
    pointerMoved = false;
    // Until the pointer has really travelled, the press may still be a click.
    if (!pullStarted) {
        if (!isPastDragThreshold(latestPointer))
            return;
        startPull();
    }
    send(PullGestureEvent::Phase::changed, latestPointer);
}

void PullHandlePanel::armAutoHide(int delayMs)
{
    if (settings.automaticallyDismissesControls())
        autoHide.start(delayMs);
    else
        autoHide.stop();
}

void PullHandlePanel::autoHideTimeout()
{
    if (!revealed || dragging || !settings.automaticallyDismissesControls())
        return;
    if (shouldAutoDismiss && !shouldAutoDismiss()) {
        armAutoHide(autoHideRetryMs);
        return;
    }
    concealPullHandle();
    if (onAutoDismiss)
        onAutoDismiss();
}

void PullHandlePanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !dragging)
        beginDrag(event->globalPosition());
    event->accept();
}

void PullHandlePanel::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging)
        return;
    if (!(event->buttons() & Qt::LeftButton)) {
        // The button came up where we could not see it.
        endDrag(PullGestureEvent::Phase::cancelled, latestPointer);
        return;
    }
    latestPointer = event->globalPosition();
    pointerMoved = true;
}

void PullHandlePanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragging && event->button() == Qt::LeftButton)
        endDrag(PullGestureEvent::Phase::ended, event->globalPosition());
    event->accept();
}

void PullHandlePanel::keyPressEvent(QKeyEvent* event)
{
    if (dragging && event->key() == Qt::Key_Escape) {
        endDrag(PullGestureEvent::Phase::cancelled, latestPointer);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PullHandlePanel::hideEvent(QHideEvent* event)
{
    endDrag(PullGestureEvent::Phase::cancelled, latestPointer);
    QWidget::hideEvent(event);
}

bool PullHandlePanel::event(QEvent* event)
{
    if (event->type() == QEvent::UngrabMouse)
        endDrag(PullGestureEvent::Phase::cancelled, latestPointer);
    return QWidget::event(event);
}

} // namespace mewt

#include "pull/PullOverlayController.h"

#include "pull/PullOverlayView.h"
#include "artwork/ReducedMotion.h"

#include <QGuiApplication>
#include <QScreen>

namespace mewt {

PullOverlayController::PullOverlayController(QObject* parent)
    : QObject(parent)
{
    retreatTimer.setTimerType(Qt::PreciseTimer);
    retreatTimer.setInterval(frameIntervalMs);
    connect(&retreatTimer, &QTimer::timeout, this, &PullOverlayController::advanceRetreatFrame);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &PullOverlayController::screenRemoved);
}

PullOverlayController::~PullOverlayController() = default;

QScreen* PullOverlayController::screenFor(QPointF anchor, const QRectF& screenFrame)
{
    if (QScreen* screen = QGuiApplication::screenAt(anchor.toPoint()))
        return screen;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (QRectF(screen->geometry()) == screenFrame)
            return screen;
    }
    return QGuiApplication::primaryScreen();
}

void PullOverlayController::placeOn(QScreen* screen, PullOverlayModel::State& state)
{
    pullScreen = screen;
    if (!screen) {
        state.isVisible = false;
        return;
    }
    state.screenFrame = screen->geometry();
    state.availableFrame = screen->availableGeometry();
}

void PullOverlayController::ensureView()
{
    if (!overlayView)
        overlayView = std::make_unique<PullOverlayView>(overlayModel);
}

void PullOverlayController::begin(QPointF anchor, const QRectF& screenFrame, const CatTheme& theme)
{
    if (closed)
        return;
    retreatTimer.stop();
    ensureView();
    PullOverlayModel::State state;
    state.isVisible = true;
    state.anchor = anchor;
    state.pointer = anchor;
    state.theme = theme;
    placeOn(screenFor(anchor, screenFrame), state);
    overlayModel.setState(state);
}

void PullOverlayController::update(QPointF pointer, const QString& statusText, bool isCancel)
{
    if (closed || !isShowing() || isRetreating())
        return;
    PullOverlayModel::State state = overlayModel.state();
    state.pointer = pointer;
    state.statusText = statusText;
    state.isCancel = isCancel;
    overlayModel.setState(state);
}

void PullOverlayController::retreat()
{
    if (!isShowing() || isRetreating())
        return;
    if (reducesMotion()) {
        hide();
        return;
    }
    retreatFrame = 0;
    retreatTimer.start();
}

void PullOverlayController::advanceRetreatFrame()
{
    if (!isShowing()) {
        retreatTimer.stop();
        return;
    }
    ++retreatFrame;
    if (retreatFrame >= retreatFrames) {
        hide();
        return;
    }
    PullOverlayModel::State state = overlayModel.state();
    state.retreatProgress = static_cast<double>(retreatFrame) / retreatFrames;
    overlayModel.setState(state);
}

void PullOverlayController::hide()
{
    retreatTimer.stop();
    retreatFrame = 0;
    PullOverlayModel::State state = overlayModel.state();
    state.isVisible = false;
    state.retreatProgress = 0.0;
    overlayModel.setState(state);
}

void PullOverlayController::close()
{
    hide();
    closed = true;
    overlayView.reset();
    pullScreen.clear();
}

void PullOverlayController::screenRemoved(QScreen* screen)
{
    if (!isShowing() || (pullScreen && screen != pullScreen))
        return;
    PullOverlayModel::State state = overlayModel.state();
    QScreen* fallback = QGuiApplication::primaryScreen();
    placeOn(fallback != screen ? fallback : nullptr, state);
    overlayModel.setState(state);
    if (!state.isVisible)
        retreatTimer.stop();
}

} // namespace mewt

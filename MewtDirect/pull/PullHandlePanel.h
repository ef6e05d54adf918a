#pragma once

#include "model/CatTheme.h"
#include "pull/PullGestureEvent.h"

#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace mewt {

class InterfaceSettingsStore;
class PeekPawArtwork;

// The paw that peeks out under the menu-bar paw once it is pressed, and the drag that pulls it.
// A press on it (or a press on the menu-bar paw still held when it appears) is followed: the panel
// grabs pointer and keyboard so the release is always seen. Once the pointer travels 4 points the
// pull begins, measured from the press; the pointer is then reported at most once a frame, and
// Escape or a lost grab cancel. A click leaves the handle out. Without a pull it hides by itself
// after 2.5 s when the settings ask for that and the owner agrees.
class PullHandlePanel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PullHandlePanel)

public:
    static constexpr int frameIntervalMs = 16;
    static constexpr int autoHideDelayMs = 2500;
    // When the owner asks to keep the handle, it asks again after this long.
    static constexpr int autoHideRetryMs = 1000;
    static constexpr int revealFrames = 10;
    // A press becomes a pull once the pointer has travelled this far; a release before is a click.
    static constexpr double dragThreshold = 4.0;

    PullHandlePanel(InterfaceSettingsStore& settings, const CatTheme& theme, QWidget* parent = nullptr);
    ~PullHandlePanel() override;

    // Shows the handle under the paw's screen rectangle; takes over the drag at once when the left
    // button is still down from the press on the paw.
    void revealPullHandle(const QRectF& pawScreenRect);
    // Hides the handle; a pull in progress is cancelled.
    void concealPullHandle();

    void setTheme(const CatTheme& theme);

    bool isRevealed() const { return revealed; }
    // The left button is down and followed (a click or a pull).
    bool isDragging() const { return dragging; }
    // The press has travelled far enough to be a pull: `began` went out.
    bool isPulling() const { return pullStarted; }
    bool isFrameTimerRunning() const { return frameTimer.isActive(); }
    bool isAutoHideArmed() const { return autoHide.isActive(); }
    // Where the handle sits once revealed, in global coordinates.
    QRect restingGeometry() const { return resting; }

    // One frame: sends the latest pointer when it moved and checks the grab; the frame timer calls it.
    void flushFrame();
    // The auto-hide timer's handler.
    void autoHideTimeout();

    std::function<void(const PullGestureEvent&)> onPull;
    // Asked before the handle hides by itself; unset means yes.
    std::function<bool()> shouldAutoDismiss;
    std::function<void()> onAutoDismiss;
    std::function<void(bool revealed)> onRevealChange;
    // Asked when a click ends: whether a window of ours now lies over the handle (the popover the
    // press opened). Its window then goes, so no part of it shows beside that window; the handle
    // still counts as out and still hides by itself.
    std::function<bool()> isCovered;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

private:
    void beginDrag(QPointF globalPoint);
    bool isPastDragThreshold(QPointF pointer) const;
    void startPull();
    void endDrag(PullGestureEvent::Phase phase, QPointF pointer);
    void send(PullGestureEvent::Phase phase, QPointF pointer);
    void armAutoHide(int delayMs);
    void advanceReveal();
    void shapeForCompositing();
    void followCompositing();
    void shapeInput();
    void parkForPull();
    void grabWindowInput();
    QRectF screenFrameAt(QPointF point) const;

    InterfaceSettingsStore& settings;
    PeekPawArtwork* artwork = nullptr;
    bool revealed = false;
    bool dragging = false;
    bool pullStarted = false;
    bool composited = true;
    bool windowGrabbed = false;
    bool retriesWindowGrab = false;
    QPointF anchor;
    QRectF pullScreenFrame;
    QPointF latestPointer;
    bool pointerMoved = false;
    QRect resting;
    // What the artwork covers at rest, window coordinates.
    QRegion drawnShape;
    QTimer frameTimer;
    QTimer autoHide;
    QTimer revealTimer;
    int revealFrame = 0;
};

} // namespace mewt

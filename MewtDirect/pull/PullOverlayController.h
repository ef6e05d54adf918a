#pragma once

#include "pull/PullOverlayModel.h"

#include <QObject>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <memory>

namespace mewt {

class PullOverlayView;

// Owns the pull overlay: puts it on the screen where the pull began (the primary screen when that
// one is gone), keeps the model in step with the pull, and draws the arm back up when it ends.
class PullOverlayController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PullOverlayController)

public:
    static constexpr int frameIntervalMs = 16;
    static constexpr int retreatFrames = 14;

    explicit PullOverlayController(QObject* parent = nullptr);
    ~PullOverlayController() override;

    // Shows the overlay for a pull anchored at `anchor` on the screen whose frame is `screenFrame`.
    void begin(QPointF anchor, const QRectF& screenFrame, const CatTheme& theme);
    void update(QPointF pointer, const QString& statusText, bool isCancel);
    // The arm springs back up and the overlay goes; at once with reduced motion.
    void retreat();
    // Gone at once.
    void hide();
    // Shutdown: gone for good.
    void close();

    bool isShowing() const { return overlayModel.state().isVisible; }
    bool isRetreating() const { return retreatTimer.isActive(); }
    PullOverlayModel& model() { return overlayModel; }
    // Null until the first pull.
    PullOverlayView* view() const { return overlayView.get(); }
    QScreen* screen() const { return pullScreen.data(); }

    // One frame of the retreat; the frame timer calls it.
    void advanceRetreatFrame();

private:
    static QScreen* screenFor(QPointF anchor, const QRectF& screenFrame);
    void placeOn(QScreen* screen, PullOverlayModel::State& state);
    void screenRemoved(QScreen* screen);
    void ensureView();

    PullOverlayModel overlayModel;
    std::unique_ptr<PullOverlayView> overlayView;
    QPointer<QScreen> pullScreen;
    QTimer retreatTimer;
    int retreatFrame = 0;
    bool closed = false;
};

} // namespace mewt

#pragma once

#include "pull/PullOverlayModel.h"

#include <QRegion>
#include <QWidget>

class QGraphicsOpacityEffect;

namespace mewt {

class CharacterSlotText;
class PullStatusPill;

// The overlay's window: it covers the pull's screen, lets every input through, and paints the arm,
// the paw and the pill of its model. Only the parts that moved are repainted.
class PullOverlayView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PullOverlayView)

public:
    explicit PullOverlayView(PullOverlayModel& model, QWidget* parent = nullptr);

    PullStatusPill& pill() const { return *statusPill; }
    CharacterSlotText& statusText() const { return *text; }
    // Where the last layout put everything, in global coordinates.
    const PullOverlayLayout& layout() const { return lastLayout; }
    // The global area the arm, paw and pill cover.
    QRectF paintedBounds() const { return lastBounds; }
    // What the last layout paints, in window coordinates: without a compositor the window is cut
    // to it, since every pixel it leaves unpainted would show black.
    QRegion windowShape() const;

    // Follows the model; the model's `changed` calls it.
    void sync();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PullOverlayModel& model;
    CharacterSlotText* text = nullptr;
    PullStatusPill* statusPill = nullptr;
    QGraphicsOpacityEffect* pillOpacity = nullptr;
    PullOverlayLayout lastLayout;
    QRectF lastBounds;
    QRect lastGeometry;
    bool composited = true;
};

} // namespace mewt

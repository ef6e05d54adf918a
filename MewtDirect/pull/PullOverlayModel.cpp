#include "pull/PullOverlayModel.h"

#include <algorithm>
#include <cmath>

namespace mewt {

namespace {

// The pointer's tip sits just below and right of the paw, as if the paw were holding it.
const QPointF pointerOffsetFromPaw(9.0, 7.0);
constexpr double shoulderAboveEdge = 72.0;
constexpr double armEndBehindPaw = 19.0;
constexpr double pawCentreBehindPaw = 12.0;
constexpr double pillBelowPaw = 30.0;
constexpr double pillMargin = 4.0;

double finiteOr(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

} // namespace

PullOverlayModel::PullOverlayModel(QObject* parent)
    : QObject(parent)
{
}

void PullOverlayModel::setState(const State& state)
{
    if (state == current)
        return;
    current = state;
    Q_EMIT changed();
}

PullOverlayLayout pullOverlayLayout(const PullOverlayModel::State& state, QSizeF pillSize)
{
    const QRectF screen = state.screenFrame;
    const QRectF available = state.availableFrame.isEmpty() ? screen : state.availableFrame;
    const QPointF top(finiteOr(state.anchor.x(), screen.center().x()), screen.top());
    const QPointF pointer(finiteOr(state.pointer.x(), top.x()), finiteOr(state.pointer.y(), top.y()));

    // While retreating the paw is drawn back up behind the top edge, quickly at first like a
    // released spring.
    const double r = std::clamp(state.retreatProgress, 0.0, 1.0);
    const double eased = 1.0 - (1.0 - r) * (1.0 - r) * (1.0 - r);
    const QPointF held = pointer - pointerOffsetFromPaw;
    const QPointF hidden(top.x(), top.y() - 30.0);
    const QPointF paw = held + (hidden - held) * eased;

    const QPointF v = paw - top;
    const double length = std::max(std::hypot(v.x(), v.y()), 1.0);
    const QPointF u = v / length;

    PullOverlayLayout layout;
    layout.shoulder = QPointF(top.x(), top.y() - shoulderAboveEdge);
    layout.armEnd = paw - armEndBehindPaw * u;
    layout.pawCentre = paw - pawCentreBehindPaw * u;
    layout.pawAngle = std::atan2(v.y(), v.x()) - std::acos(0.0);

    const double w = pillSize.width();
    const double h = pillSize.height();
    double cx = held.x();
    cx = std::max(cx, available.left() + w / 2.0 + pillMargin);
    cx = std::min(cx, available.right() - w / 2.0 - pillMargin);
    double cy = held.y() + pillBelowPaw;
    cy = std::min(cy, available.bottom() - h / 2.0 - pillMargin);
    cy = std::max(cy, available.top() + h / 2.0 + pillMargin);
    layout.pillRect = QRectF(cx - w / 2.0, cy - h / 2.0, w, h);
    layout.pillOpacity = 1.0 - std::min(r / 0.4, 1.0);
    return layout;
}

} // namespace mewt

#include "popover/PopoverGeometry.h"

#include <algorithm>
#include <cmath>

namespace mewt::popover_geometry {

std::optional<qsizetype> screenIndexForPaw(const QList<QRectF>& screenFrames, const QRectF& pawFrame)
{
    for (qsizetype i = 0; i < screenFrames.size(); ++i) {
        if (screenFrames[i].intersects(pawFrame))
            return i;
    }
    return std::nullopt;
}

QPointF attachedOrigin(const QRectF& pawFrame, const QRectF& visibleFrame, const QSizeF& contentSize)
{
    double x = pawFrame.center().x() - contentSize.width() / 2.0;
    x = std::max(x, visibleFrame.left() + sideMargin);
    x = std::min(x, visibleFrame.right() - contentSize.width() - sideMargin);
    return { x, pawFrame.bottom() - pawOverlap };
}

namespace {

double cross(QPointF a, QPointF b, QPointF p)
{
    return (b.x() - a.x()) * (p.y() - a.y()) - (b.y() - a.y()) * (p.x() - a.x());
}

bool insideOrOnTriangle(QPointF p, QPointF a, QPointF b, QPointF c)
{
    const double d1 = cross(a, b, p);
    const double d2 = cross(b, c, p);
    const double d3 = cross(c, a, p);
    const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
    const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
    return !(negative && positive);
}

// QRectF::contains excludes nothing but treats the right and bottom edges as inside, which is
// what a pointer on the border should get.
bool containsPoint(const QRectF& rect, QPointF p)
{
    return p.x() >= rect.left() && p.x() <= rect.right() && p.y() >= rect.top() && p.y() <= rect.bottom();
}

} // namespace

bool pointerIsInPopoverZone(QPointF pointer, const QRectF& panelFrame, const std::optional<QRectF>& pawFrame)
{
    if (containsPoint(panelFrame, pointer))
        return true;
    if (!pawFrame)
        return false;
    if (containsPoint(pawFrame->adjusted(-pawSlack, -pawSlack, pawSlack, pawSlack), pointer))
        return true;
    return insideOrOnTriangle(
        pointer, { pawFrame->center().x(), pawFrame->top() }, panelFrame.topLeft(), panelFrame.topRight());
}

AnimationFrame entryFrame(int frame)
{
    const double t = std::clamp(static_cast<double>(frame) / entryFrames, 0.0, 1.0);
    return { 1.0 - std::pow(1.0 - t, 4), std::clamp((t - 0.4) / 0.6, 0.0, 1.0) };
}

AnimationFrame exitFrame(int frame, double startAlpha)
{
    const double t = std::clamp(static_cast<double>(frame) / exitFrames, 0.0, 1.0);
    return { t * t * t, startAlpha * (1.0 - std::min(t / 0.3, 1.0)) };
}

} // namespace mewt::popover_geometry

#include "artwork/PointerArrow.h"

#include <QPainter>
#include <QPainterPath>

namespace mewt {

namespace {

// Designed 10 wide and 15 tall, tip at the top left.
constexpr double designWidth = 10.0;
constexpr double designHeight = 15.0;
constexpr double haloWidth = 2.0;

const QPainterPath& arrowPath()
{
    static const QPainterPath path = [] {
        QPainterPath arrow;
        arrow.moveTo(0.0, 0.0);
        arrow.lineTo(0.0, 13.2);
        arrow.lineTo(3.3, 10.2);
        arrow.lineTo(5.5, 15.0);
        arrow.lineTo(7.7, 14.0);
        arrow.lineTo(5.5, 9.3);
        arrow.lineTo(9.8, 9.3);
        arrow.closeSubpath();
        return arrow;
    }();
    return path;
}

} // namespace

void paintPointerArrow(QPainter& painter, QPointF centre, double height, const QColor& ink, const QColor& halo)
{
    if (height <= 0.0)
        return;
    const double scale = height / designHeight;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(centre);
    painter.scale(scale, scale);
    painter.translate(-designWidth / 2.0, -designHeight / 2.0);
    QPen pen(halo, haloWidth / scale);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(ink);
    painter.drawPath(arrowPath());
    painter.setPen(Qt::NoPen);
    painter.drawPath(arrowPath());
    painter.restore();
}

} // namespace mewt

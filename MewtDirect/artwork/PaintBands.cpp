#include "artwork/PaintBands.h"

#include <QPainter>

namespace mewt {

namespace {
constexpr int bandRows = 12;
} // namespace

void paintInBands(QPainter& painter, const QRectF& area, const std::function<void()>& paint)
{
    const QTransform device = painter.deviceTransform();
    // Rotated or sheared, a band would not be a row range; one pass then.
    if (device.type() > QTransform::TxScale) {
        paint();
        return;
    }
    const QRect rows = device.mapRect(area).toAlignedRect();
    const QTransform toLogical = device.inverted();
    for (int top = rows.top(); top <= rows.bottom(); top += bandRows) {
        painter.save();
        painter.setClipRect(toLogical.mapRect(QRectF(rows.left(), top, rows.width(), bandRows)), Qt::IntersectClip);
        paint();
        painter.restore();
    }
}

} // namespace mewt

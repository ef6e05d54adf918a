#include "options/TileBackground.h"

#include "options/OptionsPalette.h"

#include <QPainter>
#include <QPainterPath>

namespace mewt {

namespace {

constexpr int rimAlpha = 46; // 0.18
constexpr qreal rimWidth = 1.0;

} // namespace

void paintTileBackground(QPainter& painter, const QPainterPath& shape, const QColor& tint, const QPalette& palette)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(shape, materialColor(palette));
    painter.fillPath(shape, tint);
    // Clipped to the shape, a pen twice as wide leaves exactly the rim inside it.
    QPen rim(QColor(255, 255, 255, rimAlpha), 2 * rimWidth);
    painter.setPen(rim);
    painter.setBrush(Qt::NoBrush);
    painter.setClipPath(shape);
    painter.drawPath(shape);
    painter.restore();
}

} // namespace mewt

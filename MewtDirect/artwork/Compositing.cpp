#include "artwork/Compositing.h"

#include "platform/CompositingMonitor.h"

#include <QBitmap>
#include <QPainter>

namespace mewt {

bool windowsAreComposited()
{
    return CompositingMonitor::shared().isActive();
}

QMetaObject::Connection whenCompositingChanges(QObject* context, std::function<void()> then)
{
    return QObject::connect(&CompositingMonitor::shared(), &CompositingMonitor::activeChanged, context,
        [then = std::move(then)](bool) { then(); });
}

QRegion unblendedWindowShape(const QList<QPainterPath>& shapes, const QRect& area)
{
    QRect bounds;
    for (const QPainterPath& shape : shapes)
        bounds |= shape.boundingRect().toAlignedRect();
    bounds &= area;
    if (bounds.isEmpty())
        return {};
    // Filled without antialiasing, a pixel is set when its centre lies inside.
    QBitmap cut(bounds.size());
    cut.fill(Qt::color0);
    QPainter painter(&cut);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.translate(-QPointF(bounds.topLeft()));
    for (const QPainterPath& shape : shapes)
        painter.drawPath(shape);
    painter.end();
    return QRegion(cut).translated(bounds.topLeft());
}

} // namespace mewt

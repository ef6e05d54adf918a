#pragma once

#include <QColor>
#include <QPointF>

class QPainter;

namespace mewt {

// The demos' mouse pointer: the familiar arrow, `height` pixels tall, centred on `centre`, in
// `ink` with a one-pixel halo of `halo` so it reads on any background.
void paintPointerArrow(QPainter& painter, QPointF centre, double height, const QColor& ink, const QColor& halo);

} // namespace mewt

#pragma once

#include <QRectF>
#include <functional>

class QPainter;

namespace mewt {

// Runs `paint` once per band of a few device rows of `area` (in the painter's coordinates), each
// time clipped to its band. Qt hands a fill of more than about a hundred spans to its worker
// threads; an antialiased shape of any size is that many, so a demo that fills one every frame
// wakes three threads sixty times a second. Bands meet on whole device rows, so the pixels are
// those of one pass.
void paintInBands(QPainter& painter, const QRectF& area, const std::function<void()>& paint);

} // namespace mewt

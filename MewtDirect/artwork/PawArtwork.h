#pragma once

#include "model/CatTheme.h"

#include <QRectF>

class QPainter;

namespace mewt {

// The cat's paw seen from the front, toes up, in the theme's coat: the top bar's paw, the
// app icon and every small picture of the paw. Drawn to fill rect (designed in a 20 by 20 box).
void paintFrontPaw(QPainter& painter, const QRectF& rect, const CatTheme& theme);

} // namespace mewt

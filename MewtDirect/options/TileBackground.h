#pragma once

#include <QColor>

class QPainter;
class QPainterPath;
class QPalette;

namespace mewt {

// The tinted rounded tile behind category glyphs and the chosen cat: a flat material, the tint over
// it, and a faint white rim. Drawn before the tile's content.
void paintTileBackground(QPainter& painter, const QPainterPath& shape, const QColor& tint, const QPalette& palette);

} // namespace mewt

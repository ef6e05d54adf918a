#include "options/OptionsCategoryIcon.h"

#include "artwork/Glyph.h"
#include "options/TileBackground.h"

#include <QPainter>
#include <QPainterPath>

namespace mewt {

void OptionsCategoryIcon::paint(
    QPainter& painter, const QRectF& rect, OptionsCategory category, const QPalette& palette)
{
    QPainterPath shape;
    shape.addRoundedRect(rect, cornerRadius, cornerRadius);
    paintTileBackground(painter, shape, tileColor(category), palette);
    const QRectF glyph(rect.center() - QPointF(glyphSize / 2.0, glyphSize / 2.0), QSizeF(glyphSize, glyphSize));
    Glyph::paint(painter, glyphName(category), glyph, Qt::white);
}

} // namespace mewt

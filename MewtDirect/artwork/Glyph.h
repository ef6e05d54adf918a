#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

class QPainter;
class QRectF;

namespace mewt {

// The small symbols of the interface (play, pause, gear, ...): our own SVGs, compiled in under
// ":/glyphs/<name>.svg", drawn in one flat colour so they follow the palette and the theme.
// Rendered pixmaps are cached by name, size, colour and device pixel ratio.
class Glyph final {
public:
    // A tinted pixmap of size (logical pixels) at the given device pixel ratio; a null pixmap
    // for a name that has no SVG.
    static QPixmap pixmap(const QString& name, QSize size, const QColor& color, qreal devicePixelRatio = 1.0);

    // Paints the glyph centred in rect, keeping its aspect.
    static void paint(QPainter& painter, const QString& name, const QRectF& rect, const QColor& color);

    [[nodiscard]] static bool exists(const QString& name);
};

} // namespace mewt

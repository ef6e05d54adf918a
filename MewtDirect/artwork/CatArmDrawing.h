#pragma once

#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace mewt {

struct CatTheme;

// The bent line of a cat's arm from the shoulder to the paw: a cubic curve that sags sideways in
// the direction the arm swings.
struct CatArmGeometry {
    QPointF start;
    QPointF end;
    double length = 0.0;
    QPointF control1;
    QPointF control2;

    // The point of the curve at `t` (0 the shoulder, 1 the paw) and its unit tangent there.
    QPointF pointAt(double t) const;
    QPointF tangentAt(double t) const;
};

// The sag is 0.08 of the horizontal reach, held to ±64, along the arm's normal.
CatArmGeometry catArmGeometry(QPointF start, QPointF end);

// The closed outline of an arm of `width` at the shoulder narrowing to 0.68 `width` at the paw;
// empty when the two points coincide.
QPainterPath catArmPath(QPointF start, QPointF end, double width);

// Paints the theme's arm markings inside `furPath` (an arm outline from catArmPath), laid along
// the arm. The painter's state is restored afterwards.
void drawCatArmPattern(
    QPainter& painter, const QPainterPath& furPath, const CatTheme& theme, const CatArmGeometry& geometry);

} // namespace mewt

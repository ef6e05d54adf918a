#include "artwork/PawArtwork.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace mewt {

namespace {

QPainterPath circle(double x, double y, double r)
{
    QPainterPath path;
    path.addEllipse(QPointF(x, y), r, r);
    return path;
}

QPainterPath ellipse(double x, double y, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(QPointF(x, y), rx, ry);
    return path;
}

// The paw is designed in a 20 by 20 box: a mitten of a palm and four toes, toes up.
constexpr double toeRadius = 2.75;
constexpr QPointF toes[] = { { 3.7, 8.0 }, { 7.55, 4.75 }, { 12.45, 4.75 }, { 16.3, 8.0 } };

QPainterPath furPath()
{
    QPainterPath fur = ellipse(10.0, 12.6, 6.9, 6.1);
    for (const QPointF& toe : toes)
        fur = fur.united(circle(toe.x(), toe.y(), toeRadius));
    return fur.simplified();
}

// Short creases from the dips between the toes, so the toes read apart even at 18 pixels.
QPainterPath creasePath()
{
    QPainterPath creases;
    for (int i = 0; i + 1 < 4; ++i) {
        const QPointF a = toes[i];
        const QPointF b = toes[i + 1];
        const QPointF middle = (a + b) / 2.0;
        QPointF away(-(b.y() - a.y()), b.x() - a.x());
        away /= std::hypot(away.x(), away.y());
        // The dip lies on the outer side of the line between two toe centres.
        const double dip = std::sqrt(
            std::max(0.0, toeRadius * toeRadius - std::pow(std::hypot(b.x() - a.x(), b.y() - a.y()) / 2.0, 2)));
        const QPointF start = middle - away * dip;
        creases.moveTo(start);
        creases.lineTo(start + away * 1.5);
    }
    return creases;
}

QPainterPath beanPath()
{
    QPainterPath palm = circle(10.0, 13.0, 2.7);
    palm = palm.united(circle(7.7, 14.7, 2.05));
    palm = palm.united(circle(12.3, 14.7, 2.05));
    palm = palm.united(ellipse(10.0, 15.3, 3.2, 2.0));
    QPainterPath beans = palm.simplified();
    beans.addEllipse(QPointF(4.0, 8.55), 1.35, 1.6);
    beans.addEllipse(QPointF(7.7, 5.45), 1.45, 1.7);
    beans.addEllipse(QPointF(12.3, 5.45), 1.45, 1.7);
    beans.addEllipse(QPointF(16.0, 8.55), 1.35, 1.6);
    return beans;
}

// A patch of the coat on the paw for the cats whose markings reach it.
void paintMarkings(QPainter& painter, const CatTheme& theme)
{
    const CatArmPattern& pattern = theme.armPattern;
    if (const auto* cow = pattern.as<CatArmPattern::Cow>()) {
        painter.setBrush(cow->spot);
        painter.drawPath(ellipse(3.2, 10.0, 3.4, 3.1));
    } else if (const auto* calico = pattern.as<CatArmPattern::Calico>()) {
        painter.setBrush(calico->orange);
        painter.drawPath(ellipse(16.8, 10.6, 3.2, 3.6));
    } else if (const auto* tortie = pattern.as<CatArmPattern::Tortie>()) {
        painter.setBrush(tortie->orange);
        painter.drawPath(ellipse(3.4, 11.0, 3.0, 3.6));
    }
}

} // namespace

void paintFrontPaw(QPainter& painter, const QRectF& rect, const CatTheme& theme)
{
    static const QPainterPath fur = furPath();
    static const QPainterPath creases = creasePath();
    static const QPainterPath beans = beanPath();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / 20.0, rect.height() / 20.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(theme.pawFillColor());
    painter.drawPath(fur);

    painter.save();
    painter.setClipPath(fur);
    paintMarkings(painter, theme);
    painter.restore();

    painter.setBrush(QColor(0xF2, 0x9B, 0xB0));
    painter.drawPath(beans);

    QPen edge(theme.edgeColor, 1.15);
    edge.setJoinStyle(Qt::RoundJoin);
    painter.setPen(edge);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(fur);
    edge.setCapStyle(Qt::RoundCap);
    edge.setWidthF(0.9);
    painter.setPen(edge);
    painter.drawPath(creases);
    painter.restore();
}

} // namespace mewt

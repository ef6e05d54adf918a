#include "artwork/PeekPawArtwork.h"

#include "artwork/CatArmDrawing.h"
#include "model/ColorContrast.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTransform>

namespace mewt {

namespace {

constexpr double designWidth = 34.0;
constexpr double designHeight = 24.0;

QPainterPath ellipse(double cx, double cy, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), rx, ry);
    return path;
}

QPainterPath pawOutline()
{
    static const QPainterPath outline = [] {
        QPainterPath paw = ellipse(17.0, 9.6, 13.6, 9.6);
        paw = paw.united(ellipse(6.0, 15.4, 4.6, 4.5));
        paw = paw.united(ellipse(12.8, 18.6, 4.8, 4.7));
        paw = paw.united(ellipse(21.2, 18.6, 4.8, 4.7));
        paw = paw.united(ellipse(28.0, 15.4, 4.6, 4.5));
        return paw.simplified();
    }();
    return outline;
}

QPainterPath palmPad()
{
    // Three lobes toward the wrist, a rounded base toward the toes.
    static const QPainterPath pad = [] {
        QPainterPath path = ellipse(17.0, 10.6, 5.8, 3.3);
        path = path.united(ellipse(13.3, 8.5, 2.6, 2.5));
        path = path.united(ellipse(17.0, 7.6, 2.8, 2.6));
        path = path.united(ellipse(20.7, 8.5, 2.6, 2.5));
        return path.simplified();
    }();
    return pad;
}

constexpr double outlineWidth = 1.3;

QColor beanColor(const QColor& paw)
{
    // Pink beans; a little deeper on a dark paw so they do not glow.
    return relativeLuminance(paw) < 0.12 ? QColor(0xD4, 0x86, 0x98) : QColor(0xF3, 0xA5, 0xB6);
}

QColor outlineColor(const CatTheme& theme, const QColor& paw)
{
    // The outline must stay darker than the paw, or it reads as a halo.
    if (relativeLuminance(theme.edgeColor) < relativeLuminance(paw))
        return theme.edgeColor;
    return blendedColor(paw, Qt::black, 0.45);
}

} // namespace

void paintCatPaw(QPainter& painter, const QRectF& rect, const CatTheme& theme)
{
    if (rect.isEmpty())
        return;
    const QColor paw = theme.pawFillColor();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / designWidth, rect.height() / designHeight);

    const QPainterPath outline = pawOutline();
    // A breath of light from above gives the mitten some roundness without a visible gradient.
    QLinearGradient fill(0.0, 0.0, 0.0, designHeight);
    fill.setColorAt(0.0, blendedColor(paw, Qt::white, 0.10));
    fill.setColorAt(1.0, paw);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(outline);

    painter.setBrush(beanColor(paw));
    painter.drawPath(palmPad());
    painter.drawEllipse(QPointF(6.3, 16.4), 2.0, 2.3);
    painter.drawEllipse(QPointF(12.8, 19.3), 2.2, 2.5);
    painter.drawEllipse(QPointF(21.2, 19.3), 2.2, 2.5);
    painter.drawEllipse(QPointF(27.7, 16.4), 2.0, 2.3);

    QPen pen(outlineColor(theme, paw), outlineWidth);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
    painter.restore();
}

QPainterPath catPawShape(const QRectF& rect)
{
    if (rect.isEmpty())
        return {};
    QPainterPathStroker stroker;
    stroker.setWidth(outlineWidth);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPainterPath outline = pawOutline();
    QTransform transform;
    transform.translate(rect.x(), rect.y());
    transform.scale(rect.width() / designWidth, rect.height() / designHeight);
    return transform.map(outline.united(stroker.createStroke(outline)).simplified());
}

void paintPeekPaw(QPainter& painter, const CatTheme& theme)
{
    const QPointF shoulder(17.0, -8.0);
    const QPointF armEnd(17.0, 44.0);
    painter.save();
    // The arm comes from above the frame; only the frame is ours to paint.
    painter.setClipRect(
        QRectF(0.0, 0.0, PeekPawArtwork::artworkWidth, PeekPawArtwork::artworkHeight), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme.edgeColor);
    painter.drawPath(catArmPath(shoulder, armEnd, 28.0));
    const QPainterPath fur = catArmPath(shoulder, armEnd, 22.0);
    painter.setBrush(theme.furColor);
    painter.drawPath(fur);
    drawCatArmPattern(painter, fur, theme, catArmGeometry(shoulder, armEnd));
    paintCatPaw(painter, QRectF(0.0, 39.0, designWidth, designHeight), theme);
    painter.restore();
}

PeekPawArtwork::PeekPawArtwork(const CatTheme& theme, QWidget* parent)
    : QWidget(parent)
    , currentTheme(theme)
{
    setFixedSize(artworkWidth, artworkHeight);
    setAttribute(Qt::WA_TranslucentBackground);
}

void PeekPawArtwork::setTheme(const CatTheme& theme)
{
    if (theme == currentTheme)
        return;
    currentTheme = theme;
    update();
}

void PeekPawArtwork::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintPeekPaw(painter, currentTheme);
}

} // namespace mewt

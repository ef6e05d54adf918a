#include "artwork/PointerArrow.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace mewt {

namespace {

// Designed 10 wide and 15 tall, tip at the top left.
constexpr double designWidth = 10.0;
constexpr double designHeight = 15.0;
constexpr double haloWidth = 2.0;
// Sprites are kept per quarter of a device pixel, so a moving arrow lands where the path would.
constexpr double phaseSteps = 4.0;
constexpr int cacheLimit = 64;

const QPainterPath& arrowPath()
{
    static const QPainterPath path = [] {
        QPainterPath arrow;
        arrow.moveTo(0.0, 0.0);
        arrow.lineTo(0.0, 13.2);
        arrow.lineTo(3.3, 10.2);
        arrow.lineTo(5.5, 15.0);
        arrow.lineTo(7.7, 14.0);
        arrow.lineTo(5.5, 9.3);
        arrow.lineTo(9.8, 9.3);
        arrow.closeSubpath();
        return arrow;
    }();
    return path;
}

// The arrow in design units on a painter already scaled to them; the halo is `penWidth` wide there.
void drawArrow(QPainter& painter, double penWidth, const QColor& ink, const QColor& halo)
{
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(halo, penWidth);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(ink);
    painter.drawPath(arrowPath());
    painter.setPen(Qt::NoPen);
    painter.drawPath(arrowPath());
}

struct SpriteKey {
    int height; // device pixels, in hundredths
    int haloWidth100; // device pixels, in hundredths
    QRgb ink;
    QRgb halo;
    int phaseX;
    int phaseY;
    bool operator==(const SpriteKey&) const = default;
};

size_t qHash(const SpriteKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.height, key.haloWidth100, key.ink, key.halo, key.phaseX, key.phaseY);
}

// The antialiased halo is made of enough spans that Qt hands each fill to its worker threads;
// drawn every frame of a demo, that woke three threads sixty times a second. A sprite drawn
// once per size, colour and phase is a plain image blend after that.
const QImage& sprite(const SpriteKey& key, int margin)
{
    static QHash<SpriteKey, QImage> sprites;
    if (const auto found = sprites.constFind(key); found != sprites.constEnd())
        return *found;
    if (sprites.size() >= cacheLimit)
        sprites.clear();
    const double height = key.height / 100.0;
    const double scale = height / designHeight;
    QImage image(static_cast<int>(std::ceil(designWidth * scale)) + 2 * margin + 1,
        static_cast<int>(std::ceil(height)) + 2 * margin + 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(margin + key.phaseX / phaseSteps, margin + key.phaseY / phaseSteps);
    painter.scale(scale, scale);
    drawArrow(painter, key.haloWidth100 / 100.0 / scale, QColor::fromRgba(key.ink), QColor::fromRgba(key.halo));
    painter.end();
    return *sprites.insert(key, image);
}

} // namespace

void paintPointerArrow(QPainter& painter, QPointF centre, double height, const QColor& ink, const QColor& halo)
{
    if (height <= 0.0)
        return;
    const double scale = height / designHeight;
    const QTransform device = painter.deviceTransform();
    const bool plain
        = device.type() <= QTransform::TxScale && device.m11() > 0.0 && qFuzzyCompare(device.m11(), device.m22());
    if (!plain) {
        painter.save();
        painter.translate(centre);
        painter.scale(scale, scale);
        painter.translate(-designWidth / 2.0, -designHeight / 2.0);
        drawArrow(painter, haloWidth / scale, ink, halo);
        painter.restore();
        return;
    }
    const double deviceScale = device.m11();
    const QPointF topLeft = device.map(centre - QPointF(designWidth / 2.0, designHeight / 2.0) * scale);
    const double snappedX = std::round(topLeft.x() * phaseSteps) / phaseSteps;
    const double snappedY = std::round(topLeft.y() * phaseSteps) / phaseSteps;
    const double wholeX = std::floor(snappedX);
    const double wholeY = std::floor(snappedY);
    const SpriteKey key { static_cast<int>(std::lround(height * deviceScale * 100.0)),
        static_cast<int>(std::lround(haloWidth * deviceScale * 100.0)), ink.rgba(), halo.rgba(),
        static_cast<int>(std::lround((snappedX - wholeX) * phaseSteps)),
        static_cast<int>(std::lround((snappedY - wholeY) * phaseSteps)) };
    const int margin = static_cast<int>(std::ceil(haloWidth * deviceScale)) + 1;
    const QImage& image = sprite(key, margin);
    // One sprite pixel on one device pixel: the world transform undoes whatever lies between the
    // painter and its device (the widget's place in its window, the pixel ratio).
    const QTransform toDevice = painter.worldTransform().inverted() * device;
    painter.save();
    painter.setWorldTransform(QTransform::fromTranslate(wholeX - margin, wholeY - margin) * toDevice.inverted());
    painter.drawImage(QPointF(0.0, 0.0), image);
    painter.restore();
}

} // namespace mewt

#include "artwork/CatBedSprite.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace mewt {

const QImage& catBedSpriteSheet()
{
    static const QImage sheet(QStringLiteral(":/images/cat-bed.png"));
    return sheet;
}

QImage catBedSpriteImage(const QImage& sheet, int spriteIndex)
{
    if (sheet.isNull() || spriteIndex < 0 || spriteIndex >= catBedSpriteCount)
        return {};
    // Cells are whole pixels; a sheet whose width is no multiple of eight loses its last columns.
    const int cellWidth = sheet.width() / catBedSpriteCount;
    if (cellWidth == 0)
        return {};
    return sheet.copy(cellWidth * spriteIndex, 0, cellWidth, sheet.height())
        .scaled(catBedSpriteWidth, catBedSpriteHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage catBedSpriteImage(int spriteIndex)
{
    // Cut once: each bed tile repaints its picture whenever focus or the choice moves.
    static const std::array<QImage, catBedSpriteCount> pictures = [] {
        std::array<QImage, catBedSpriteCount> cut;
        for (int index = 0; index < catBedSpriteCount; ++index)
            cut[size_t(index)] = catBedSpriteImage(catBedSpriteSheet(), index);
        return cut;
    }();
    if (spriteIndex < 0 || spriteIndex >= catBedSpriteCount)
        return {};
    return pictures[size_t(spriteIndex)];
}

QRectF catBedPictureRect(const QRectF& bounds)
{
    const qreal left = std::round(bounds.left());
    const qreal right = std::round(bounds.right());
    const qreal height = std::min<qreal>(catBedSpriteHeight, std::floor(bounds.height()));
    if (right <= left || height <= 0)
        return {};
    const qreal top = std::round(bounds.center().y() - height / 2);
    return { left, top, right - left, height };
}

void paintCatBed(QPainter& painter, const QRectF& bounds, int spriteIndex)
{
    const QImage picture = catBedSpriteImage(spriteIndex);
    if (picture.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(catBedPictureRect(bounds), picture);
    painter.restore();
}

} // namespace mewt

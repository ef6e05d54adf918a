#pragma once

#include <QImage>
#include <QRectF>

class QPainter;

namespace mewt {

// One bed picture, in sprite pixels: the sheet is a row of eight such cells in bed-list order.
inline constexpr int catBedSpriteWidth = 54;
inline constexpr int catBedSpriteHeight = 24;
inline constexpr int catBedSpriteCount = 8;

// Our sprite sheet (":/images/cat-bed.png", drawn by tools/make_cat_bed.py), loaded once; null
// when it is missing.
const QImage& catBedSpriteSheet();

// Cell `spriteIndex` of `sheet` (an eighth of its width at its full height) scaled to 54 by 24
// without interpolation. Null when the sheet is null or the index is not a cell.
QImage catBedSpriteImage(const QImage& sheet, int spriteIndex);
QImage catBedSpriteImage(int spriteIndex);

// Where a bed picture goes in `bounds`: stretched to its whole width at a height of 24 (less only
// when `bounds` is lower), centred vertically, its edges on whole pixels.
QRectF catBedPictureRect(const QRectF& bounds);

// Draws the bed's picture into catBedPictureRect(bounds) without smoothing, so the stretched
// pixels stay hard-edged blocks; nothing for a missing sheet.
void paintCatBed(QPainter& painter, const QRectF& bounds, int spriteIndex);

} // namespace mewt

#include "artwork/CatBedSprite.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

// A sheet of eight cells two pixels wide; each cell's left column and right column have their own
// colour, so a slice from the wrong place or a blended pixel shows.
QRgb leftColour(int cell)
{
    return QColor::fromHsv(cell * 40, 200, 200).rgba();
}
QRgb rightColour(int cell)
{
    return QColor::fromHsv(cell * 40 + 20, 120, 120).rgba();
}

QImage twoColumnSheet()
{
    QImage sheet(2 * catBedSpriteCount, 3, QImage::Format_ARGB32);
    for (int cell = 0; cell < catBedSpriteCount; ++cell) {
        for (int y = 0; y < sheet.height(); ++y) {
            sheet.setPixel(2 * cell, y, leftColour(cell));
            sheet.setPixel(2 * cell + 1, y, rightColour(cell));
        }
    }
    return sheet;
}

class SpriteSlicing : public ::testing::TestWithParam<int> { };

// Cell n is the sheet between n/8 and (n+1)/8 of its width at full height, scaled to 54 x 24 with
// every pixel one of the cell's own (no interpolation).
TEST_P(SpriteSlicing, TakesItsOwnEighthWithoutBlending)
{
    const int cell = GetParam();
    const QImage picture = catBedSpriteImage(twoColumnSheet(), cell);
    ASSERT_EQ(picture.size(), QSize(catBedSpriteWidth, catBedSpriteHeight));
    EXPECT_EQ(picture.pixel(0, 0), leftColour(cell));
    EXPECT_EQ(picture.pixel(catBedSpriteWidth - 1, catBedSpriteHeight - 1), rightColour(cell));
    int left = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            ASSERT_TRUE(pixel == leftColour(cell) || pixel == rightColour(cell)) << x << "," << y;
            left += pixel == leftColour(cell);
        }
    }
    EXPECT_EQ(left, picture.width() * picture.height() / 2);
}

INSTANTIATE_TEST_SUITE_P(EveryCell, SpriteSlicing, ::testing::Range(0, catBedSpriteCount));

TEST(SpriteSlicingInput, NoPictureForAMissingSheetOrAnIndexThatIsNoCell)
{
    EXPECT_TRUE(catBedSpriteImage(QImage(), 4).isNull());
    EXPECT_TRUE(catBedSpriteImage(twoColumnSheet(), -1).isNull());
    EXPECT_TRUE(catBedSpriteImage(twoColumnSheet(), catBedSpriteCount).isNull());
    // Narrower than eight pixels: no whole cells.
    EXPECT_TRUE(catBedSpriteImage(QImage(7, 24, QImage::Format_ARGB32), 0).isNull());
}

// Our own sheet is compiled in: eight cells of 54 x 24.
TEST(SpriteSheet, ShipsEightCells)
{
    EXPECT_EQ(catBedSpriteSheet().size(), QSize(catBedSpriteWidth * catBedSpriteCount, catBedSpriteHeight));
}

struct PictureCase {
    const char* name;
    QRectF bounds;
    QSizeF size;
};

class PictureRect : public ::testing::TestWithParam<PictureCase> { };

// Stretched to the column's whole width at 24 high (lower only in a lower band), centred, on whole
// pixels.
TEST_P(PictureRect, FillsTheWidthAtTwentyFourHigh)
{
    const PictureCase& c = GetParam();
    const QRectF placed = catBedPictureRect(c.bounds);
    EXPECT_EQ(placed.size(), c.size);
    if (!placed.isEmpty()) {
        EXPECT_NEAR(placed.center().x(), c.bounds.center().x(), 0.5);
        EXPECT_NEAR(placed.center().y(), c.bounds.center().y(), 0.5);
        EXPECT_EQ(placed.topLeft(), placed.topLeft().toPoint());
    }
}

INSTANTIATE_TEST_SUITE_P(Bounds, PictureRect,
    ::testing::Values(PictureCase { "WideColumn", { 5, 5, 105, 24 }, { 105, 24 } },
        PictureCase { "Tall", { 0, 0, 54, 60 }, { 54, 24 } }, PictureCase { "Narrow", { 0, 0, 27, 24 }, { 27, 24 } },
        PictureCase { "Low", { 10, 0, 200, 12 }, { 200, 12 } }, PictureCase { "Nothing", { 0, 0, 0, 24 }, { 0, 0 } }),
    [](const ::testing::TestParamInfo<PictureCase>& info) { return std::string(info.param.name); });

} // namespace

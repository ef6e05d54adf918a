#include "artwork/Glyph.h"

#include <QImage>
#include <gtest/gtest.h>

namespace mewt {
namespace {

TEST(Glyph, IsDrawnInTheAskedColourAtTheDeviceRatio)
{
    const QColor tint(200, 40, 90);
    const QPixmap drawn = Glyph::pixmap(QStringLiteral("stop"), QSize(16, 16), tint, 2.0);
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn.size(), QSize(32, 32));
    const QImage image = drawn.toImage();
    EXPECT_EQ(image.pixelColor(16, 16).rgb(), tint.rgb());
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
}

TEST(Glyph, UnknownNamesDrawNothing)
{
    EXPECT_FALSE(Glyph::exists(QStringLiteral("no-such-glyph")));
    EXPECT_TRUE(Glyph::pixmap(QStringLiteral("no-such-glyph"), QSize(16, 16), Qt::black).isNull());
}

} // namespace
} // namespace mewt

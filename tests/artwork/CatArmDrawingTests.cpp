#include "artwork/CatArmDrawing.h"
#include "model/CatTheme.h"
#include "artwork/PeekPawArtwork.h"

#include <QImage>
#include <QPainter>
#include <QPainterPathStroker>
#include <cmath>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

double distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

QPointF element(const QPainterPath& path, int index)
{
    const QPainterPath::Element e = path.elementAt(index);
    return { e.x, e.y };
}

} // namespace

TEST(CatArmGeometry, MeasuresTheArmAndSagsAlongItsNormal)
{
    const CatArmGeometry g = catArmGeometry({ 10, 20 }, { 40, 60 });
    EXPECT_DOUBLE_EQ(g.length, 50.0);
    // d = (30, 40), n = (-40, 30) / 50, sag = 0.08 * 30 = 2.4.
    EXPECT_NEAR(g.control1.x(), 10 + 10.8 - 1.92, 1e-9);
    EXPECT_NEAR(g.control1.y(), 20 + 14.4 + 1.44, 1e-9);
    EXPECT_NEAR(g.control2.x(), 10 + 21.6 - 1.92, 1e-9);
    EXPECT_NEAR(g.control2.y(), 20 + 28.8 + 1.44, 1e-9);
    EXPECT_EQ(g.pointAt(0.0), QPointF(10, 20));
    EXPECT_EQ(g.pointAt(1.0), QPointF(40, 60));
}

TEST(CatArmGeometry, HoldsTheSagTo64EitherWay)
{
    // A reach of 2000 would sag 160; held to 64, and a reach to the left sags by -64 along a
    // normal that flips with it, so both arms bow the same way on screen.
    const CatArmGeometry right = catArmGeometry({ 0, 0 }, { 2000, 0 });
    EXPECT_NEAR(right.control1.x(), 720.0, 1e-9);
    EXPECT_NEAR(right.control1.y(), 64.0, 1e-9);
    const CatArmGeometry left = catArmGeometry({ 0, 0 }, { -2000, 0 });
    EXPECT_NEAR(left.control1.x(), -720.0, 1e-9);
    EXPECT_NEAR(left.control1.y(), 64.0, 1e-9);
    // A straight drop does not sag at all.
    const CatArmGeometry down = catArmGeometry({ 5, 0 }, { 5, 300 });
    EXPECT_NEAR(down.control1.x(), 5.0, 1e-9);
}

TEST(CatArmGeometry, ACoincidentArmHasLengthZero)
{
    const CatArmGeometry g = catArmGeometry({ 3, 4 }, { 3, 4 });
    EXPECT_EQ(g.length, 0.0);
    EXPECT_EQ(g.control1, QPointF(3, 4));
}

TEST(CatArmPath, IsEmptyWhenShoulderAndPawCoincide)
{
    EXPECT_TRUE(catArmPath({ 7, 7 }, { 7, 7 }, 22).isEmpty());
    EXPECT_TRUE(catArmPath({ 7, 7 }, { 7, 7 }, 22).boundingRect().isNull());
}

struct ArmCase {
    QPointF start;
    QPointF end;
    double width;
};

class CatArmPathWidths : public ::testing::TestWithParam<ArmCase> { };

TEST_P(CatArmPathWidths, IsTheFullWidthAtTheShoulderAndAThirdNarrowerAtThePaw)
{
    const ArmCase& c = GetParam();
    const QPainterPath path = catArmPath(c.start, c.end, c.width);
    ASSERT_EQ(path.elementCount(), 9); // move, cubic (3), line, cubic (3), close
    const QPointF shoulderSide = element(path, 0);
    const QPointF pawSide = element(path, 3);
    const QPointF pawOther = element(path, 4);
    const QPointF shoulderOther = element(path, 7);
    EXPECT_NEAR(distance(shoulderSide, shoulderOther), c.width, 1e-9);
    EXPECT_NEAR(distance(pawSide, pawOther), 0.68 * c.width, 1e-9);
    // Both edges are centred on the arm's ends.
    EXPECT_NEAR(distance((shoulderSide + shoulderOther) / 2, c.start), 0.0, 1e-9);
    EXPECT_NEAR(distance((pawSide + pawOther) / 2, c.end), 0.0, 1e-9);
    // The arm covers its own spine (QPainterPath::contains misjudges straight cubics, the
    // flattened outline does not).
    const QPolygonF outline = path.toFillPolygon();
    for (double t : { 0.1, 0.5, 0.9 })
        EXPECT_TRUE(outline.containsPoint(catArmGeometry(c.start, c.end).pointAt(t), Qt::OddEvenFill)) << t;
}

INSTANTIATE_TEST_SUITE_P(Arms, CatArmPathWidths,
    ::testing::Values(ArmCase { { 68, -72 }, { 68, 22 }, 28 }, ArmCase { { 68, -72 }, { 122.85, 41.53 }, 22 },
        ArmCase { { 18, 36 }, { 18, 19 }, 9 }, ArmCase { { 0, 0 }, { -300, 900 }, 6 }));

// Every theme's markings must show up and stay inside the fur, whatever the arm does.
class ArmMarkings : public ::testing::TestWithParam<std::size_t> { };

TEST_P(ArmMarkings, ShowUpOnlyInsideTheFur)
{
    const CatTheme& theme = CatTheme::all()[GetParam()];
    for (const auto& [start, end] : { std::pair { QPointF(60, -40), QPointF(150, 280) },
             std::pair { QPointF(120, -72), QPointF(40, 120) }, std::pair { QPointF(100, 10), QPointF(100, 90) } }) {
        const QPainterPath fur = catArmPath(start, end, 22);
        QImage image(220, 320, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            drawCatArmPattern(painter, fur, theme, catArmGeometry(start, end));
        }
        QPainterPathStroker stroker;
        stroker.setWidth(2.0);
        const QPainterPath allowed = fur.united(stroker.createStroke(fur));
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) == 0)
                    continue;
                (allowed.contains(QPointF(x + 0.5, y + 0.5)) ? inside : outside)++;
            }
        }
        EXPECT_EQ(outside, 0) << theme.id.toStdString();
        EXPECT_GT(inside, 40) << theme.id.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, ArmMarkings, ::testing::Range<std::size_t>(0, 8));

TEST(PeekPaw, PaintsEveryThemeInsideItsFrameDownToTheBottomEdge)
{
    for (const CatTheme& theme : CatTheme::all()) {
        QImage image(74, 103, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.translate(20, 20);
            paintPeekPaw(painter, theme);
        }
        const QRect frame(20, 20, PeekPawArtwork::artworkWidth, PeekPawArtwork::artworkHeight);
        int outside = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) != 0 && !frame.contains(x, y))
                    ++outside;
            }
        }
        EXPECT_EQ(outside, 0) << theme.id.toStdString();
        // The arm starts at the top edge and the toes reach the bottom one.
        EXPECT_EQ(qAlpha(image.pixel(37, 20)), 255);
        EXPECT_GT(qAlpha(image.pixel(32, 82)), 0);
        // The paw is wider than the arm and shows its beans in the middle of the palm.
        EXPECT_NE(image.pixel(37, 67), image.pixel(37, 30));
    }
}

#include "artwork/FrameClock.h"
#include "artwork/PaintBands.h"
#include "artwork/PointerArrow.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;

TEST(FrameClock, OneClockForEveryoneRunningOnlyWhileSomeoneListens)
{
    FrameClock& clock = FrameClock::shared();
    QObject first;
    auto second = std::make_unique<QObject>();
    int firstFrames = 0;
    int secondFrames = 0;
    clock.subscribe(&first, [&] {
        ++firstFrames;
        clock.unsubscribe(&first); // leaving from inside a tick
    });
    clock.subscribe(second.get(), [&] { ++secondFrames; });
    EXPECT_TRUE(clock.isRunning());
    clock.tick();
    EXPECT_EQ(firstFrames, 1);
    EXPECT_EQ(secondFrames, 1);
    EXPECT_FALSE(clock.isSubscribed(&first));
    EXPECT_TRUE(clock.isRunning());
    // A receiver that goes away without a word is dropped, and with it the clock.
    second.reset();
    clock.tick();
    EXPECT_EQ(secondFrames, 1);
    EXPECT_FALSE(clock.isRunning());
}

namespace {

QImage canvas(int size = 80)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

int largestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (int shift : { 0, 8, 16, 24 })
                largest = std::max(
                    largest, std::abs(int((a.pixel(x, y) >> shift) & 0xff) - int((b.pixel(x, y) >> shift) & 0xff)));
    return largest;
}

} // namespace

TEST(PaintInBands, GivesThePixelsOfOnePass)
{
    QPainterPath blob;
    blob.addEllipse(QRectF(7.3, 5.6, 61.2, 58.9));
    const auto paint = [&](QPainter& painter) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::darkBlue, 2.5));
        painter.setBrush(QColor(200, 120, 40, 180));
        painter.drawPath(blob);
    };
    for (const double scale : { 1.0, 2.0 }) {
        QImage once = canvas(160);
        QImage banded = canvas(160);
        QPainter direct(&once);
        direct.scale(scale, scale);
        paint(direct);
        direct.end();
        QPainter inBands(&banded);
        inBands.scale(scale, scale);
        paintInBands(inBands, QRectF(0, 0, 80, 80), [&] { paint(inBands); });
        inBands.end();
        EXPECT_EQ(largestDifference(once, banded), 0) << "scale " << scale;
    }
}

TEST(PointerArrowSprite, LandsWhereThePathWouldWhateverThePainterCarries)
{
    const auto draw
        = [](QPainter& painter, QPointF centre) { paintPointerArrow(painter, centre, 15.0, Qt::black, Qt::white); };
    QImage plain = canvas();
    QPainter painter(&plain);
    painter.fillRect(plain.rect(), Qt::darkGray);
    draw(painter, { 30.25, 30.5 });
    painter.end();

    // Moved by the painter instead (as a widget inside its window is): the same pixels.
    QImage moved = canvas();
    painter.begin(&moved);
    painter.fillRect(moved.rect(), Qt::darkGray);
    painter.translate(20.0, 10.0);
    draw(painter, { 10.25, 20.5 });
    painter.end();
    EXPECT_EQ(largestDifference(plain, moved), 0);

    // Drawn as a path (a rotation too small to see takes that road): the same arrow.
    QImage path = canvas();
    painter.begin(&path);
    painter.fillRect(path.rect(), Qt::darkGray);
    painter.translate(30.25, 30.5);
    painter.rotate(0.0001);
    draw(painter, {});
    painter.end();
    EXPECT_LE(largestDifference(plain, path), 8);
}

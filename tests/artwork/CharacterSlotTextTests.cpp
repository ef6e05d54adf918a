#include "artwork/Animation.h"
#include "artwork/CharacterSlotText.h"
#include "artwork/FrameClock.h"
#include "platform/Clock.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace mewt;

class SlotText : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFont font = text.font();
        font.setPixelSize(12);
        text.setFont(font);
        text.setTimeSource([this] { return now; });
        text.show();
    }

    void finishRoll()
    {
        now += text.rollSeconds();
        text.advanceFrame();
    }

    double now = 100.0;
    CharacterSlotText text { QStringLiteral("25:00"), true };
};

TEST_F(SlotText, RollsAChangedDigitThenLeavesTheFrameClock)
{
    text.setRollTiming(0.2, easeInOutValue);
    text.setValue(QStringLiteral("24:59"));
    EXPECT_TRUE(text.isRolling());
    EXPECT_TRUE(FrameClock::shared().isRunning());
    EXPECT_EQ(text.value(), QStringLiteral("24:59"));
    // The roll lasts its time, however many frames came.
    now += 0.19;
    text.advanceFrame();
    EXPECT_TRUE(text.isRolling());
    now += 0.01;
    text.advanceFrame();
    EXPECT_FALSE(text.isRolling());
    EXPECT_FALSE(FrameClock::shared().isRunning()) << "no frame clock may run once nothing moves";
}

// A frame only when the reel has moved a pixel of the line, and never two within a frame interval:
// fewer frames than a fixed beat over the roll, the slow end especially.
TEST_F(SlotText, ARollDrawsAFrameOnlyWhenItsReelHasMovedAPixel)
{
    ManualClock beat;
    FrameClock& frames = FrameClock::shared();
    frames.drive(&beat);
    const double start = now;
    text.setValue(QStringLiteral("24:59"));
    const int height = text.fontMetrics().height();
    int drawn = 0;
    int count = 0;
    for (std::optional<Uptime> due; (due = frames.requestedFrame(&text)) && count < 50;) {
        const auto wait = *due - beat.uptime();
        EXPECT_GE(wait, std::chrono::milliseconds(frameIntervalMs));
        beat.advance(wait);
        now += std::chrono::duration<double>(wait).count();
        frames.tick();
        const int reel = static_cast<int>(easeOutCubic((now - start) / text.rollSeconds()) * height);
        EXPECT_GT(reel, drawn) << "a frame that moved nothing, at " << now - start << " s";
        drawn = reel;
        ++count;
    }
    frames.drive(nullptr);
    EXPECT_FALSE(text.isRolling());
    EXPECT_EQ(drawn, height);
    EXPECT_LT(count, text.rollSeconds() * 1000 / frameIntervalMs - 4);
}

TEST_F(SlotText, OtherCharactersChangeWithoutARoll)
{
    text.setValue(QStringLiteral("25.00"));
    EXPECT_FALSE(text.isRolling());
    text.setValue(QStringLiteral("25.00 min")); // new positions just appear
    EXPECT_FALSE(text.isRolling());
    text.setValue(QStringLiteral("25.00 min"));
    EXPECT_FALSE(text.isRolling());
    EXPECT_FALSE(FrameClock::shared().isRunning());
}

TEST_F(SlotText, ReducedMotionOrAHiddenTextShowsTheNewValueAtOnce)
{
    qputenv("MEWT_REDUCED_MOTION", "1");
    text.setValue(QStringLiteral("24:59"));
    qputenv("MEWT_REDUCED_MOTION", "0");
    EXPECT_FALSE(text.isRolling());
    text.hide();
    text.setValue(QStringLiteral("24:58"));
    EXPECT_FALSE(text.isRolling());
    // Hiding mid-roll ends it, and with it the frames.
    text.show();
    text.setValue(QStringLiteral("24:57"));
    EXPECT_TRUE(FrameClock::shared().isRunning());
    text.hide();
    EXPECT_FALSE(text.isRolling());
    EXPECT_FALSE(FrameClock::shared().isRunning());
}

TEST_F(SlotText, DigitsKeepTheirWidthSoNumbersDoNotJitter)
{
    text.setValue(QStringLiteral("11:11"));
    finishRoll();
    const int narrow = text.sizeHint().width();
    text.setValue(QStringLiteral("88:88"));
    finishRoll();
    EXPECT_EQ(text.sizeHint().width(), narrow);
    text.setValue(QStringLiteral("88:88 min"));
    EXPECT_GT(text.sizeHint().width(), narrow);
    EXPECT_EQ(text.sizeHint().height(), text.fontMetrics().height());
}

// A widget taller than its line, as a layout may make it: mid-roll, nothing may be drawn above or
// below the line (where the title and the status line are).
TEST_F(SlotText, ARollingDigitStaysInsideItsLine)
{
    QPalette ink = text.palette();
    ink.setColor(QPalette::WindowText, Qt::black);
    text.setPalette(ink);
    text.resize(text.sizeHint().width(), text.sizeHint().height() * 3);
    text.setValue(QStringLiteral("24:59"));
    now += 0.1;
    QImage image(text.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    text.render(&image, {}, {}, QWidget::DrawChildren);
    const QRect line = text.cellRect(0).united(text.cellRect(4));
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                continue;
            ++inked;
            EXPECT_TRUE(line.contains(x, y))
                << "ink at " << x << "," << y << " outside the line " << line.top() << "-" << line.bottom();
            if (!line.contains(x, y))
                return;
        }
    }
    EXPECT_GT(inked, 0);
}

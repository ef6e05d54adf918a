#include "artwork/CharacterSlotText.h"

#include <gtest/gtest.h>

using namespace mewt;

class SlotText : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFont font = text.font();
        font.setPixelSize(12);
        text.setFont(font);
        text.show();
    }

    void finishRoll()
    {
        for (int frame = 0; frame < CharacterSlotText::rollFrames; ++frame)
            text.advanceFrame();
    }

    CharacterSlotText text { QStringLiteral("25:00"), true };
};

TEST_F(SlotText, RollsAChangedDigitThenStopsItsFrameTimer)
{
    text.setValue(QStringLiteral("24:59"));
    EXPECT_TRUE(text.isRolling());
    EXPECT_EQ(text.value(), QStringLiteral("24:59"));
    for (int frame = 1; frame < CharacterSlotText::rollFrames; ++frame) {
        text.advanceFrame();
        EXPECT_TRUE(text.isRolling());
    }
    text.advanceFrame();
    EXPECT_FALSE(text.isRolling());
}

TEST_F(SlotText, OtherCharactersChangeWithoutARoll)
{
    text.setValue(QStringLiteral("25.00"));
    EXPECT_FALSE(text.isRolling());
    text.setValue(QStringLiteral("25.00 min")); // new positions just appear
    EXPECT_FALSE(text.isRolling());
    text.setValue(QStringLiteral("25.00 min"));
    EXPECT_FALSE(text.isRolling());
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

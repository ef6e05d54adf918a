#include "artwork/FrameClock.h"
#include "popover/YarnTimeline.h"
#include "popover/ZenProgressBar.h"

#include <QAccessible>
#include <gtest/gtest.h>

namespace mewt {
namespace {

using namespace std::chrono_literals;

using Ink = YarnStrandPiece::Ink;

PomodoroYarnProgress tenMinuteFocus(double remaining)
{
    return { PomodoroYarnSchedule({ { 1, PomodoroPhase::focus, 600 } }, 600), remaining };
}

TEST(YarnStrand, WoundPartOfTheCurrentSegmentIsGoneAtAFixedScale)
{
    const auto pieces = yarnStrandPieces(tenMinuteFocus(360).schedule, 240, std::nullopt, 1.0, 100);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], (YarnStrandPiece { { 0, 0.75, 60, 1.5 }, 0.75, Ink::focus }));
    EXPECT_EQ(pieces[1], (YarnStrandPiece { { 59.5, 0, 0.5, 3 }, 0, Ink::endMark }));
}

TEST(YarnStrand, EachPhaseHasItsStrandAndEndMarkSitsAtTheDrawnEnd)
{
    const PomodoroYarnSchedule schedule(
        { { 1, PomodoroPhase::shortBreak, 60 }, { 2, PomodoroPhase::focus, 60 }, { 2, PomodoroPhase::longBreak, 80 } },
        200);
    const auto pieces = yarnStrandPieces(schedule, 30, std::nullopt, 1.0, 200);
    ASSERT_EQ(pieces.size(), 7u);
    EXPECT_EQ(pieces[0], (YarnStrandPiece { { 0, 1.25, 30, 1.0 }, 0.5, Ink::shortBreak }));
    EXPECT_EQ(pieces[1], (YarnStrandPiece { { 29.5, 0.25, 0.5, 3 }, 0, Ink::endMark }));
    EXPECT_EQ(pieces[2].rect, QRectF(30, 0.75, 60, 1.5));
    EXPECT_EQ(pieces[4], (YarnStrandPiece { { 90, 0.75, 80, 0.5 }, 0.25, Ink::longBreak }));
    EXPECT_EQ(pieces[5], (YarnStrandPiece { { 90, 1.75, 80, 0.5 }, 0.25, Ink::longBreak }));
}

TEST(YarnStrand, RevealedSegmentGrowsWhileTheOthersKeepTheirPlace)
{
    const PomodoroYarnSchedule schedule({ { 1, PomodoroPhase::focus, 50 }, { 1, PomodoroPhase::shortBreak, 50 } }, 100);
    const auto half = yarnStrandPieces(schedule, 0, QStringLiteral("1-shortBreak"), 0.5, 100);
    ASSERT_EQ(half.size(), 4u);
    EXPECT_EQ(half[2].rect, QRectF(50, 1.25, 25, 1.0));
    EXPECT_EQ(yarnStrandPieces(schedule, 0, QStringLiteral("1-shortBreak"), 0.0, 100).size(), 2u);
    EXPECT_TRUE(yarnStrandPieces(PomodoroYarnSchedule(), 0, std::nullopt, 1.0, 100).empty());
    EXPECT_TRUE(yarnStrandPieces(schedule, 0, std::nullopt, 1.0, 0).empty());
}

TEST(YarnBall, GroovesFollowTheBallsRectangle)
{
    const auto grooves = yarnBallGrooves(QRectF(1, 1, 12, 12));
    EXPECT_EQ(grooves[0].start, QPointF(0, 1 + 0.34 * 12));
    EXPECT_EQ(grooves[1].control, QPointF(7, 7));
    EXPECT_EQ(grooves[2].end, QPointF(14, 1 + 0.38 * 12));
}

class YarnViews : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("MEWT_REDUCED_MOTION", "0");
        FrameClock::shared().drive(&clock);
    }
    void TearDown() override
    {
        qputenv("MEWT_REDUCED_MOTION", "0");
        FrameClock::shared().drive(nullptr);
    }
    ManualClock clock;
};

TEST_F(YarnViews, BallStrandAndBarGlideBetweenSecondsAPixelAtATime)
{
    FrameClock& frames = FrameClock::shared();
    YarnTimeline yarn;
    ZenProgressBar bar;
    yarn.resize(277, YarnTimeline::height); // a strand of 270
    bar.resize(270, ZenProgressBar::height);
    yarn.show();
    bar.show();
    const auto update = [&](double total, double remaining) {
        const PomodoroYarnProgress progress { PomodoroYarnSchedule({ { 1, PomodoroPhase::focus, total } }, total),
            remaining };
        yarn.setProgress(progress, std::nullopt);
        bar.setProgress(progress);
    };
    // A 1-minute block winds 4.5 px a second: a frame every 2/9 s.
    update(60, 60);
    clock.advance(1s);
    update(60, 59);
    for (QWidget* view : std::initializer_list<QWidget*> { &yarn, &bar }) {
        ASSERT_TRUE(frames.requestedFrame(view));
        EXPECT_NEAR(
            std::chrono::duration<double>(*frames.requestedFrame(view) - clock.uptime()).count(), 2.0 / 9, 1e-6);
    }
    clock.advance(500ms);
    frames.tick();
    EXPECT_DOUBLE_EQ(yarn.ballRotation(), 0.5 / 60 * 270 / 7);
    EXPECT_DOUBLE_EQ(bar.fillWidth(), 270 * 0.5 / 60);
    clock.advance(500ms);
    frames.tick();
    EXPECT_DOUBLE_EQ(bar.fillWidth(), 270 * 1.0 / 60);
    EXPECT_FALSE(frames.requestedFrame(&bar)); // there: nothing more until the next second

    // A 25-minute block winds 0.18 px a second: no frame until a sixth second has moved it a pixel.
    update(1500, 1500);
    for (int second = 1; second <= 6; ++second) {
        clock.advance(1s);
        update(1500, 1500 - second);
        EXPECT_EQ(frames.requestedFrame(&yarn).has_value(), second == 6) << second;
        EXPECT_FALSE(second < 6 && frames.requestedFrame(&bar)) << second;
    }
    // Hidden, nothing runs and the next value lands at once.
    yarn.hide();
    bar.hide();
    EXPECT_FALSE(frames.requestedFrame(&yarn) || frames.requestedFrame(&bar));
    update(1500, 1000);
    EXPECT_DOUBLE_EQ(bar.fillWidth(), 270 * 500.0 / 1500);
}

TEST_F(YarnViews, BallTurnsByTheWoundShareUnlessMotionIsReduced)
{
    YarnTimeline yarn;
    yarn.resize(107, YarnTimeline::height);
    yarn.setProgress(tenMinuteFocus(360), std::nullopt);
    EXPECT_DOUBLE_EQ(yarn.ballRotation(), 0.4 * 100 / 7);
    qputenv("MEWT_REDUCED_MOTION", "1");
    yarn.setProgress(tenMinuteFocus(300), QStringLiteral("1-focus"));
    EXPECT_DOUBLE_EQ(yarn.ballRotation(), 0.0);
    EXPECT_DOUBLE_EQ(yarn.revealProgress(), 1.0);
    EXPECT_FALSE(yarn.isRevealing());
}

TEST_F(YarnViews, ANewRevealRunsItsFramesOnlyWhileShown)
{
    YarnTimeline yarn;
    yarn.setProgress(tenMinuteFocus(600), QStringLiteral("1-focus"));
    EXPECT_FALSE(yarn.isRevealing()); // hidden: at once
    yarn.show();
    yarn.setProgress(tenMinuteFocus(600), QStringLiteral("2-focus"));
    EXPECT_TRUE(yarn.isRevealing());
    EXPECT_DOUBLE_EQ(yarn.revealProgress(), 0.0);
    for (int i = 0; i < YarnTimeline::revealFrames; ++i)
        yarn.advanceRevealFrame();
    EXPECT_DOUBLE_EQ(yarn.revealProgress(), 1.0);
    EXPECT_FALSE(yarn.isRevealing());
    yarn.setProgress(tenMinuteFocus(500), QStringLiteral("2-focus"));
    EXPECT_FALSE(yarn.isRevealing()); // same segment: no new reveal
}

TEST_F(YarnViews, BothReadTheirProgressToScreenReaders)
{
    YarnTimeline yarn;
    ZenProgressBar bar;
    bar.resize(200, ZenProgressBar::height);
    yarn.setProgress(tenMinuteFocus(360), std::nullopt);
    bar.setProgress(tenMinuteFocus(360));
    EXPECT_DOUBLE_EQ(bar.fillWidth(), 80);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&yarn)->text(QAccessible::Value),
        QStringLiteral("4m wound, 6m remaining"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&bar)->text(QAccessible::Value),
        QStringLiteral("4m elapsed, 6m remaining"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&bar)->role(), QAccessible::ProgressBar);
    // What AT-SPI carries: the text through the text interface, the share through the value one.
    for (QWidget* widget : std::initializer_list<QWidget*> { &yarn, &bar }) {
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
        ASSERT_TRUE(node->textInterface() && node->valueInterface());
        EXPECT_EQ(node->textInterface()->text(0, -1), node->text(QAccessible::Value));
        EXPECT_DOUBLE_EQ(node->valueInterface()->currentValue().toDouble(), 40.0);
        EXPECT_DOUBLE_EQ(node->valueInterface()->maximumValue().toDouble(), 100.0);
    }
    bar.setProgress({});
    EXPECT_DOUBLE_EQ(bar.fillWidth(), 0);
}

} // namespace
} // namespace mewt

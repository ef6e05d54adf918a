#include "PopoverRig.h"
#include "popover/PopoverGeometry.h"

#include <gtest/gtest.h>

namespace mewt {
namespace {

using namespace popover_geometry;
using testing::CaseName;

struct OriginCase {
    const char* name;
    QRectF paw;
    QRectF visible;
    QPointF expected;
};

class AttachedOrigin : public ::testing::TestWithParam<OriginCase> { };

// The top edge lies on the paw's bottom edge whatever happens to x.
TEST_P(AttachedOrigin, CentresUnderThePawWithinTheMargins)
{
    EXPECT_EQ(attachedOrigin(GetParam().paw, GetParam().visible, QSizeF(300, 132)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Screens, AttachedOrigin,
    ::testing::Values(OriginCase { "middle", { 790, 6, 20, 24 }, { 0, 30, 1600, 870 }, { 650, 30 } },
        OriginCase { "right corner", { 1560, 6, 24, 24 }, { 0, 30, 1600, 870 }, { 1292, 30 } },
        OriginCase { "left corner", { 4, 6, 24, 24 }, { 0, 30, 1600, 870 }, { 8, 30 } },
        OriginCase { "second screen", { 1700, 0, 24, 24 }, { 1600, 0, 1280, 1024 }, { 1608, 24 } },
        // Narrower than the panel plus both margins: the right margin holds, the left edge goes off.
        OriginCase { "narrow", { 100, 6, 24, 24 }, { 0, 30, 280, 500 }, { -28, 30 } }),
    CaseName());

TEST(ScreenForPaw, TheFirstScreenThePawTouchesWins)
{
    const QList<QRectF> screens { { 0, 0, 1600, 900 }, { 1600, 0, 1280, 1024 }, { 1500, 0, 400, 400 } };
    EXPECT_EQ(screenIndexForPaw(screens, { 1590, 4, 24, 24 }), 0);
    EXPECT_EQ(screenIndexForPaw(screens, { 1700, 4, 24, 24 }), 1);
    EXPECT_EQ(screenIndexForPaw(screens, { 5000, 4, 24, 24 }), std::nullopt);
}

struct ZoneCase {
    const char* name;
    QPointF pointer;
    bool withPaw;
    bool inZone;
};

class PointerZone : public ::testing::TestWithParam<ZoneCase> { };

// Panel 300 x 200 at (1292, 12); paw 24 x 24 at (1560, 6), so its top centre is (1572, 6).
TEST_P(PointerZone, PanelPawAndTheFunnelBetweenThem)
{
    const ZoneCase& c = GetParam();
    const auto paw = c.withPaw ? std::optional<QRectF>(QRectF(1560, 6, 24, 24)) : std::nullopt;
    EXPECT_EQ(pointerIsInPopoverZone(c.pointer, QRectF(1292, 12, 300, 200), paw), c.inZone);
}

INSTANTIATE_TEST_SUITE_P(Points, PointerZone,
    ::testing::Values(ZoneCase { "panel bottom right edge", { 1592, 212 }, false, true },
        ZoneCase { "below panel", { 1400, 213 }, true, false }, ZoneCase { "on paw", { 1570, 20 }, true, true },
        ZoneCase { "above paw within slack", { 1572, -1 }, true, true },
        ZoneCase { "right of paw beyond slack", { 1593, 5 }, true, false },
        ZoneCase { "above paw without paw", { 1572, 1 }, false, false },
        // The funnel's left side runs from (1572, 6) to the panel's corner (1292, 12).
        ZoneCase { "funnel towards left corner", { 1300, 11.9 }, true, true },
        ZoneCase { "just above the funnel", { 1300, 11.5 }, true, false },
        ZoneCase { "funnel far left outside", { 1200, 12 }, true, false }),
    CaseName());

struct FrameCase {
    const char* name;
    AnimationFrame frame;
    double progress;
    double alpha;
};

class AnimationFrames : public ::testing::TestWithParam<FrameCase> { };

// In: decelerating, transparent for five frames. Out (from half opacity): accelerating, gone from
// frame 4 on.
TEST_P(AnimationFrames, FollowTheirCurves)
{
    EXPECT_NEAR(GetParam().frame.progress, GetParam().progress, 1e-4);
    EXPECT_NEAR(GetParam().frame.alpha, GetParam().alpha, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Frames, AnimationFrames,
    ::testing::Values(FrameCase { "entry 1", entryFrame(1), 0.25653, 0.0 },
        FrameCase { "entry 5", entryFrame(5), 0.82921, 0.0 }, FrameCase { "entry 6", entryFrame(6), 0.89338, 0.04762 },
        FrameCase { "entry 14", entryFrame(14), 1.0, 1.0 }, FrameCase { "exit 1", exitFrame(1, 0.5), 0.000751, 0.3485 },
        FrameCase { "exit 3", exitFrame(3, 0.5), 0.02029, 0.04545 },
        FrameCase { "exit 4", exitFrame(4, 0.5), 0.04808, 0.0 }, FrameCase { "exit 11", exitFrame(11, 0.5), 1.0, 0.0 }),
    CaseName());

} // namespace
} // namespace mewt

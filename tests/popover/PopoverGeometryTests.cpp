#include "popover/PopoverGeometry.h"

#include <gtest/gtest.h>

namespace mewt {
namespace {

using namespace popover_geometry;

struct OriginCase {
    const char* name;
    QRectF paw;
    QRectF visible;
    QPointF expected;
};

class AttachedOrigin : public ::testing::TestWithParam<OriginCase> { };

TEST_P(AttachedOrigin, CentresUnderThePawWithinTheMargins)
{
    const OriginCase& c = GetParam();
    EXPECT_EQ(attachedOrigin(c.paw, c.visible, QSizeF(300, 132)), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Screens, AttachedOrigin,
    ::testing::Values(
        // The top edge lies 18 above the paw's bottom edge whatever happens to x.
        OriginCase { "middle", { 790, 6, 20, 24 }, { 0, 30, 1600, 870 }, { 650, 12 } },
        OriginCase { "right corner", { 1560, 6, 24, 24 }, { 0, 30, 1600, 870 }, { 1292, 12 } },
        OriginCase { "left corner", { 4, 6, 24, 24 }, { 0, 30, 1600, 870 }, { 8, 12 } },
        OriginCase { "second screen", { 1700, 0, 24, 24 }, { 1600, 0, 1280, 1024 }, { 1608, 6 } },
        // Narrower than the panel plus both margins: the right margin holds, the left edge goes off.
        OriginCase { "narrow", { 100, 6, 24, 24 }, { 0, 30, 280, 500 }, { -28, 12 } }),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(ScreenForPaw, TheFirstScreenThePawTouchesWins)
{
    const QList<QRectF> screens { { 0, 0, 1600, 900 }, { 1600, 0, 1280, 1024 }, { 1500, 0, 400, 400 } };
    EXPECT_EQ(screenIndexForPaw(screens, { 1590, 4, 24, 24 }), 0);
    EXPECT_EQ(screenIndexForPaw(screens, { 1700, 4, 24, 24 }), 1);
    EXPECT_EQ(screenIndexForPaw(screens, { 5000, 4, 24, 24 }), std::nullopt);
    EXPECT_EQ(screenIndexForPaw({}, { 0, 0, 24, 24 }), std::nullopt);
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
    const QRectF panel(1292, 12, 300, 200);
    const std::optional<QRectF> paw = c.withPaw ? std::optional<QRectF>(QRectF(1560, 6, 24, 24)) : std::nullopt;
    EXPECT_EQ(pointerIsInPopoverZone(c.pointer, panel, paw), c.inZone) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Points, PointerZone,
    ::testing::Values(ZoneCase { "inside panel", { 1400, 150 }, true, true },
        ZoneCase { "inside panel without paw", { 1400, 150 }, false, true },
        ZoneCase { "panel bottom right edge", { 1592, 212 }, false, true },
        ZoneCase { "below panel", { 1400, 213 }, true, false }, ZoneCase { "on paw", { 1570, 20 }, true, true },
        ZoneCase { "above paw within slack", { 1572, -1 }, true, true },
        ZoneCase { "right of paw within slack", { 1591, 10 }, true, true },
        ZoneCase { "right of paw beyond slack", { 1593, 5 }, true, false },
        ZoneCase { "above paw without paw", { 1572, 1 }, false, false },
        // Between the paw's top centre (1572, 6) and the panel's top-left corner (1292, 12).
        ZoneCase { "funnel towards left corner", { 1300, 11.9 }, true, true },
        ZoneCase { "just above the funnel", { 1300, 11.5 }, true, false },
        ZoneCase { "funnel far left outside", { 1200, 12 }, true, false }),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

struct FrameCase {
    int frame;
    double progress;
    double alpha;
};

class EntryFrames : public ::testing::TestWithParam<FrameCase> { };

TEST_P(EntryFrames, DeceleratesAndStaysInvisibleForTheFirstFive)
{
    const FrameCase& c = GetParam();
    const AnimationFrame frame = entryFrame(c.frame);
    EXPECT_NEAR(frame.progress, c.progress, 1e-4);
    EXPECT_NEAR(frame.alpha, c.alpha, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Frames, EntryFrames,
    ::testing::Values(FrameCase { 1, 0.25653, 0.0 }, FrameCase { 5, 0.82921, 0.0 }, FrameCase { 6, 0.89338, 0.04762 },
        FrameCase { 13, 0.99997, 0.88095 }, FrameCase { 14, 1.0, 1.0 }));

class ExitFrames : public ::testing::TestWithParam<FrameCase> { };

// From half opacity: gone from frame 4 on while the slide keeps accelerating.
TEST_P(ExitFrames, AcceleratesAndFadesFromTheStartAlpha)
{
    const FrameCase& c = GetParam();
    const AnimationFrame frame = exitFrame(c.frame, 0.5);
    EXPECT_NEAR(frame.progress, c.progress, 1e-4);
    EXPECT_NEAR(frame.alpha, c.alpha, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Frames, ExitFrames,
    ::testing::Values(FrameCase { 1, 0.000751, 0.3485 }, FrameCase { 3, 0.02029, 0.04545 },
        FrameCase { 4, 0.04808, 0.0 }, FrameCase { 11, 1.0, 0.0 }));

} // namespace
} // namespace mewt

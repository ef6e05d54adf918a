#include "../ScopedEnvironment.h"
#include "artwork/CharacterSlotText.h"
#include "pull/PullOverlayController.h"
#include "pull/PullOverlayView.h"
#include "artwork/PullStatusPill.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

PullOverlayModel::State stateAt(QPointF anchor, QPointF pointer)
{
    PullOverlayModel::State state;
    state.isVisible = true;
    state.anchor = anchor;
    state.pointer = pointer;
    state.screenFrame = QRectF(0, 0, 1000, 800);
    state.availableFrame = QRectF(0, 30, 1000, 740);
    return state;
}

} // namespace

TEST(PullOverlayLayout, HangsThePawAtThePointerAndThePillBelowIt)
{
    const PullOverlayLayout layout = pullOverlayLayout(stateAt({ 500, 10 }, { 500, 300 }), QSizeF(100, 22));
    // Straight down: the paw hangs untilted just above the pointer, the arm from above the edge.
    EXPECT_NEAR(layout.pawAngle, 0.0, 0.05);
    EXPECT_LT(layout.pawCentre.y(), 300);
    EXPECT_GT(layout.pawCentre.y(), 260);
    EXPECT_LT(layout.shoulder.y(), 0);
    EXPECT_LT(layout.armEnd.y(), layout.pawCentre.y());
    EXPECT_NEAR(layout.pillRect.center().x(), 491, 1e-9);
    EXPECT_GT(layout.pillRect.top(), 300);
    EXPECT_EQ(layout.pillOpacity, 1.0);
}

TEST(PullOverlayLayout, KeepsThePillInsideTheAvailableFrame)
{
    const QSizeF pill(120, 22);
    for (const QPointF pointer : { QPointF(995, 400), QPointF(-300, 400), QPointF(500, 5000), QPointF(4000, -900) }) {
        const PullOverlayLayout layout = pullOverlayLayout(stateAt({ 500, 10 }, pointer), pill);
        const QRectF inside = QRectF(0, 30, 1000, 740).adjusted(4, 4, -4, -4);
        EXPECT_TRUE(inside.contains(layout.pillRect)) << pointer.x() << "," << pointer.y();
    }
}

TEST(PullOverlayLayout, ARetreatDrawsThePawBackBehindTheTopEdge)
{
    PullOverlayModel::State state = stateAt({ 500, 10 }, { 700, 400 });
    state.retreatProgress = 0.5;
    const PullOverlayLayout halfway = pullOverlayLayout(state, QSizeF(100, 22));
    EXPECT_EQ(halfway.pillOpacity, 0.0);
    EXPECT_LT(halfway.pawCentre.y(), 393);
    state.retreatProgress = 1.0;
    const PullOverlayLayout done = pullOverlayLayout(state, QSizeF(100, 22));
    EXPECT_LT(done.pawCentre.y() + 12, 0.0);
    EXPECT_NEAR(done.pawCentre.x(), 500, 1e-9);
}

TEST(PullOverlayLayout, SurvivesPointsThatAreNotNumbers)
{
    const PullOverlayLayout layout = pullOverlayLayout(stateAt({ NAN, 10 }, { INFINITY, NAN }), QSizeF(100, 22));
    EXPECT_TRUE(std::isfinite(layout.pawCentre.x()) && std::isfinite(layout.pawCentre.y()));
    EXPECT_TRUE(std::isfinite(layout.pawAngle));
    EXPECT_TRUE(std::isfinite(layout.pillRect.x()));
}

class PullOverlay : public ::testing::Test {
protected:
    QScreen* primary() const { return QGuiApplication::primaryScreen(); }

    PullOverlayController overlay;
};

TEST_F(PullOverlay, ShowsOnTheScreenOfThePullOrElseThePrimaryOne)
{
    ASSERT_NE(primary(), nullptr);
    const QPointF anchor = QRectF(primary()->geometry()).center();
    overlay.begin(anchor, primary()->geometry(), CatTheme::defaultTheme());
    EXPECT_EQ(overlay.screen(), primary());
    EXPECT_EQ(overlay.model().state().screenFrame, QRectF(primary()->geometry()));
    overlay.hide();
    // A pull from a screen that is gone lands on the primary screen.
    overlay.begin(QPointF(-50000, -50000), QRectF(-50000, -50000, 800, 600), CatTheme::defaultTheme());
    EXPECT_TRUE(overlay.isShowing());
    EXPECT_EQ(overlay.screen(), primary());
    EXPECT_EQ(overlay.model().state().availableFrame, QRectF(primary()->availableGeometry()));
    ASSERT_NE(overlay.view(), nullptr);
    EXPECT_EQ(overlay.view()->geometry(), primary()->geometry());
}

TEST_F(PullOverlay, TheViewFollowsTheModel)
{
    const CatTheme& tabby = CatTheme::withId(QStringLiteral("orange-tabby"));
    overlay.begin(QPointF(100, 5), primary()->geometry(), tabby);
    overlay.update(QPointF(140, 205), QStringLiteral("10 min"), false);
    PullOverlayView& view = *overlay.view();
    EXPECT_EQ(view.statusText().value(), QStringLiteral("10 min"));
    EXPECT_EQ(view.pill().interactionPalette(), tabby.interactionPalette());
    EXPECT_FALSE(view.pill().isCancel());
    EXPECT_TRUE(view.paintedBounds().contains(QPointF(140, 195)));
    // The paw is drawn where the model says, and nothing far from the arm.
    const QImage image = view.grab().toImage();
    const QPoint paw = view.layout().pawCentre.toPoint() - primary()->geometry().topLeft();
    ASSERT_TRUE(QRect(QPoint(0, 0), image.size()).contains(paw));
    EXPECT_EQ(qAlpha(image.pixel(paw)), 255);
    EXPECT_EQ(qAlpha(image.pixel(paw + QPoint(120, 0))), 0);
    overlay.update(QPointF(100, 0), QStringLiteral("release to cancel"), true);
    EXPECT_TRUE(view.pill().isCancel());
}

TEST_F(PullOverlay, TheRetreatRunsItsFramesThenStops)
{
    overlay.begin(QPointF(100, 5), primary()->geometry(), CatTheme::defaultTheme());
    overlay.update(QPointF(100, 300), QStringLiteral("15 min"), false);
    overlay.retreat();
    EXPECT_TRUE(overlay.isRetreating());
    // Updates of a finished pull do not bring the arm back.
    overlay.update(QPointF(100, 500), QStringLiteral("25 min"), false);
    EXPECT_EQ(overlay.model().state().pointer, QPointF(100, 300));
    for (int frame = 1; frame < PullOverlayController::retreatFrames; ++frame) {
        overlay.advanceRetreatFrame();
        EXPECT_TRUE(overlay.isShowing());
    }
    overlay.advanceRetreatFrame();
    EXPECT_FALSE(overlay.isShowing());
    EXPECT_FALSE(overlay.isRetreating());
    EXPECT_FALSE(overlay.view()->isVisible());
}

// The overlay spans its screen; between pulls it keeps no window and no backing store.
TEST_F(PullOverlay, AnEndedPullGivesTheWindowBackAndTheNextOneMakesItAgain)
{
    for (int pull = 0; pull < 3; ++pull) {
        overlay.begin(QPointF(100, 5), primary()->geometry(), CatTheme::defaultTheme());
        overlay.update(QPointF(120, 300), QStringLiteral("15 min"), false);
        ASSERT_TRUE(overlay.view()->isVisible());
        ASSERT_NE(overlay.view()->windowHandle(), nullptr);
        EXPECT_EQ(overlay.view()->geometry(), primary()->geometry());
        EXPECT_EQ(qAlpha(overlay.view()->grab().toImage().pixel(overlay.view()->layout().pawCentre.toPoint())), 255);
        overlay.hide();
        EXPECT_FALSE(overlay.view()->isVisible());
        EXPECT_EQ(overlay.view()->windowHandle(), nullptr);
        EXPECT_FALSE(overlay.view()->testAttribute(Qt::WA_WState_Created));
    }
}

TEST_F(PullOverlay, ReducedMotionHidesAtOnce)
{
    const ScopedEnvironment reduced("MEWT_REDUCED_MOTION", "1");
    overlay.begin(QPointF(100, 5), primary()->geometry(), CatTheme::defaultTheme());
    overlay.retreat();
    EXPECT_FALSE(overlay.isShowing());
    EXPECT_FALSE(overlay.isRetreating());
}

TEST_F(PullOverlay, ANewPullCutsTheRetreatShortAndCloseEndsEverything)
{
    overlay.begin(QPointF(100, 5), primary()->geometry(), CatTheme::defaultTheme());
    overlay.retreat();
    overlay.begin(QPointF(200, 5), primary()->geometry(), CatTheme::defaultTheme());
    EXPECT_FALSE(overlay.isRetreating());
    EXPECT_EQ(overlay.model().state().retreatProgress, 0.0);
    overlay.close();
    EXPECT_EQ(overlay.view(), nullptr);
    overlay.begin(QPointF(200, 5), primary()->geometry(), CatTheme::defaultTheme());
    EXPECT_FALSE(overlay.isShowing());
}

struct UnblendedPull {
    const char* name;
    QPointF pointer;
    bool isCancel;
    const char* themeId;

    friend void PrintTo(const UnblendedPull& pull, std::ostream* out) { *out << pull.name; }
};

class PullOverlayWithoutACompositor : public PullOverlay, public ::testing::WithParamInterface<UnblendedPull> { };

// Without a compositor the window shows black wherever it is cut to but paints nothing, and cuts
// off whatever it paints outside the cut.
TEST_P(PullOverlayWithoutACompositor, IsCutToExactlyWhatItPaints)
{
    const UnblendedPull& pull = GetParam();
    const QPointF anchor = QPointF(primary()->geometry().topLeft()) + QPointF(300, 5);
    overlay.begin(anchor, primary()->geometry(), CatTheme::withId(QString::fromLatin1(pull.themeId)));
    overlay.update(anchor + pull.pointer,
        pull.isCancel ? QStringLiteral("release to cancel") : QStringLiteral("10 min"), pull.isCancel);
    PullOverlayView& view = *overlay.view();
    ASSERT_TRUE(view.pill().isVisible());
    const QImage image = view.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // The arm comes from above the top edge; only the window's own pixels count.
    const QRegion shape = view.windowShape() & QRect(QPoint(0, 0), image.size());

    int faint = 0;
    for (const QRect& rect : shape) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x)
                faint += qAlpha(image.pixel(x, y)) < 96 ? 1 : 0;
        }
    }
    EXPECT_EQ(faint, 0) << "pixels left to show black";
    int cut = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            cut += qAlpha(line[x]) >= 250 && !shape.contains(QPoint(x, y)) ? 1 : 0;
    }
    EXPECT_EQ(cut, 0) << "solid pixels cut off";
}

INSTANTIATE_TEST_SUITE_P(Pulls, PullOverlayWithoutACompositor,
    ::testing::Values(UnblendedPull { "StraightDown", QPointF(0, 200), false, "tuxedo" },
        UnblendedPull { "Slanted", QPointF(-90, 140), false, "calico" },
        UnblendedPull { "OverTheCancelArea", QPointF(-20, -4), true, "siamese" }),
    [](const auto& info) { return std::string(info.param.name); });

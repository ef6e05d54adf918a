#include "artwork/PullPreview.h"

#include "artwork/CatArmDrawing.h"
#include "artwork/CharacterSlotText.h"
#include "artwork/Decoration.h"
#include "artwork/PaintBands.h"
#include "artwork/PeekPawArtwork.h"
#include "artwork/PixelFont.h"
#include "artwork/PointerArrow.h"
#include "artwork/PullStatusPill.h"
#include "artwork/ReducedMotion.h"
#include "model/ShortClockTime.h"

#include <QLayout>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace mewt {

namespace {

// Room around the arm and the paw for their outlines and antialiasing.
constexpr double bandMargin = 4.0;

// The paw's grip at rest, and how far it sinks while pulled.
constexpr double restX = 68.0;
constexpr double restY = 41.0;
constexpr double pullSink = 12.0;
// Above the canvas until the paw drops in.
constexpr double dropLift = 72.0;
constexpr double shoulderY = -72.0;
constexpr double armEndInset = 19.0;
constexpr double edgeWidth = 28.0;
constexpr double furWidth = 22.0;
// Markings need some arm to lie on; a short arm is still dropping in.
constexpr double patternMinimumLength = 70.0;
// The paw picture is 34 by 43 with the paw in its bottom 24.
constexpr double pawFrameWidth = 34.0;
constexpr double pawFrameHeight = 43.0;
constexpr double pawHeight = 24.0;
constexpr double pawCentreInset = 21.5;
constexpr double pillCharacterWidth = 6.5;
constexpr double pillPadding = 28.0;
constexpr double pillEdgeGap = 4.0;
constexpr double pillDrop = 30.0;
constexpr double pillBottomGap = 14.0;
constexpr double pointerThreshold = 0.02;
constexpr QPointF pointerOffset { 9.0, 7.0 };
constexpr double pointerHeight = 14.0;
constexpr int pillFontSize = 12;
constexpr int minutesAtFullPull = 15;

enum Property { opacityProperty, dropProperty, pullProperty };
// The pull itself, and the step after which a cycle counts as done.
constexpr int pullStep = 3;
constexpr int resetStep = 5;

} // namespace

double pullPreviewPillWidthEstimate(qsizetype characters, double canvasWidth)
{
    return std::min(static_cast<double>(characters) * pillCharacterWidth + pillPadding, canvasWidth - 8.0);
}

PullPreviewLayout pullPreviewLayout(const PullPreviewPose& pose, double maximumPullDistance, QSizeF canvasSize,
    double pillWidthEstimate, bool showsStatusAtRest)
{
    const double p = pose.pullProgress;
    const double drop = -dropLift * (1.0 - pose.dropProgress);
    PullPreviewLayout layout;
    layout.pawCentre = { restX + maximumPullDistance * p, restY + pullSink * p };
    const QPointF reach(maximumPullDistance * p, restY + pullSink * p);
    const double length = std::max(std::hypot(reach.x(), reach.y()), 1.0);
    const QPointF unit = reach / length;
    layout.pawAngle = std::atan2(reach.y(), reach.x()) - std::numbers::pi / 2.0;
    const QPointF grip = layout.pawCentre + QPointF(0.0, drop);
    layout.shoulder = { restX, shoulderY };
    layout.armEnd = grip - armEndInset * unit;
    layout.pawImageCentre = grip - pawCentreInset * unit;
    layout.drawsArmPattern = catArmGeometry(layout.shoulder, layout.armEnd).length > patternMinimumLength;

    const double w = pillWidthEstimate;
    const double pillX
        = std::min(std::max(layout.pawCentre.x(), w / 2.0 + pillEdgeGap), canvasSize.width() - w / 2.0 - pillEdgeGap);
    layout.pillCentre = { pillX, std::min(grip.y() + pillDrop, canvasSize.height() - pillBottomGap) };
    layout.pillOpacity = showsStatusAtRest ? pose.dropProgress : p;

    layout.showsPointer = p > pointerThreshold;
    layout.pointerCentre = grip + pointerOffset;
    layout.pointerOpacity = layout.showsPointer ? p : 0.0;
    return layout;
}

QString pullPreviewDefaultStatusText(double pullProgress, const QDateTime& now, const QLocale& locale)
{
    const int minutes = std::max(1, static_cast<int>(std::floor(pullProgress * minutesAtFullPull)));
    const QString time = shortClockTime(now.addSecs(minutes * 60LL).time(), locale);
    return QStringLiteral("%1 min · %2").arg(QString::number(minutes), time);
}

DemoTimeline pullPreviewCycle(double pullDuration)
{
    const double d = std::max(pullDuration, 0.0);
    const double fade = std::min(d, 0.35);
    return DemoTimeline({ 0.0, 0.0, 0.0 },
        {
            { { { opacityProperty, 0.0 }, { dropProperty, 0.0 }, { pullProperty, 0.0 } }, 0.45 },
            { { { opacityProperty, 1.0, 0.38 } }, 0.36 },
            { { { dropProperty, 1.0, 0.3 } }, 0.34 },
            { { { pullProperty, 1.0, d } }, 0.72 },
            { { { pullProperty, 0.0, d }, { opacityProperty, 0.0, fade } }, std::max(d, 0.35) + 0.05 },
            { { { dropProperty, 0.0 } }, 0.15 },
        });
}

PullPreview::PullPreview(const CatTheme& theme, double maximumPullDistance, QSizeF canvasSize, double displayScale,
    double pullDuration, StatusText statusText, bool showsStatusAtRest, QWidget* parent)
    : QWidget(parent)
    , currentTheme(theme)
    , maximumPullDistance(maximumPullDistance)
    , canvasSize(canvasSize)
    , displayScale(displayScale > 0.0 ? displayScale : 1.0)
    , pullDuration(pullDuration)
    , customStatusText(std::move(statusText))
    , showsStatusAtRest(showsStatusAtRest)
    , latchedPullDuration(pullDuration)
    , cycle(pullPreviewCycle(pullDuration))
{
    markAsDecoration(this);
    setAttribute(Qt::WA_TranslucentBackground);
    pillText = new CharacterSlotText;
    pillText->setFont(pixelFont(pillFontSize, QFont::DemiBold));
    pill = std::make_unique<PullStatusPill>(theme.interactionPalette(), false, pillText);
    connect(&frames, &DemoLoop::frame, this, &PullPreview::showFrame);
    restart();
}

PullPreview::~PullPreview() = default;

void PullPreview::setTheme(const CatTheme& theme)
{
    if (theme == currentTheme)
        return;
    const bool anotherCat = theme.id != currentTheme.id;
    currentTheme = theme;
    pill->setInteractionPalette(theme.interactionPalette());
    if (anotherCat)
        restart();
    update();
}

void PullPreview::setMaximumPullDistance(double distance)
{
    if (distance == maximumPullDistance)
        return;
    maximumPullDistance = distance;
    update();
}

void PullPreview::setPullDuration(double seconds)
{
    pullDuration = seconds;
}

void PullPreview::setStatusText(StatusText statusText)
{
    customStatusText = std::move(statusText);
    syncPill();
    update();
}

QString PullPreview::statusText() const
{
    if (customStatusText)
        return customStatusText(currentPose.pullProgress, currentPose.cycleIndex);
    return pullPreviewDefaultStatusText(currentPose.pullProgress, QDateTime::currentDateTime());
}

void PullPreview::restart()
{
    cycleStart = 0.0;
    completedCycles = 0;
    latchedPullDuration = pullDuration;
    cycle = pullPreviewCycle(latchedPullDuration);
    if (reducesMotion()) {
        showStill();
        return;
    }
    currentPose = {};
    syncPill();
    update();
    if (isVisible())
        frames.start();
}

void PullPreview::showStill()
{
    frames.stop();
    currentPose = { 1.0, 1.0, 1.0, 0 };
    syncPill();
    update();
}

void PullPreview::showFrame(double elapsedSeconds)
{
    // Asked every frame, so turning reduced motion on stops the loop at once.
    if (reducesMotion()) {
        showStill();
        return;
    }
    double local = elapsedSeconds - cycleStart;
    while (local >= cycle.duration() && cycle.duration() > 0.0) {
        cycleStart += cycle.duration();
        ++completedCycles;
        latchedPullDuration = pullDuration;
        cycle = pullPreviewCycle(latchedPullDuration);
        local = elapsedSeconds - cycleStart;
    }
    // A new duration is taken up by the pull that has not started yet.
    if (local < cycle.stepStart(pullStep) && latchedPullDuration != pullDuration) {
        latchedPullDuration = pullDuration;
        cycle = pullPreviewCycle(latchedPullDuration);
    }
    const std::vector<double> values = cycle.valuesAt(local);
    const PullPreviewPose pose { values[dropProperty], values[pullProperty], values[opacityProperty],
        completedCycles + (local >= cycle.stepStart(resetStep) ? 1 : 0) };
    frames.idleUntil(cycleStart + cycle.nextChangeAt(local));
    if (pose == currentPose)
        return;
    currentPose = pose;
    syncPill();
    update();
}

void PullPreview::syncPill()
{
    const QString text = statusText();
    if (text == pillText->value())
        return;
    pillText->setValue(text);
    pill->adjustSize();
    if (QLayout* layout = pill->layout())
        layout->activate();
}

QSize PullPreview::sizeHint() const
{
    return { static_cast<int>(std::ceil(canvasSize.width() * displayScale)),
        static_cast<int>(std::ceil(canvasSize.height() * displayScale)) };
}

void PullPreview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    restart();
}

void PullPreview::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    frames.stop();
}

void PullPreview::paintArm(QPainter& painter, const PullPreviewLayout& layout) const
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(currentTheme.edgeColor);
    painter.drawPath(catArmPath(layout.shoulder, layout.armEnd, edgeWidth));
    const QPainterPath fur = catArmPath(layout.shoulder, layout.armEnd, furWidth);
    painter.setBrush(currentTheme.furColor);
    painter.drawPath(fur);
    if (layout.drawsArmPattern)
        drawCatArmPattern(painter, fur, currentTheme, catArmGeometry(layout.shoulder, layout.armEnd));
}

void PullPreview::paintPaw(QPainter& painter, const PullPreviewLayout& layout) const
{
    painter.save();
    painter.translate(layout.pawImageCentre);
    painter.rotate(layout.pawAngle * 180.0 / std::numbers::pi);
    paintCatPaw(painter, QRectF(-pawFrameWidth / 2.0, pawFrameHeight / 2.0 - pawHeight, pawFrameWidth, pawHeight),
        currentTheme);
    painter.restore();
}

void PullPreview::paintEvent(QPaintEvent*)
{
    if (currentPose.opacity <= 0.0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(currentPose.opacity);
    painter.translate(width() / 2.0, height() / 2.0);
    painter.scale(displayScale, displayScale);
    painter.translate(-canvasSize.width() / 2.0, -canvasSize.height() / 2.0);
    painter.setClipRect(QRectF(QPointF(0.0, 0.0), canvasSize));

    const QString text = pillText->value();
    const PullPreviewLayout layout = pullPreviewLayout(currentPose, maximumPullDistance, canvasSize,
        pullPreviewPillWidthEstimate(text.size(), canvasSize.width()), showsStatusAtRest);
    // Bands only where the arm and the paw are: each band walks every path again.
    QTransform pawPlace;
    pawPlace.translate(layout.pawImageCentre.x(), layout.pawImageCentre.y());
    pawPlace.rotate(layout.pawAngle * 180.0 / std::numbers::pi);
    const QRectF moving = catArmPath(layout.shoulder, layout.armEnd, edgeWidth)
                              .boundingRect()
                              .united(pawPlace.mapRect(QRectF(
                                  -pawFrameWidth / 2.0, pawFrameHeight / 2.0 - pawHeight, pawFrameWidth, pawHeight)))
                              .adjusted(-bandMargin, -bandMargin, bandMargin, bandMargin);
    paintInBands(painter, moving.intersected(QRectF(QPointF(0.0, 0.0), canvasSize)), [&] {
        paintArm(painter, layout);
        paintPaw(painter, layout);
    });

    if (layout.pillOpacity > 0.0 && !text.isEmpty()) {
        painter.save();
        painter.setOpacity(currentPose.opacity * layout.pillOpacity);
        const QSizeF size = pill->size();
        pill->render(&painter, (layout.pillCentre - QPointF(size.width() / 2.0, size.height() / 2.0)).toPoint(),
            QRegion(), QWidget::DrawChildren);
        painter.restore();
    }
    if (layout.showsPointer) {
        const CatInteractionPalette palette = currentTheme.interactionPalette();
        painter.setOpacity(currentPose.opacity * layout.pointerOpacity);
        paintPointerArrow(painter, layout.pointerCentre, pointerHeight, palette.textColor, palette.fillColor);
    }
}

} // namespace mewt

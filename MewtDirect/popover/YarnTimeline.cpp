#include "popover/YarnTimeline.h"

#include "artwork/Animation.h"
#include "artwork/FrameClock.h"
#include "artwork/ReducedMotion.h"
#include "popover/PopoverAccessibility.h"
#include "popover/PopoverMetrics.h"
#include "popover/TimerDisplayContent.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace mewt {

namespace {
constexpr double strandHeight = 3.0;
constexpr double strandTop = 10.75; // under the ball's middle, near its lower edge
constexpr double endMarkWidth = 0.5;
constexpr double grooveWidth = 1.25;
constexpr double grooveOpacity = 0.9;
constexpr double shortBreakOpacity = 0.72;

void addPieces(std::vector<YarnStrandPiece>& pieces, PomodoroPhase phase, double x, double drawn)
{
    using Ink = YarnStrandPiece::Ink;
    switch (phase) {
    case PomodoroPhase::focus: pieces.push_back({ { x, 0.75, drawn, 1.5 }, 0.75, Ink::focus }); break;
    case PomodoroPhase::shortBreak: pieces.push_back({ { x, 1.25, drawn, 1.0 }, 0.5, Ink::shortBreak }); break;
    case PomodoroPhase::longBreak:
        pieces.push_back({ { x, 0.75, drawn, 0.5 }, 0.25, Ink::longBreak });
        pieces.push_back({ { x, 1.75, drawn, 0.5 }, 0.25, Ink::longBreak });
        break;
    }
    const double top = phase == PomodoroPhase::shortBreak ? 0.25 : 0.0;
    pieces.push_back({ { x + drawn - endMarkWidth, top, endMarkWidth, 3.0 }, 0.0, Ink::endMark });
}
} // namespace

std::vector<YarnStrandPiece> yarnStrandPieces(const PomodoroYarnSchedule& schedule,
    double currentSegmentConsumedSeconds, const std::optional<QString>& revealID, double revealProgress, double width)
{
    std::vector<YarnStrandPiece> pieces;
    if (schedule.totalSeconds() <= 0.0 || width <= 0.0)
        return pieces;
    const double scale = width / schedule.totalSeconds();
    double x = 0.0;
    bool first = true;
    for (const PomodoroYarnSegment& segment : schedule.segments()) {
        double length = scale * segment.seconds;
        if (std::exchange(first, false))
            length = std::max(length - scale * currentSegmentConsumedSeconds, 0.0);
        const double drawn = (revealID && *revealID == segmentRevealKey(segment)) ? length * revealProgress : length;
        if (drawn > 0.0 && x + drawn > 0.0)
            addPieces(pieces, segment.phase, x, drawn);
        x += length;
    }
    return pieces;
}

std::array<YarnBallGroove, 3> yarnBallGrooves(const QRectF& r)
{
    const double w = r.width();
    const double h = r.height();
    const QPointF mid = r.center();
    return { { { { r.left() - 1, r.top() + 0.34 * h }, { mid.x(), r.top() + 0.22 * h },
                   { r.right() + 1, r.top() + 0.68 * h } },
        { { r.left() + 0.18 * w, r.bottom() + 1 }, mid, { r.left() + 0.72 * w, r.top() - 1 } },
        { { r.left() + 0.42 * w, r.bottom() + 1 }, { r.left() + 0.72 * w, mid.y() },
            { r.right() + 1, r.top() + 0.38 * h } } } };
}

void paintFilledYarnBall(QPainter& painter, const QRectF& bounds, const QColor& fill, const QColor& groove)
{
    const QRectF r = bounds.adjusted(1, 1, -1, -1);
    QPainterPath ball;
    ball.addEllipse(r);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(ball, fill);
    painter.setClipPath(ball, Qt::IntersectClip);
    QPen pen(withOpacity(groove, grooveOpacity), grooveWidth, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const YarnBallGroove& g : yarnBallGrooves(r)) {
        QPainterPath path(g.start);
        path.quadTo(g.control, g.end);
        painter.drawPath(path);
    }
    painter.restore();
}

YarnTimeline::YarnTimeline(QWidget* parent)
    : QWidget(parent)
    // The strand's end is what moves fastest: the ball's rim moves 6/7 of it.
    , glide(*this, [this] { return devicePixelRatioF() * strandWidth(); })
{
    setFixedHeight(height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleRole(this, QAccessible::ProgressBar);
    setAccessibleName(QCoreApplication::translate("mewt", "yarn timer progress"));
    setToolTip(QCoreApplication::translate("mewt", "solid yarn is focus; split yarn is break"));
    updateAccessibleText();
    whenReducedMotionChanges(this, [this] { reducedMotionChanged(); });
}

YarnTimeline::~YarnTimeline()
{
    FrameClock::shared().unsubscribe(this);
}

void YarnTimeline::setProgress(const PomodoroYarnProgress& progress, const std::optional<QString>& revealID)
{
    const bool newReveal = revealID != revealKey;
    if (progress == glide.target() && !newReveal)
        return;
    glide.retarget(progress);
    if (newReveal) {
        revealKey = revealID;
        // A page that is about to show (a plan started from idle or from a waiting phase) grows
        // its segment in as it shows; a hidden popover shows the yarn whole.
        if (revealID && !reducesMotion() && window()->isVisible()) {
            reveal = 0.0;
            revealFrame = 0;
            if (isVisible())
                FrameClock::shared().subscribe(this, [this] { advanceRevealFrame(); });
        } else {
            finishReveal();
        }
    }
    updateAccessibleText();
    if (newReveal)
        update();
}

bool YarnTimeline::isRevealing() const
{
    return FrameClock::shared().isSubscribed(this);
}

void YarnTimeline::advanceRevealFrame()
{
    revealFrame = std::min(revealFrame + 1, revealFrames);
    reveal = easeOutCubic(static_cast<double>(revealFrame) / revealFrames);
    if (revealFrame == revealFrames)
        FrameClock::shared().unsubscribe(this);
    update();
}

void YarnTimeline::finishReveal()
{
    FrameClock::shared().unsubscribe(this);
    reveal = 1.0;
    revealFrame = revealFrames;
}

void YarnTimeline::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (reveal < 1.0 && !isRevealing())
        FrameClock::shared().subscribe(this, [this] { advanceRevealFrame(); });
}

void YarnTimeline::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    glide.stop();
    if (isRevealing())
        finishReveal();
}

void YarnTimeline::reducedMotionChanged()
{
    // Still from now on: what glides or grows lands, and the ball stands upright.
    if (reducesMotion()) {
        glide.stop();
        if (isRevealing())
            finishReveal();
    }
    update();
}

void YarnTimeline::setPopoverPalette(const CatPopoverPalette& palette)
{
    if (palette == colors)
        return;
    colors = palette;
    update();
}

double YarnTimeline::strandWidth() const
{
    return std::max(width() - strandInset, 0.0);
}

double YarnTimeline::ballRotation() const
{
    return reducesMotion() ? 0.0 : glide.shown().fraction() * strandWidth() / strandInset;
}

QSize YarnTimeline::sizeHint() const
{
    return { 200, height };
}

void YarnTimeline::updateAccessibleText()
{
    const PomodoroYarnProgress& current = glide.target();
    setPopoverAccessibleValue(this, yarnProgressValueText(QStringLiteral(" wound, "), current));
    setPopoverAccessibleNumber(this, current.fraction() * 100.0, 100.0);
}

void YarnTimeline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const PomodoroYarnProgress current = glide.shown();
    const auto& segments = current.schedule.segments();
    const double consumed = (segments.empty() ? 0.0 : segments.front().seconds) - current.currentRemainingSeconds;
    const double w = strandWidth();
    painter.save();
    painter.translate(strandInset, strandTop);
    painter.setClipRect(QRectF(0, 0, w, strandHeight));
    painter.setPen(Qt::NoPen);
    for (const YarnStrandPiece& piece : yarnStrandPieces(current.schedule, consumed, revealKey, reveal, w)) {
        switch (piece.ink) {
        case YarnStrandPiece::Ink::focus: painter.setBrush(colors.accentColor); break;
        case YarnStrandPiece::Ink::shortBreak:
            painter.setBrush(withOpacity(colors.secondaryTextColor, shortBreakOpacity));
            break;
        case YarnStrandPiece::Ink::longBreak: painter.setBrush(colors.outlineColor); break;
        case YarnStrandPiece::Ink::endMark: painter.setBrush(colors.innerColor); break;
        }
        painter.drawRoundedRect(piece.rect, piece.radius, piece.radius);
    }
    painter.restore();
    const QRectF ball(0, 0, ballSize, ballSize);
    painter.translate(ball.center());
    painter.rotate(qRadiansToDegrees(ballRotation()));
    painter.translate(-ball.center());
    paintFilledYarnBall(painter, ball, colors.accentColor, colors.innerColor);
}

} // namespace mewt

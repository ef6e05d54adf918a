#include "cues/EndingCueView.h"

#include "artwork/CatArmDrawing.h"
#include "artwork/CharacterSlotText.h"
#include "artwork/ReducedMotion.h"
#include "cues/EndingCueModel.h"
#include "model/ColorContrast.h"
#include "model/InterfaceSettingsStore.h"
#include "platform/ReadOnlyAccessibleText.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QTransform>
#include <algorithm>

namespace mewt {

namespace {

// Layout of the content, left to right: room for fish and paw, then the title and the time with
// gaps of 4 between them.
constexpr double fishAndPawRoom = 30;
constexpr double gap = 4;
constexpr double timeHeight = 12;
constexpr double anchorX = 18;
constexpr double pawSize = 16;
constexpr QSizeF fishSize { 9, 6 };
constexpr double fishOpacity = 0.62;
constexpr double armOutlineWidth = 9;
constexpr double armFurWidth = 6;
// Only a long arm has room for its markings; the card never shows one that long.
constexpr double armPatternLength = 70;
constexpr std::chrono::milliseconds glideDuration { 900 };
// Device pixels the paw (and the arm's end with it) rises as the progress goes from 0 to 1.
constexpr double pawTravel = 25;

QPainterPath fitted(const QPainterPath& unit, const QSizeF& unitSize, const QRectF& rect)
{
    QTransform transform;
    transform.translate(rect.x(), rect.y());
    transform.scale(rect.width() / unitSize.width(), rect.height() / unitSize.height());
    return transform.map(unit);
}

// The paw in an 18 x 18 box, y downward: the pad at the bottom, four toes above it.
const QPainterPath& unitPaw()
{
    static const QPainterPath path = [] {
        QPainterPath p;
        p.moveTo(5.3, 18);
        p.lineTo(5.1, 13.4);
        p.cubicTo(3.2, 13.2, 1.8, 12.6, 2.1, 11.5);
        p.cubicTo(0.7, 10.0, 1.1, 8.2, 2.4, 7.8);
        p.cubicTo(3.1, 6.8, 4.1, 6.8, 5.1, 7.1);
        p.cubicTo(4.5, 5.3, 4.8, 3.5, 6.1, 3.0);
        p.cubicTo(7.7, 2.3, 8.8, 3.0, 9.0, 4.5);
        p.cubicTo(9.4, 3.2, 10.4, 2.7, 11.5, 3.3);
        p.cubicTo(13.0, 3.3, 13.5, 4.7, 13.2, 6.5);
        p.cubicTo(14.1, 5.7, 15.4, 6.5, 15.8, 8.1);
        p.cubicTo(17.1, 9.4, 16.2, 11.0, 14.8, 11.6);
        p.cubicTo(14.2, 12.3, 13.5, 12.8, 12.8, 13.1);
        p.lineTo(12.6, 18);
        p.closeSubpath();
        return p;
    }();
    return path;
}

// The fish in an 18 x 12 box, nose to the left: a plump body, a forked tail, and an eye left open.
const QPainterPath& unitFish()
{
    static const QPainterPath path = [] {
        QPainterPath body;
        body.moveTo(0.6, 6.2);
        body.cubicTo(2.2, 1.6, 8.6, 0.6, 12.8, 6.0);
        body.cubicTo(8.6, 11.4, 2.2, 10.6, 0.6, 6.2);
        body.closeSubpath();
        QPainterPath tail;
        tail.moveTo(11.0, 6.0);
        tail.cubicTo(12.8, 3.8, 14.8, 1.8, 17.4, 1.2);
        tail.cubicTo(16.6, 3.2, 15.8, 4.8, 15.6, 6.0);
        tail.cubicTo(15.8, 7.2, 16.6, 8.8, 17.4, 10.8);
        tail.cubicTo(14.8, 10.2, 12.8, 8.2, 11.0, 6.0);
        tail.closeSubpath();
        QPainterPath eye;
        eye.addEllipse(QPointF(4.3, 5.3), 1.25, 1.25);
        return body.united(tail).subtracted(eye);
    }();
    return path;
}

// One element named by its title ("focus ending in") whose text is the time; the rolling digits
// are no element of their own. The name stays while the time runs, so a listening reader is not
// told of a new name every second; a query reads the newest time.
class CueAccessible final : public ReadOnlyTextWidgetAccessible {
public:
    explicit CueAccessible(EndingCueView* cue)
        : ReadOnlyTextWidgetAccessible(cue, QAccessible::StaticText, true)
    {
    }

protected:
    QString spokenText() const override { return static_cast<EndingCueView*>(widget())->timeText()->value(); }
};

QAccessibleInterface* cueAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("mewt::EndingCueView") && object && object->isWidgetType())
        return new CueAccessible(static_cast<EndingCueView*>(object));
    return nullptr;
}

} // namespace

EndingCueView::EndingCueView(EndingCueModel& model, InterfaceSettingsStore& settings, QWidget* parent)
    : QWidget(parent)
    , model(model)
    , settings(settings)
    , time(new CharacterSlotText(this))
    , progressGlide(*this, glideDuration, [this] { return pawTravel * devicePixelRatioF(); })
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(cueAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setAttribute(Qt::WA_TranslucentBackground);
    time->setFont(endingCueFont());
    connect(&model, &EndingCueModel::cueChanged, this, &EndingCueView::cueChanged);
    connect(&model, &EndingCueModel::themeChanged, this, &EndingCueView::themeChanged);
    themeChanged();
    cueChanged(false);
}

EndingCueView::CueColors EndingCueView::cueColors(const CatTheme& theme)
{
    const QColor ink = contrastingMonochromeColor(theme.furColor);
    return { theme.furColor, ink, colorMeetingContrast(theme.edgeColor, theme.furColor, 3.0, ink) };
}

double EndingCueView::pawProgress(qint64 remainingSeconds, int leadSeconds, bool reduceMotion)
{
    if (reduceMotion)
        return remainingSeconds >= 0 ? 0.55 : 0.85;
    if (remainingSeconds < 0)
        return 0.72;
    return 1.0 - std::min(static_cast<double>(remainingSeconds) / std::max(leadSeconds, 1), 1.0);
}

double EndingCueView::pawHeight(double progress)
{
    return 40.0 - pawTravel * std::min(progress, 1.0);
}

QPainterPath EndingCueView::catPawPath(const QRectF& rect)
{
    return fitted(unitPaw(), { 18, 18 }, rect);
}

QPainterPath EndingCueView::cueFishPath(const QRectF& rect)
{
    return fitted(unitFish(), { 18, 12 }, rect);
}

QRectF EndingCueView::contentRect() const
{
    return QRectF(rect()).adjusted(
        endingCuePanelMargin, endingCuePanelMargin, -endingCuePanelMargin, -endingCuePanelMargin);
}

QSize EndingCueView::sizeHint() const
{
    const QSizeF content = endingCueContentSize(model.cue().kind, model.cue().remainingSeconds);
    return (content + QSizeF(2 * endingCuePanelMargin, 2 * endingCuePanelMargin)).toSize();
}

void EndingCueView::cueChanged(bool animated)
{
    const EndingCue& cue = model.cue();
    const bool reduce = reducesMotion();
    progressGlide.retarget(
        pawProgress(cue.remainingSeconds, settings.endingCueLeadTimeSeconds(), reduce), animated && !reduce);
    time->setCountsDown(cue.remainingSeconds >= 0);
    time->setValue(endingCueTimeText(cue.remainingSeconds));
    if (const QString title = endingCueTitle(cue.kind, cue.remainingSeconds); accessibleName() != title)
        setAccessibleName(title);
    layoutTime();
    update();
}

void EndingCueView::themeChanged()
{
    QPalette palette = time->palette();
    palette.setColor(QPalette::WindowText, cueColors(model.theme()).ink);
    time->setPalette(palette);
    update();
}

void EndingCueView::layoutTime()
{
    const EndingCue& cue = model.cue();
    const QRectF content = contentRect();
    const double titleWidth = endingCueTitleWidth(endingCueTitle(cue.kind, cue.remainingSeconds));
    const double x = content.left() + fishAndPawRoom + gap + titleWidth + gap;
    const double width = endingCueTimeTextWidth(time->value());
    time->setGeometry(QRectF(x, content.center().y() - timeHeight / 2, width, timeHeight).toAlignedRect());
}

void EndingCueView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    progressGlide.stop();
}

void EndingCueView::resizeEvent(QResizeEvent* event)
{
    layoutTime();
    QWidget::resizeEvent(event);
}

void EndingCueView::paintShadow(QPainter& painter, const QRectF& content) const
{
    // A soft black halo, about a quarter dark at the card's edge and gone 4 pixels out: thin
    // rings stacked from the outside in.
    constexpr int rings = 8;
    constexpr double ringAlpha = 0.034;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(0, 0, 0, ringAlpha));
    for (int ring = rings; ring >= 1; --ring) {
        const double spread = ring * 0.5;
        const QRectF r = content.adjusted(-spread, -spread, spread, spread);
        painter.drawRoundedRect(r, r.height() / 2, r.height() / 2);
    }
}

void EndingCueView::paintEvent(QPaintEvent*)
{
    const CatTheme& theme = model.theme();
    const EndingCue& cue = model.cue();
    const CueColors colors = cueColors(theme);
    const QRectF content = contentRect();
    const double radius = content.height() / 2;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    paintShadow(painter, content);
    QPainterPath capsule;
    capsule.addRoundedRect(content, radius, radius);
    painter.fillPath(capsule, colors.fill);

    painter.save();
    painter.setClipPath(capsule);
    painter.translate(content.topLeft());
    const double h = content.height();
    const double py = pawHeight(progressGlide.shown());

    // The arm comes up from below the card; the clip cuts it off at the card's edge.
    const QPointF shoulder(anchorX, h + 6);
    const QPointF armEnd(anchorX, py + 4);
    painter.fillPath(catArmPath(shoulder, armEnd, armOutlineWidth), theme.edgeColor);
    const QPainterPath fur = catArmPath(shoulder, armEnd, armFurWidth);
    painter.fillPath(fur, theme.furColor);
    if (const CatArmGeometry geometry = catArmGeometry(shoulder, armEnd); geometry.length > armPatternLength)
        drawCatArmPattern(painter, fur, theme, geometry);

    QColor fishColor = colors.ink;
    fishColor.setAlphaF(fishOpacity);
    const QRectF fish(QPointF(anchorX - fishSize.width() / 2, h * 0.5 - fishSize.height() / 2), fishSize);
    painter.fillPath(cueFishPath(fish), fishColor);

    const QRectF pawBox
        = QRectF(anchorX - pawSize / 2, py - pawSize / 2, pawSize, pawSize).adjusted(0.8, 0.8, -0.8, -0.8);
    const QPainterPath paw = catPawPath(pawBox);
    painter.fillPath(paw, theme.pawFillColor());
    if (const CatArmGeometry geometry
        = catArmGeometry(QPointF(pawBox.center().x(), pawBox.bottom()), QPointF(pawBox.center().x(), pawBox.top()));
        geometry.length > armPatternLength)
        drawCatArmPattern(painter, paw, theme, geometry);
    painter.strokePath(paw, QPen(theme.edgeColor, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    painter.restore();

    // On the rolling time's baseline, which centres whole-pixel cells in its 12-pixel frame.
    const QFont font = endingCueFont();
    const QFontMetrics metrics(font);
    const QRect timeFrame = time->geometry();
    const int baseline = timeFrame.top() + (timeFrame.height() - metrics.height()) / 2 + metrics.ascent();
    painter.setFont(font);
    painter.setPen(colors.ink);
    painter.drawText(
        QPointF(content.left() + fishAndPawRoom + gap, baseline), endingCueTitle(cue.kind, cue.remainingSeconds));

    painter.setPen(QPen(colors.border, 1));
    painter.setBrush(Qt::NoBrush);
    const QRectF inner = content.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawRoundedRect(inner, inner.height() / 2, inner.height() / 2);
}

} // namespace mewt

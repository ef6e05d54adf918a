#include "pull/PomodoroDurationRopePanel.h"

#include "artwork/CharacterSlotText.h"
#include "artwork/Compositing.h"
#include "artwork/PullStatusPill.h"
#include "model/ColorContrast.h"
#include "pull/YarnStringSimulation.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <cmath>

namespace mewt {

namespace {

constexpr double strandWidth = 3.0;
constexpr double knotRadius = 3.6;
const QPointF pillOffset(14.0, 12.0);

} // namespace

PomodoroDurationRopePanel::PomodoroDurationRopePanel(
    const PomodoroDurationPullModel& model, const YarnStringSimulation& simulation, QWidget* parent)
    : QWidget(parent,
        Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint
            | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput)
    , model(model)
    , simulation(simulation)
{
    setObjectName(QStringLiteral("mewt.duration-rope"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    text = new CharacterSlotText;
    QFont font = text->font();
    font.setPixelSize(11);
    font.setWeight(QFont::DemiBold);
    text->setFont(font);
    valuePill = new PullStatusPill(currentTheme.interactionPalette(), false, text, this);
    whenCompositingChanges(this, [this] {
        composited = windowsAreComposited();
        if (isVisible()) {
            sync();
            update();
        }
    });
}

void PomodoroDurationRopePanel::present(const CatTheme& theme)
{
    currentTheme = theme;
    valuePill->setInteractionPalette(theme.interactionPalette());
    const std::optional<PomodoroDurationKind> kind = model.kind();
    const double reach = kind ? model.maximum() * pomodoroDurationPointsPerUnit(*kind) : 0.0;
    const int half = static_cast<int>(std::ceil(reach)) + margin;
    const QPoint centre = model.startPoint().toPoint();
    setGeometry(centre.x() - half, centre.y() - half, 2 * half, 2 * half);
    composited = windowsAreComposited();
    sync();
    show();
    raise();
}

QPainterPath PomodoroDurationRopePanel::strandPath() const
{
    const auto& points = simulation.points();
    const QPointF origin = pos();
    QPainterPath path(points.front() - origin);
    // Through the midpoints, so the strand bends smoothly however few masses it has.
    for (std::size_t i = 1; i + 1 < points.size(); ++i)
        path.quadTo(points[i] - origin, (points[i] + points[i + 1]) / 2.0 - origin);
    path.lineTo(points.back() - origin);
    return path;
}

void PomodoroDurationRopePanel::sync()
{
    if (!model.isActive())
        return;
    const std::optional<PomodoroDurationKind> kind = model.kind();
    text->setValue(pomodoroDurationValueText(*kind, model.value()));
    valuePill->adjustSize();
    QPointF topLeft = model.pullPoint() - QPointF(pos()) + pillOffset;
    topLeft.setX(std::clamp(topLeft.x(), 0.0, static_cast<double>(width() - valuePill->width())));
    topLeft.setY(std::clamp(topLeft.y(), 0.0, static_cast<double>(height() - valuePill->height())));
    valuePill->move(topLeft.toPoint());
    valuePill->setVisible(model.value() >= 1);

    if (!composited) {
        // What the painting covers: the strand's darker body, the knot with its outline, the capsule.
        QPainterPathStroker stroker;
        stroker.setWidth(strandWidth + 1.0);
        stroker.setCapStyle(Qt::RoundCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        QPainterPath knot;
        knot.addEllipse(model.pullPoint() - QPointF(pos()), knotRadius + 0.5, knotRadius + 0.5);
        QList<QPainterPath> shapes { stroker.createStroke(strandPath()), knot };
        if (valuePill->isVisible())
            shapes.append(valuePill->capsuleShape().translated(QPointF(valuePill->pos())));
        setMask(unblendedWindowShape(shapes, rect()));
    } else if (!mask().isEmpty()) {
        clearMask();
    }
    update();
}

void PomodoroDurationRopePanel::paintEvent(QPaintEvent*)
{
    if (!model.isActive())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor yarn = currentTheme.accentColor;
    const QPainterPath strand = strandPath();

    // Two plies twisted together: a darker body, the yarn colour, and a light dashed twist.
    QPen pen(blendedColor(yarn, Qt::black, 0.28), strandWidth + 1.0);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(pen);
    painter.drawPath(strand);
    pen.setColor(yarn);
    pen.setWidthF(strandWidth);
    painter.setPen(pen);
    painter.drawPath(strand);
    QPen twist(blendedColor(yarn, Qt::white, 0.45), 1.0);
    twist.setCapStyle(Qt::RoundCap);
    twist.setDashPattern({ 1.6, 2.4 });
    painter.setPen(twist);
    painter.drawPath(strand);

    const QPointF knot = model.pullPoint() - QPointF(pos());
    painter.setPen(QPen(blendedColor(yarn, Qt::black, 0.28), 1.0));
    painter.setBrush(yarn);
    painter.drawEllipse(knot, knotRadius, knotRadius);
}

} // namespace mewt

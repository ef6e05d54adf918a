#include "pull/PullOverlayView.h"

#include "artwork/CatArmDrawing.h"
#include "artwork/CharacterSlotText.h"
#include "artwork/Compositing.h"
#include "artwork/PeekPawArtwork.h"
#include "artwork/PullStatusPill.h"

#include <QGraphicsOpacityEffect>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <malloc.h>

namespace mewt {

namespace {

constexpr double pawWidth = 34.0;
constexpr double pawHeight = 24.0;

QTransform pawTransform(const PullOverlayLayout& layout)
{
    QTransform transform;
    transform.translate(layout.pawCentre.x(), layout.pawCentre.y());
    transform.rotateRadians(layout.pawAngle);
    return transform;
}

QRectF pawRect()
{
    return { -pawWidth / 2.0, -pawHeight / 2.0, pawWidth, pawHeight };
}

} // namespace

PullOverlayView::PullOverlayView(PullOverlayModel& model, QWidget* parent)
    : QWidget(parent,
        Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint
            | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput)
    , model(model)
{
    setObjectName(QStringLiteral("mewt.pull-overlay"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    text = new CharacterSlotText;
    QFont font = text->font();
    font.setPixelSize(12);
    font.setWeight(QFont::DemiBold);
    text->setFont(font);
    statusPill = new PullStatusPill(model.state().theme.interactionPalette(), false, text, this);
    pillOpacity = new QGraphicsOpacityEffect(statusPill);
    pillOpacity->setEnabled(false);
    statusPill->setGraphicsEffect(pillOpacity);
    connect(&model, &PullOverlayModel::changed, this, &PullOverlayView::sync);
    whenCompositingChanges(this, [this] {
        if (isVisible()) {
            sync();
            update();
        }
    });
}

void PullOverlayView::sync()
{
    const PullOverlayModel::State& state = model.state();
    if (!state.isVisible) {
        hide();
        lastBounds = {};
        // The window spans the screen, and its backing store with it (6 MB at 1600x900, 32 MB at
        // 4K): give both back between pulls; the next pull makes them again.
        if (testAttribute(Qt::WA_WState_Created)) {
            destroy();
            lastGeometry = {};
            // The freed backing store sits in the heap's free lists otherwise.
            malloc_trim(0);
        }
        return;
    }
    const QRect frame = state.screenFrame.toAlignedRect();
    composited = windowsAreComposited();
    if (frame != lastGeometry || !isVisible()) {
        setGeometry(frame);
        lastGeometry = frame;
    }

    statusPill->setInteractionPalette(state.theme.interactionPalette());
    statusPill->setCancel(state.isCancel);
    text->setValue(state.statusText);
    statusPill->adjustSize();

    const PullOverlayLayout layout = pullOverlayLayout(state, statusPill->size());
    const QPointF origin = state.screenFrame.topLeft();
    statusPill->move((layout.pillRect.topLeft() - origin).toPoint());
    statusPill->setVisible(layout.pillOpacity > 0.0);
    pillOpacity->setOpacity(layout.pillOpacity);
    // A full-opacity effect would only cost an offscreen pass.
    pillOpacity->setEnabled(layout.pillOpacity < 1.0);

    const QRectF arm = catArmPath(layout.shoulder, layout.armEnd, pullArmEdgeWidth).boundingRect();
    const QRectF paw = pawTransform(layout).mapRect(pawRect());
    const QRectF bounds = arm.united(paw).united(layout.pillRect).adjusted(-2, -2, 3, 3);
    const QRectF dirty = lastBounds.isNull() ? bounds : bounds.united(lastBounds);
    lastLayout = layout;
    lastBounds = bounds;

    if (!composited)
        setMask(windowShape());
    else if (!mask().isEmpty())
        clearMask();

    if (!isVisible()) {
        show();
        raise();
    }
    update(dirty.translated(-origin).toAlignedRect());
}

QRegion PullOverlayView::windowShape() const
{
    const QPointF origin = model.state().screenFrame.topLeft();
    QList<QPainterPath> shapes { catArmPath(lastLayout.shoulder, lastLayout.armEnd, pullArmEdgeWidth),
        pawTransform(lastLayout).map(catPawShape(pawRect())) };
    for (QPainterPath& shape : shapes)
        shape.translate(-origin);
    if (statusPill->isVisible())
        shapes.append(statusPill->capsuleShape().translated(QPointF(statusPill->pos())));
    return unblendedWindowShape(shapes, lastBounds.translated(-origin).toAlignedRect() & rect());
}

void PullOverlayView::paintEvent(QPaintEvent* event)
{
    const PullOverlayModel::State& state = model.state();
    if (!state.isVisible)
        return;
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-state.screenFrame.topLeft());
    const PullOverlayLayout& layout = lastLayout;

    painter.setPen(Qt::NoPen);
    painter.setBrush(state.theme.edgeColor);
    painter.drawPath(catArmPath(layout.shoulder, layout.armEnd, pullArmEdgeWidth));
    const QPainterPath fur = catArmPath(layout.shoulder, layout.armEnd, pullArmFurWidth);
    painter.setBrush(state.theme.furColor);
    painter.drawPath(fur);
    const CatArmGeometry geometry = catArmGeometry(layout.shoulder, layout.armEnd);
    if (geometry.length > pullArmPatternLength)
        drawCatArmPattern(painter, fur, state.theme, geometry);

    painter.save();
    painter.setTransform(pawTransform(layout), true);
    paintCatPaw(painter, pawRect(), state.theme);
    painter.restore();
}

} // namespace mewt

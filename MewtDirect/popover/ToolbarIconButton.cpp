#include "popover/ToolbarIconButton.h"

#include "artwork/FocusRing.h"
#include "artwork/Glyph.h"
#include "cues/PointerFeedback.h"
#include "popover/PopoverMetrics.h"

#include <QKeyEvent>
#include <QPainter>

namespace mewt {

namespace {
constexpr double restingOpacity = 0.07;
constexpr double activeOpacity = 0.14;
// A button that cannot act now (pinning during the tour) is drawn faint.
constexpr double disabledOpacity = 0.35;
} // namespace

ToolbarIconButton::ToolbarIconButton(const QString& glyph, int glyphPixelSize, QWidget* parent)
    : QAbstractButton(parent)
    , glyphName(glyph)
    , glyphSize(glyphPixelSize)
{
    setFixedSize(toolbarButtonSize, toolbarButtonSize);
    // Tab reaches it; a click leaves the keyboard where it was.
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setFeedbackRole(this, FeedbackRole::button);
}

void ToolbarIconButton::setTint(const QColor& color)
{
    if (color == tint)
        return;
    tint = color;
    update();
}

void ToolbarIconButton::setGlyph(const QString& glyph)
{
    if (glyph == glyphName)
        return;
    glyphName = glyph;
    update();
}

QSize ToolbarIconButton::sizeHint() const
{
    return { toolbarButtonSize, toolbarButtonSize };
}

void ToolbarIconButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (!isEnabled())
        painter.setOpacity(disabledOpacity);
    const QColor ink = palette().color(QPalette::WindowText);
    painter.setBrush(withOpacity(ink, (hovered || isDown()) ? activeOpacity : restingOpacity));
    painter.drawEllipse(QRectF(rect()));
    const QRectF glyphRect((width() - glyphSize) / 2.0, (height() - glyphSize) / 2.0, glyphSize, glyphSize);
    Glyph::paint(painter, glyphName, glyphRect, tint.isValid() ? tint : ink);
    paintFocusRing(painter, *this, rect(), height() / 2.0);
}

void ToolbarIconButton::keyPressEvent(QKeyEvent* event)
{
    if (!pressOnReturn(*this, *event))
        QAbstractButton::keyPressEvent(event);
}

void ToolbarIconButton::enterEvent(QEnterEvent* event)
{
    hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ToolbarIconButton::leaveEvent(QEvent* event)
{
    hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace mewt

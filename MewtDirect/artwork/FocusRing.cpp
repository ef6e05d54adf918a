#include "artwork/FocusRing.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>

namespace mewt {

void paintFocusRing(QPainter& painter, const QWidget& widget, const QRectF& rect, double radius)
{
    paintFocusRing(painter, widget, rect, radius, widget.palette().color(QPalette::Highlight));
}

void paintFocusRing(QPainter& painter, const QWidget& widget, const QRectF& rect, double radius, const QColor& color)
{
    // As the desktop's own controls: after a Tab or a shortcut, not after a click or a window's
    // activation.
    if (!widget.hasFocus() || !widget.window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    const double inset = focusRingWidth / 2.0;
    const QRectF ring = rect.adjusted(inset, inset, -inset, -inset);
    const double r = std::clamp(radius - inset, 0.0, std::min(ring.width(), ring.height()) / 2.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(1.0);
    painter.setPen(QPen(color, focusRingWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(ring, r, r);
    painter.restore();
}

bool pressOnReturn(QAbstractButton& button, const QKeyEvent& event)
{
    const bool plain = event.modifiers() == Qt::NoModifier || event.modifiers() == Qt::KeypadModifier;
    if (!plain || (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter) || event.isAutoRepeat())
        return false;
    if (button.isEnabled())
        button.click();
    return true;
}

} // namespace mewt
